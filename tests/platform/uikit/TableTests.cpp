#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UITableViewCell.h"
#include "platform/uikit/UITableViewController.h"
#include "platform/uikit/UITableViewHeaderFooterView.h"
#include "platform/uikit/UITableViewRowAction.h"
#include "platform/uikit/UIWindow.h"
#include "platform/uikit/UserInput.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// A two-section list: one "current" row, then the names; names can be
// deleted through a row action and edited through another.
class NamesController : public UITableViewController {
    OBJC_CLASS(NamesController, UITableViewController)
public:
    static void registerMethods(objc::ClassBuilder<NamesController>& b)
    {
        b.method<&NamesController::sections>("numberOfSectionsInTableView:")
            .method<&NamesController::rows>("tableView:numberOfRowsInSection:")
            .method<&NamesController::cell>("tableView:cellForRowAtIndexPath:")
            .method<&NamesController::title>("tableView:titleForHeaderInSection:")
            .method<&NamesController::height>("tableView:heightForRowAtIndexPath:")
            .method<&NamesController::canEdit>("tableView:canEditRowAtIndexPath:")
            .method<&NamesController::commit>("tableView:commitEditingStyle:forRowAtIndexPath:")
            .method<&NamesController::actions>("tableView:editActionsForRowAtIndexPath:")
            .method<&NamesController::didSelect>("tableView:didSelectRowAtIndexPath:")
            .method<&NamesController::willDisplayHeader>("tableView:willDisplayHeaderView:forSection:");
    }
    static Ref<NamesController> create(std::vector<std::string> names)
    {
        auto c = objc::make<NamesController>();
        objc::send<RefPtr<UITableViewController>(long)>(c, "initWithStyle:", long(UITableViewStylePlain));
        c->names = std::move(names);
        return c;
    }
    long sections(UITableView*) { return 2; }
    long rows(UITableView*, long section) { return section == 0 ? 1 : long(names.size()); }
    RefPtr<UITableViewCell> cell(UITableView* table, NSIndexPath* path)
    {
        ++cellRequests;
        auto cell = table->dequeueReusableCellWithIdentifier(ns("accountCell").get());
        if (!cell)
            cell = UITableViewCell::create(UITableViewCellStyleSubtitle, "accountCell");
        else
            ++reused;
        std::string text = path->section() == 0 ? "Current" : names[size_t(path->row())];
        cell->textLabel()->setText(ns(text).get());
        return cell;
    }
    RefPtr<NSString> title(UITableView*, long section) { return ns(section == 0 ? "Current Account" : "Accounts"); }
    double height(UITableView*, NSIndexPath*) { return 50; }
    bool canEdit(UITableView*, NSIndexPath* path) { return path->section() == 1; }
    void commit(UITableView*, long, NSIndexPath*) { ++commits; }
    RefPtr<NSArray> actions(UITableView* table, NSIndexPath* path)
    {
        objc::WeakPtr<NamesController> weak(this);
        // The table keeps the actions of a row left open: they hold it weakly.
        objc::WeakPtr<UITableView> weakTable(table);
        auto edit = UITableViewRowAction::create(UITableViewRowActionStyleDefault, "Edit", [weak](UITableViewRowAction*, NSIndexPath* p) {
            if (auto self = weak.lock())
                self->log.push_back("edit " + self->names[size_t(p->row())]);
        });
        edit->setBackgroundColor(UIColor::grayColor().get());
        auto remove = UITableViewRowAction::create(UITableViewRowActionStyleDefault, "Delete", [weak, weakTable](UITableViewRowAction*, NSIndexPath* p) {
            auto self = weak.lock();
            auto t = weakTable.lock();
            if (!self || !t)
                return;
            t->beginUpdates();
            self->log.push_back("delete " + self->names[size_t(p->row())]);
            self->names.erase(self->names.begin() + p->row());
            t->deleteRowsAtIndexPaths(NSArray::create({ Ref<Object>(*p) }).get(), UITableViewRowAnimationFade);
            t->endUpdates();
        });
        if (path->row() == 0)
            return NSArray::create({ edit });
        return NSArray::create({ remove, edit });
    }
    void didSelect(UITableView* table, NSIndexPath* path)
    {
        log.push_back("select " + std::to_string(path->section()) + "." + std::to_string(path->row()));
        selectedDuringDidSelect = table->indexPathForSelectedRow() && table->indexPathForSelectedRow()->isEqual(path);
        table->deselectRowAtIndexPath(path, true);
    }
    void willDisplayHeader(UITableView*, UIView* header, long section) { headersShown.push_back(section); }

    std::vector<std::string> names;
    std::vector<std::string> log;
    std::vector<long> headersShown;
    int cellRequests = 0;
    int reused = 0;
    int commits = 0;
    bool selectedDuringDidSelect = false;
};
OBJC_CLASS_DEFINE(NamesController)

class TableTest : public ::testing::Test {
protected:
    void show(std::vector<std::string> names)
    {
        controller = NamesController::create(std::move(names));
        window = UIWindow::create(CGRectMake(0, 0, 320, 480));
        window->setRootViewController(controller.get());
        window->makeKeyAndVisible();
        RunLoop::runUntilIdle();
        table = controller->tableView();
    }
    void TearDown() override
    {
        if (window)
            window->setHidden(true);
    }
    std::string textAt(long section, long row)
    {
        auto cell = table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(row, section).get());
        return cell ? cell->textLabel()->textString() : "(no cell)";
    }
    RefPtr<NamesController> controller;
    RefPtr<UIWindow> window;
    RefPtr<UITableView> table;
};

}

TEST_F(TableTest, LaysOutHeadersAndRowsFromTheDataSource)
{
    show({ "alice", "bob" });
    EXPECT_EQ(table->frame(), CGRectMake(0, 0, 320, 480));
    EXPECT_EQ(table->numberOfSections(), 2);
    EXPECT_EQ(table->numberOfRowsInSection(1), 2);
    EXPECT_EQ(table->rectForHeaderInSection(0), CGRectMake(0, 0, 320, 28));
    EXPECT_EQ(table->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0).get()), CGRectMake(0, 28, 320, 50));
    EXPECT_EQ(table->rectForHeaderInSection(1), CGRectMake(0, 78, 320, 28));
    EXPECT_EQ(table->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(1, 1).get()), CGRectMake(0, 156, 320, 50));
    EXPECT_EQ(table->contentSize(), CGSizeMake(320, 206));
    EXPECT_EQ(textAt(0, 0), "Current");
    EXPECT_EQ(textAt(1, 1), "bob");
    auto header = table->headerViewForSection(1);
    ASSERT_TRUE(objc::object_isKindOfClass(header.get(), UITableViewHeaderFooterView::staticClass()));
    EXPECT_EQ(static_cast<UITableViewHeaderFooterView*>(header.get())->textLabel()->textString(), "Accounts");
    EXPECT_EQ(controller->headersShown, (std::vector<long> { 0, 1 }));
    auto cell = table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(1, 1).get());
    EXPECT_EQ(cell->frame(), CGRectMake(0, 156, 320, 50));
    EXPECT_EQ(cell->textLabel()->frame(), CGRectMake(15, 15, 290, 21));
}

TEST_F(TableTest, OnlyVisibleRowsHaveCellsAndScrolledOutCellsAreReused)
{
    std::vector<std::string> many;
    for (int i = 0; i < 20; ++i)
        many.push_back("name" + std::to_string(i));
    show(many);
    // 480 points show the header, the current row, the second header and 8 rows (the 8th in part).
    EXPECT_EQ(table->visibleCells()->count(), 9u);
    EXPECT_EQ(controller->cellRequests, 9);
    EXPECT_EQ(textAt(1, 7), "name7");
    EXPECT_EQ(textAt(1, 8), "(no cell)");

    EXPECT_TRUE(UserInput::tapRow(table.get(), 1, 15));
    EXPECT_EQ(textAt(1, 15), "name15");
    EXPECT_GT(controller->reused, 0);
    EXPECT_EQ(controller->log.back(), "select 1.15");
    EXPECT_EQ(table->contentOffset(), CGPointMake(0, 106 + 16 * 50 - 480));
}

TEST_F(TableTest, TappingARowSelectsItThenTellsTheDelegate)
{
    show({ "alice", "bob" });
    EXPECT_TRUE(UserInput::tapRow(table.get(), 1, 1));
    EXPECT_EQ(controller->log, (std::vector<std::string> { "select 1.1" }));
    EXPECT_TRUE(controller->selectedDuringDidSelect);
    EXPECT_EQ(table->indexPathForSelectedRow().get(), nullptr); // the delegate deselected it
    EXPECT_FALSE(UserInput::tapRow(table.get(), 1, 5));
    table->setAllowsSelection(false);
    EXPECT_FALSE(UserInput::tapRow(table.get(), 1, 0));
    EXPECT_EQ(controller->log.size(), 1u);
}

TEST_F(TableTest, ATapOnTheWindowReachesTheRowUnderIt)
{
    show({ "alice", "bob" });
    UserInput::tap(window.get(), CGPointMake(100, 160)); // inside the row of "bob"
    EXPECT_EQ(controller->log, (std::vector<std::string> { "select 1.1" }));
}

TEST_F(TableTest, RowActionsComeFromTheDelegateInOrder)
{
    show({ "alice", "bob", "carol" });
    EXPECT_EQ(UserInput::openRowActions(table.get(), 1, 0), (std::vector<std::string> { "Edit" }));
    EXPECT_EQ(UserInput::openRowActions(table.get(), 1, 1), (std::vector<std::string> { "Delete", "Edit" }));
    EXPECT_TRUE(UserInput::openRowActions(table.get(), 0, 0).empty()); // not editable
    EXPECT_TRUE(UserInput::chooseRowAction(table.get(), 1, 2, "Edit"));
    EXPECT_FALSE(UserInput::chooseRowAction(table.get(), 1, 2, "Rename"));
    EXPECT_EQ(controller->log, (std::vector<std::string> { "edit carol" }));
}

TEST_F(TableTest, DeletingARowInABatchMovesTheRowsBelowUp)
{
    show({ "alice", "bob", "carol" });
    EXPECT_TRUE(UserInput::chooseRowAction(table.get(), 1, 1, "Delete"));
    EXPECT_EQ(controller->log, (std::vector<std::string> { "delete bob" }));
    EXPECT_EQ(table->numberOfRowsInSection(1), 2);
    EXPECT_EQ(table->lastRowAnimation(), UITableViewRowAnimationFade);
    EXPECT_EQ(textAt(1, 1), "carol");
    EXPECT_EQ(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(1, 1).get())->frame(), CGRectMake(0, 156, 320, 50));
    EXPECT_EQ(textAt(1, 2), "(no cell)");
    EXPECT_EQ(table->swipedRow().get(), nullptr);
}

TEST_F(TableTest, AnUpdateThatDoesNotMatchTheDataSourceThrows)
{
    show({ "alice", "bob" });
    auto path = NSIndexPath::indexPathForRow(0, 1);
    table->beginUpdates();
    table->deleteRowsAtIndexPaths(NSArray::create({ path }).get(), UITableViewRowAnimationFade);
    EXPECT_THROW(table->endUpdates(), NSInternalInconsistencyException); // the names still hold two
}

TEST_F(TableTest, WithoutEditActionsTheDeleteButtonCommitsTheEdit)
{
    show({ "alice" });
    // A delegate that answers no edit actions: a subclass made at run time.
    auto cls = objc::objc_defineClass(NamesController::staticClass(), "NamesControllerWithoutActions", nullptr);
    auto noActions = [](id, objc::SEL, id, id) -> RefPtr<Object> { return nullptr; };
    RefPtr<Object> (*fn)(id, objc::SEL, id, id) = noActions;
    objc::class_addMethod(cls, objc::sel_registerName("tableView:editActionsForRowAtIndexPath:"), reinterpret_cast<objc::IMP>(fn), objc::impEncoding(fn));
    auto plain = objc::makeWithClass<NamesController>(cls);
    objc::send<RefPtr<UITableViewController>(long)>(plain, "initWithStyle:", 0L);
    plain->names = { "alice" };
    auto t = plain->tableView();
    t->setFrame(CGRectMake(0, 0, 320, 480));
    t->layoutIfNeeded();
    EXPECT_EQ(UserInput::openRowActions(t.get(), 1, 0), (std::vector<std::string> { "Delete" }));
    EXPECT_TRUE(UserInput::chooseRowAction(t.get(), 1, 0, "Delete"));
    EXPECT_EQ(plain->commits, 1);
}

TEST_F(TableTest, ReloadDataAsksForEveryVisibleCellAgain)
{
    show({ "alice", "bob" });
    int before = controller->cellRequests;
    controller->names[0] = "anna";
    objc::send<void>(table, "reloadData");
    EXPECT_EQ(controller->cellRequests, before + 3);
    EXPECT_EQ(textAt(1, 0), "anna");
}

TEST(UITableViewCell, SubtitleAndValueStylesPlaceTheirLabels)
{
    auto subtitle = UITableViewCell::create(UITableViewCellStyleSubtitle, "a");
    subtitle->setFrame(CGRectMake(0, 0, 320, 60));
    subtitle->textLabel()->setText(ns("Title").get());
    subtitle->detailTextLabel()->setText(ns("detail").get());
    subtitle->layoutIfNeeded();
    EXPECT_EQ(subtitle->textLabel()->frame(), CGRectMake(15, 12, 290, 21));
    EXPECT_EQ(subtitle->detailTextLabel()->frame(), CGRectMake(15, 33, 290, 15));

    auto value = UITableViewCell::create(UITableViewCellStyleValue1, "b");
    value->setFrame(CGRectMake(0, 0, 320, 44));
    value->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
    value->textLabel()->setText(ns("Version").get());
    value->detailTextLabel()->setText(ns("1.0").get());
    value->layoutIfNeeded();
    EXPECT_EQ(value->contentView()->frame(), CGRectMake(0, 0, 287, 44));
    // "1.0" at 17 points: 23.63 wide, 24 once rounded up; right-aligned 15 points in.
    EXPECT_EQ(value->detailTextLabel()->frame(), CGRectMake(248, 12, 24, 21));

    auto plain = UITableViewCell::create(UITableViewCellStyleDefault, "");
    EXPECT_EQ(plain->detailTextLabel().get(), nullptr);
    EXPECT_EQ(plain->reuseIdentifier().get(), nullptr);
}
