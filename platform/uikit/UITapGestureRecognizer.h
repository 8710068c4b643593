#pragma once
// Recognises a tap: a finger lifted within 10 points of where it touched
// down. Discrete: it ends (sending its actions once) when the finger lifts.
// Main thread.

#include "platform/uikit/UIGestureRecognizer.h"

namespace platform {

class UITapGestureRecognizer : public UIGestureRecognizer {
    OBJC_CLASS(UITapGestureRecognizer, UIGestureRecognizer)
public:
    UITapGestureRecognizer();
    ~UITapGestureRecognizer() override;
    static void registerMethods(objc::ClassBuilder<UITapGestureRecognizer>&);
    static Ref<UITapGestureRecognizer> create(id target, const char* action);

    unsigned long numberOfTapsRequired() const { return 1; }

    void touchesBegan(NSArray* touches, UIEvent* event);
    void touchesMoved(NSArray* touches, UIEvent* event);
    void touchesEnded(NSArray* touches, UIEvent* event);

private:
    CGPoint m_start;
};

} // namespace platform
