#pragma once
// Objects by text key, changing.

#include "platform/foundation/NSDictionary.h"

namespace platform {

class NSMutableDictionary : public NSDictionary {
    OBJC_CLASS(NSMutableDictionary, NSDictionary)
public:
    NSMutableDictionary() = default;
    explicit NSMutableDictionary(std::map<std::string, Ref<Object>> entries) : NSDictionary(std::move(entries)) { }
    static Ref<NSMutableDictionary> create(std::map<std::string, Ref<Object>> entries = {}) { return objc::make<NSMutableDictionary>(std::move(entries)); }
    static void registerMethods(objc::ClassBuilder<NSMutableDictionary>&);

    void setObjectForKey(id object, id key) { set(str(key), object); }
    void set(const std::string& key, id object);
    void removeObjectForKey(id key) { m_entries.erase(str(key)); }
    void remove(const std::string& key) { m_entries.erase(key); }
};

} // namespace platform
