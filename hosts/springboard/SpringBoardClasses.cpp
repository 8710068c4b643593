#include "hosts/springboard/SpringBoardClasses.h"
#include "hosts/springboard/BackBoardServices.h"
#include "hosts/springboard/FBApplicationProcess.h"
#include "hosts/springboard/SBApplication.h"
#include "hosts/springboard/SBApplicationController.h"
#include "hosts/springboard/FBSystemGestureManager.h"
#include "hosts/springboard/SBApplicationIcon.h"
#include "hosts/springboard/SBIconController.h"
#include "hosts/springboard/SBIconView.h"
#include "hosts/springboard/SBLockScreenViewController.h"
#include "hosts/springboard/SBUIController.h"
#include "hosts/springboard/SpringBoardApplication.h"
#include "hosts/springboard/activator/LAActivator.h"
#include "hosts/springboard/shortcutitems/LSIManager.h"
#include "platform/foundation/Device.h"

#include <filesystem>

namespace hosts::springboard {

void registerSpringBoardClasses()
{
    SBApplicationController::staticClass();
    SBApplication::staticClass();
    FBApplicationProcess::staticClass();
    registerBackBoardServicesFunctions();
    SpringBoardApplication::staticClass();
    SBUIController::staticClass();
    SBIconController::staticClass();
    SBIconView::staticClass();
    SBApplicationIcon::staticClass();
    SBLockScreenViewController::staticClass();
    FBSystemGestureManager::staticClass();
    FBSDisplay::staticClass();
    registerFrontBoardScreenAddition();

    // Optional components, present as the device has them.
    if (platform::Device::boolSetting(platform::kSettingActivatorInstalled, false)) {
        LAActivator::staticClass();
        LAEvent::staticClass();
    }
    if (std::filesystem::exists(platform::Device::path(kShortcutItemsLibrary))) {
        LSIManager::staticClass();
        LSIApplicationShortcutItem::staticClass();
        LSICallback::staticClass();
    }
}

} // namespace hosts::springboard
