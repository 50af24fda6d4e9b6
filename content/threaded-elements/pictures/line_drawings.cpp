#include "threaded-elements/pictures/pictures.h"

namespace threaded_elements {

drawing::PictureSet lineDrawings() { return {}; }

}  // namespace threaded_elements
