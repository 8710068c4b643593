#include "core/InstagramFeedSurface.h"
#include "core/HostMessages.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/foundation/NSURL.h"
#include "platform/foundation/NSValues.h"


namespace igtarvo::instagram {

using objc::respondsTo;
using namespace platform;

namespace {
RefPtr<Object> valueForKey(id object, const char* key)
{
    auto name = ns(key);
    return ask<RefPtr<Object>>(object, "valueForKey:", static_cast<id>(name.get()));
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
    Class photoCellClass = hostClass("IGFeedItemPhotoCell");
    if (!photoCellClass || !objc::object_isKindOfClass(photoCell, photoCellClass))
        return nullptr;
    return imageURL(ask<RefPtr<Object>>(photoCell, "photoView").get());
}

RefPtr<Object> imageURL(id photoView) { return ask<RefPtr<Object>>(photoView, "imageURL"); }
RefPtr<Object> videoOfView(id videoView) { return valueForKey(videoView, "_video"); }

RefPtr<Object> currentUser()
{
    auto helper = ask<RefPtr<Object>>(hostClass("IGAuthHelper"), "sharedAuthHelper");
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
