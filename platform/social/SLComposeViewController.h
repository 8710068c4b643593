#pragma once
// The system's composer for a social service's post: available only when the
// device has an account for the service (device settings "TwitterAccount",
// "FacebookAccount"). It holds the text, pictures and links of the post; the
// person sends or cancels it (userFinish), and the completion runs with the
// result. Main thread.

#include "platform/uikit/UIViewController.h"

#include <functional>

namespace platform {

class NSURL;
class UIImage;

inline constexpr const char* SLServiceTypeTwitter = "com.apple.social.twitter";
inline constexpr const char* SLServiceTypeFacebook = "com.apple.social.facebook";

enum SLComposeViewControllerResult : long {
    SLComposeViewControllerResultCancelled = 0,
    SLComposeViewControllerResultDone = 1,
};

class SLComposeViewController : public UIViewController {
    OBJC_CLASS(SLComposeViewController, UIViewController)
public:
    using CompletionHandler = std::function<void(long result)>;
    static void registerMethods(objc::ClassBuilder<SLComposeViewController>&);

    static bool isAvailableForServiceType(NSString* serviceType);
    // A composer for the service; nil when the service is unknown.
    static RefPtr<SLComposeViewController> composeViewControllerForServiceType(NSString* serviceType);

    RefPtr<NSString> serviceType() const { return m_serviceType; }
    RefPtr<NSString> initialText() const { return m_text; }
    bool setInitialText(NSString* text);
    bool addImage(UIImage* image);
    bool addURL(NSURL* url);
    const std::vector<Ref<Object>>& images() const { return m_images; }
    const std::vector<Ref<Object>>& urls() const { return m_urls; }
    void setCompletionHandler(CompletionHandler handler) { m_completion = std::move(handler); }
    // What the person does: sends (done) or cancels the post.
    void userFinish(long result);

private:
    RefPtr<NSString> m_serviceType;
    RefPtr<NSString> m_text;
    std::vector<Ref<Object>> m_images;
    std::vector<Ref<Object>> m_urls;
    CompletionHandler m_completion;
};

} // namespace platform
