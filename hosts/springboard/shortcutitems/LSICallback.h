#pragma once
// A block the shortcut-item library runs when the user chooses an item.

#include "platform/foundation/NSValues.h"

#include <functional>

namespace hosts::springboard {

using objc::id;
using objc::RefPtr;

using ShortcutBlock = std::function<void(id item)>;

class LSICallback : public objc::Object {
    OBJC_CLASS(LSICallback, objc::Object)
public:
    LSICallback() = default;
    explicit LSICallback(ShortcutBlock block) : m_block(std::move(block)) { }
    static void registerMethods(objc::ClassBuilder<LSICallback>&);
    static RefPtr<LSICallback> callbackWithBlock(ShortcutBlock block) { return objc::make<LSICallback>(std::move(block)); }
    // Runs the block with the chosen item.
    void invoke(id item) const { if (m_block) m_block(item); }

private:
    ShortcutBlock m_block;
};

} // namespace hosts::springboard
