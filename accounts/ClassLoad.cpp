// The account library's classes exist as soon as the library is loaded, so
// that other code finds them by name (objc_getClass("TarvoManager")).

#include "accounts/TarvoManager.h"

namespace igtarvo {
OBJC_CLASS_LOAD(TarvoManager)
}
