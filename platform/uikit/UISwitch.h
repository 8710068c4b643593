#pragma once
// An on/off switch. Changing it in code sends no action; a person's flip
// (userToggle) changes it and sends its value-changed actions. Main thread.

#include "platform/uikit/UIControl.h"

namespace platform {

class UIColor;

class UISwitch : public UIControl {
    OBJC_CLASS(UISwitch, UIControl)
public:
    UISwitch();
    ~UISwitch() override;
    static void registerMethods(objc::ClassBuilder<UISwitch>&);
    // A switch of the platform's size (51 x 31 points), off.
    static Ref<UISwitch> create();

    bool isOn() const { return m_on; }
    void setOn(bool on) { m_on = on; setNeedsDisplay(); }
    void setOnAnimated(bool on, bool animated) { setOn(on); }
    // The colour of the track when on; nil for the platform's green.
    RefPtr<UIColor> onTintColor() const;
    void setOnTintColor(UIColor* color);

    // What a person does: flips the switch and sends its value-changed actions.
    void userToggle();
    // Draws the track and the knob.
    void drawRect(CGRect rect);

private:
    bool m_on { false };
    RefPtr<Object> m_onTintColor;
};

} // namespace platform
