#pragma once
// Objects by text key, not changing.

#include "platform/foundation/NSArray.h"
#include "platform/foundation/NSString.h"

#include <map>
#include <string>

namespace platform {

// A dictionary keyed by text (the only keys the system's dictionaries use).
class NSDictionary : public NSObject {
    OBJC_CLASS(NSDictionary, NSObject)
public:
    NSDictionary() = default;
    explicit NSDictionary(std::map<std::string, Ref<Object>> entries) : m_entries(std::move(entries)) { }
    static Ref<NSDictionary> create(std::map<std::string, Ref<Object>> entries = {}) { return objc::make<NSDictionary>(std::move(entries)); }
    static void registerMethods(objc::ClassBuilder<NSDictionary>&);

    const std::map<std::string, Ref<Object>>& entries() const { return m_entries; }
    unsigned long count() const { return m_entries.size(); }
    RefPtr<Object> objectForKey(id key) const { return get(str(key)); }
    RefPtr<Object> get(const std::string& key) const;
    RefPtr<NSArray> allKeys() const;
    bool isEqual(id other) const;

protected:
    std::map<std::string, Ref<Object>> m_entries;
};

} // namespace platform
