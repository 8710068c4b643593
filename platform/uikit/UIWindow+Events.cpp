// A window's delivery of touches to gesture recognisers, controls and table rows.

#include "platform/foundation/NSIndexPath.h"
#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIEvent.h"
#include "platform/uikit/UIGestureRecognizer.h"
#include "platform/uikit/UICollectionView.h"
#include "platform/uikit/UICollectionViewCell.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UITableViewCell.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>

namespace platform {

namespace {
template<class T>
RefPtr<T> nearest(UIView* view)
{
    for (RefPtr<UIView> v(view); v; v = v->superview()) {
        if (objc::object_isKindOfClass(v.get(), T::staticClass()))
            return RefPtr<T>(static_cast<T*>(v.get()));
    }
    return nullptr;
}
}

void UIWindow::sendEvent(UIEvent* event)
{
    if (!event)
        return;
    Ref<UIWindow> keep(*this);
    RefPtr<UIEvent> holdEvent(event);
    for (auto& touch : event->touches()) {
        auto it = std::find_if(m_touches.begin(), m_touches.end(), [&](const TrackedTouch& t) { return t.touch.get() == touch.get(); });
        switch (touch->phase()) {
        case UITouchPhaseBegan:
            if (it == m_touches.end())
                touchBegan(touch.get(), event);
            break;
        case UITouchPhaseMoved:
        case UITouchPhaseStationary:
            if (it != m_touches.end()) {
                auto recognizers = it->recognizers;
                for (auto& r : recognizers)
                    r->deliverMoved(touch.get(), event);
            }
            break;
        case UITouchPhaseEnded:
        case UITouchPhaseCancelled:
            if (it != m_touches.end()) {
                TrackedTouch tracked = std::move(*it);
                m_touches.erase(it);
                touchEnded(tracked, event, touch->phase() == UITouchPhaseCancelled);
            }
            break;
        }
    }
}

void UIWindow::touchBegan(UITouch* touch, UIEvent* event)
{
    TrackedTouch tracked { Ref<UITouch>(*touch), {}, nullptr };
    CGPoint p = touch->windowLocation();
    auto hit = objc::send<RefPtr<UIView>(CGPoint, id)>(this, "hitTest:withEvent:", p, event);
    touch->setView(hit.get());
    // The recognisers of the view under the finger and of every view above it.
    for (RefPtr<UIView> v = hit; v; v = v->superview()) {
        for (auto& recognizer : v->gestureRecognizerList()) {
            if (recognizer->offerTouch(touch, event))
                tracked.recognizers.push_back(recognizer);
        }
    }
    if (auto control = nearest<UIControl>(hit.get()); control && control->isEnabled()) {
        control->setHighlighted(true);
        control->sendActionsForControlEvents(UIControlEventTouchDown);
        tracked.control = control;
    }
    m_touches.push_back(std::move(tracked));
}

void UIWindow::touchEnded(TrackedTouch& tracked, UIEvent* event, bool cancelled)
{
    UITouch* touch = tracked.touch.get();
    bool claimed = false;
    for (auto& r : tracked.recognizers) {
        unsigned long before = r->actionCount();
        long stateBefore = r->state();
        if (cancelled)
            r->deliverCancelled(touch, event);
        else
            r->deliverEnded(touch, event);
        bool recognised = r->actionCount() != before || stateBefore == UIGestureRecognizerStateBegan || stateBefore == UIGestureRecognizerStateChanged
            || stateBefore == UIGestureRecognizerStateEnded;
        if (recognised && r->cancelsTouchesInView())
            claimed = true;
    }
    if (tracked.control)
        tracked.control->setHighlighted(false);
    if (!cancelled && !claimed)
        tapUnclaimed(touch, tracked.control.get());
    else if (tracked.control)
        tracked.control->sendActionsForControlEvents(UIControlEventTouchCancel);
    for (auto& r : tracked.recognizers)
        r->finishSequence();
}

void UIWindow::tapUnclaimed(UITouch* touch, UIControl* control)
{
    CGPoint p = touch->windowLocation();
    if (control) {
        CGPoint inside = control->convertPointFromView(p, this);
        control->sendActionsForControlEvents(CGRectContainsPoint(control->bounds(), inside) ? UIControlEventTouchUpInside : UIControlEventTouchUpOutside);
        return;
    }
    auto view = touch->view();
    auto cell = nearest<UITableViewCell>(view.get());
    auto table = cell ? nearest<UITableView>(cell->superview().get()) : nullptr;
    if (table) {
        if (auto path = table->indexPathForCell(cell.get()))
            table->userTapRow(path.get());
        return;
    }
    auto item = nearest<UICollectionViewCell>(view.get());
    auto collection = item ? nearest<UICollectionView>(item->superview().get()) : nullptr;
    if (collection) {
        if (auto path = collection->indexPathForCell(item.get()))
            collection->userTapItem(path.get());
    }
}

} // namespace platform
