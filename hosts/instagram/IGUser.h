#pragma once
// An Instagram account as the feed shows it: its user name and the address
// of its profile picture (a file or an HTTP URL).

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
    static Ref<IGUser> create(const std::string& username, const std::string& profilePicURL);

    RefPtr<NSString> username() const;
    // An NSURL, or nil.
    RefPtr<objc::Object> profilePicURL() const { return m_profilePicURL; }

private:
    std::string m_username;
    RefPtr<objc::Object> m_profilePicURL;
};

} // namespace hosts::instagram
