#include "hosts/instagram/IGCaption.h"

namespace hosts::instagram {

OBJC_CLASS_DEFINE(IGCaption)
OBJC_CLASS_DEFINE(IGPhoto)

objc::Ref<IGCaption> IGCaption::create(std::string text)
{
    auto caption = objc::make<IGCaption>();
    caption->m_text = std::move(text);
    return caption;
}

void IGCaption::registerMethods(objc::ClassBuilder<IGCaption>& b)
{
    b.method<&IGCaption::text>("text");
}

objc::Ref<IGPhoto> IGPhoto::create(objc::Ref<platform::NSArray> imageVersions)
{
    auto photo = objc::make<IGPhoto>();
    photo->m_versions = std::move(imageVersions);
    return photo;
}

void IGPhoto::registerMethods(objc::ClassBuilder<IGPhoto>& b)
{
    b.method<&IGPhoto::imageVersions>("imageVersions");
}

} // namespace hosts::instagram
