#include "settings/panel/igTarvoSettingsListController.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSJSONSerialization.h"
#include "platform/foundation/NSURL.h"
#include "platform/foundation/Preferences.h"
#include "platform/messageui/MFComposers.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/preferences/PSTableCell.h"
#include "platform/social/SLComposeViewController.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UISwitch.h"
#include "platform/uikit/UITableView.h"
#include "settings/panel/IGDeveloperTableCell.h"
#include "settings/panel/IGMainHeaderView.h"
#include "settings/panel/PanelTexts.h"
#include "settings/panel/igTarvoImageViewController.h"

#include <cctype>
#include <cstdio>
#include <spawn.h>
#include <sys/wait.h>

namespace igtarvo::panel {

using namespace platform;

OBJC_CLASS_LOAD(igTarvoSettingsListController)

std::string base64(const std::string& bytes)
{
    static const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    size_t i = 0;
    auto at = [&](size_t k) { return uint32_t(static_cast<unsigned char>(bytes[k])); };
    for (; i + 2 < bytes.size(); i += 3) {
        uint32_t v = (at(i) << 16) | (at(i + 1) << 8) | at(i + 2);
        for (int s = 18; s >= 0; s -= 6)
            out += alphabet[(v >> s) & 63];
    }
    if (size_t rest = bytes.size() - i) {
        uint32_t v = (at(i) << 16) | (rest == 2 ? at(i + 1) << 8 : 0);
        out += alphabet[(v >> 18) & 63];
        out += alphabet[(v >> 12) & 63];
        out += rest == 2 ? alphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::string percentEncodedForQuery(const std::string& text)
{
    // The URL-query character set: unreserved characters, sub-delimiters,
    // ":", "@", "/" and "?".
    static const std::string allowed = "!$&'()*+,;=:@/?-._~";
    std::string out;
    for (unsigned char c : text) {
        if (std::isalnum(c) || allowed.find(char(c)) != std::string::npos) {
            out += char(c);
        } else {
            char buffer[4];
            std::snprintf(buffer, sizeof buffer, "%%%02X", c);
            out += buffer;
        }
    }
    return out;
}

std::string instagramShareAddress()
{
    auto payload = NSDictionary::create({ { "text", ns(std::string(kRecommendation) + kWebHost) } });
    auto json = NSJSONSerialization::dataWithJSONObject(payload.get());
    return "instagram://post?" + base64(json ? *json : std::string("{}"));
}

RefPtr<NSBundle> igTarvoSettingsListController::mainBundle()
{
    if (!m_mainBundle)
        m_mainBundle = NSBundle::bundleWithPath(Device::path(kSettingsBundlePath));
    return m_mainBundle;
}

RefPtr<NSArray> igTarvoSettingsListController::specifiers()
{
    if (!m_rows)
        m_rows = loadSpecifiersFromPlistName(ns("igTarvoSettings").get(), this);
    return m_rows;
}

RefPtr<Object> igTarvoSettingsListController::bundleImage(const char* name, const char* type)
{
    auto bundle = mainBundle();
    auto path = bundle ? bundle->pathForResource(ns(name).get(), ns(type).get()) : nullptr;
    return path ? UIImage::imageWithContentsOfFile(ns(Device::devicePath(path->str())).get()) : nullptr;
}

void igTarvoSettingsListController::viewDidLoad()
{
    UIViewController::viewDidLoad();
    auto image = bundleImage("heart", "png");
    auto share = UIBarButtonItem::withImage(static_cast<UIImage*>(image.get()), UIBarButtonItemStylePlain, this, "shareIGKTapped:");
    share->setTintColor(UIColor::redColor().get());
    navigationItem()->setRightBarButtonItem(share.get());
}

namespace {
RefPtr<UINavigationBar> outerNavigationBar(UIViewController* controller)
{
    auto navigation = controller->navigationController();
    auto outer = navigation ? navigation->navigationController() : nullptr;
    return outer ? outer->navigationBar() : nullptr;
}

// Every switch shown inside a page of this class.
void tintSwitches(UITableView* table, UIColor* color)
{
    if (!table)
        return;
    auto cells = table->visibleCells();
    for (auto& cell : cells ? cells->items() : std::vector<Ref<Object>> {}) {
        if (!objc::object_isKindOfClass(cell.get(), PSTableCell::staticClass()))
            continue;
        if (auto control = static_cast<PSTableCell*>(cell.get())->control())
            control->setOnTintColor(color);
    }
}
}

void igTarvoSettingsListController::viewWillAppear(bool animated)
{
    PSListController::viewWillAppear(animated);
    if (auto bar = outerNavigationBar(this))
        bar->setTintColor(UIColor::greenColor().get());
    auto version = specifierForID(ns("versionSpec").get());
    if (version) {
        std::string footer = kVersionFooterFormat;
        footer.replace(footer.find("%@"), 2, kVersion);
        version->setPropertyForKey(ns(footer).get(), ns("footerText").get());
        reloadSpecifier(version.get());
    }
    if (NSFoundationVersionNumber() >= NSFoundationVersionNumber_iOS_9_0) {
        if (auto tableView = table()) {
            tableView->layoutIfNeeded();
            tintSwitches(tableView.get(), UIColor::greenColor().get());
        }
    }
}

void igTarvoSettingsListController::viewWillDisappear(bool)
{
    if (auto bar = outerNavigationBar(this))
        bar->setTintColor(nullptr);
}

RefPtr<UIView> igTarvoSettingsListController::tableViewViewForHeaderInSection(UITableView*, long section)
{
    if (section != 0)
        return nullptr;
    return IGMainHeaderView::create();
}

double igTarvoSettingsListController::tableViewHeightForHeaderInSection(UITableView*, long section)
{
    return section == 0 ? 120 : UITableViewAutomaticDimension;
}

void igTarvoSettingsListController::open(const std::string& address)
{
    if (auto url = NSURL::create(address))
        UIApplication::sharedApplication()->openURL(url.get());
}

void igTarvoSettingsListController::openTwitterForUsername(NSString* userName)
{
    open(twitterProfileAddress(userName ? userName->str() : ""));
}

void igTarvoSettingsListController::shareIGKTapped(id)
{
    Ref<igTarvoSettingsListController> self(*this);
    auto sheet = UIAlertController::create(kShareTitle, kShareMessage, UIAlertControllerStyleActionSheet);
    auto* application = UIApplication::sharedApplication();

    sheet->addAction(UIAlertAction::create("Twitter", UIAlertActionStyleDefault, [self](UIAlertAction*) {
        if (SLComposeViewController::isAvailableForServiceType(ns(SLServiceTypeTwitter).get())) {
            auto composer = SLComposeViewController::composeViewControllerForServiceType(ns(SLServiceTypeTwitter).get());
            composer->setInitialText(ns(kTwitterText).get());
            composer->addImage(static_cast<UIImage*>(self->bundleImage("igtarvo-twitter-share", "jpg").get()));
            composer->addURL(NSURL::create(kWebAddress).get());
            objc::WeakPtr<SLComposeViewController> weak(composer.get());
            composer->setCompletionHandler([weak](long) {
                if (auto shown = weak.lock())
                    shown->dismissViewControllerAnimated(true, {});
            });
            self->presentViewController(composer.get(), true, {});
        } else {
            self->openTwitterForUsername(ns("igTarvo").get());
        }
    }).get());
    if (SLComposeViewController::isAvailableForServiceType(ns(SLServiceTypeFacebook).get())) {
        sheet->addAction(UIAlertAction::create("Facebook", UIAlertActionStyleDefault, [self](UIAlertAction*) {
            auto composer = SLComposeViewController::composeViewControllerForServiceType(ns(SLServiceTypeFacebook).get());
            // Set twice, as the service's composer is known to drop the first.
            composer->setInitialText(ns(kFacebookText).get());
            composer->setInitialText(ns(kFacebookText).get());
            composer->addImage(static_cast<UIImage*>(self->bundleImage("igtarvo-twitter-share", "jpg").get()));
            composer->addURL(NSURL::create(kWebAddress).get());
            objc::WeakPtr<SLComposeViewController> weak(composer.get());
            composer->setCompletionHandler([weak](long) {
                if (auto shown = weak.lock())
                    shown->dismissViewControllerAnimated(true, {});
            });
            self->presentViewController(composer.get(), true, {});
        }).get());
    }
    if (application->canOpenURL(NSURL::create("whatsapp:").get())) {
        sheet->addAction(UIAlertAction::create("WhatsApp", UIAlertActionStyleDefault, [self](UIAlertAction*) {
            self->open(kWhatsAppPrefix + percentEncodedForQuery(kWebAddress));
        }).get());
    }
    if (application->canOpenURL(NSURL::create("instagram:").get())) {
        sheet->addAction(UIAlertAction::create("Instagram", UIAlertActionStyleDefault, [self](UIAlertAction*) {
            self->open(instagramShareAddress());
        }).get());
    }
    sheet->addAction(UIAlertAction::create("Email", UIAlertActionStyleDefault, [self](UIAlertAction*) {
        std::string body = std::string(kRecommendation) + kWebAddress;
        if (MFMailComposeViewController::canSendMail()) {
            auto composer = MFMailComposeViewController::create();
            composer->setSubject(ns(kMailSubject).get());
            composer->setMessageBody(ns(body).get(), false);
            composer->setMailComposeDelegate(self.get());
            self->presentViewController(composer.get(), true, {});
        } else {
            self->open(percentEncodedForQuery(std::string("mailto:?subject=") + kMailSubject + "&body=" + body));
        }
    }).get());
    if (MFMessageComposeViewController::canSendText()) {
        sheet->addAction(UIAlertAction::create("SMS", UIAlertActionStyleDefault, [self](UIAlertAction*) {
            auto composer = MFMessageComposeViewController::create();
            composer->setBody(ns(std::string(kRecommendation) + kWebHost).get());
            if (MFMessageComposeViewController::canSendSubject())
                composer->setSubject(ns(kMessageSubject).get());
            composer->disableUserAttachments();
            composer->setMessageComposeDelegate(self.get());
            self->presentViewController(composer.get(), true, {});
        }).get());
    }
    sheet->addAction(UIAlertAction::create("Cancel", UIAlertActionStyleDestructive).get());
    presentViewController(sheet.get(), true, {});
}

void igTarvoSettingsListController::openHelp(id)
{
    auto help = objc::make<igTarvoImageViewController>();
    help->initForContentSize(preferredContentSize());
    if (auto navigation = navigationController())
        navigation->pushViewController(help.get(), true);
}

void igTarvoSettingsListController::showValidationAlert(id value, PSSpecifier* specifier)
{
    Ref<igTarvoSettingsListController> self(*this);
    RefPtr<Object> keptValue(value);
    RefPtr<PSSpecifier> row(specifier);
    auto alert = UIAlertController::create(kRestartTitle, kRestartMessage, UIAlertControllerStyleAlert);
    alert->addAction(UIAlertAction::create("Apply", UIAlertActionStyleDefault, [self, keptValue, row](UIAlertAction*) {
        objc::send<void(id, PSSpecifier*)>(self, "setPreferenceValue:specifier:", keptValue.get(), row.get());
        if (std::string domain = row ? row->stringProperty("defaults") : ""; !domain.empty())
            CFPreferencesAppSynchronize(domain);
        // Instagram is closed by name, as a person would from a shell; what
        // killall answers is not looked at.
        char program[] = "killall";
        char target[] = "Instagram";
        char* argv[] = { program, target, nullptr };
        char* envp[] = { nullptr };
        pid_t pid = 0;
        if (::posix_spawnp(&pid, "killall", nullptr, nullptr, argv, envp) == 0) {
            int status = 0;
            ::waitpid(pid, &status, 0);
        }
    }).get());
    alert->addAction(UIAlertAction::create("Cancel", UIAlertActionStyleDefault, [self, row](UIAlertAction*) {
        if (row)
            self->reloadSpecifierID(row->identifier().get());
    }).get());
    presentViewController(alert.get(), true, {});
}

void igTarvoSettingsListController::mailComposeControllerDidFinish(id controller, long, id)
{
    if (objc::object_isKindOfClass(controller, UIViewController::staticClass()))
        static_cast<UIViewController*>(controller)->dismissViewControllerAnimated(true, {});
}

void igTarvoSettingsListController::messageComposeViewControllerDidFinish(id controller, long)
{
    if (objc::object_isKindOfClass(controller, UIViewController::staticClass()))
        static_cast<UIViewController*>(controller)->dismissViewControllerAnimated(true, {});
}

void igTarvoSettingsListController::registerMethods(objc::ClassBuilder<igTarvoSettingsListController>& b)
{
    b.method<&igTarvoSettingsListController::mainBundle>("mainBundle")
        .method<&igTarvoSettingsListController::specifiers>("specifiers")
        .method<&igTarvoSettingsListController::viewDidLoad>("viewDidLoad")
        .method<&igTarvoSettingsListController::viewWillAppear>("viewWillAppear:")
        .method<&igTarvoSettingsListController::viewWillDisappear>("viewWillDisappear:")
        .method<&igTarvoSettingsListController::tableViewViewForHeaderInSection>("tableView:viewForHeaderInSection:")
        .method<&igTarvoSettingsListController::tableViewHeightForHeaderInSection>("tableView:heightForHeaderInSection:")
        .method<&igTarvoSettingsListController::shareIGKTapped>("shareIGKTapped:")
        .method<&igTarvoSettingsListController::openTwitterForUsername>("openTwitterForUsername:")
        .method<&igTarvoSettingsListController::openHelp>("openHelp:")
        .method<&igTarvoSettingsListController::showValidationAlert>("showValidationAlert:forSpecifier:")
        .method<&igTarvoSettingsListController::mailComposeControllerDidFinish>("mailComposeController:didFinishWithResult:error:")
        .method<&igTarvoSettingsListController::messageComposeViewControllerDidFinish>("messageComposeViewController:didFinishWithResult:");
}

} // namespace igtarvo::panel
