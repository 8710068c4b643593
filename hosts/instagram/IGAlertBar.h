#pragma once
// Instagram's status banner: one shared bar at the top of the key window
// with a replaceable text. It hides by itself a moment after it is shown
// unless told not to. Main thread.

#include "platform/uikit/UILabel.h"

#include <chrono>

namespace hosts::instagram {

using objc::Ref;
using objc::RefPtr;
using platform::NSString;
using platform::UILabel;
using platform::UIView;

class IGAlertBar : public UIView {
    OBJC_CLASS(IGAlertBar, UIView)
public:
    IGAlertBar();
    static void registerMethods(objc::ClassBuilder<IGAlertBar>&);
    static RefPtr<IGAlertBar> sharedAlertBar();

    // Shows the bar with a text in a style (0 plain, 1 progress, 2 error).
    void showWithText(NSString* text, long style);
    // Whether the bar hides by itself (yes by default); turning it on while
    // the bar shows starts the wait.
    void setHideAutomatically(bool on);
    bool hideAutomatically() const { return m_hideAutomatically; }
    RefPtr<UILabel> textLabel() const { return m_label; }
    void hide();

    bool isShown() const { return superview() != nullptr; }
    long style() const { return m_style; }
    std::string text() const { return m_label->textString(); }
    // How long the bar stays when it hides by itself.
    static std::chrono::milliseconds automaticHideDelay();

private:
    void scheduleHide();
    Ref<UILabel> m_label;
    long m_style { 0 };
    bool m_hideAutomatically { true };
    unsigned m_generation { 0 };
};

} // namespace hosts::instagram
