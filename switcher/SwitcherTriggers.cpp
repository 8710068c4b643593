#include "switcher/SwitcherTriggers.h"
#include "core/SpringBoardSurface.h"
#include "platform/foundation/Device.h"
#include "switcher/TarvoListener.h"

namespace igtarvo {

using namespace platform;

void handleSwitchAccountsNotification()
{
    if (NSFoundationVersionNumber() >= NSFoundationVersionNumber_iOS_9_0) {
        objc::send<void(id)>(TarvoListener::sharedInstance(), "presentAccountSwitcherForIconView:", nullptr);
        return;
    }
    auto activator = springboard::activator();
    auto event = springboard::activatorEvent(kIconFlickUpEvent);
    if (!activator || !event)
        return;
    auto info = NSDictionary::create({ { "displayIdentifier", ns("com.burbn.instagram") } });
    springboard::setEventUserInfo(event.get(), info.get());
    springboard::activatorSendEvent(activator.get(), event.get(), kListenerName);
}

void handleShortcutItem(id)
{
    objc::send<void(id)>(TarvoListener::sharedInstance(), "presentAccountSwitcherForIconView:", nullptr);
}

} // namespace igtarvo
