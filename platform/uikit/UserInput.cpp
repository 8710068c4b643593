#include "platform/uikit/UserInput.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UICollectionView.h"
#include "platform/uikit/UICollectionViewCell.h"
#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIEvent.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UITableViewCell.h"
#include "platform/uikit/UITableViewRowAction.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIWindow.h"

namespace platform {

namespace {
double now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void deliver(UIWindow* window, UITouch* touch, double time)
{
    objc::send<void(UIEvent*)>(window, "sendEvent:", UIEvent::create({ Ref<UITouch>(*touch) }, time).get());
}
}

bool UserInput::tapRow(UITableView* table, long section, long row)
{
    if (!table)
        return false;
    auto path = NSIndexPath::indexPathForRow(row, section);
    table->layoutIfNeeded();
    if (!table->cellForRowAtIndexPath(path.get()))
        table->scrollToRowAtIndexPath(path.get(), UITableViewScrollPositionNone, false);
    return table->userTapRow(path.get());
}

bool UserInput::tapItem(UICollectionView* collection, long section, long item)
{
    if (!collection)
        return false;
    auto path = NSIndexPath::indexPathForItem(item, section);
    collection->layoutIfNeeded();
    if (!collection->cellForItemAtIndexPath(path.get()))
        collection->scrollToItemAtIndexPath(path.get(), UICollectionViewScrollPositionNone, false);
    return collection->userTapItem(path.get());
}

std::vector<std::string> UserInput::openRowActions(UITableView* table, long section, long row)
{
    std::vector<std::string> titles;
    if (!table)
        return titles;
    auto path = NSIndexPath::indexPathForRow(row, section);
    for (auto& action : table->userSwipeRow(path.get()))
        titles.push_back(str(action->title().get()));
    return titles;
}

bool UserInput::chooseRowAction(UITableView* table, long section, long row, const std::string& title)
{
    if (!table)
        return false;
    auto path = NSIndexPath::indexPathForRow(row, section);
    if (table->userSwipeRow(path.get()).empty())
        return false;
    return table->userChooseRowAction(title);
}

bool UserInput::tapControl(UIControl* control)
{
    if (!control || !control->isEnabled() || !control->isUserInteractionEnabled() || control->isHidden())
        return false;
    RefPtr<UIControl> keep(control);
    control->setHighlighted(true);
    control->sendActionsForControlEvents(UIControlEventTouchDown);
    control->setHighlighted(false);
    control->sendActionsForControlEvents(UIControlEventTouchUpInside);
    return true;
}

bool UserInput::tapBarButtonItem(UIBarButtonItem* item)
{
    return item && item->performTap();
}

bool UserInput::typeIntoAlert(UIAlertController* alert, size_t field, const std::string& text)
{
    if (!alert || field >= alert->textFieldList().size())
        return false;
    Ref<UITextField> target = alert->textFieldList()[field];
    target->becomeFirstResponder();
    return target->userReplaceText(text);
}

bool UserInput::chooseAlertAction(UIAlertController* alert, const std::string& title)
{
    if (!alert)
        return false;
    for (auto& action : alert->actionList()) {
        if (str(action->title().get()) == title) {
            Ref<UIAlertAction> chosen = action;
            return alert->userChooseAction(chosen.get());
        }
    }
    return false;
}

RefPtr<UIAlertController> UserInput::presentedAlert(UIWindow* window)
{
    if (!window)
        return nullptr;
    RefPtr<UIViewController> top = window->rootViewController();
    while (top) {
        auto next = top->presentedViewController();
        if (!next)
            break;
        top = next;
    }
    if (!objc::object_isKindOfClass(top.get(), UIAlertController::staticClass()))
        return nullptr;
    return RefPtr<UIAlertController>(static_cast<UIAlertController*>(top.get()));
}

void UserInput::tap(UIWindow* window, CGPoint point)
{
    if (!window)
        return;
    double t = now();
    auto touch = UITouch::create(window, point, t);
    deliver(window, touch.get(), t);
    touch->update(point, UITouchPhaseEnded, t + 0.05);
    deliver(window, touch.get(), t + 0.05);
}

void UserInput::swipe(UIWindow* window, CGPoint from, unsigned long direction, double distance, std::chrono::milliseconds duration)
{
    if (!window)
        return;
    double dx = 0, dy = 0;
    if (direction & UISwipeGestureRecognizerDirectionRight)
        dx = distance;
    else if (direction & UISwipeGestureRecognizerDirectionLeft)
        dx = -distance;
    else if (direction & UISwipeGestureRecognizerDirectionUp)
        dy = -distance;
    else if (direction & UISwipeGestureRecognizerDirectionDown)
        dy = distance;
    double t = now();
    double span = std::chrono::duration<double>(duration).count();
    auto touch = UITouch::create(window, from, t);
    deliver(window, touch.get(), t);
    constexpr int kSteps = 5;
    for (int i = 1; i <= kSteps; ++i) {
        double f = double(i) / kSteps;
        touch->update(CGPointMake(from.x + dx * f, from.y + dy * f), UITouchPhaseMoved, t + span * f);
        deliver(window, touch.get(), t + span * f);
    }
    touch->update(CGPointMake(from.x + dx, from.y + dy), UITouchPhaseEnded, t + span);
    deliver(window, touch.get(), t + span);
}

void UserInput::pressAndHold(UIWindow* window, CGPoint point, std::chrono::milliseconds duration)
{
    if (!window)
        return;
    RefPtr<UIWindow> keep(window);
    double t = now();
    auto touch = UITouch::create(window, point, t);
    deliver(window, touch.get(), t);
    RunLoop::runFor(duration);
    double end = t + std::chrono::duration<double>(duration).count();
    touch->update(point, UITouchPhaseEnded, end);
    deliver(window, touch.get(), end);
}

} // namespace platform
