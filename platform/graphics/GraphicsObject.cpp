#include "platform/graphics/GraphicsObject.h"

namespace graphics {

CORE_CLASS_IMPL(TGraphicsObject)

}  // namespace graphics
