#include "host/graphics/SharedImage.h"

namespace host {

HOST_METACLASS(TSharedImage, TObject);

} // namespace host
