#include "updates/UpdateFilter.h"
#include "core/StoreSurface.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/NSValues.h"
#include "updates/VersionQuery.h"

namespace igtarvo {

using namespace platform;

Previous<void(id, StoreMergeCompletion)> g_SoftwareUpdatesStore_mergeAvailableUpdates;

namespace {

constexpr const char* kInstagramApp = "com.burbn.instagram";

// Asks the service and waits on this thread; "" when there is no answer
// within the query's time-out (or it lacks "igVersionReadable").
std::string supportedDisplayVersion()
{
    struct Shared {
        std::mutex lock;
        std::string display;
    };
    auto shared = std::make_shared<Shared>();
    auto answered = DispatchSemaphore::create(0);
    querySupportedVersion([shared, answered](RefPtr<Object> answer) {
        if (objc::object_isKindOfClass(answer, NSDictionary::staticClass())) {
            std::lock_guard guard(shared->lock);
            shared->display = str(static_cast<NSDictionary*>(answer.get())->get("igVersionReadable"));
        }
        answered->signal();
    });
    // The query gives up by itself after its time-out; the extra second only
    // covers its delivery, so the store's thread is never held for longer.
    if (answered->wait(kVersionQueryTimeout + std::chrono::seconds(1)) != 0)
        return {};
    std::lock_guard guard(shared->lock);
    return shared->display;
}

} // namespace

void SoftwareUpdatesStore_mergeAvailableUpdates(id self, SEL _cmd, id updates, StoreMergeCompletion completion)
{
    auto filtered = NSMutableArray::create();
    if (objc::object_isKindOfClass(updates, NSArray::staticClass()))
        filtered = NSMutableArray::create(static_cast<NSArray*>(updates)->items());
    const std::vector<Ref<Object>> fixedCopy = filtered->items();
    for (const auto& item : fixedCopy) {
        if (store::bundleIdentifier(item.get()) != kInstagramApp)
            continue;
        std::string supported = supportedDisplayVersion();
        std::optional<std::string> offered = store::firstOfferDisplayVersion(item.get());
        if (offered && *offered != supported) {
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

} // namespace igtarvo
