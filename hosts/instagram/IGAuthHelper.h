#pragma once
// The signed-in user's session, reached through the shared auth helper
// (sharedAuthHelper, currentUserSession); the session holds the user's
// direct-message store (directThreadStore).

#include "hosts/instagram/IGDirectThreadStore.h"

namespace hosts::instagram {

class IGUserSession : public objc::Object {
    OBJC_CLASS(IGUserSession, objc::Object)
public:
    IGUserSession();
    static void registerMethods(objc::ClassBuilder<IGUserSession>&);
    RefPtr<IGDirectThreadStore> directThreadStore() const { return m_store; }

private:
    Ref<IGDirectThreadStore> m_store;
};

class IGAuthHelper : public objc::Object {
    OBJC_CLASS(IGAuthHelper, objc::Object)
public:
    IGAuthHelper();
    static void registerMethods(objc::ClassBuilder<IGAuthHelper>&);
    static IGAuthHelper* sharedAuthHelper();
    RefPtr<IGUserSession> currentUserSession() const { return m_session; }

private:
    Ref<IGUserSession> m_session;
};

} // namespace hosts::instagram
