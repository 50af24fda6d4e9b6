#include "threaded-elements/pictures/pictures.h"

#include "missing-view/picture_names.h"
#include "missing-view/pictures/pictures.h"
#include "threaded-elements/picture_names.h"

namespace threaded_elements {

drawing::PictureSet pictures()
{
    drawing::PictureSet all = lineDrawings();
    for (auto& picture : shadedPictures())
        all.push_back(std::move(picture));
    // Page 8 shows the plain cylinder that is candidate drawing V18 of the missing-view
    // exercises: drawn by the same code, so byte for byte the same image.
    const QString shared = QString::fromStdString(missing_view::picture_names::candidateFile(18));
    for (auto& picture : missing_view::pictures())
        if (picture.file == shared)
            all.push_back({QString::fromStdString(picture_names::boxFile(8, 1)), picture.bytes});
    return all;
}

}  // namespace threaded_elements
