#include "hosts/itunesstored/SoftwareUpdatesStore.h"

namespace hosts::itunesstored {

using namespace platform;

OBJC_CLASS_DEFINE(SoftwareUpdatesStore)

void SoftwareUpdatesStore::registerMethods(objc::ClassBuilder<SoftwareUpdatesStore>& b)
{
    b.method<&SoftwareUpdatesStore::mergeAvailableUpdates>("_mergeAvailableUpdates:withCompletionBlock:")
        .method<&SoftwareUpdatesStore::availableUpdates>("availableUpdates");
}

void SoftwareUpdatesStore::mergeAvailableUpdates(NSArray* updates, MergeCompletion completion)
{
    RefPtr<NSArray> merged;
    {
        std::lock_guard guard(m_lock);
        std::vector<objc::Ref<objc::Object>> items = m_available ? m_available->items() : std::vector<objc::Ref<objc::Object>> {};
        for (auto& update : updates ? updates->items() : std::vector<objc::Ref<objc::Object>> {}) {
            std::string identifier = str(objc::send<RefPtr<NSString>>(update, "bundleIdentifier"));
            std::erase_if(items, [&](auto& item) { return str(objc::send<RefPtr<NSString>>(item, "bundleIdentifier")) == identifier; });
            items.push_back(update);
        }
        m_available = NSArray::create(std::move(items));
        merged = m_available;
    }
    if (completion)
        completion(merged.get());
}

RefPtr<NSArray> SoftwareUpdatesStore::availableUpdates() const
{
    std::lock_guard guard(m_lock);
    return m_available ? m_available : NSArray::create();
}

} // namespace hosts::itunesstored
