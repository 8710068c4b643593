#include "switcher/TarvoTableViewController.h"
#include "accounts/AccountNames.h"
#include "accounts/TarvoManager.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIBlurEffect.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UITableViewRowAction.h"
#include "platform/uikit/UITextField.h"

namespace igtarvo {

using namespace platform;

OBJC_CLASS_LOAD(TarvoTableViewController)

namespace {
constexpr const char* kCellIdentifier = "accountCell";
constexpr const char* kAddAnAccount = "Add an account";

RefPtr<TarvoManager> manager() { return TarvoManager::sharedManager(); }

std::string activeAccount()
{
    return str(manager()->currentAccountName());
}
}

void TarvoTableViewController::registerMethods(objc::ClassBuilder<TarvoTableViewController>& b)
{
    b.method<&TarvoTableViewController::initWithCallback>("initWithCallback:")
        .method<&TarvoTableViewController::init>("init")
        .method<&TarvoTableViewController::prefersStatusBarHidden>("prefersStatusBarHidden")
        .method<&TarvoTableViewController::viewDidLoad>("viewDidLoad")
        .method<&TarvoTableViewController::closeViewController>("closeViewController")
        .method<&TarvoTableViewController::dismissViewControllerWithCompletion>("dismissViewControllerWithCompletion:")
        .method<&TarvoTableViewController::dismissViewController>("dismissViewController")
        .method<&TarvoTableViewController::addAccount>("addAccount")
        .method<&TarvoTableViewController::removeAccount>("removeAccount:")
        .method<&TarvoTableViewController::editNameForAccount>("editNameForAccount:")
        .method<&TarvoTableViewController::numberOfSectionsInTableView>("numberOfSectionsInTableView:")
        .method<&TarvoTableViewController::numberOfRowsInSection>("tableView:numberOfRowsInSection:")
        .method<&TarvoTableViewController::titleForHeaderInSection>("tableView:titleForHeaderInSection:")
        .method<&TarvoTableViewController::cellForRowAtIndexPath>("tableView:cellForRowAtIndexPath:")
        .method<&TarvoTableViewController::heightForRowAtIndexPath>("tableView:heightForRowAtIndexPath:")
        .method<&TarvoTableViewController::canEditRowAtIndexPath>("tableView:canEditRowAtIndexPath:")
        .method<&TarvoTableViewController::commitEditingStyle>("tableView:commitEditingStyle:forRowAtIndexPath:")
        .method<&TarvoTableViewController::editActionsForRowAtIndexPath>("tableView:editActionsForRowAtIndexPath:")
        .method<&TarvoTableViewController::didSelectRowAtIndexPath>("tableView:didSelectRowAtIndexPath:");
}

Ref<TarvoTableViewController> TarvoTableViewController::create(AccountListCallback callback)
{
    auto controller = objc::make<TarvoTableViewController>();
    objc::send<RefPtr<Object>(AccountListCallback)>(controller, "initWithCallback:", std::move(callback));
    return controller;
}

RefPtr<Object> TarvoTableViewController::initWithCallback(AccountListCallback callback)
{
    auto self = objc::send<RefPtr<Object>>(this, "init");
    if (self)
        m_callback = std::move(callback);
    return self;
}

RefPtr<UIViewController> TarvoTableViewController::init()
{
    UITableViewController::initWithStyle(UITableViewStylePlain);
    m_accounts = manager()->accounts();
    m_addMessage = ns("");
    return RefPtr<UIViewController>(this);
}

void TarvoTableViewController::viewDidLoad()
{
    UITableViewController::viewDidLoad();
    auto table = tableView();
    table->setTableFooterView(UIView::create(CGRectZero).get());
    navigationItem()->setLeftBarButtonItem(UIBarButtonItem::systemItem(UIBarButtonSystemItemDone, this, "closeViewController").get());
    navigationItem()->setRightBarButtonItem(UIBarButtonItem::systemItem(UIBarButtonSystemItemAdd, this, "addAccount").get());
    table->setSeparatorEffect(UIBlurEffect::effectWithStyle(UIBlurEffectStyleLight).get());
}

void TarvoTableViewController::finish(bool reopenInstagram)
{
    RefPtr<TarvoTableViewController> self(this);
    dismissViewControllerWithCompletion([self, reopenInstagram] {
        if (self->m_callback)
            self->m_callback(reopenInstagram);
    });
}

void TarvoTableViewController::closeViewController()
{
    finish(false);
}

void TarvoTableViewController::dismissViewControllerWithCompletion(std::function<void()> completion)
{
    if (auto navigation = navigationController())
        navigation->dismissViewControllerAnimated(true, std::move(completion));
}

long TarvoTableViewController::numberOfRowsInSection(UITableView*, long section)
{
    return section == 0 ? 1 : long(m_accounts ? m_accounts->count() : 0);
}

RefPtr<NSString> TarvoTableViewController::titleForHeaderInSection(UITableView*, long section)
{
    if (section == 0)
        return ns(activeAccount().empty() ? kAddAnAccount : "Current Account");
    return ns("Accounts");
}

std::string TarvoTableViewController::plainNameAt(long row) const
{
    if (!m_accounts || row < 0 || row >= long(m_accounts->count()))
        return {};
    return plainAccountName(str(m_accounts->objectAtIndex(row))).value_or("");
}

RefPtr<UITableViewCell> TarvoTableViewController::cellForRowAtIndexPath(UITableView* table, NSIndexPath* indexPath)
{
    auto cell = table->dequeueReusableCellWithIdentifier(ns(kCellIdentifier).get());
    if (!cell)
        cell = UITableViewCell::create(UITableViewCellStyleSubtitle, kCellIdentifier);
    auto label = cell->textLabel();
    label->setFont(UIFont::boldSystemFontOfSize(16).get());
    if (indexPath->section() == 0) {
        std::string active = activeAccount();
        label->setText(ns(active.empty() ? kAddAnAccount : active).get());
        label->setTextColor(UIColor::greenColor().get());
    } else {
        label->setText(ns(plainNameAt(indexPath->row())).get());
        label->setTextColor(UIColor::blackColor().get());
    }
    return cell;
}

bool TarvoTableViewController::canEditRowAtIndexPath(UITableView*, NSIndexPath* indexPath)
{
    return indexPath->section() == 1;
}

RefPtr<NSArray> TarvoTableViewController::editActionsForRowAtIndexPath(UITableView* table, NSIndexPath* indexPath)
{
    RefPtr<TarvoTableViewController> self(this);
    RefPtr<UITableView> tableRef(table);
    std::string stored = str(m_accounts->objectAtIndex(indexPath->row()));
    auto edit = UITableViewRowAction::create(UITableViewRowActionStyleDefault, "Edit", [self, stored](UITableViewRowAction*, NSIndexPath*) {
        auto plain = plainAccountName(stored);
        objc::send<void(NSString*)>(self, "editNameForAccount:", ns(plain.value_or("")).get());
    });
    edit->setBackgroundColor(UIColor::grayColor().get());
    if (plainNameAt(indexPath->row()) == activeAccount())
        return NSArray::create({ edit });
    auto remove = UITableViewRowAction::create(UITableViewRowActionStyleDefault, "Delete", [self, tableRef, stored](UITableViewRowAction*, NSIndexPath* path) {
        size_t before = self->m_accounts->count();
        tableRef->beginUpdates();
        objc::send<void(NSString*)>(self, "removeAccount:", ns(stored).get());
        // The store refuses an entry that is no stored account name (the
        // domain can be edited by other tools); taking its row away then
        // would not match the list, which the table answers by raising.
        if (self->m_accounts->count() < before)
            tableRef->deleteRowsAtIndexPaths(NSArray::create({ Ref<Object>(*path) }).get(), UITableViewRowAnimationFade);
        tableRef->endUpdates();
    });
    return NSArray::create({ remove, edit });
}

void TarvoTableViewController::didSelectRowAtIndexPath(UITableView* table, NSIndexPath* indexPath)
{
    table->deselectRowAtIndexPath(indexPath, true);
    RefPtr<TarvoTableViewController> self(this);
    if (indexPath->section() == 1) {
        auto name = ns(plainNameAt(indexPath->row()));
        manager()->switchToAccount(name, [self] {
            self->tableView()->reloadData();
            self->finish(true);
        });
        return;
    }
    if (!activeAccount().empty())
        finish(true);
    else
        objc::send<void>(this, "addAccount");
}

void TarvoTableViewController::presentDialog(UIAlertController* dialog)
{
    presentViewController(dialog, true, {});
}

void TarvoTableViewController::addAccount()
{
    showAddDialog(str(m_addMessage));
}

void TarvoTableViewController::showAddDialog(const std::string& message)
{
    m_addNewController = UIAlertController::create("Add an Account", message, UIAlertControllerStyleAlert);
    m_addNewController->addTextFieldWithConfigurationHandler([](UITextField* field) {
        field->setPlaceholder(ns("Enter a name for this new Account").get());
    });
    m_addNewController->addAction(UIAlertAction::create("Cancel", UIAlertActionStyleDestructive).get());
    RefPtr<TarvoTableViewController> self(this);
    WeakDialog dialog(m_addNewController);
    m_addNewController->addAction(UIAlertAction::create("Add", UIAlertActionStyleDefault, [self, dialog](UIAlertAction*) {
        auto alert = dialog.lock();
        std::string name = alert && !alert->textFieldList().empty() ? str(alert->textFieldList().front()->text()) : std::string();
        auto manager = igtarvo::manager();
        if (manager->hasAccountWithName(ns(name))) {
            self->m_addMessage = ns(kDuplicateAccountMessage);
            objc::send<void>(self, "addAccount");
            return;
        }
        // The store refuses a name that cannot be a directory name; say so
        // instead of adding nothing in silence.
        if (!isUsableAccountName(name)) {
            self->showAddDialog(kUnusableAccountNameMessage);
            return;
        }
        manager->addAccount(ns(name), [self] {
            self->tableView()->reloadData();
            self->finish(true);
        });
    }).get());
    presentDialog(m_addNewController.get());
}

void TarvoTableViewController::removeAccount(NSString* storedName)
{
    // The manager is done before it returns, so the table's batch update that
    // surrounds this call sees the shortened list.
    manager()->removeAccountForUsername(RefPtr<NSString>(storedName), [] { });
}

void TarvoTableViewController::editNameForAccount(NSString* plainName)
{
    showRenameDialog(str(plainName), str(m_addMessage));
}

void TarvoTableViewController::showRenameDialog(const std::string& plainName, const std::string& message)
{
    m_editController = UIAlertController::create("Edit Account", message, UIAlertControllerStyleAlert);
    m_editController->addTextFieldWithConfigurationHandler([plainName](UITextField* field) { field->setText(ns(plainName).get()); });
    m_editController->addAction(UIAlertAction::create("Cancel", UIAlertActionStyleDestructive).get());
    RefPtr<TarvoTableViewController> self(this);
    WeakDialog dialog(m_editController);
    m_editController->addAction(UIAlertAction::create("Save", UIAlertActionStyleDefault, [self, dialog, plainName](UIAlertAction*) {
        auto alert = dialog.lock();
        std::string name = alert && !alert->textFieldList().empty() ? str(alert->textFieldList().front()->text()) : std::string();
        if (!isUsableAccountName(name)) {
            self->showRenameDialog(plainName, kUnusableAccountNameMessage);
            return;
        }
        manager()->renameAccount(ns(plainName), ns(name));
        self->tableView()->reloadData();
    }).get());
    presentDialog(m_editController.get());
}

} // namespace igtarvo
