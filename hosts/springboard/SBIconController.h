#pragma once
// The home screen: a grid of icon views, one per application, in the home
// screen window. Main thread.

#include "platform/uikit/UIViewController.h"

#include <vector>

namespace hosts::springboard {

class SBIconView;

class SBIconController : public platform::UIViewController {
    OBJC_CLASS(SBIconController, platform::UIViewController)
public:
    static void registerMethods(objc::ClassBuilder<SBIconController>&);
    static SBIconController* sharedInstance();

    void loadView();
    // The icon view of an application, or nil.
    objc::RefPtr<SBIconView> iconViewForBundleIdentifier(const std::string& bundleIdentifier);
    const std::vector<objc::Ref<SBIconView>>& iconViews() { view(); return m_iconViews; }

private:
    std::vector<objc::Ref<SBIconView>> m_iconViews;
};

} // namespace hosts::springboard
