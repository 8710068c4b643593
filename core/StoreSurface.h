#pragma once
// The update service's surface (itunesstored): the messages the system sends
// to the store's update items.

#include "core/Hooking.h"

#include <optional>
#include <string>

namespace igtarvo::store {

// The application an update item is for ("" when it does not say).
std::string bundleIdentifier(id updateItem);
// The first offer of an update item, when it lists one.
struct FirstOffer {
    // Its "version"'s "display" text; nullopt when the offer does not say.
    std::optional<std::string> displayVersion;
};
// The item's first offer; nullopt when it lists no offer ("offers" missing
// or empty).
std::optional<FirstOffer> firstOffer(id updateItem);

} // namespace igtarvo::store
