#include "tweak/HookTable.h"

#include "core/Notifications.h"
#include "feed/actions/FeedItemActionsHooks.h"
#include "feed/actions/LongPressSaveHooks.h"
#include "feed/actions/RepostHandOffHooks.h"
#include "feed/display/LikeCountHook.h"
#include "feed/display/LinkHooks.h"
#include "feed/display/MainFeedHooks.h"
#include "feed/display/TimestampHooks.h"
#include "switcher/IconLabel.h"
#include "switcher/ProfileLongPress.h"
#include "switcher/UnlockAnnouncement.h"
#include "updates/UpdateFilter.h"

#include <initializer_list>

namespace igtarvo {

namespace {

std::vector<HookRow> join(std::initializer_list<HookRows> groups)
{
    std::vector<HookRow> rows;
    for (const HookRows& group : groups)
        rows.insert(rows.end(), group.begin(), group.end());
    return rows;
}

} // namespace

const std::vector<HookRow>& hookTable()
{
    static const std::vector<HookRow> table = join({
        // Instagram
        repostHandOffRows(),
        profileTabLongPressRows(),
        showLibraryObserverRows(),
        feedItemActionRows(),
        longPressSaveRows(),
        linkMarkingRows(),
        postTimeHeaderRows(),
        likeCountRows(),
        postTimeTextCellRows(),
        linkTapRows(),
        mainFeedRows(),
        // SpringBoard
        unlockAnnouncementRows(),
        iconLabelRows(),
        // itunesstored
        updateFilterRows(),
    });
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
