#pragma once
// An ordered list of objects that does not change.

#include "platform/foundation/NSObject.h"

#include <vector>

namespace platform {

class NSArray : public NSObject {
    OBJC_CLASS(NSArray, NSObject)
public:
    NSArray() = default;
    explicit NSArray(std::vector<Ref<Object>> items) : m_items(std::move(items)) { }
    static Ref<NSArray> create(std::vector<Ref<Object>> items = {}) { return objc::make<NSArray>(std::move(items)); }
    static void registerMethods(objc::ClassBuilder<NSArray>&);

    const std::vector<Ref<Object>>& items() const { return m_items; }
    unsigned long count() const { return m_items.size(); }
    RefPtr<Object> objectAtIndex(unsigned long i) const { return i < m_items.size() ? RefPtr<Object>(m_items[i]) : nullptr; }
    RefPtr<Object> firstObject() const { return m_items.empty() ? nullptr : RefPtr<Object>(m_items.front()); }
    RefPtr<Object> lastObject() const { return m_items.empty() ? nullptr : RefPtr<Object>(m_items.back()); }
    bool isEqual(id other) const;

protected:
    std::vector<Ref<Object>> m_items;
};

} // namespace platform
