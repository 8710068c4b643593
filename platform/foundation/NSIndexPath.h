#pragma once
// A row's place in a table: its section and its row within the section.
// A value: equal index paths compare equal.

#include "platform/foundation/NSValues.h"

namespace platform {

class NSIndexPath : public NSObject {
    OBJC_CLASS(NSIndexPath, NSObject)
public:
    NSIndexPath() = default;
    NSIndexPath(long section, long row) : m_section(section), m_row(row) { }
    static void registerMethods(objc::ClassBuilder<NSIndexPath>&);

    static Ref<NSIndexPath> indexPathForRow(long row, long section) { return objc::make<NSIndexPath>(section, row); }
    // An item's place in a collection view (the same value as a row's).
    static Ref<NSIndexPath> indexPathForItem(long item, long section) { return objc::make<NSIndexPath>(section, item); }
    long section() const { return m_section; }
    long row() const { return m_row; }
    // The item of a collection: the row.
    long item() const { return m_row; }
    bool isEqual(id other) const;
    // -1, 0 or 1 by section, then row.
    long compare(NSIndexPath* other) const;
    RefPtr<NSString> description() const;

private:
    long m_section { 0 };
    long m_row { 0 };
};

} // namespace platform
