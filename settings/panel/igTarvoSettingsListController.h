#pragma once
// The settings panel's root page: the rows of the bundle's row-definition
// list under a header with the product name, a version footer, a share
// button that recommends the product through the installed channels, a help
// page, and a setter that asks before closing Instagram for rows that need
// Instagram to start again. Main thread.

#include "platform/preferences/PSListController.h"

namespace platform {
class NSBundle;
class UITableView;
class UIView;
}

namespace igtarvo::panel {

class igTarvoSettingsListController : public platform::PSListController {
    OBJC_CLASS(igTarvoSettingsListController, platform::PSListController)
public:
    static void registerMethods(objc::ClassBuilder<igTarvoSettingsListController>&);

    // The settings bundle at its install path, opened on first use and kept.
    objc::RefPtr<platform::NSBundle> mainBundle();
    // The bundle's rows, loaded once.
    objc::RefPtr<platform::NSArray> specifiers();

    void viewDidLoad();
    void viewWillAppear(bool animated);
    void viewWillDisappear(bool animated);
    objc::RefPtr<platform::UIView> tableViewViewForHeaderInSection(platform::UITableView* table, long section);
    double tableViewHeightForHeaderInSection(platform::UITableView* table, long section);

    void shareIGKTapped(objc::id sender);
    void openTwitterForUsername(platform::NSString* userName);
    void openHelp(objc::id sender);
    void showValidationAlert(objc::id value, platform::PSSpecifier* specifier);
    void mailComposeControllerDidFinish(objc::id controller, long result, objc::id error);
    void messageComposeViewControllerDidFinish(objc::id controller, long result);

private:
    void open(const std::string& address);
    objc::RefPtr<objc::Object> bundleImage(const char* name, const char* type);

    objc::RefPtr<platform::NSBundle> m_mainBundle;
    objc::RefPtr<platform::NSArray> m_rows;
};

// The address the Instagram share entry opens: "instagram://post?" and the
// Base64 form of {"text": recommendation + host}.
std::string instagramShareAddress();
// Standard Base64, no line breaks.
std::string base64(const std::string& bytes);
// Percent-encodes everything but the characters a URL query may hold.
std::string percentEncodedForQuery(const std::string& text);

} // namespace igtarvo::panel
