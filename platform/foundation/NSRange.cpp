#include "platform/foundation/NSRange.h"

#include <ostream>

namespace platform {

std::ostream& operator<<(std::ostream& o, const NSRange& r) { return o << "{" << r.location << ", " << r.length << "}"; }

} // namespace platform
