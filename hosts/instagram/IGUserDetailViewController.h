#pragma once
// A user's profile screen. Main thread.

#include "platform/uikit/UIViewController.h"

namespace hosts::instagram {

class IGUserDetailViewController : public platform::UIViewController {
    OBJC_CLASS(IGUserDetailViewController, platform::UIViewController)
public:
    IGUserDetailViewController() = default;
    static void registerMethods(objc::ClassBuilder<IGUserDetailViewController>&) { }
    static objc::Ref<IGUserDetailViewController> create();
};

} // namespace hosts::instagram
