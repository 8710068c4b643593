#include "hosts/instagram/IGMainFeedViewController.h"

namespace hosts::instagram {

OBJC_CLASS_DEFINE(IGMainFeedViewController)

void IGMainFeedViewController::registerMethods(objc::ClassBuilder<IGMainFeedViewController>& b)
{
    b.method<&IGMainFeedViewController::feedLayout>("feedLayout")
        .method<&IGMainFeedViewController::setFeedLayout>("setFeedLayout:")
        .method<&IGMainFeedViewController::showRefreshButton>("showRefreshButton")
        .method<&IGMainFeedViewController::setShowRefreshButton>("setShowRefreshButton:")
        .method<&IGMainFeedViewController::viewDidLoad>("viewDidLoad")
        .method<&IGMainFeedViewController::viewWillAppear>("viewWillAppear:");
}

Ref<IGMainFeedViewController> IGMainFeedViewController::create()
{
    auto controller = objc::make<IGMainFeedViewController>();
    objc::send<RefPtr<platform::UIViewController>>(controller, "init");
    return controller;
}

void IGMainFeedViewController::viewDidLoad()
{
    objc::send<void(bool)>(this, "setShowRefreshButton:", false);
}

bool IGMainFeedViewController::isRefreshButtonVisible()
{
    return objc::send<bool>(this, "showRefreshButton");
}

} // namespace hosts::instagram
