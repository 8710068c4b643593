#pragma once
// The poster a repost credits, made from the command line: a user name and
// an optional profile picture given as a file of this machine or an address.
// A local picture is staged as a file of the device (the app reads a file
// URL of its own device) for as long as the poster lives.

#include "platform/foundation/NSValues.h"

#include <string>

namespace igtarvo::cli {

class RepostPoster {
public:
    RepostPoster() = default;
    RepostPoster(const RepostPoster&) = delete;
    RepostPoster& operator=(const RepostPoster&) = delete;
    ~RepostPoster();

    // Makes the poster; false with the reason in `error` when the picture
    // file cannot be read or staged.
    bool make(const std::string& username, const std::string& profilePicture, std::string& error);
    objc::id object() const { return m_user.get(); }

private:
    objc::RefPtr<objc::Object> m_user;
    std::string m_staged; // a device path, removed with the poster
};

// Whether the text is an address rather than a file name.
bool looksLikeURL(const std::string& text);

} // namespace igtarvo::cli
