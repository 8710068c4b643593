#pragma once
// One delivery of touches to a window: the touches that changed, and when.
// Main thread.

#include "platform/uikit/UITouch.h"

namespace platform {

// A set of touches delivered together.
class UIEvent : public NSObject {
    OBJC_CLASS(UIEvent, NSObject)
public:
    UIEvent() = default;
    static void registerMethods(objc::ClassBuilder<UIEvent>&);
    static Ref<UIEvent> create(std::vector<Ref<UITouch>> touches, double timestamp);

    RefPtr<NSArray> allTouches() const;
    const std::vector<Ref<UITouch>>& touches() const { return m_touches; }
    double timestamp() const { return m_timestamp; }
    // UIEventTypeTouches.
    long type() const { return 0; }

private:
    std::vector<Ref<UITouch>> m_touches;
    double m_timestamp { 0 };
};

} // namespace platform
