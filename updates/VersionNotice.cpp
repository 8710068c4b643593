#include "updates/VersionNotice.h"
#include "core/SpringBoardSurface.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSURL.h"
#include "platform/foundation/Preferences.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIWindow.h"

namespace igtarvo {

using namespace platform;
using namespace std::chrono_literals;

namespace {

constexpr const char* kDomain = "com.zr4.igtarvo";
constexpr const char* kInstagram = "com.burbn.instagram";

bool beforeIOS9() { return NSFoundationVersionNumber() < NSFoundationVersionNumber_iOS_9_0; }

RefPtr<UIWindow> systemWindow()
{
    auto window = springboard::systemWindow();
    return objc::dynamicCast<UIWindow>(window);
}

void setDidShow(bool shown)
{
    CFPreferencesSetValue(kDidShowNotSupportedKey, NSNumber::numberWithBool(shown).get(), kDomain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
    CFPreferencesAppSynchronize(kDomain);
}

// After an answer: a pause, then (before iOS 9) the temporary root goes.
void afterAnswer(std::function<void()> then)
{
    dispatch_after(100ms, dispatch_get_main_queue(), [then = std::move(then)] {
        if (beforeIOS9()) {
            if (auto window = systemWindow())
                window->setRootViewController(nullptr);
        }
        if (then)
            then();
    });
}

std::string makerPage()
{
    std::string base = Device::stringSetting(kSettingMakerPageURL, "http://igtarvo.example");
    // The page is always reached over plain HTTP at the maker's address.
    auto scheme = base.find("://");
    std::string host = scheme == std::string::npos ? base : base.substr(scheme + 3);
    host = host.substr(0, host.find('/'));
    return "http://" + host + "/more_info.html";
}

}

void showUnsupportedVersionNoticeIfNeeded(RefPtr<Object> answer)
{
    auto application = springboard::applicationWithBundleIdentifier(kInstagram);
    if (!application)
        return;
    // Both read as the platform reads a number or a text as an integer, so a
    // version of any length compares sanely (saturating, never overflowing).
    long installed = integerValueOf(springboard::bundleVersion(application.get()).get());
    long supported = 0;
    if (objc::object_isKindOfClass(answer, NSDictionary::staticClass()))
        supported = integerValueOf(static_cast<NSDictionary*>(answer.get())->get("igVersion").get());
    if (installed <= supported) {
        setDidShow(false);
        return;
    }
    if (boolValueOf(CFPreferencesCopyAppValue(kDidShowNotSupportedKey, kDomain).get()))
        return;

    std::string version = str(springboard::bundleInfoValue(application.get(), "CFBundleShortVersionString"));
    std::string message = "igTarvo does not officially support v" + version
        + " of Instagram that you are running and may not work properly. Click the \"More information\" button below for more details";
    auto alert = UIAlertController::create(kNoticeTitle, message, UIAlertControllerStyleAlert);
    auto window = systemWindow();
    if (!window)
        return;
    if (beforeIOS9())
        window->setRootViewController(UIViewController::create().get());
    alert->addAction(UIAlertAction::create("Okay", UIAlertActionStyleDefault, [](UIAlertAction*) { afterAnswer({}); }).get());
    alert->addAction(UIAlertAction::create("More Information", UIAlertActionStyleDefault, [](UIAlertAction*) {
        afterAnswer([] {
            if (auto url = NSURL::URLWithString(ns(makerPage()).get()))
                UIApplication::sharedApplication()->openURL(url.get());
        });
    }).get());
    if (auto root = window->rootViewController())
        root->presentViewController(alert.get(), true, [] { setDidShow(true); });
}

} // namespace igtarvo
