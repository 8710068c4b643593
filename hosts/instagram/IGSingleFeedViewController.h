#pragma once
// The screen of one post. Main thread.

#include "platform/uikit/UIViewController.h"

namespace hosts::instagram {

class IGSingleFeedViewController : public platform::UIViewController {
    OBJC_CLASS(IGSingleFeedViewController, platform::UIViewController)
public:
    IGSingleFeedViewController() = default;
    static void registerMethods(objc::ClassBuilder<IGSingleFeedViewController>&) { }
    static objc::Ref<IGSingleFeedViewController> create();
};

} // namespace hosts::instagram
