#include "feed/actions/VideoWatermarkTab.h"

namespace igtarvo {

objc::RefPtr<objc::Object> videoWatermarkTab(objc::id, platform::CGSize, long)
{
    // Drawn by the repost tab view once the kit renders pictures.
    return nullptr;
}

} // namespace igtarvo
