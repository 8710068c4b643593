#include "platform/social/SLComposeViewController.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSURL.h"
#include "platform/uikit/UIImage.h"

namespace platform {

OBJC_CLASS_LOAD(SLComposeViewController)

namespace {
const char* accountSetting(const std::string& serviceType)
{
    if (serviceType == SLServiceTypeTwitter)
        return "TwitterAccount";
    if (serviceType == SLServiceTypeFacebook)
        return "FacebookAccount";
    return nullptr;
}
}

bool SLComposeViewController::isAvailableForServiceType(NSString* serviceType)
{
    const char* setting = serviceType ? accountSetting(serviceType->str()) : nullptr;
    return setting && Device::boolSetting(setting, false);
}

RefPtr<SLComposeViewController> SLComposeViewController::composeViewControllerForServiceType(NSString* serviceType)
{
    if (!serviceType || !accountSetting(serviceType->str()))
        return nullptr;
    auto composer = objc::make<SLComposeViewController>();
    composer->init();
    composer->m_serviceType = serviceType;
    return composer;
}

bool SLComposeViewController::setInitialText(NSString* text)
{
    m_text = text;
    return true;
}

bool SLComposeViewController::addImage(UIImage* image)
{
    if (!image)
        return false;
    m_images.emplace_back(*image);
    return true;
}

bool SLComposeViewController::addURL(NSURL* url)
{
    if (!url)
        return false;
    m_urls.emplace_back(*url);
    return true;
}

void SLComposeViewController::userFinish(long result)
{
    Ref<SLComposeViewController> keep(*this);
    if (auto completion = m_completion)
        completion(result);
}

void SLComposeViewController::registerMethods(objc::ClassBuilder<SLComposeViewController>& b)
{
    b.classMethod<&SLComposeViewController::isAvailableForServiceType>("isAvailableForServiceType:")
        .classMethod<&SLComposeViewController::composeViewControllerForServiceType>("composeViewControllerForServiceType:")
        .method<&SLComposeViewController::serviceType>("serviceType")
        .method<&SLComposeViewController::setInitialText>("setInitialText:")
        .method<&SLComposeViewController::addImage>("addImage:")
        .method<&SLComposeViewController::addURL>("addURL:");
}

} // namespace platform
