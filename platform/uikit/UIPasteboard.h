#pragma once
// The general pasteboard, shared by every process of the device: the
// pasteboard service keeps its contents in a file of the device
// (kGeneralPasteboardPath), which setString: replaces atomically and string
// reads anew, so a string set in one process is what another reads next.
// Any thread; the last writer wins.

#include "platform/foundation/NSValues.h"

namespace platform {

// Where the general pasteboard's contents live on the device.
inline constexpr const char* kGeneralPasteboardPath = "/var/mobile/Library/Caches/com.apple.UIKit.pboard/general.plist";

class UIPasteboard : public NSObject {
    OBJC_CLASS(UIPasteboard, NSObject)
public:
    UIPasteboard() = default;
    static void registerMethods(objc::ClassBuilder<UIPasteboard>&);

    // The one general pasteboard of the process.
    static UIPasteboard* generalPasteboard();

    // The text on the pasteboard, or nil when it holds none.
    RefPtr<NSString> string() const;
    // Puts text on the pasteboard for every process (nil empties it);
    // false when the device's file cannot be written.
    bool setString(NSString* text);
    // Counts the changes made through setString: (any process).
    long changeCount() const;
};

} // namespace platform
