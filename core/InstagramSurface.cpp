#include "core/InstagramSurface.h"
#include "platform/foundation/NSValues.h"
#include "platform/foundation/NSBundle.h"

#include <climits>

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
    auto helper = ask<RefPtr<Object>>(objc::objc_getClass("IGAuthHelper"), "sharedAuthHelper");
    auto session = ask<RefPtr<Object>>(helper, "currentUserSession");
    return ask<RefPtr<Object>>(session, "directThreadStore");
}

void refreshInbox(id store) { ask<void>(store, "refreshInbox"); }

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
