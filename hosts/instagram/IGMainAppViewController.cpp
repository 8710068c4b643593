#include "hosts/instagram/IGMainAppViewController.h"

namespace hosts::instagram {

OBJC_CLASS_DEFINE(IGMainAppViewController)

void IGMainAppViewController::registerMethods(objc::ClassBuilder<IGMainAppViewController>& b)
{
    b.method<&IGMainAppViewController::initWithMainFeedSource>("initWithMainFeedSource:")
        .method<&IGMainAppViewController::presentCameraWithMetadata>("presentCameraWithMetadata:openToLibrary:");
}

RefPtr<objc::Object> IGMainAppViewController::initWithMainFeedSource(id source)
{
    m_source = source;
    return RefPtr<objc::Object>(this);
}

void IGMainAppViewController::presentCameraWithMetadata(id, bool library)
{
    if (library)
        ++m_cameraOnLibrary;
}

} // namespace hosts::instagram
