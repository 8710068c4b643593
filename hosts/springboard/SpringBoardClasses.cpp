#include "hosts/springboard/SpringBoardClasses.h"
#include "hosts/springboard/BackBoardServices.h"
#include "hosts/springboard/FBApplicationProcess.h"
#include "hosts/springboard/SBApplication.h"
#include "hosts/springboard/SBApplicationController.h"
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
