#include "threaded-elements/pictures/pictures.h"

namespace threaded_elements {

drawing::PictureSet shadedPictures() { return {}; }

}  // namespace threaded_elements
