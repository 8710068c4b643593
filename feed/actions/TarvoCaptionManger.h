#pragma once
// The caption waiting for Instagram's share screen after a repost: the
// caption text and the poster's user name, until the share screen's first
// caption-cell access (or its share) takes them. One holder per process
// (sharedManager), created once and never destroyed.
//
// Any thread: a repost writes the holder from a background queue and the
// share screen reads it on the main thread, so every read and write is
// under the holder's lock, and take() reads and clears both values in one
// step, so a caption is handed out at most once.

#include "platform/foundation/NSValues.h"

#include <mutex>
#include <optional>
#include <string>

namespace igtarvo {

using objc::RefPtr;
using platform::NSString;

class TarvoCaptionManger : public platform::NSObject {
    OBJC_CLASS(TarvoCaptionManger, platform::NSObject)
public:
    TarvoCaptionManger() = default;
    static void registerMethods(objc::ClassBuilder<TarvoCaptionManger>&);
    static TarvoCaptionManger* sharedManager();

    // nil when nothing is pending.
    RefPtr<NSString> captionText() const;
    void setCaptionText(NSString* text);
    RefPtr<NSString> repostUsername() const;
    void setRepostUsername(NSString* name);
    // Both at once (a repost's hand-off).
    void setPending(std::optional<std::string> caption, std::optional<std::string> username);

    struct Pending {
        std::optional<std::string> caption;
        std::optional<std::string> username;
    };
    // Reads both values and clears them, in one step.
    Pending take();

private:
    mutable std::mutex m_lock;
    std::optional<std::string> m_caption;
    std::optional<std::string> m_username;
};

} // namespace igtarvo
