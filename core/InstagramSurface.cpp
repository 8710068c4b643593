#include "core/InstagramSurface.h"
#include "core/HostMessages.h"
#include "platform/foundation/NSValues.h"
#include "platform/foundation/NSBundle.h"

#include <climits>
#include <string>

namespace igtarvo::instagram {

using objc::respondsTo;

void presentCameraOnPhotoLibrary(id controller)
{
    if (respondsTo(controller, "presentCameraWithMetadata:openToLibrary:"))
        ask<void>(controller, "presentCameraWithMetadata:openToLibrary:", id(nullptr), true);
    else
        ask<void>(controller, "presentCameraWithMetadata:openWithState:", id(nullptr), 1L);
}


RefPtr<Object> feedItem(id object) { return ask<RefPtr<Object>>(object, "feedItem"); }
RefPtr<Object> takenAt(id item) { return ask<RefPtr<Object>>(item, "takenAt"); }
long likeCount(id item) { return ask<long>(item, "likeCount"); }
RefPtr<Object> timestamp(id view) { return ask<RefPtr<Object>>(view, "timestamp"); }
RefPtr<Object> username(id user) { return ask<RefPtr<Object>>(user, "username"); }
RefPtr<Object> profilePicURL(id user) { return ask<RefPtr<Object>>(user, "profilePicURL"); }
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
    auto helper = ask<RefPtr<Object>>(hostClass("IGAuthHelper"), "sharedAuthHelper");
    auto session = ask<RefPtr<Object>>(helper, "currentUserSession");
    return ask<RefPtr<Object>>(session, "directThreadStore");
}

void refreshInbox(id store) { ask<void>(store, "refreshInbox"); }

namespace {
RefPtr<Object> alertBar() { return ask<RefPtr<Object>>(hostClass("IGAlertBar"), "sharedAlertBar"); }
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
    auto hud = ask<RefPtr<Object>>(hostClass("IGAlertHUD"), "sharedHUD");
    ask<void>(hud, "showWithText:inView:removeAfterDelay:animated:", static_cast<id>(platform::ns(text).get()), view, true, true);
}

RefPtr<Object> videoURL(id video)
{
    long version = ask<long>(hostClass("IGVideo"), "videoVersionForCurrentNetworkConditions");
    return ask<RefPtr<Object>>(video, "videoURLForVideoVersion:", version);
}

long bundleVersion()
{
    auto bundle = platform::NSBundle::mainBundle();
    return bundle ? platform::integerValueOf(bundle->objectForInfoDictionaryKey(platform::ns("CFBundleVersion")).get()) : 0;
}

RefPtr<Object> profileButton(id tabBarController)
{
    auto key = platform::ns("_profileButton");
    return ask<RefPtr<Object>>(tabBarController, "valueForKey:", static_cast<id>(key.get()));
}

void suspendToBackground()
{
    auto application = ask<RefPtr<Object>>(hostClass("UIApplication"), "sharedApplication");
    ask<void>(application, "suspendReturningToLastApp:", false);
}

} // namespace igtarvo::instagram
