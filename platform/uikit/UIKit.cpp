#include "platform/uikit/UIKit.h"
#include "platform/foundation/NSValues.h"
#include "platform/uikit/NSAttributedString.h"
#include "platform/uikit/NSMutableAttributedString.h"
#include "platform/uikit/NSURL.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIGestureRecognizer.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIEvent.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIWindow.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UILongPressGestureRecognizer.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UISwipeGestureRecognizer.h"
#include "platform/uikit/UITapGestureRecognizer.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/NSIndexPath.h"
#include "platform/uikit/UIBlurEffect.h"
#include "platform/uikit/UITableViewCell.h"
#include "platform/uikit/UITableViewController.h"
#include "platform/uikit/UITableViewHeaderFooterView.h"
#include "platform/uikit/UITableViewRowAction.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/CALayer.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIBezierPath.h"
#include "platform/uikit/NSStringDrawing.h"

#include <cstdio>
#include <mutex>

namespace platform {

void registerUIKitClasses()
{
    static const bool done = [] {
        registerFoundationClasses();
        NSMutableAttributedString::staticClass();
        NSURL::staticClass();
        UIColor::staticClass();
        UIFont::staticClass();
        UIImage::staticClass();
        UIScreen::staticClass();
        UIApplication::staticClass();
        UIButton::staticClass();
        UIImageView::staticClass();
        UILabel::staticClass();
        UIWindow::staticClass();
        UINavigationBar::staticClass();
        UINavigationItem::staticClass();
        UIBarButtonItem::staticClass();
        UINavigationController::staticClass();
        UIGestureRecognizer::staticClass();
        UITouch::staticClass();
        UIEvent::staticClass();
        NSIndexPath::staticClass();
        UIBlurEffect::staticClass();
        UITableView::staticClass();
        UITableViewCell::staticClass();
        UITableViewController::staticClass();
        UITableViewHeaderFooterView::staticClass();
        UITableViewRowAction::staticClass();
        UIAlertAction::staticClass();
        UIAlertController::staticClass();
        UITextField::staticClass();
        UISwipeGestureRecognizer::staticClass();
        UILongPressGestureRecognizer::staticClass();
        UITapGestureRecognizer::staticClass();
        CALayer::staticClass();
        NSLayoutConstraint::staticClass();
        UIBezierPath::staticClass();
        registerStringDrawing();
        return true;
    }();
    (void)done;
}

namespace {
std::mutex g_warningLock;
std::vector<std::string>& warnings()
{
    static auto* list = new std::vector<std::string>;
    return *list;
}
}

void UIKitWarn(const std::string& message)
{
    std::fprintf(stderr, "%s\n", message.c_str());
    std::lock_guard guard(g_warningLock);
    warnings().push_back(message);
}

std::vector<std::string> UIKitWarnings()
{
    std::lock_guard guard(g_warningLock);
    return warnings();
}

void UIKitClearWarnings()
{
    std::lock_guard guard(g_warningLock);
    warnings().clear();
}

std::chrono::milliseconds UIKitTransitionDuration()
{
    return std::chrono::milliseconds(100);
}

} // namespace platform

namespace {
// The kit's classes exist as soon as the platform is loaded.
const bool s_registered = (platform::registerUIKitClasses(), true);
}
