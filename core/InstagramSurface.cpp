#include "core/InstagramSurface.h"
#include "platform/foundation/NSValues.h"
#include "platform/foundation/NSBundle.h"

#include <climits>
#include <map>
#include <mutex>
#include <string>

namespace igtarvo::instagram {

using objc::respondsTo;
using objc::send;

void presentCameraOnPhotoLibrary(id controller)
{
    if (respondsTo(controller, "presentCameraWithMetadata:openToLibrary:"))
        send<void(id, bool)>(controller, "presentCameraWithMetadata:openToLibrary:", nullptr, true);
    else if (respondsTo(controller, "presentCameraWithMetadata:openWithState:"))
        send<void(id, long)>(controller, "presentCameraWithMetadata:openWithState:", nullptr, 1);
}

namespace {
// Sends a message the receiver may not answer: nothing, zero or no then.
template<class R, class... A>
R ask(id receiver, const char* selector, A... args)
{
    if (!respondsTo(receiver, selector)) {
        if constexpr (std::is_void_v<R>) return;
        else return R {};
    }
    return send<R(A...)>(receiver, selector, args...);
}
}

RefPtr<Object> feedItem(id object) { return ask<RefPtr<Object>>(object, "feedItem"); }
RefPtr<Object> takenAt(id item) { return ask<RefPtr<Object>>(item, "takenAt"); }
long likeCount(id item) { return ask<long>(item, "likeCount"); }
RefPtr<Object> timestamp(id view) { return ask<RefPtr<Object>>(view, "timestamp"); }
bool answersCellType(id cell) { return respondsTo(cell, "cellType"); }
long cellType(id cell) { return ask<long>(cell, "cellType"); }
void setShowTimeStamp(id cell, bool shown) { ask<void>(cell, "setShowTimeStamp:", shown); }
RefPtr<Object> delegate(id cell) { return ask<RefPtr<Object>>(cell, "delegate"); }
RefPtr<Object> styledString(id view) { return ask<RefPtr<Object>>(view, "styledString"); }
void setStyledString(id view, id styled) { ask<void>(view, "setStyledString:", styled); }
RefPtr<Object> attributedString(id styled) { return ask<RefPtr<Object>>(styled, "attributedString"); }
void setAttributedString(id styled, id attributed) { ask<void>(styled, "setAttributedString:", attributed); }
void mf_setString(id attributed, id text) { ask<void>(attributed, "mf_setString:", text); }
long feedLayout(id controller) { return ask<long>(controller, "feedLayout"); }
void setFeedLayout(id controller, long layout) { ask<void>(controller, "setFeedLayout:", layout); }

RefPtr<Object> directThreadStore(Class storeClass)
{
    if (!storeClass)
        return nullptr;
    if (respondsTo(storeClass, "sharedThreadStore"))
        return ask<RefPtr<Object>>(storeClass, "sharedThreadStore");
    auto helper = ask<RefPtr<Object>>(objc::objc_getClass("IGAuthHelper"), "sharedAuthHelper");
    auto session = ask<RefPtr<Object>>(helper, "currentUserSession");
    return ask<RefPtr<Object>>(session, "directThreadStore");
}

void refreshInbox(id store) { ask<void>(store, "refreshInbox"); }

namespace {
// Instagram's classes, looked up once per process.
Class cachedClass(const char* name)
{
    static std::mutex lock;
    static std::map<std::string, Class> found;
    std::lock_guard guard(lock);
    auto it = found.find(name);
    if (it != found.end() && it->second)
        return it->second;
    Class cls = objc::objc_getClass(name);
    found[name] = cls;
    return cls;
}
RefPtr<Object> alertBar() { return ask<RefPtr<Object>>(cachedClass("IGAlertBar"), "sharedAlertBar"); }
}

void showAlertBar(const std::string& text, long style) { ask<void>(alertBar(), "showWithText:style:", static_cast<id>(platform::ns(text).get()), style); }
void setAlertBarHidesAutomatically(bool on) { ask<void>(alertBar(), "setHideAutomatically:", on); }
void setAlertBarText(const std::string& text)
{
    auto label = ask<RefPtr<Object>>(alertBar(), "textLabel");
    ask<void>(label, "setText:", static_cast<id>(platform::ns(text).get()));
}
void hideAlertBar() { ask<void>(alertBar(), "hide"); }

void showHUD(const std::string& text, id view)
{
    auto hud = ask<RefPtr<Object>>(cachedClass("IGAlertHUD"), "sharedHUD");
    ask<void>(hud, "showWithText:inView:removeAfterDelay:animated:", static_cast<id>(platform::ns(text).get()), view, true, true);
}

RefPtr<Object> videoURL(id video)
{
    long version = ask<long>(cachedClass("IGVideo"), "videoVersionForCurrentNetworkConditions");
    return ask<RefPtr<Object>>(video, "videoURLForVideoVersion:", version);
}

long bundleVersion()
{
    auto bundle = platform::NSBundle::mainBundle();
    return bundle ? platform::integerValueOf(bundle->objectForInfoDictionaryKey(platform::ns("CFBundleVersion")).get()) : 0;
}

RefPtr<Object> profileButton(id tabBarController)
{
    if (!respondsTo(tabBarController, "valueForKey:"))
        return nullptr;
    auto key = platform::ns("_profileButton");
    return send<RefPtr<Object>(id)>(tabBarController, "valueForKey:", key.get());
}

void suspendToBackground()
{
    Class applicationClass = objc::objc_getClass("UIApplication");
    if (!respondsTo(applicationClass, "sharedApplication"))
        return;
    auto application = send<RefPtr<Object>>(applicationClass, "sharedApplication");
    if (respondsTo(application, "suspendReturningToLastApp:"))
        send<void(bool)>(application, "suspendReturningToLastApp:", false);
}

} // namespace igtarvo::instagram
