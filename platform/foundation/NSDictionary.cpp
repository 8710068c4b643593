#include "platform/foundation/NSDictionary.h"

namespace platform {

OBJC_CLASS_LOAD(NSDictionary)

RefPtr<Object> NSDictionary::get(const std::string& key) const
{
    auto it = m_entries.find(key);
    return it == m_entries.end() ? nullptr : RefPtr<Object>(it->second);
}

RefPtr<NSArray> NSDictionary::allKeys() const
{
    std::vector<Ref<Object>> keys;
    for (auto& [key, value] : m_entries)
        keys.push_back(ns(key));
    return NSArray::create(std::move(keys));
}

bool NSDictionary::isEqual(id other) const
{
    if (!objc::object_isKindOfClass(other, NSDictionary::staticClass()))
        return false;
    auto& theirs = static_cast<NSDictionary*>(other)->m_entries;
    return std::equal(m_entries.begin(), m_entries.end(), theirs.begin(), theirs.end(),
        [](auto& a, auto& b) { return a.first == b.first && platform::isEqual(a.second.get(), b.second.get()); });
}

void NSDictionary::registerMethods(objc::ClassBuilder<NSDictionary>& b)
{
    b.method<&NSDictionary::count>("count")
        .method<&NSDictionary::objectForKey>("objectForKey:")
        .method<&NSDictionary::allKeys>("allKeys")
        .method<&NSDictionary::isEqual>("isEqual:");
}

} // namespace platform
