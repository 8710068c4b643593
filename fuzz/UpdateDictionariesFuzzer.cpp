// The store's update dictionaries: a list of offered updates of any shape
// (JSON; each object is one update, its "bundleIdentifier" naming the
// application and the object itself serving as the store's description of
// the update) merges into the store's list without a crash, one entry per
// application, and the version the update filter reads from each entry's
// first offer is well defined whatever the description holds.

#include "core/StoreSurface.h"
#include "fuzz/FuzzCheck.h"
#include "hosts/itunesstored/SoftwareUpdateItem.h"
#include "hosts/itunesstored/SoftwareUpdatesStore.h"
#include "hosts/itunesstored/StoreClasses.h"
#include "platform/foundation/NSJSONSerialization.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

using namespace platform;
using hosts::itunesstored::SoftwareUpdateItem;
using hosts::itunesstored::SoftwareUpdatesStore;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool registered = (hosts::itunesstored::registerStoreClasses(), true);
    (void)registered;
    auto offered = NSJSONSerialization::JSONObjectWithData(std::vector<uint8_t>(data, data + size));
    if (!objc::object_isKindOfClass(offered, NSArray::staticClass()))
        return 0;
    std::vector<Ref<Object>> items;
    for (auto& entry : static_cast<NSArray*>(offered.get())->items()) {
        if (!objc::object_isKindOfClass(entry, NSDictionary::staticClass()))
            continue;
        auto* description = static_cast<NSDictionary*>(entry.get());
        items.push_back(objc::make<SoftwareUpdateItem>(ns(str(description->get("bundleIdentifier"))), RefPtr<NSDictionary>(description)));
    }
    auto store = objc::make<SoftwareUpdatesStore>();
    store->mergeAvailableUpdates(NSArray::create(std::move(items)).get(), nullptr);
    std::set<std::string> applications;
    for (auto& item : store->availableUpdates()->items()) {
        std::string application = igtarvo::store::bundleIdentifier(item.get());
        FUZZ_CHECK(applications.insert(application).second);
        if (auto offer = igtarvo::store::firstOffer(item.get()); offer && offer->displayVersion)
            (void)offer->displayVersion->size();
    }
    return 0;
}
