#pragma once
// Instagram's shared overlay: a short text in a dark rounded box, centred in
// a view, taken away again after a moment when asked. Main thread.

#include "platform/uikit/UILabel.h"

#include <chrono>

namespace hosts::instagram {

using objc::RefPtr;
using platform::NSString;
using platform::UILabel;
using platform::UIView;

class IGAlertHUD : public UIView {
    OBJC_CLASS(IGAlertHUD, UIView)
public:
    IGAlertHUD();
    static void registerMethods(objc::ClassBuilder<IGAlertHUD>&);
    static RefPtr<IGAlertHUD> sharedHUD();

    // Shows the text centred in view; with removeAfterDelay it goes again
    // after a moment.
    void showWithText(NSString* text, UIView* view, bool removeAfterDelay, bool animated);

    std::string text() const { return m_label->textString(); }
    bool isShown() const { return superview() != nullptr; }
    // Every text shown so far, oldest first (what a person would have seen).
    const std::vector<std::string>& shownTexts() const { return m_shown; }
    static std::chrono::milliseconds removalDelay();

private:
    objc::Ref<UILabel> m_label;
    unsigned m_generation { 0 };
    std::vector<std::string> m_shown;
};

} // namespace hosts::instagram
