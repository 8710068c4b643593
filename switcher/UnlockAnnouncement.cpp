#include "switcher/UnlockAnnouncement.h"
#include "core/Notifications.h"
#include "platform/dispatch/Dispatch.h"
#include "switcher/TarvoListener.h"
#include "updates/VersionNotice.h"
#include "updates/VersionQuery.h"

namespace igtarvo {

using namespace platform;

namespace {

Previous<void(long)> g_SBLockScreenViewController_finishUIUnlockFromSource;

void SBLockScreenViewController_finishUIUnlockFromSource(id self, SEL _cmd, long source)
{
    postLocalNotification(kUnlockFinishedNotification);
    g_SBLockScreenViewController_finishUIUnlockFromSource(self, _cmd, source);
}

} // namespace

HookRows unlockAnnouncementRows()
{
    return {
        replaced<g_SBLockScreenViewController_finishUIUnlockFromSource, &SBLockScreenViewController_finishUIUnlockFromSource>(
            kSpringBoardProcess, "SBLockScreenViewController", "finishUIUnlockFromSource:"),
    };
}

void handleUnlockFinished()
{
    TarvoListener::putInPlaceWithActivator();
    querySupportedVersion([](RefPtr<Object> answer) {
        dispatch_async(dispatch_get_main_queue(), [answer] { showUnsupportedVersionNoticeIfNeeded(answer); });
    });
}

} // namespace igtarvo
