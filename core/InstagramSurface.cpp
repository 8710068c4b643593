#include "core/InstagramSurface.h"

namespace igtarvo::instagram {

using objc::respondsTo;
using objc::send;

void presentCameraOnPhotoLibrary(id controller)
{
    if (respondsTo(controller, "presentCameraWithMetadata:openToLibrary:"))
        send<void(id, bool)>(controller, "presentCameraWithMetadata:openToLibrary:", nullptr, true);
    else if (respondsTo(controller, "presentCameraWithMetadata:openWithState:"))
        send<void(id, long)>(controller, "presentCameraWithMetadata:openWithState:", nullptr, 1);
}

} // namespace igtarvo::instagram
