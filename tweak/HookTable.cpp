#include "tweak/HookTable.h"
#include "core/Notifications.h"
#include "feed/display/LikeCountHook.h"
#include "feed/display/LinkHooks.h"
#include "feed/display/MainFeedHooks.h"
#include "feed/display/TimestampHooks.h"
#include "switcher/IconLabel.h"
#include "switcher/ProfileLongPress.h"
#include "switcher/UnlockAnnouncement.h"
#include "updates/UpdateFilter.h"

namespace igtarvo {

const std::vector<HookRow>& hookTable()
{
    static const std::vector<HookRow> table = {
        // Instagram
        replaced<g_IGTabBarController_initializeViewControllers, &IGTabBarController_initializeViewControllers>(
            kInstagramProcess, "IGTabBarController", "initializeViewControllersWithMainFeedSource:"),
        added<&IGTabBarController_tarvo_handleLongPress>(kInstagramProcess, "IGTabBarController", "tarvo_handleLongPress:", "v@:@"),
        replaced<g_IGMainAppViewController_initWithMainFeedSource, &IGMainAppViewController_initWithMainFeedSource>(
            kInstagramProcess, "IGMainAppViewController", "initWithMainFeedSource:"),
        // Instagram: feed display
        replaced<g_IGCoreTextView_setFrame, &IGCoreTextView_setFrame>(kInstagramProcess, "IGCoreTextView", "setFrame:"),
        replaced<g_IGFeedItemHeader_timestampLabel, &IGFeedItemHeader_timestampLabel>(kInstagramProcess, "IGFeedItemHeader", "timestampLabel"),
        replaced<g_IGFeedItemHeader_timestampButton, &IGFeedItemHeader_timestampButton>(kInstagramProcess, "IGFeedItemHeader", "timestampButton"),
        replaced<g_IGTimeStampHeaderView_timestampLabel, &IGTimeStampHeaderView_timestampLabel>(kInstagramProcess, "IGTimeStampHeaderView", "timestampLabel"),
        replaced<g_IGFeedItemTextCell_styledStringForLikes, &IGFeedItemTextCell_styledStringForLikes>(
            kInstagramProcess, "IGFeedItemTextCell", "styledStringForLikesWithFeedItem:"),
        replaced<g_IGFeedItemTextCell_timeStampLabel, &IGFeedItemTextCell_timeStampLabel>(kInstagramProcess, "IGFeedItemTextCell", "timeStampLabel"),
        replaced<g_IGFeedItemTextCell_coreTextViewDidTapOnString, &IGFeedItemTextCell_coreTextViewDidTapOnString>(
            kInstagramProcess, "IGFeedItemTextCell", "coreTextView:didTapOnString:URL:"),
        replacedWithoutFallback<g_IGMainFeedViewController_showRefreshButton, &IGMainFeedViewController_showRefreshButton>(
            kInstagramProcess, "IGMainFeedViewController", "showRefreshButton"),
        replaced<g_IGMainFeedViewController_setShowRefreshButton, &IGMainFeedViewController_setShowRefreshButton>(
            kInstagramProcess, "IGMainFeedViewController", "setShowRefreshButton:"),
        replaced<g_IGMainFeedViewController_viewWillAppear, &IGMainFeedViewController_viewWillAppear>(
            kInstagramProcess, "IGMainFeedViewController", "viewWillAppear:"),
        replaced<g_IGMainFeedViewController_viewDidLoad, &IGMainFeedViewController_viewDidLoad>(
            kInstagramProcess, "IGMainFeedViewController", "viewDidLoad"),
        replaced<g_IGMainFeedViewController_navigationItem, &IGMainFeedViewController_navigationItem>(
            kInstagramProcess, "IGMainFeedViewController", "navigationItem"),
        added<&IGMainFeedViewController_tarvo_changeLayout>(kInstagramProcess, "IGMainFeedViewController", "tarvo_changeLayout:", "v@:@"),
        // SpringBoard
        replaced<g_SBLockScreenViewController_finishUIUnlockFromSource, &SBLockScreenViewController_finishUIUnlockFromSource>(
            kSpringBoardProcess, "SBLockScreenViewController", "finishUIUnlockFromSource:"),
        replaced<g_SBApplicationIcon_displayNameForLocation, &SBApplicationIcon_displayNameForLocation>(
            kSpringBoardProcess, "SBApplicationIcon", "displayNameForLocation:"),
        replaced<g_SBApplicationIcon_displayName, &SBApplicationIcon_displayName>(kSpringBoardProcess, "SBApplicationIcon", "displayName"),
        // itunesstored
        replaced<g_SoftwareUpdatesStore_mergeAvailableUpdates, &SoftwareUpdatesStore_mergeAvailableUpdates>(
            kStoreProcess, "SoftwareUpdatesStore", "_mergeAvailableUpdates:withCompletionBlock:"),
    };
    return table;
}

std::vector<HookRow> hookRowsForProcess(const std::string& processName)
{
    std::vector<HookRow> rows;
    for (const HookRow& row : hookTable()) {
        if (processName == row.process)
            rows.push_back(row);
    }
    return rows;
}

} // namespace igtarvo
