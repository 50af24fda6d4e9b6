#include "threaded-elements/pictures/pictures.h"

namespace threaded_elements {

drawing::PictureSet pictures()
{
    drawing::PictureSet all = lineDrawings();
    for (auto& picture : shadedPictures())
        all.push_back(std::move(picture));
    return all;
}

}  // namespace threaded_elements
