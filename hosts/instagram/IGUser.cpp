#include "hosts/instagram/IGUser.h"
#include "platform/foundation/NSURL.h"

namespace hosts::instagram {

OBJC_CLASS_DEFINE(IGUser)

Ref<IGUser> IGUser::create(const std::string& username, const std::string& profilePicURL)
{
    auto user = objc::make<IGUser>();
    user->m_username = username;
    if (!profilePicURL.empty())
        user->m_profilePicURL = platform::NSURL::create(profilePicURL);
    return user;
}

RefPtr<NSString> IGUser::username() const
{
    return platform::ns(m_username);
}

void IGUser::registerMethods(objc::ClassBuilder<IGUser>& b)
{
    b.method<&IGUser::username>("username")
        .method<&IGUser::profilePicURL>("profilePicURL");
}

} // namespace hosts::instagram
