#pragma once
// An ordered list of objects that grows and shrinks.

#include "platform/foundation/NSArray.h"

namespace platform {

class NSMutableArray : public NSArray {
    OBJC_CLASS(NSMutableArray, NSArray)
public:
    NSMutableArray() = default;
    explicit NSMutableArray(std::vector<Ref<Object>> items) : NSArray(std::move(items)) { }
    static Ref<NSMutableArray> create(std::vector<Ref<Object>> items = {}) { return objc::make<NSMutableArray>(std::move(items)); }
    static void registerMethods(objc::ClassBuilder<NSMutableArray>&);

    void addObject(id object) { if (object) m_items.emplace_back(*object); }
    void insertObject(id object, unsigned long index);
    void removeObjectAtIndex(unsigned long index);
    void replaceObjectAtIndex(unsigned long index, id object);
    // Removes every element equal (isEqual:) to object.
    void removeObject(id object);
    void removeAllObjects() { m_items.clear(); }
};

} // namespace platform
