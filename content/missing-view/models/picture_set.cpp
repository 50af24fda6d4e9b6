#include "missing-view/pictures/pictures.h"

#include "drawing/encode.h"
#include "missing-view/models/drawings.h"
#include "missing-view/models/tables.h"
#include "missing-view/picture_names.h"

namespace missing_view {

drawing::PictureSet pictures()
{
    using namespace models;
    namespace names = picture_names;
    drawing::PictureSet set;
    for (int page = 1; page <= 16; ++page)
        set.push_back({QString::fromStdString(names::problemDrawingFile(page)),
                       [page] { return drawing::jpeg(drawProblem(page), problemDrawing(page).size, kJpegQuality); }});
    for (int v = 1; v <= 24; ++v)
        set.push_back({QString::fromStdString(names::candidateFile(v)),
                       [v] { return candidateJpeg(v); }});
    for (int n = 1; n <= 16; ++n)
        set.push_back({QString::fromStdString(names::perspectiveFile(n)),
                       [n] { return drawing::jpeg(drawPerspective(n), perspectiveSize(n), kJpegQuality); }});
    return set;
}

}  // namespace missing_view
