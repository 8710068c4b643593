#include "updates/UpdateFilter.h"
#include "settings/TarvoSettings.h"
#include "core/StoreSurface.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/NSValues.h"
#include "updates/VersionQuery.h"

namespace igtarvo {

using namespace platform;

namespace {

Previous<void(id, StoreMergeCompletion)> g_SoftwareUpdatesStore_mergeAvailableUpdates;

namespace {

constexpr const char* kInstagramApp = "com.burbn.instagram";

// Asks the service and waits on this thread for "igVersionReadable";
// nullopt when the answer lacks it (or it is no text), when there is no
// answer, or when none came within the query's time-out and its delivery
// margin: the store's thread is never held for longer.
std::optional<std::string> supportedDisplayVersion()
{
    struct Shared {
        std::mutex lock;
        std::optional<std::string> display;
    };
    auto shared = std::make_shared<Shared>();
    auto answered = DispatchSemaphore::create(0);
    querySupportedVersion([shared, answered](RefPtr<Object> answer) {
        if (objc::object_isKindOfClass(answer, NSDictionary::staticClass())) {
            auto readable = static_cast<NSDictionary*>(answer.get())->get("igVersionReadable");
            if (isString(readable)) {
                std::lock_guard guard(shared->lock);
                shared->display = str(readable);
            }
        }
        answered->signal();
    });
    if (answered->wait(versionQueryTimeout() + kVersionQueryDeliveryMargin) != 0)
        return std::nullopt;
    std::lock_guard guard(shared->lock);
    return shared->display;
}

// An offer stays only when both sides name a version and they are the same
// text: a missing supported version matches no offer, and a missing offered
// version matches no supported one.
bool offersSupportedVersion(const store::FirstOffer& offer, const std::optional<std::string>& supported)
{
    return supported && offer.displayVersion && *offer.displayVersion == *supported;
}

} // namespace

void SoftwareUpdatesStore_mergeAvailableUpdates(id self, SEL _cmd, id updates, StoreMergeCompletion completion)
{
    if (!TarvoSettings::boolForKey(kBlockUnsupportedUpdatesSetting, true)) {
        // The person lets every update through.
        g_SoftwareUpdatesStore_mergeAvailableUpdates(self, _cmd, updates, std::move(completion));
        return;
    }
    auto filtered = NSMutableArray::create();
    if (objc::object_isKindOfClass(updates, NSArray::staticClass()))
        filtered = NSMutableArray::create(static_cast<NSArray*>(updates)->items());
    const std::vector<Ref<Object>> fixedCopy = filtered->items();
    for (const auto& item : fixedCopy) {
        if (store::bundleIdentifier(item.get()) != kInstagramApp)
            continue;
        std::optional<std::string> supported = supportedDisplayVersion();
        std::optional<store::FirstOffer> offer = store::firstOffer(item.get());
        if (offer && !offersSupportedVersion(*offer, supported)) {
            std::vector<Ref<Object>> kept;
            for (auto& other : filtered->items()) {
                if (other.get() != item.get())
                    kept.push_back(other);
            }
            filtered = NSMutableArray::create(std::move(kept));
        }
    }
    auto unchangeable = NSArray::create(filtered->items());
    g_SoftwareUpdatesStore_mergeAvailableUpdates(self, _cmd, unchangeable.get(), std::move(completion));
}

} // namespace

HookRows updateFilterRows()
{
    return {
        replaced<g_SoftwareUpdatesStore_mergeAvailableUpdates, &SoftwareUpdatesStore_mergeAvailableUpdates>(
            kStoreProcess, "SoftwareUpdatesStore", "_mergeAvailableUpdates:withCompletionBlock:"),
    };
}

} // namespace igtarvo
