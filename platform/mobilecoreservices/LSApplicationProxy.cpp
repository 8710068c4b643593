#include "platform/mobilecoreservices/LSApplicationProxy.h"
#include "platform/foundation/Device.h"

namespace platform {

OBJC_CLASS_LOAD(LSApplicationProxy)

RefPtr<LSApplicationProxy> LSApplicationProxy::applicationProxyForIdentifier(NSString* identifier)
{
    if (!identifier)
        return nullptr;
    auto proxy = objc::make<LSApplicationProxy>();
    proxy->m_identifier = identifier;
    return proxy;
}

bool LSApplicationProxy::isInstalled() const
{
    auto apps = Device::setting(kSettingApplications);
    return m_identifier && objc::object_isKindOfClass(apps, NSDictionary::staticClass())
        && static_cast<NSDictionary*>(apps.get())->get(str(m_identifier.get()));
}

void LSApplicationProxy::registerMethods(objc::ClassBuilder<LSApplicationProxy>& b)
{
    b.classMethod<&LSApplicationProxy::applicationProxyForIdentifier>("applicationProxyForIdentifier:")
        .method<&LSApplicationProxy::applicationIdentifier>("applicationIdentifier")
        .method<&LSApplicationProxy::isInstalled>("isInstalled");
}

} // namespace platform
