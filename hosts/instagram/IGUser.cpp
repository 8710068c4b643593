#include "hosts/instagram/IGUser.h"
#include "platform/foundation/NSURL.h"

namespace hosts::instagram {

OBJC_CLASS_DEFINE(IGUser)

Ref<IGUser> IGUser::create(const std::string& username, const std::string& profilePicURL, const std::string& pk)
{
    auto user = objc::make<IGUser>();
    user->m_username = username;
    user->m_pk = pk;
    if (!profilePicURL.empty())
        user->m_profilePicURL = platform::NSURL::create(profilePicURL);
    return user;
}

RefPtr<NSString> IGUser::username() const
{
    return platform::ns(m_username);
}

RefPtr<NSString> IGUser::pk() const
{
    return m_pk.empty() ? nullptr : RefPtr<NSString>(platform::ns(m_pk));
}

bool IGUser::isEqual(objc::id other) const
{
    auto* user = objc::dynamicCast<IGUser>(other);
    if (!user)
        return false;
    if (user == this)
        return true;
    if (!m_pk.empty() || !user->m_pk.empty())
        return m_pk == user->m_pk;
    return m_username == user->m_username;
}

void IGUser::registerMethods(objc::ClassBuilder<IGUser>& b)
{
    b.method<&IGUser::username>("username")
        .method<&IGUser::pk>("pk")
        .method<&IGUser::profilePicURL>("profilePicURL")
        .method<&IGUser::isEqual>("isEqual:");
}

} // namespace hosts::instagram
