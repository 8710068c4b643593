#include "hosts/instagram/IGUserDetailViewController.h"

namespace hosts::instagram {

OBJC_CLASS_DEFINE(IGUserDetailViewController)

objc::Ref<IGUserDetailViewController> IGUserDetailViewController::create()
{
    auto controller = objc::make<IGUserDetailViewController>();
    objc::send<objc::RefPtr<platform::UIViewController>>(controller, "init");
    return controller;
}

} // namespace hosts::instagram
