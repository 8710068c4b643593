// Associated objects: values kept for an object under a key, by one table
// guarded by its own lock, and released when the object goes away.

#include "platform/objc/Runtime.h"

#include <map>
#include <mutex>
#include <unordered_map>

namespace objc {

namespace {
struct Association {
    AssociationPolicy policy;
    RefPtr<Object> strong;
    id assigned;
};
struct AssociationTable {
    std::mutex lock;
    std::unordered_map<Object*, std::map<const void*, Association>> map;
};
AssociationTable& associations()
{
    static auto* t = new AssociationTable;
    return *t;
}
}

void markHasAssociations(Object* obj)
{
    obj->m_hasAssociations.store(true, std::memory_order_release);
}

void objc_setAssociatedObject(id object, const void* key, id value, AssociationPolicy policy)
{
    if (!object)
        return;
    Association removed;
    {
        auto& t = associations();
        std::lock_guard guard(t.lock);
        auto& entries = t.map[object];
        if (auto it = entries.find(key); it != entries.end()) {
            removed = std::move(it->second);
            entries.erase(it);
        }
        if (value) {
            Association a { policy, nullptr, nullptr };
            if (policy == AssociationPolicy::Assign)
                a.assigned = value;
            else
                a.strong = value;
            entries.emplace(key, std::move(a));
            markHasAssociations(object);
        }
        if (entries.empty())
            t.map.erase(object);
    }
    // `removed` is released here, outside the lock: its destructor may touch
    // associations of its own.
}

RefPtr<Object> objc_getAssociatedObject(id object, const void* key)
{
    if (!object)
        return nullptr;
    auto& t = associations();
    std::lock_guard guard(t.lock);
    auto it = t.map.find(object);
    if (it == t.map.end())
        return nullptr;
    auto entry = it->second.find(key);
    if (entry == it->second.end())
        return nullptr;
    return entry->second.strong ? entry->second.strong : RefPtr<Object>(entry->second.assigned);
}

void objc_removeAssociatedObjects(id object)
{
    if (!object)
        return;
    std::map<const void*, Association> removed;
    {
        auto& t = associations();
        std::lock_guard guard(t.lock);
        auto it = t.map.find(object);
        if (it == t.map.end())
            return;
        removed = std::move(it->second);
        t.map.erase(it);
    }
}

} // namespace objc
