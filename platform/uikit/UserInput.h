#pragma once
// What a user does, for tests and the device simulator: taps, swipes and
// presses on windows, taps on rows, buttons and bar buttons, a row's swipe
// actions, typing into an alert and choosing its buttons. Each step goes
// through the same paths a finger would (hit-testing, recognisers, the
// table's selection sequence) and returns once the kit has handled it;
// transitions it starts still need the main loop. Main thread.

#include "platform/uikit/UIGeometry.h"
#include "platform/uikit/UISwipeGestureRecognizer.h"
#include "platform/foundation/NSValues.h"

#include <chrono>
#include <string>
#include <vector>

namespace platform {

class NSIndexPath;
class UIAlertController;
class UIBarButtonItem;
class UICollectionView;
class UIControl;
class UITableView;
class UIWindow;

class UserInput {
public:
    // Taps a row: scrolls it on screen, then the table's tap sequence (the
    // delegate's will-select, selection, did-select). Answers whether a row was selected.
    static bool tapRow(UITableView* table, long section, long row);
    // Taps an item of a collection view: scrolls it on screen, then the
    // collection view's tap sequence (should-select, selection, did-select).
    // Answers whether the item was selected.
    static bool tapItem(UICollectionView* collection, long section, long item);
    // Swipes a row open; answers the titles of its actions, in order (none when it cannot be edited).
    static std::vector<std::string> openRowActions(UITableView* table, long section, long row);
    // Swipes a row open and chooses the action with this title; false when there is none.
    static bool chooseRowAction(UITableView* table, long section, long row, const std::string& title);

    // Taps a control: touch down, then touch up inside (nothing when it is disabled
    // or ignores touches). Answers whether the tap reached it.
    static bool tapControl(UIControl* control);
    // Taps a bar button item; answers whether its action was delivered.
    static bool tapBarButtonItem(UIBarButtonItem* item);

    // Types text into an alert's text field (replacing what it held); false without that field.
    static bool typeIntoAlert(UIAlertController* alert, size_t field, const std::string& text);
    // Chooses an alert's action by title: the alert is dismissed and the
    // handler runs once the dismissal is over. False when there is no such
    // enabled action or the alert is not on screen.
    static bool chooseAlertAction(UIAlertController* alert, const std::string& title);
    // The alert presented now from the window's root controller (or above it), or nil.
    static RefPtr<UIAlertController> presentedAlert(UIWindow* window);

    // A finger put down and lifted at a point of the window (window coordinates).
    static void tap(UIWindow* window, CGPoint point);
    // A finger moved quickly from a point in a direction (default 100 points in 0.1 s).
    static void swipe(UIWindow* window, CGPoint from, unsigned long direction, double distance = 100,
        std::chrono::milliseconds duration = std::chrono::milliseconds(100));
    // A finger held still at a point for a time, the main loop running meanwhile
    // (also when called from main-queue work), then lifted.
    static void pressAndHold(UIWindow* window, CGPoint point, std::chrono::milliseconds duration);
};

} // namespace platform
