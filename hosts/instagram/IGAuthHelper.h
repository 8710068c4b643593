#pragma once
// The signed-in user (currentUser) and their session, reached through the
// shared auth helper (sharedAuthHelper, currentUserSession); the session holds
// the user's direct-message store (directThreadStore). Main thread.

#include "hosts/instagram/IGDirectThreadStore.h"
#include "hosts/instagram/IGUser.h"

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
    // The signed-in user; nil until one is signed in.
    RefPtr<IGUser> currentUser() const { return m_currentUser; }
    void setCurrentUser(RefPtr<IGUser> user) { m_currentUser = std::move(user); }

private:
    Ref<IGUserSession> m_session;
    RefPtr<IGUser> m_currentUser;
};

} // namespace hosts::instagram
