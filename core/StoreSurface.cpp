#include "core/StoreSurface.h"
#include "core/HostMessages.h"
#include "platform/foundation/NSValues.h"

namespace igtarvo::store {

using namespace platform;
using objc::object_isKindOfClass;

std::string bundleIdentifier(id updateItem)
{
    return str(ask<RefPtr<Object>>(updateItem, "bundleIdentifier"));
}

std::optional<FirstOffer> firstOffer(id updateItem)
{
    auto update = ask<RefPtr<Object>>(updateItem, "updateDictionary");
    if (!object_isKindOfClass(update, NSDictionary::staticClass()))
        return std::nullopt;
    auto offers = static_cast<NSDictionary*>(update.get())->get("offers");
    if (!object_isKindOfClass(offers, NSArray::staticClass()) || static_cast<NSArray*>(offers.get())->count() == 0)
        return std::nullopt;
    auto offer = static_cast<NSArray*>(offers.get())->firstObject();
    auto offerInfo = objc::dynamicCast<NSDictionary>(offer);
    auto version = offerInfo ? offerInfo->get("version") : nullptr;
    auto versionInfo = objc::dynamicCast<NSDictionary>(version);
    auto display = versionInfo ? versionInfo->get("display") : nullptr;
    FirstOffer first;
    if (isString(display))
        first.displayVersion = str(display);
    return first;
}

} // namespace igtarvo::store
