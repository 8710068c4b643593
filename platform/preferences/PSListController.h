#pragma once
// A settings page of rows, as the Settings application's Preferences
// framework offers it to plug-ins. The page is a grouped table: each group
// row ("PSGroupCell") starts a section whose header is its label and whose
// footer is its "footerText"; the other rows follow in order.
//
//  - The rows come from the `specifiers` message, so a subclass that answers
//    it (typically by loading a row-definition list from its bundle with
//    loadSpecifiersFromPlistName:target:) decides them.
//  - A row's value is read through its getter (readPreferenceValue: unless
//    the row names one) and written through its setter (setPreferenceValue:
//    specifier: unless the row names one, such as a confirmation first).
//  - The standard setter writes the row's "key" into its "defaults" domain
//    through the preference calls, then posts the row's "PostNotification"
//    as a Darwin notification. The standard getter answers the stored value,
//    else the row's "default".
//  - Tapping a button row sends its "action" to its target with the row; a
//    link row with a detail class pushes that page.
// Main thread.

#include "platform/preferences/PSViewController.h"

#include <string>
#include <vector>

namespace platform {

class NSBundle;
class NSIndexPath;
class PSSpecifier;
class UISwitch;
class UITableView;
class UITableViewCell;

class PSListController : public PSViewController {
    OBJC_CLASS(PSListController, PSViewController)
public:
    PSListController();
    ~PSListController() override;
    static void registerMethods(objc::ClassBuilder<PSListController>&);

    // The rows set so far (nil until set); subclasses answer their own.
    RefPtr<NSArray> specifiers();
    void setSpecifiers(NSArray* specifiers);
    // The rows of "<name>.plist" in the controller's bundle (its "items"),
    // with the target given; entries that are not rows are skipped. Nil when
    // the list is missing or malformed.
    RefPtr<NSArray> loadSpecifiersFromPlistName(NSString* name, id target);
    // The bundle whose code holds the controller's class, else the main bundle.
    RefPtr<NSBundle> bundle();

    RefPtr<PSSpecifier> specifierForID(NSString* identifier);
    // Shows the row's stored value again (its switch, its text).
    void reloadSpecifierID(NSString* identifier);
    void reloadSpecifier(PSSpecifier* specifier);
    void reloadSpecifiers();

    RefPtr<Object> readPreferenceValue(PSSpecifier* specifier);
    void setPreferenceValue(id value, PSSpecifier* specifier);

    RefPtr<UITableView> table();
    void loadView();
    void viewWillAppear(bool animated);

    // The table's data source and delegate.
    long numberOfSectionsInTableView(UITableView* table);
    long tableViewNumberOfRowsInSection(UITableView* table, long section);
    RefPtr<UITableViewCell> tableViewCellForRowAtIndexPath(UITableView* table, NSIndexPath* indexPath);
    RefPtr<NSString> tableViewTitleForHeaderInSection(UITableView* table, long section);
    RefPtr<NSString> tableViewTitleForFooterInSection(UITableView* table, long section);
    // A row's "height" property, else the table's row height.
    double tableViewHeightForRowAtIndexPath(UITableView* table, NSIndexPath* indexPath);
    void tableViewDidSelectRowAtIndexPath(UITableView* table, NSIndexPath* indexPath);
    // A row's switch was flipped.
    void switchChanged(UISwitch* sender);

    // The row at a place of the page, or nil.
    RefPtr<PSSpecifier> specifierAt(long section, long row);
    // What a person does: taps a row; flips a switch row. False when there
    // is no such row (or it is not a switch).
    bool userTapRow(long section, long row);
    bool userFlipSwitch(long section, long row);
    // The page as text, one line per header, row and footer:
    //   "section N: HEADER", "  ROW: LABEL [on|off|button|link]", "  footer: TEXT".
    std::string describe();

private:
    struct Section {
        RefPtr<PSSpecifier> group;
        std::vector<Ref<PSSpecifier>> rows;
    };
    std::vector<Section> sections();
    RefPtr<NSIndexPath> indexPathOf(PSSpecifier* specifier);
    RefPtr<Object> valueOf(PSSpecifier* specifier);
    void showValue(UITableViewCell* cell, PSSpecifier* specifier);

    RefPtr<NSArray> m_specifiers;
};

} // namespace platform
