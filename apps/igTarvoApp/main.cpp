// igTarvoApp: the settings panel as an application of its own. It carries no
// settings code: the panel is the installed settings bundle, loaded at launch
// by its path. Its control channel offers the settings pages' commands (see
// SettingsScreen.h).

#include "apps/hosts/HostProgram.h"
#include "apps/hosts/SettingsScreen.h"
#include "apps/igTarvoApp/IGKAppDelegate.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIWindow.h"

using namespace platform;

namespace {

objc::RefPtr<Object> g_delegate;

objc::RefPtr<UIWindow> window()
{
    return g_delegate ? objc::send<objc::RefPtr<UIWindow>>(g_delegate, "window") : nullptr;
}

// The platform's application main: the application object with a delegate
// of the named class, launched.
void applicationMain(const char* delegateClassName)
{
    auto* application = UIApplication::sharedApplication();
    g_delegate = objc::class_createInstance(objc::objc_getClass(delegateClassName));
    objc::send<objc::RefPtr<Object>>(g_delegate, "init");
    application->setDelegate(g_delegate.get());
    application->finishLaunching();
}

}

int main(int argc, char** argv)
{
    return hosts::runHostProgram(argc, argv, {
        .registerClasses = [] { IGKAppDelegate::staticClass(); },
        .launch = [] { applicationMain("IGKAppDelegate"); },
        .commands = hosts::settingsCommands(window),
    });
}
