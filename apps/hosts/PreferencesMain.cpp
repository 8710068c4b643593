// The stand-in for the phone's Settings application ("Preferences"): its
// root page lists the installed preference bundles (the entries in
// /Library/PreferenceLoader/Preferences), and tapping one loads that bundle
// from /Library/PreferenceBundles and pushes its principal page. A bundle
// that does not load leaves the list as it was and says why in an alert.
// Its control channel offers the settings pages' commands (SettingsScreen.h).

#include "apps/hosts/HostProgram.h"
#include "apps/hosts/SettingsScreen.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/PropertyList.h"
#include "platform/preferences/PSListController.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>
#include <filesystem>

using namespace platform;
using objc::RefPtr;

namespace {

class PreferencesRootController : public PSListController {
    OBJC_CLASS(PreferencesRootController, PSListController)
public:
    static void registerMethods(objc::ClassBuilder<PreferencesRootController>& b)
    {
        b.method<&PreferencesRootController::rows>("specifiers")
            .method<&PreferencesRootController::openBundle>("openBundle:");
    }

    RefPtr<NSArray> rows()
    {
        if (m_rows)
            return m_rows;
        auto rows = NSMutableArray::create();
        auto group = PSSpecifier::preferenceSpecifierNamed(ns("Tweaks").get(), this, nullptr, nullptr, nullptr, PSGroupCell, 0);
        rows->addObject(group.get());
        std::vector<std::filesystem::path> entries;
        std::error_code ec;
        for (auto& file : std::filesystem::directory_iterator(Device::path("/Library/PreferenceLoader/Preferences"), ec))
            entries.push_back(file.path());
        std::sort(entries.begin(), entries.end());
        for (auto& file : entries) {
            auto plist = readPropertyListFile(file.string());
            auto entry = objc::object_isKindOfClass(plist, NSDictionary::staticClass()) ? static_cast<NSDictionary*>(plist.get())->get("entry") : nullptr;
            if (!objc::object_isKindOfClass(entry, NSDictionary::staticClass()))
                continue;
            auto* fields = static_cast<NSDictionary*>(entry.get());
            std::string bundle = str(fields->get("bundle").get());
            if (bundle.empty() || bundle.find('/') != std::string::npos)
                continue;
            std::string label = str(fields->get("label").get());
            auto row = PSSpecifier::preferenceSpecifierNamed(ns(label.empty() ? bundle : label).get(), this, nullptr, nullptr, nullptr, PSLinkCell, 0);
            row->setPropertyForKey(ns(bundle).get(), ns("bundle").get());
            row->setButtonAction(objc::sel_registerName("openBundle:"));
            rows->addObject(row.get());
        }
        m_rows = rows;
        return m_rows;
    }

    void openBundle(PSSpecifier* row)
    {
        std::string name = row ? row->stringProperty("bundle") : "";
        auto bundle = NSBundle::bundleWithPath(Device::path("/Library/PreferenceBundles/" + name + ".bundle"));
        std::string why;
        RefPtr<Object> page;
        if (!bundle)
            why = "The bundle " + name + " is not installed.";
        else if (!bundle->loadCode())
            why = "The bundle " + name + " does not load: " + bundle->loadError() + ".";
        else if (objc::Class principal = bundle->principalClass())
            page = objc::send<RefPtr<Object>(CGSize)>(objc::class_createInstance(principal), "initForContentSize:", preferredContentSize());
        else
            why = "The bundle " + name + " names no page to show.";
        if (objc::object_isKindOfClass(page, UIViewController::staticClass()) && navigationController()) {
            navigationController()->pushViewController(static_cast<UIViewController*>(page.get()), true);
            return;
        }
        auto alert = UIAlertController::create(str(row ? row->name().get() : nullptr), why.empty() ? "The bundle's page is not a page." : why, UIAlertControllerStyleAlert);
        alert->addAction(UIAlertAction::create("OK", UIAlertActionStyleCancel).get());
        presentViewController(alert.get(), true, {});
    }

private:
    RefPtr<NSArray> m_rows;
};
OBJC_CLASS_DEFINE(PreferencesRootController)

RefPtr<UIWindow> g_window;

void launch()
{
    g_window = UIWindow::create(UIScreen::mainScreen()->bounds());
    auto root = objc::make<PreferencesRootController>();
    root->initForContentSize(g_window->frame().size);
    root->setTitle(ns("Settings").get());
    g_window->setRootViewController(UINavigationController::create(root.get()).get());
    g_window->makeKeyAndVisible();
    UIApplication::sharedApplication()->finishLaunching();
}

}

int main(int argc, char** argv)
{
    return hosts::runHostProgram(argc, argv, {
        .registerClasses = [] { PreferencesRootController::staticClass(); },
        .launch = launch,
        .commands = hosts::settingsCommands([] { return g_window; }),
    });
}
