#include "apps/hosts/ScreenReport.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UITableViewCell.h"
#include "platform/uikit/UITableViewController.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UserInput.h"

#include <stdexcept>

namespace hosts {

using namespace platform;
using objc::RefPtr;
using Args = std::vector<std::string>;

void settle()
{
    RunLoop::runFor(std::chrono::milliseconds(450));
    // On a busy machine the loop may not have reached the end of a transition
    // in that time: a person's next gesture waits until what they started has
    // come to rest.
    RunLoop::runUntil([] { return UIViewController::transitionsInProgress() == 0; }, std::chrono::seconds(10));
}

namespace {

// The controller shown on top: the last of the presented chain.
RefPtr<UIViewController> topController(UIWindow* window)
{
    RefPtr<UIViewController> top = window ? window->rootViewController() : nullptr;
    while (top && top->presentedViewController())
        top = top->presentedViewController();
    return top;
}

RefPtr<UITableViewController> shownTable(UIWindow* window)
{
    RefPtr<UIViewController> top = topController(window);
    if (auto navigation = objc::dynamicCast<UINavigationController>(top.get()))
        top = navigation->topViewController();
    if (!objc::object_isKindOfClass(top, UITableViewController::staticClass()))
        return nullptr;
    return RefPtr<UITableViewController>(static_cast<UITableViewController*>(top.get()));
}

RefPtr<UIAlertController> shownAlert(UIWindow* window)
{
    auto top = topController(window);
    return objc::dynamicCast<UIAlertController>(top);
}

std::string describeTable(UITableViewController* controller)
{
    auto table = controller->tableView();
    std::string out = "list\n";
    auto source = table->dataSource();
    for (long section = 0; section < table->numberOfSections(); ++section) {
        std::string header;
        if (objc::respondsTo(source, "tableView:titleForHeaderInSection:"))
            header = str(objc::send<RefPtr<NSString>(UITableView*, long)>(source, "tableView:titleForHeaderInSection:", table.get(), section));
        out += "section " + std::to_string(section) + ": " + header + "\n";
        for (long row = 0; row < table->numberOfRowsInSection(section); ++row) {
            auto path = NSIndexPath::indexPathForRow(row, section);
            auto cell = objc::send<RefPtr<UITableViewCell>(UITableView*, NSIndexPath*)>(source, "tableView:cellForRowAtIndexPath:", table.get(), path.get());
            out += "  row " + std::to_string(row) + ": " + (cell ? str(cell->textLabel()->text()) : std::string()) + "\n";
        }
    }
    return out;
}

std::string describeAlert(UIAlertController* alert)
{
    std::string out = "alert: " + str(alert->title()) + "\n";
    if (!str(alert->message()).empty())
        out += "message: " + str(alert->message()) + "\n";
    for (auto& field : alert->textFieldList())
        out += "field: " + str(field->text()) + (str(field->placeholder()).empty() ? "" : " (" + str(field->placeholder()) + ")") + "\n";
    for (auto& action : alert->actionList())
        out += "action: " + str(action->title()) + "\n";
    return out;
}

long number(const Args& args, size_t i)
{
    if (i >= args.size())
        throw std::runtime_error("say the section and the row");
    return std::stol(args[i]);
}

std::string joined(const Args& args, size_t from)
{
    std::string out;
    for (size_t i = from; i < args.size(); ++i)
        out += (i > from ? " " : "") + args[i];
    return out;
}

} // namespace

std::string describeScreen(UIWindow* window)
{
    if (auto alert = shownAlert(window))
        return describeAlert(alert.get());
    if (auto table = shownTable(window))
        return describeTable(table.get());
    return "home screen\n";
}

std::map<std::string, ControlCommand> screenCommands(std::function<RefPtr<UIWindow>()> window)
{
    auto table = [window]() {
        auto shown = shownTable(window().get());
        if (!shown)
            throw std::runtime_error("no list on screen");
        return shown;
    };
    auto alert = [window]() {
        auto shown = shownAlert(window().get());
        if (!shown)
            throw std::runtime_error("no alert on screen");
        return shown;
    };
    return {
        { "screen", [window](const Args&) { return describeScreen(window().get()); } },
        { "tap-row", [window, table](const Args& args) {
             UserInput::tapRow(table()->tableView().get(), number(args, 0), number(args, 1));
             settle();
             return describeScreen(window().get());
         } },
        { "row-actions", [table](const Args& args) {
             std::string out;
             for (auto& title : UserInput::openRowActions(table()->tableView().get(), number(args, 0), number(args, 1)))
                 out += title + "\n";
             return out.empty() ? std::string("(no actions)\n") : out;
         } },
        { "row-action", [window, table](const Args& args) {
             if (!UserInput::chooseRowAction(table()->tableView().get(), number(args, 0), number(args, 1), joined(args, 2)))
                 return std::string("error: no such action\n");
             settle();
             return describeScreen(window().get());
         } },
        { "tap-bar-button", [window, table](const Args& args) {
             auto item = table()->navigationItem();
             auto button = !args.empty() && args[0] == "left" ? item->leftBarButtonItem() : item->rightBarButtonItem();
             if (!button || !UserInput::tapBarButtonItem(button.get()))
                 return std::string("error: no such button\n");
             settle();
             return describeScreen(window().get());
         } },
        { "type", [alert](const Args& args) {
             auto shown = alert();
             if (!UserInput::typeIntoAlert(shown.get(), 0, joined(args, 0)))
                 return std::string("error: the alert has no text field\n");
             return describeAlert(shown.get());
         } },
        { "choose", [window, alert](const Args& args) {
             if (!UserInput::chooseAlertAction(alert().get(), joined(args, 0)))
                 return std::string("error: no such action\n");
             settle();
             return describeScreen(window().get());
         } },
    };
}

} // namespace hosts
