#include "hosts/springboard/SBUIController.h"
#include "hosts/springboard/SBIconController.h"
#include "platform/foundation/Device.h"

namespace hosts::springboard {

using namespace platform;

OBJC_CLASS_DEFINE(SBUIController)

void SBUIController::registerMethods(objc::ClassBuilder<SBUIController>& b)
{
    b.classMethod<&SBUIController::sharedInstance>("sharedInstance").method<&SBUIController::window>("window");
}

SBUIController* SBUIController::sharedInstance()
{
    static SBUIController* controller = objc::make<SBUIController>().leak();
    return controller;
}

void SBUIController::setUpWindows()
{
    if (m_homeWindow)
        return;
    m_homeWindow = UIWindow::create();
    m_homeWindow->setRootViewController(SBIconController::sharedInstance());
    m_homeWindow->makeKeyAndVisible();
    if (NSFoundationVersionNumber() >= NSFoundationVersionNumber_iOS_9_0) {
        m_window = m_homeWindow;
    } else {
        m_window = UIWindow::create();
        m_window->setHidden(false);
    }
}

} // namespace hosts::springboard
