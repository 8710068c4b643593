#include "hosts/instagram/IGSingleFeedViewController.h"

namespace hosts::instagram {

OBJC_CLASS_DEFINE(IGSingleFeedViewController)

objc::Ref<IGSingleFeedViewController> IGSingleFeedViewController::create()
{
    auto controller = objc::make<IGSingleFeedViewController>();
    objc::send<objc::RefPtr<platform::UIViewController>>(controller, "init");
    return controller;
}

} // namespace hosts::instagram
