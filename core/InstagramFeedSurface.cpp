#include "core/InstagramFeedSurface.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/foundation/NSURL.h"
#include "platform/foundation/NSValues.h"

#include <map>
#include <mutex>

namespace igtarvo::instagram {

using objc::respondsTo;
using objc::send;
using namespace platform;

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

RefPtr<Object> valueForKey(id object, const char* key)
{
    if (!respondsTo(object, "valueForKey:"))
        return nullptr;
    auto name = ns(key);
    return send<RefPtr<Object>(id)>(object, "valueForKey:", name.get());
}
} // namespace

RefPtr<Object> sponsoredPostInfo(id item) { return ask<RefPtr<Object>>(item, "sponsoredPostInfo"); }
RefPtr<Object> caption(id item) { return ask<RefPtr<Object>>(item, "caption"); }
RefPtr<Object> captionText(id captionObject) { return ask<RefPtr<Object>>(captionObject, "text"); }
long mediaType(id item) { return ask<long>(item, "mediaType"); }
RefPtr<Object> user(id item) { return ask<RefPtr<Object>>(item, "user"); }
RefPtr<Object> video(id item) { return ask<RefPtr<Object>>(item, "video"); }

RefPtr<Object> lastImageVersionURL(id item)
{
    auto photo = ask<RefPtr<Object>>(item, "photo");
    auto versions = objc::dynamicCast<NSArray>(ask<RefPtr<Object>>(photo, "imageVersions"));
    if (!versions)
        return nullptr;
    auto last = objc::dynamicCast<NSDictionary>(versions->lastObject());
    auto url = last ? last->get("url") : nullptr;
    if (!isString(url.get()))
        return nullptr;
    return NSURL::URLWithString(static_cast<NSString*>(url.get()));
}

RefPtr<Object> moreButton(id cell) { return ask<RefPtr<Object>>(cell, "moreButton"); }
RefPtr<Object> navigationController(id cell) { return ask<RefPtr<Object>>(cell, "navigationController"); }

RefPtr<Object> photoURLInSameSection(id collectionView, id cell)
{
    auto indexPath = objc::dynamicCast<NSIndexPath>(ask<RefPtr<Object>>(collectionView, "indexPathForCell:", cell));
    if (!indexPath)
        return nullptr;
    auto first = NSIndexPath::indexPathForRow(0, indexPath->section());
    auto photoCell = ask<RefPtr<Object>>(collectionView, "cellForItemAtIndexPath:", static_cast<id>(first.get()));
    Class photoCellClass = cachedClass("IGFeedItemPhotoCell");
    if (!photoCellClass || !objc::object_isKindOfClass(photoCell, photoCellClass))
        return nullptr;
    return imageURL(ask<RefPtr<Object>>(photoCell, "photoView"));
}

RefPtr<Object> imageURL(id photoView) { return ask<RefPtr<Object>>(photoView, "imageURL"); }
RefPtr<Object> videoOfView(id videoView) { return valueForKey(videoView, "_video"); }

RefPtr<Object> currentUser()
{
    auto helper = ask<RefPtr<Object>>(cachedClass("IGAuthHelper"), "sharedAuthHelper");
    return ask<RefPtr<Object>>(helper, "currentUser");
}

bool isSameUser(id a, id b)
{
    if (!a || !b)
        return false;
    return ask<bool>(a, "isEqual:", b);
}

void setCaptionCellText(id cell, const std::string& text)
{
    auto value = ns(text);
    ask<void>(cell, "setText:", static_cast<id>(value.get()));
}

} // namespace igtarvo::instagram
