#pragma once
// The view of one home-screen icon: the icon and, below it, its label, which
// _updateLabel draws again by asking the icon for its name the way this
// platform version does (displayNameForLocation: from iOS 9, displayName
// before).

#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIView.h"

namespace hosts::springboard {

using objc::Ref;
using objc::RefPtr;
using platform::CGRect;

class SBApplicationIcon;

class SBIconView : public platform::UIView {
    OBJC_CLASS(SBIconView, platform::UIView)
public:
    SBIconView();
    static void registerMethods(objc::ClassBuilder<SBIconView>&);
    static Ref<SBIconView> create(SBApplicationIcon* icon, CGRect frame);

    RefPtr<objc::Object> icon() const { return m_icon; }
    RefPtr<platform::UILabel> labelView() const { return m_label; }
    // Draws the label again from the icon's display name.
    void updateLabel();
    // How many times the label was drawn.
    int labelDrawCount() const { return m_labelDraws; }

private:
    RefPtr<objc::Object> m_icon;
    RefPtr<platform::UILabel> m_label;
    int m_labelDraws { 0 };
};

} // namespace hosts::springboard
