#pragma once
// Instagram's application delegate. It opens what other apps hand to
// Instagram: a file address of an ".igo" picture opens the share screen with
// that picture, presented over the key window's screen; an "instagram:"
// address is taken without anything further. Answers whether it took the
// address. Main thread.

#include "platform/foundation/NSURL.h"
#include "platform/uikit/UIResponder.h"

namespace hosts::instagram {

using objc::id;
using objc::RefPtr;

class AppDelegate : public platform::UIResponder {
    OBJC_CLASS(AppDelegate, platform::UIResponder)
public:
    AppDelegate() = default;
    static void registerMethods(objc::ClassBuilder<AppDelegate>&);

    bool applicationOpenURL(id application, platform::NSURL* url, platform::NSString* sourceApplication, id annotation);
    // The share screen the last opened picture went to, or nil.
    RefPtr<objc::Object> lastShareController() const { return m_lastShare.lock(); }
    // Every address handed in, in order.
    const std::vector<std::string>& openedAddresses() const { return m_opened; }

private:
    objc::WeakPtr<objc::Object> m_lastShare;
    std::vector<std::string> m_opened;
};

} // namespace hosts::instagram
