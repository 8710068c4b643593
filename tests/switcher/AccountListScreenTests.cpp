// The account list screen, shown the way the listener shows it (in a new
// navigation controller over SpringBoard's home screen) but with a callback
// that only records, so that what the screen itself does can be seen: its
// rows, its dialogs, and the files the account manager moves for it.

#include "tests/switcher/SwitcherTestSupport.h"

#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIBlurEffect.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UITableViewRowAction.h"

using namespace switchertest;
using namespace platform;
using igtarvo::TarvoTableViewController;

namespace {

const char* kDuplicateMessage = "Account already exists. Please specify another account name";
const char* kUnusableMessage = "An account name cannot be empty, \".\" or \"..\", or contain \"/\". Please specify another account name";
const char* kContainerFeed = "feed cache of the signed-in account\n";

// The list on screen with a recording callback.
struct ShownList {
    RefPtr<TarvoTableViewController> list;
    // Each run of the callback: its argument, and whether the list was still
    // on screen at that moment.
    struct Run {
        bool reopen;
        bool listStillShown;
    };
    std::shared_ptr<std::vector<Run>> runs = std::make_shared<std::vector<Run>>();

    UITableView* table() const { return list->tableView().get(); }
    std::vector<bool> callbackArguments() const
    {
        std::vector<bool> arguments;
        for (auto& run : *runs)
            arguments.push_back(run.reopen);
        return arguments;
    }
    RefPtr<UIAlertController> alert() const { return shownAlert(systemWindow().get()); }
    AlertContent alertContent() const { return contentOf(alert().get()); }
    // The table as the user sees it now (after the kit's next layout pass).
    std::vector<std::string> rows(long section) const
    {
        table()->layoutIfNeeded();
        return rowTexts(table(), section);
    }
    void typeAndChoose(const std::string& text, const std::string& action) const
    {
        auto shown = alert();
        ASSERT_TRUE(shown) << "no alert on screen";
        EXPECT_TRUE(UserInput::typeIntoAlert(shown.get(), 0, text));
        EXPECT_TRUE(UserInput::chooseAlertAction(shown.get(), action));
        RunLoop::runUntilIdle();
    }
};

// Starts SpringBoard (without the system's hooks: only the screen is under
// test) and shows a new list over the home screen.
ShownList showPreparedList()
{
    startSpringBoard({ .loadSystem = false });
    ShownList shown;
    auto runs = shown.runs;
    auto self = std::make_shared<TarvoTableViewController*>(nullptr);
    shown.list = TarvoTableViewController::create([runs, self](bool reopen) {
        runs->push_back({ reopen, isShown(*self) });
    });
    *self = shown.list.get();
    auto navigation = UINavigationController::create(shown.list.get());
    systemWindow()->rootViewController()->presentViewController(navigation.get(), true, {});
    RunLoop::runUntilIdle();
    EXPECT_TRUE(isShown(shown.list.get()));
    return shown;
}

// Lays the accounts down, then shows the list.
ShownList showList(const std::vector<std::string>& accounts, const std::string& active)
{
    prepareAccounts(accounts, active);
    return showPreparedList();
}

// Everything under a folder (kind and contents), to tell that nothing changed.
std::vector<std::string> treeState(const std::string& root)
{
    std::vector<std::string> state;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec); it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::string relative = fs::relative(it->path(), root).string();
        state.push_back(it->is_directory() ? relative + "/" : relative + " = " + readText(it->path().string()));
    }
    std::sort(state.begin(), state.end());
    return state;
}

// The whole account store and Instagram's container, as files.
std::vector<std::string> storeState()
{
    auto state = treeState(platform::Device::path("/var/mobile/Library/Preferences"));
    auto data = treeState(container());
    state.insert(state.end(), data.begin(), data.end());
    return state;
}

bool sameColour(UIColor* colour, double r, double g, double b)
{
    return colour && colour->red() == r && colour->green() == g && colour->blue() == b && colour->alpha() == 1;
}

class AccountListScreen : public ::testing::Test {
protected:
    testsupport::TemporaryDevice m_device;
};

}

// What the screen shows ---------------------------------------------------------

TEST_F(AccountListScreen, ShowsTheActiveAccountAboveEveryAccountInListOrder)
{
    inChild([] {
        auto shown = showList({ "Default", "Work", "Zoë & Co" }, "Work");
        UITableView* table = shown.table();
        EXPECT_EQ(table->style(), UITableViewStylePlain);
        EXPECT_EQ(table->numberOfSections(), 2);
        EXPECT_EQ(headerText(table, 0), "Current Account");
        EXPECT_EQ(headerText(table, 1), "Accounts");
        EXPECT_EQ(shown.rows(0), std::vector<std::string> { "Work" });
        EXPECT_EQ(shown.rows(1), (std::vector<std::string> { "Default", "Work", "Zoë & Co" }));
    });
}

TEST_F(AccountListScreen, WithoutAnActiveAccountTheFirstSectionOffersToAddOne)
{
    inChild([] {
        auto shown = showList({ "Work", "Home" }, "");
        EXPECT_EQ(headerText(shown.table(), 0), "Add an account");
        EXPECT_EQ(shown.rows(0), std::vector<std::string> { "Add an account" });
        EXPECT_EQ(headerText(shown.table(), 1), "Accounts");
        EXPECT_EQ(shown.rows(1), (std::vector<std::string> { "Work", "Home" }));
    });
}

TEST_F(AccountListScreen, RowsAreFiftyPointSubtitleCellsInBoldSixteenGreenForTheActiveAccountAndBlackInTheList)
{
    inChild([] {
        auto shown = showList({ "Default", "Work" }, "Default");
        UITableView* table = shown.table();
        table->layoutIfNeeded();
        for (long section : { 0L, 1L }) {
            for (long row = 0; row < table->numberOfRowsInSection(section); ++row) {
                auto path = NSIndexPath::indexPathForRow(row, section);
                SCOPED_TRACE("row " + std::to_string(section) + "." + std::to_string(row));
                auto cell = table->cellForRowAtIndexPath(path.get());
                ASSERT_TRUE(cell);
                EXPECT_EQ(str(cell->reuseIdentifier()), "accountCell");
                EXPECT_EQ(cell->style(), UITableViewCellStyleSubtitle);
                EXPECT_EQ(cell->textLabel()->font()->name(), "HelveticaNeue-Bold");
                EXPECT_EQ(cell->textLabel()->font()->pointSize(), 16);
                EXPECT_EQ(table->rectForRowAtIndexPath(path.get()).size.height, 50);
                if (section == 0)
                    EXPECT_TRUE(sameColour(cell->textLabel()->textColor().get(), 0, 1, 0)) << str(cell->textLabel()->textColor()->description());
                else
                    EXPECT_TRUE(sameColour(cell->textLabel()->textColor().get(), 0, 0, 0)) << str(cell->textLabel()->textColor()->description());
            }
        }
    });
}

TEST_F(AccountListScreen, HasDoneOnTheLeftAddOnTheRightNoTitleNoTrailingSeparatorsAndALightSeparatorBlur)
{
    inChild([] {
        auto shown = showList({ "Default" }, "Default");
        auto item = shown.list->navigationItem();
        auto done = item->leftBarButtonItem();
        auto add = item->rightBarButtonItem();
        ASSERT_TRUE(done);
        ASSERT_TRUE(add);
        EXPECT_EQ(item->leftItems().size(), 1u);
        EXPECT_EQ(item->rightItems().size(), 1u);
        EXPECT_EQ(done->systemItem(), UIBarButtonSystemItemDone);
        EXPECT_EQ(done->target().get(), shown.list.get());
        EXPECT_STREQ(objc::sel_getName(done->action()), "closeViewController");
        EXPECT_EQ(add->systemItem(), UIBarButtonSystemItemAdd);
        EXPECT_EQ(add->target().get(), shown.list.get());
        EXPECT_STREQ(objc::sel_getName(add->action()), "addAccount");
        EXPECT_FALSE(item->title());
        EXPECT_FALSE(shown.list->title());

        auto footer = shown.table()->tableFooterView();
        ASSERT_TRUE(footer);
        EXPECT_EQ(footer->frame().size.height, 0);
        EXPECT_EQ(footer->subviews()->count(), 0u);
        auto effect = shown.table()->separatorEffect();
        ASSERT_TRUE(objc::object_isKindOfClass(effect.get(), UIBlurEffect::staticClass()));
        EXPECT_EQ(static_cast<UIBlurEffect*>(effect.get())->style(), UIBlurEffectStyleLight);
        EXPECT_TRUE(objc::send<bool>(shown.list, "prefersStatusBarHidden"));
    });
}

TEST_F(AccountListScreen, OnlyListedAccountsHaveRowActionsAndTheActiveOneCanOnlyBeEdited)
{
    inChild([] {
        auto shown = showList({ "Default", "Work", "Home" }, "Work");
        UITableView* table = shown.table();
        EXPECT_TRUE(UserInput::openRowActions(table, 0, 0).empty());
        EXPECT_EQ(UserInput::openRowActions(table, 1, 0), (std::vector<std::string> { "Delete", "Edit" }));
        EXPECT_EQ(UserInput::openRowActions(table, 1, 1), std::vector<std::string> { "Edit" });
        EXPECT_EQ(UserInput::openRowActions(table, 1, 2), (std::vector<std::string> { "Delete", "Edit" }));

        auto actions = objc::send<RefPtr<NSArray>(UITableView*, NSIndexPath*)>(shown.list, "tableView:editActionsForRowAtIndexPath:",
            table, NSIndexPath::indexPathForRow(0, 1).get());
        ASSERT_EQ(actions->count(), 2u);
        auto* remove = static_cast<UITableViewRowAction*>(actions->objectAtIndex(0).get());
        auto* edit = static_cast<UITableViewRowAction*>(actions->objectAtIndex(1).get());
        EXPECT_EQ(remove->style(), UITableViewRowActionStyleDefault);
        EXPECT_EQ(edit->style(), UITableViewRowActionStyleDefault);
        EXPECT_TRUE(sameColour(edit->backgroundColor().get(), 0.5, 0.5, 0.5)) << str(edit->backgroundColor()->description());
    });
}

// Switching ----------------------------------------------------------------------

TEST_F(AccountListScreen, TappingAnInactiveAccountSwapsTheDataThenDismissesAndReportsYesOnce)
{
    inChild([] {
        auto shown = showList({ "Default", "Work" }, "Default");
        EXPECT_TRUE(UserInput::tapRow(shown.table(), 1, 1));
        RunLoop::runUntilIdle();

        EXPECT_EQ(readText(container() + "/Documents/Work.txt"), "data of Work\n");
        EXPECT_FALSE(fs::exists(container() + "/Documents/feed-cache.db"));
        EXPECT_EQ(readText(accountDir("Default") + "/Documents/feed-cache.db"), kContainerFeed);
        EXPECT_TRUE(fs::exists(accountDir("Default") + "/Library/Preferences/com.burbn.instagram.plist"));
        EXPECT_FALSE(fs::exists(accountDir("Work") + "/Documents"));
        EXPECT_EQ(storedCurrentAccount(), "Work");

        ASSERT_EQ(shown.runs->size(), 1u);
        EXPECT_TRUE(shown.runs->front().reopen);
        EXPECT_FALSE(shown.runs->front().listStillShown) << "the callback runs once the list is gone";
        EXPECT_FALSE(isShown(shown.list.get()));
        EXPECT_FALSE(shown.table()->indexPathForSelectedRow());
        EXPECT_EQ(shown.rows(0), std::vector<std::string> { "Work" }) << "the table was reloaded";
    });
}

TEST_F(AccountListScreen, TappingTheActiveAccountInTheListLeavesEverythingAndTheScreenAsItWas)
{
    inChild([] {
        auto shown = showList({ "Default", "Work" }, "Default");
        auto before = storeState();
        EXPECT_TRUE(UserInput::tapRow(shown.table(), 1, 0));
        RunLoop::runUntilIdle();

        EXPECT_EQ(storeState(), before);
        EXPECT_TRUE(shown.runs->empty());
        EXPECT_TRUE(isShown(shown.list.get()));
        EXPECT_FALSE(shown.table()->indexPathForSelectedRow()) << "the row is deselected";
    });
}

TEST_F(AccountListScreen, TappingTheActiveAccountAtTheTopClosesTheListAndAsksForInstagramWithoutMovingData)
{
    inChild([] {
        auto shown = showList({ "Default", "Work" }, "Default");
        auto before = storeState();
        EXPECT_TRUE(UserInput::tapRow(shown.table(), 0, 0));
        RunLoop::runUntilIdle();

        EXPECT_EQ(storeState(), before);
        EXPECT_EQ(shown.callbackArguments(), std::vector<bool> { true });
        EXPECT_FALSE(shown.runs->front().listStillShown);
        EXPECT_FALSE(isShown(shown.list.get()));
    });
}

TEST_F(AccountListScreen, TappingTheTopRowWithoutAnActiveAccountOpensTheAddDialog)
{
    inChild([] {
        auto shown = showList({ "Work" }, "");
        EXPECT_TRUE(UserInput::tapRow(shown.table(), 0, 0));
        RunLoop::runUntilIdle();

        EXPECT_EQ(shown.alertContent().title, "Add an Account");
        EXPECT_EQ(shown.alert().get(), shown.list->addNewController().get());
        EXPECT_TRUE(shown.runs->empty());
        EXPECT_TRUE(isShown(shown.list.get()));
    });
}

// Closing ---------------------------------------------------------------------------

TEST_F(AccountListScreen, DoneClosesTheListAndThenReportsNoOnce)
{
    inChild([] {
        auto shown = showList({ "Default", "Work" }, "Default");
        auto before = storeState();
        EXPECT_TRUE(UserInput::tapBarButtonItem(shown.list->navigationItem()->leftBarButtonItem().get()));
        RunLoop::runUntilIdle();

        ASSERT_EQ(shown.runs->size(), 1u);
        EXPECT_FALSE(shown.runs->front().reopen);
        EXPECT_FALSE(shown.runs->front().listStillShown);
        EXPECT_FALSE(isShown(shown.list.get()));
        EXPECT_EQ(storeState(), before);
    });
}

// Adding ----------------------------------------------------------------------------

TEST_F(AccountListScreen, TheAddDialogAsksForANameWithCancelAndAdd)
{
    inChild([] {
        auto shown = showList({ "Default" }, "Default");
        EXPECT_TRUE(UserInput::tapBarButtonItem(shown.list->navigationItem()->rightBarButtonItem().get()));
        RunLoop::runUntilIdle();

        auto alert = shown.alert();
        ASSERT_TRUE(alert);
        EXPECT_EQ(alert.get(), shown.list->addNewController().get());
        EXPECT_EQ(alert->preferredStyle(), UIAlertControllerStyleAlert);
        EXPECT_EQ(shown.alertContent(), (AlertContent { "Add an Account", "", { "Cancel/destructive", "Add/default" }, { "|Enter a name for this new Account" } }));
    });
}

TEST_F(AccountListScreen, AddingPutsTheActiveAccountAwayStartsTheNewOneEmptyAndReportsYes)
{
    inChild([] {
        auto shown = showList({ "Default", "Work" }, "Default");
        UserInput::tapBarButtonItem(shown.list->navigationItem()->rightBarButtonItem().get());
        RunLoop::runUntilIdle();
        shown.typeAndChoose("Personal", "Add");

        EXPECT_EQ(storedAccountList(), (std::vector<std::string> { "Default", "Work", "Personal" }));
        EXPECT_EQ(storedCurrentAccount(), "Personal");
        EXPECT_EQ(readText(accountDir("Default") + "/Documents/feed-cache.db"), kContainerFeed);
        EXPECT_TRUE(entries(container() + "/Documents").empty());
        EXPECT_TRUE(fs::is_directory(accountDir("Personal")));
        EXPECT_EQ(readText(accountDir("Work") + "/Documents/Work.txt"), "data of Work\n");

        ASSERT_EQ(shown.runs->size(), 1u);
        EXPECT_TRUE(shown.runs->front().reopen);
        EXPECT_FALSE(shown.runs->front().listStillShown);
        EXPECT_FALSE(isShown(shown.list.get()));
        EXPECT_EQ(shown.rows(0), std::vector<std::string> { "Personal" });
        EXPECT_EQ(shown.rows(1), (std::vector<std::string> { "Default", "Work", "Personal" }));
    });
}

TEST_F(AccountListScreen, CancellingTheAddDialogChangesNothing)
{
    inChild([] {
        auto shown = showList({ "Default" }, "Default");
        auto before = storeState();
        UserInput::tapBarButtonItem(shown.list->navigationItem()->rightBarButtonItem().get());
        RunLoop::runUntilIdle();
        shown.typeAndChoose("Personal", "Cancel");

        EXPECT_EQ(storeState(), before);
        EXPECT_FALSE(shown.alert());
        EXPECT_TRUE(shown.runs->empty());
        EXPECT_TRUE(isShown(shown.list.get()));
    });
}

TEST_F(AccountListScreen, ATakenNameAsksAgainAndThatMessageStaysForEveryLaterDialog)
{
    inChild([] {
        auto shown = showList({ "Default", "Work" }, "Default");
        auto before = storeState();
        UserInput::tapBarButtonItem(shown.list->navigationItem()->rightBarButtonItem().get());
        RunLoop::runUntilIdle();
        auto first = shown.alert();
        shown.typeAndChoose("Work", "Add");

        auto again = shown.alert();
        ASSERT_TRUE(again);
        EXPECT_NE(again.get(), first.get());
        EXPECT_EQ(again.get(), shown.list->addNewController().get());
        EXPECT_EQ(shown.alertContent(), (AlertContent { "Add an Account", kDuplicateMessage, { "Cancel/destructive", "Add/default" }, { "|Enter a name for this new Account" } }));
        EXPECT_EQ(storeState(), before);
        EXPECT_TRUE(shown.runs->empty());
        EXPECT_EQ(str(shown.list->addMessage()), kDuplicateMessage);

        shown.typeAndChoose("", "Cancel");
        UserInput::tapBarButtonItem(shown.list->navigationItem()->rightBarButtonItem().get());
        RunLoop::runUntilIdle();
        EXPECT_EQ(shown.alertContent().message, kDuplicateMessage) << "a later add dialog";
        shown.typeAndChoose("", "Cancel");

        EXPECT_TRUE(UserInput::chooseRowAction(shown.table(), 1, 1, "Edit"));
        RunLoop::runUntilIdle();
        EXPECT_EQ(shown.alertContent().title, "Edit Account");
        EXPECT_EQ(shown.alertContent().message, kDuplicateMessage) << "the rename dialog";
        EXPECT_EQ(storeState(), before);
    });
}

TEST_F(AccountListScreen, ANameDifferingOnlyInLetterCaseIsANewAccount)
{
    inChild([] {
        auto shown = showList({ "Default" }, "Default");
        UserInput::tapBarButtonItem(shown.list->navigationItem()->rightBarButtonItem().get());
        RunLoop::runUntilIdle();
        shown.typeAndChoose("default", "Add");

        EXPECT_EQ(storedAccountList(), (std::vector<std::string> { "Default", "default" }));
        EXPECT_EQ(storedCurrentAccount(), "default");
        EXPECT_EQ(readText(accountDir("Default") + "/Documents/feed-cache.db"), kContainerFeed);
        EXPECT_TRUE(fs::is_directory(accountDir("default")));
        EXPECT_EQ(shown.callbackArguments(), std::vector<bool> { true });
    });
}

TEST_F(AccountListScreen, ANameThatCannotNameAFolderIsRefusedWithAMessageAndChangesNothing)
{
    inChild([] {
        auto shown = showList({ "Default", "Work" }, "Default");
        auto before = storeState();
        for (const char* name : { "", ".", "..", "a/b", "../Work" }) {
            SCOPED_TRACE(std::string("name '") + name + "'");
            UserInput::tapBarButtonItem(shown.list->navigationItem()->rightBarButtonItem().get());
            RunLoop::runUntilIdle();
            shown.typeAndChoose(name, "Add");

            EXPECT_EQ(shown.alertContent(), (AlertContent { "Add an Account", kUnusableMessage, { "Cancel/destructive", "Add/default" }, { "|Enter a name for this new Account" } }));
            EXPECT_EQ(storeState(), before);
            EXPECT_TRUE(shown.runs->empty());
            shown.typeAndChoose("", "Cancel");
        }
        EXPECT_TRUE(isShown(shown.list.get()));
        EXPECT_EQ(shown.rows(1), (std::vector<std::string> { "Default", "Work" }));
    });
}

// Renaming ------------------------------------------------------------------------------

TEST_F(AccountListScreen, TheRenameDialogStartsWithTheAccountsName)
{
    inChild([] {
        auto shown = showList({ "Default", "Work" }, "Default");
        EXPECT_TRUE(UserInput::chooseRowAction(shown.table(), 1, 1, "Edit"));
        RunLoop::runUntilIdle();

        auto alert = shown.alert();
        ASSERT_TRUE(alert);
        EXPECT_EQ(alert.get(), shown.list->editController().get());
        EXPECT_EQ(alert->preferredStyle(), UIAlertControllerStyleAlert);
        EXPECT_EQ(shown.alertContent(), (AlertContent { "Edit Account", "", { "Cancel/destructive", "Save/default" }, { "Work|" } }));
    });
}

TEST_F(AccountListScreen, SavingANewNameRenamesTheFolderAndTheRowAndKeepsTheScreenOpen)
{
    inChild([] {
        auto shown = showList({ "Default", "Work", "Home" }, "Default");
        UserInput::chooseRowAction(shown.table(), 1, 1, "Edit");
        RunLoop::runUntilIdle();
        shown.typeAndChoose("Job", "Save");

        EXPECT_FALSE(fs::exists(accountDir("Work")));
        EXPECT_EQ(readText(accountDir("Job") + "/Documents/Work.txt"), "data of Work\n");
        EXPECT_EQ(storedAccountList(), (std::vector<std::string> { "Default", "Job", "Home" }));
        EXPECT_EQ(shown.rows(1), (std::vector<std::string> { "Default", "Job", "Home" }));
        EXPECT_EQ(storedCurrentAccount(), "Default");
        EXPECT_TRUE(isShown(shown.list.get()));
        EXPECT_FALSE(shown.alert());
        EXPECT_TRUE(shown.runs->empty());
    });
}

TEST_F(AccountListScreen, RenamingTheActiveAccountRenamesItAtTheTopAsWell)
{
    inChild([] {
        auto shown = showList({ "Default", "Work" }, "Default");
        UserInput::chooseRowAction(shown.table(), 1, 0, "Edit");
        RunLoop::runUntilIdle();
        EXPECT_EQ(shown.alertContent().fields, std::vector<std::string> { "Default|" });
        shown.typeAndChoose("Main", "Save");

        EXPECT_EQ(storedCurrentAccount(), "Main");
        EXPECT_EQ(shown.rows(0), std::vector<std::string> { "Main" });
        EXPECT_EQ(shown.rows(1), (std::vector<std::string> { "Main", "Work" }));
        EXPECT_TRUE(fs::is_directory(accountDir("Main")));
        EXPECT_FALSE(fs::exists(accountDir("Default")));
        EXPECT_EQ(readText(container() + "/Documents/feed-cache.db"), kContainerFeed) << "the live data stays in place";
        EXPECT_EQ(UserInput::openRowActions(shown.table(), 1, 0), std::vector<std::string> { "Edit" });
    });
}

TEST_F(AccountListScreen, RenamingOntoAnotherAccountsNameOrAnUnusableNameChangesNothing)
{
    inChild([] {
        auto shown = showList({ "Default", "Work", "Home" }, "Default");
        auto before = storeState();
        UserInput::chooseRowAction(shown.table(), 1, 1, "Edit");
        RunLoop::runUntilIdle();
        shown.typeAndChoose("Home", "Save");
        EXPECT_EQ(storeState(), before);
        EXPECT_EQ(shown.rows(1), (std::vector<std::string> { "Default", "Work", "Home" }));

        for (const char* name : { "", "..", "x/y" }) {
            SCOPED_TRACE(std::string("name '") + name + "'");
            UserInput::chooseRowAction(shown.table(), 1, 1, "Edit");
            RunLoop::runUntilIdle();
            shown.typeAndChoose(name, "Save");
            EXPECT_EQ(shown.alertContent(), (AlertContent { "Edit Account", kUnusableMessage, { "Cancel/destructive", "Save/default" }, { "Work|" } }));
            shown.typeAndChoose("Work", "Cancel");
            EXPECT_EQ(storeState(), before);
        }
        EXPECT_TRUE(shown.runs->empty());
    });
}

TEST_F(AccountListScreen, CancellingTheRenameDialogChangesNothing)
{
    inChild([] {
        auto shown = showList({ "Default", "Work" }, "Default");
        auto before = storeState();
        UserInput::chooseRowAction(shown.table(), 1, 1, "Edit");
        RunLoop::runUntilIdle();
        shown.typeAndChoose("Job", "Cancel");
        EXPECT_EQ(storeState(), before);
        EXPECT_EQ(shown.rows(1), (std::vector<std::string> { "Default", "Work" }));
    });
}

// Deleting ------------------------------------------------------------------------------

TEST_F(AccountListScreen, DeletingRemovesTheRowAndTheAccountsFolderAndKeepsTheScreenOpen)
{
    inChild([] {
        auto shown = showList({ "Default", "Work", "Home" }, "Default");
        auto containerBefore = treeState(container());
        EXPECT_TRUE(UserInput::chooseRowAction(shown.table(), 1, 1, "Delete"));
        RunLoop::runUntilIdle();

        EXPECT_EQ(shown.table()->lastRowAnimation(), UITableViewRowAnimationFade);
        EXPECT_EQ(shown.rows(1), (std::vector<std::string> { "Default", "Home" }));
        EXPECT_EQ(storedAccountList(), (std::vector<std::string> { "Default", "Home" }));
        EXPECT_FALSE(fs::exists(accountDir("Work")));
        EXPECT_EQ(readText(accountDir("Home") + "/Documents/Home.txt"), "data of Home\n");
        EXPECT_EQ(treeState(container()), containerBefore);
        EXPECT_EQ(storedCurrentAccount(), "Default");
        EXPECT_TRUE(isShown(shown.list.get()));
        EXPECT_TRUE(shown.runs->empty());
    });
}

TEST_F(AccountListScreen, DeletingAnEntryThatStandsForNoNameTakesItOffTheListAndTouchesNoFile)
{
    inChild([] {
        // A list entry that is not the stored form of any name (the domain
        // file is shared with other tools and can be edited by hand).
        prepareAccounts({ "Default", "Work" }, "Default");
        auto list = CFPreferencesCopyAppValue(igtarvo::kAccountsKey, kDomain);
        auto entries = static_cast<NSArray*>(list.get())->items();
        entries.push_back(ns("not a stored name!"));
        CFPreferencesSetAppValue(igtarvo::kAccountsKey, NSArray::create(entries).get(), kDomain);
        auto shown = showPreparedList();
        ASSERT_EQ(shown.table()->numberOfRowsInSection(1), 3);
        auto containerBefore = treeState(container());
        auto accountsBefore = treeState(platform::Device::path("/var/mobile/Library/Preferences/igTarvo"));

        EXPECT_TRUE(UserInput::chooseRowAction(shown.table(), 1, 2, "Delete"));
        RunLoop::runUntilIdle();

        EXPECT_EQ(shown.table()->numberOfRowsInSection(1), 2);
        auto stored = CFPreferencesCopyAppValue(igtarvo::kAccountsKey, kDomain);
        ASSERT_TRUE(objc::object_isKindOfClass(stored, NSArray::staticClass()));
        EXPECT_EQ(static_cast<NSArray*>(stored.get())->count(), 2u);
        EXPECT_EQ(treeState(container()), containerBefore);
        EXPECT_EQ(treeState(platform::Device::path("/var/mobile/Library/Preferences/igTarvo")), accountsBefore);
        EXPECT_TRUE(isShown(shown.list.get()));
    });
}
