#include "switcher/IconLabel.h"
#include "accounts/TarvoManager.h"
#include "core/SpringBoardSurface.h"

namespace igtarvo {

namespace {

Previous<RefPtr<Object>(long)> g_SBApplicationIcon_displayNameForLocation;
Previous<RefPtr<Object>()> g_SBApplicationIcon_displayName;

namespace {

// The active account's name for the Instagram icon; nil for every other icon
// and when no account is active.
RefPtr<Object> accountLabel(id icon)
{
    auto manager = TarvoManager::sharedManager();
    auto active = manager->currentAccountName();
    if (!active || active->str().empty())
        return nullptr;
    if (springboard::iconApplicationBundleIdentifier(icon) != kInstagramBundleIdentifier)
        return nullptr;
    return manager->currentAccountName();
}

}

RefPtr<Object> SBApplicationIcon_displayNameForLocation(id self, SEL _cmd, long location)
{
    if (auto label = accountLabel(self))
        return label;
    return g_SBApplicationIcon_displayNameForLocation(self, _cmd, location);
}

RefPtr<Object> SBApplicationIcon_displayName(id self, SEL _cmd)
{
    if (auto label = accountLabel(self))
        return label;
    return g_SBApplicationIcon_displayName(self, _cmd);
}

} // namespace

HookRows iconLabelRows()
{
    return {
        replaced<g_SBApplicationIcon_displayNameForLocation, &SBApplicationIcon_displayNameForLocation>(
            kSpringBoardProcess, "SBApplicationIcon", "displayNameForLocation:"),
        replaced<g_SBApplicationIcon_displayName, &SBApplicationIcon_displayName>(kSpringBoardProcess, "SBApplicationIcon", "displayName"),
    };
}

} // namespace igtarvo
