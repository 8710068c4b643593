#pragma once
// The account list screen: a two-section table of the active account and all
// accounts, from which the user switches, adds, renames and deletes accounts.
// It does no file work itself; every change goes through TarvoManager. Built
// once with a callback that runs after each dismissal (yes when Instagram is
// to be opened again). Main thread, in SpringBoard.

#include "platform/foundation/NSIndexPath.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UITableViewCell.h"
#include "platform/uikit/UITableViewController.h"

#include <functional>

namespace igtarvo {

using objc::id;
using objc::Ref;
using objc::RefPtr;
using platform::NSIndexPath;
using platform::NSMutableArray;
using platform::NSString;
using platform::UIAlertController;
using platform::UITableView;
using platform::UITableViewCell;

using WeakDialog = objc::WeakPtr<UIAlertController>;
using AccountListCallback = std::function<void(bool reopenInstagram)>;

// The texts the screen shows.
inline constexpr const char* kDuplicateAccountMessage = "Account already exists. Please specify another account name";
inline constexpr const char* kUnusableAccountNameMessage = "An account name cannot be empty, \".\" or \"..\", or contain \"/\". Please specify another account name";

class TarvoTableViewController : public platform::UITableViewController {
    OBJC_CLASS(TarvoTableViewController, platform::UITableViewController)
public:
    static void registerMethods(objc::ClassBuilder<TarvoTableViewController>&);
    static Ref<TarvoTableViewController> create(AccountListCallback callback);

    // init, then keeps the callback.
    RefPtr<Object> initWithCallback(AccountListCallback callback);
    // A plain table controller showing the manager's own account list.
    RefPtr<platform::UIViewController> init();

    const AccountListCallback& callback() const { return m_callback; }
    RefPtr<NSMutableArray> accounts() const { return m_accounts; }
    RefPtr<UIAlertController> addNewController() const { return m_addNewController; }
    RefPtr<UIAlertController> editController() const { return m_editController; }
    RefPtr<NSString> addMessage() const { return m_addMessage; }
    void setAddMessage(NSString* message) { m_addMessage = message; }

    bool prefersStatusBarHidden() const { return true; }
    void viewDidLoad();

    // The left bar button: dismisses, then runs the callback with no.
    void closeViewController();
    void dismissViewControllerWithCompletion(std::function<void()> completion);
    void dismissViewController() { dismissViewControllerWithCompletion({}); }
    // Shows the add dialog.
    void addAccount();
    // Deletes the account of this stored name; the screen stays open.
    void removeAccount(NSString* storedName);
    // Shows the rename dialog for this plain name.
    void editNameForAccount(NSString* plainName);

    // The table's data source and delegate.
    long numberOfSectionsInTableView(UITableView* tableView) { return 2; }
    long numberOfRowsInSection(UITableView* tableView, long section);
    RefPtr<NSString> titleForHeaderInSection(UITableView* tableView, long section);
    RefPtr<UITableViewCell> cellForRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath);
    double heightForRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath) { return 50; }
    bool canEditRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath);
    void commitEditingStyle(UITableView* tableView, long style, NSIndexPath* indexPath) { }
    RefPtr<platform::NSArray> editActionsForRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath);
    void didSelectRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath);

private:
    void finish(bool reopenInstagram);
    void presentDialog(UIAlertController* dialog);
    std::string plainNameAt(long row) const;
    // The rename dialog for a name, with this message.
    void showRenameDialog(const std::string& plainName, const std::string& message);
    void showAddDialog(const std::string& message);

    AccountListCallback m_callback;
    RefPtr<NSMutableArray> m_accounts;
    RefPtr<UIAlertController> m_addNewController;
    RefPtr<UIAlertController> m_editController;
    RefPtr<NSString> m_addMessage;
};

} // namespace igtarvo
