#include "hosts/instagram/IGAuthHelper.h"

namespace hosts::instagram {

OBJC_CLASS_DEFINE(IGUserSession)
OBJC_CLASS_DEFINE(IGAuthHelper)

IGUserSession::IGUserSession()
    : m_store(objc::make<IGDirectThreadStore>())
{
}

void IGUserSession::registerMethods(objc::ClassBuilder<IGUserSession>& b)
{
    b.method<&IGUserSession::directThreadStore>("directThreadStore");
}

IGAuthHelper::IGAuthHelper()
    : m_session(objc::make<IGUserSession>())
{
}

void IGAuthHelper::registerMethods(objc::ClassBuilder<IGAuthHelper>& b)
{
    b.method<&IGAuthHelper::currentUserSession>("currentUserSession").method<&IGAuthHelper::currentUser>("currentUser").classMethod<&IGAuthHelper::sharedAuthHelper>("sharedAuthHelper");
}

IGAuthHelper* IGAuthHelper::sharedAuthHelper()
{
    static IGAuthHelper* const helper = objc::make<IGAuthHelper>().leak();
    return helper;
}

} // namespace hosts::instagram
