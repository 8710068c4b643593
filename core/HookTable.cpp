#include "core/HookTable.h"
#include "core/Notifications.h"
#include "core/UpdateFilter.h"

namespace igtarvo {

const std::vector<HookRow>& hookTable()
{
    static const std::vector<HookRow> table = {
        // Instagram
        replaced<g_IGMainAppViewController_initWithMainFeedSource, &IGMainAppViewController_initWithMainFeedSource>(
            kInstagramProcess, "IGMainAppViewController", "initWithMainFeedSource:"),
        // SpringBoard
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
