#pragma once
// A view that sends action messages to targets when control events happen
// (a tap, a value change). Targets are held weakly; a pair with a nil target
// sends its action along the responder chain. Actions are sent through the
// runtime by UIApplication's sendAction:to:from:forEvent:. Main thread.

#include "platform/uikit/UIView.h"

namespace platform {

enum UIControlEvents : unsigned long {
    UIControlEventTouchDown = 1 << 0,
    UIControlEventTouchDownRepeat = 1 << 1,
    UIControlEventTouchDragInside = 1 << 2,
    UIControlEventTouchDragOutside = 1 << 3,
    UIControlEventTouchDragEnter = 1 << 4,
    UIControlEventTouchDragExit = 1 << 5,
    UIControlEventTouchUpInside = 1 << 6,
    UIControlEventTouchUpOutside = 1 << 7,
    UIControlEventTouchCancel = 1 << 8,
    UIControlEventValueChanged = 1 << 12,
    UIControlEventPrimaryActionTriggered = 1 << 13,
    UIControlEventEditingDidBegin = 1 << 16,
    UIControlEventEditingChanged = 1 << 17,
    UIControlEventEditingDidEnd = 1 << 18,
    UIControlEventEditingDidEndOnExit = 1 << 19,
    UIControlEventAllTouchEvents = 0x00000FFF,
    UIControlEventAllEditingEvents = 0x000F0000,
    UIControlEventAllEvents = 0xFFFFFFFF,
};

enum UIControlState : unsigned long {
    UIControlStateNormal = 0,
    UIControlStateHighlighted = 1 << 0,
    UIControlStateDisabled = 1 << 1,
    UIControlStateSelected = 1 << 2,
};

class UIControl : public UIView {
    OBJC_CLASS(UIControl, UIView)
public:
    UIControl();
    ~UIControl() override;
    static void registerMethods(objc::ClassBuilder<UIControl>&);

    // Adds a target/action pair for the events (a pair added twice is kept once,
    // its events joined).
    void addTarget(id target, objc::SEL action, unsigned long events);
    // Removes the action (nullptr: every action) of the target (nil: every target) for the events.
    void removeTarget(id target, objc::SEL action, unsigned long events);
    // Sends the actions registered for any of the events, in the order added.
    void sendActionsForControlEvents(unsigned long events);
    // Sends one action through the application.
    void sendAction(objc::SEL action, id target, id event);
    // The live targets (nil-target pairs not included).
    RefPtr<NSArray> allTargets() const;
    // The selector names registered for the target and event.
    std::vector<std::string> actionsForTarget(id target, unsigned long event) const;
    unsigned long allControlEvents() const;

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool on);
    bool isSelected() const { return m_selected; }
    void setSelected(bool on);
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool on);
    // The combined state bits.
    unsigned long state() const;
    // Called when enabled, selected or highlighted change (subclasses refresh their look).
    void stateDidChange() { }

private:
    struct Pair {
        objc::WeakPtr<Object> target;
        bool nilTarget;
        objc::SEL action;
        unsigned long events;
    };
    std::vector<Pair> m_pairs;
    bool m_enabled { true };
    bool m_selected { false };
    bool m_highlighted { false };
};

} // namespace platform
