#pragma once
// An Instagram account as the feed shows it: its number, its user name and
// the address of its profile picture (a file or an HTTP URL). Two users are
// equal (isEqual:) when they are the same account: the same number, or, for
// users without one, the same name.

#include "platform/foundation/NSValues.h"

namespace hosts::instagram {

using objc::Ref;
using objc::RefPtr;
using platform::NSString;

class IGUser : public objc::Object {
    OBJC_CLASS(IGUser, objc::Object)
public:
    IGUser() = default;
    static void registerMethods(objc::ClassBuilder<IGUser>&);
    // A user with that name and picture address (empty: none).
    static Ref<IGUser> create(const std::string& username, const std::string& profilePicURL, const std::string& pk = {});

    RefPtr<NSString> username() const;
    RefPtr<NSString> pk() const;
    // An NSURL, or nil.
    RefPtr<objc::Object> profilePicURL() const { return m_profilePicURL; }
    bool isEqual(objc::id other) const;

    const std::string& usernameString() const { return m_username; }

private:
    std::string m_username;
    std::string m_pk;
    RefPtr<objc::Object> m_profilePicURL;
};

} // namespace hosts::instagram
