#include "feed/actions/TarvoAlertController.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/NSStringDrawing.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIScreen.h"

namespace igtarvo {

using namespace platform;

OBJC_CLASS_LOAD(TarvoAlertController)

namespace {

// The private cells of the sheet's action list.
constexpr const char* kAlertCellIdentifier = "_UIAlertCollectionViewCellReuseIdentifier";

// Whether the older strip insertion has run for the sheet on screen: one
// token for the process, reset each time a sheet with a strip is wired.
bool s_olderStripScheduled = false;

bool newerSheet()
{
    return NSFoundationVersionNumber() >= NSFoundationVersionNumber_iOS_9_0;
}

void constrain(UIView* holder, id first, long firstAttribute, id second, long secondAttribute, double constant)
{
    holder->addConstraint(NSLayoutConstraint::constraintWithItem(first, firstAttribute, NSLayoutRelationEqual, second,
        secondAttribute, 1, constant).get());
}

RefPtr<UIView> asView(const RefPtr<objc::Object>& object)
{
    return objc::dynamicCast<UIView>(object);
}

} // namespace

Ref<TarvoAlertController> TarvoAlertController::make(const std::string& title, const std::string& message, long preferredStyle)
{
    auto menu = objc::send<RefPtr<TarvoAlertController>(id, id, long)>(staticClass(), "alertControllerWithTitle:message:preferredStyle:",
        ns(title).get(), ns(message).get(), preferredStyle);
    return menu.releaseNonNull();
}

bool TarvoAlertController::showsRepostRow(long row) const
{
    return !m_isForCurrentUser && row == 1;
}

Ref<TarvoRepostCollectionView> TarvoAlertController::makeStrip(CGRect frame)
{
    auto strip = TarvoRepostCollectionView::make(frame);
    strip->setTarvoDelegate(this);
    m_collectionView = strip;
    return strip;
}

// Wiring ----------------------------------------------------------------------------------

RefPtr<UIView> TarvoAlertController::alertControllerView()
{
    RefPtr<UIView> sheet = view();
    if (m_isForCurrentUser)
        return sheet;
    auto list = objc::dynamicCast<UICollectionView>(objc::send<RefPtr<objc::Object>(id)>(sheet, "valueForKey:", ns("_actionCollectionView").get()));
    if (!list)
        return sheet;
    list->setDelegate(this);
    if (newerSheet())
        list->setDataSource(this);
    try {
        auto layout = objc::dynamicCast<UICollectionViewFlowLayout>(list->collectionViewLayout());
        double itemHeight = layout ? layout->itemSize().height : 0;
        for (auto& constraint : list->constraintList()) {
            if (constraint->firstAttribute() == NSLayoutAttributeHeight) {
                constraint->setConstant(3 * itemHeight + kTarvoRepostRowHeight);
                break;
            }
        }
    } catch (const std::exception&) {
        // A list laid out differently keeps its height.
    }
    s_olderStripScheduled = false;
    return sheet;
}

// The action list -----------------------------------------------------------------------------

long TarvoAlertController::collectionViewNumberOfItemsInSection(UICollectionView*, long)
{
    return long(actionList().size());
}

RefPtr<UICollectionViewCell> TarvoAlertController::collectionViewCellForItemAtIndexPath(UICollectionView* view, NSIndexPath* indexPath)
{
    auto cell = view->dequeueReusableCellWithReuseIdentifierForIndexPath(ns(kAlertCellIdentifier).get(), indexPath);
    long row = indexPath->item();
    try {
        auto actionView = objc::send<RefPtr<objc::Object>>(cell, "actionView");
        if (row >= 0 && row < long(actionList().size()))
            objc::send<void(id)>(actionView, "setAction:", actionList()[size_t(row)].get());
        auto title = objc::dynamicCast<UILabel>(objc::send<RefPtr<objc::Object>>(actionView, "titleLabel"));
        auto content = cell->contentView();
        if (!title || !content)
            return cell;
        content->addSubview(title.get());
        title->setTranslatesAutoresizingMaskIntoConstraints(false);
        double textHeight = NSStringSizeWithFont(title->textString(), title->font().get()).height;
        constrain(content.get(), title.get(), NSLayoutAttributeCenterX, content.get(), NSLayoutAttributeCenterX, 0);
        constrain(content.get(), title.get(), NSLayoutAttributeWidth, nullptr, NSLayoutAttributeNotAnAttribute, cell->frame().size.width);
        constrain(content.get(), title.get(), NSLayoutAttributeHeight, nullptr, NSLayoutAttributeNotAnAttribute, textHeight);
        if (showsRepostRow(row)) {
            constrain(content.get(), title.get(), NSLayoutAttributeTop, content.get(), NSLayoutAttributeTop, 5);
            RefPtr<TarvoRepostCollectionView> strip = m_collectionView ? m_collectionView : makeStrip(CGRectZero);
            content->addSubview(strip.get());
            strip->setTranslatesAutoresizingMaskIntoConstraints(false);
            constrain(content.get(), strip.get(), NSLayoutAttributeCenterX, content.get(), NSLayoutAttributeCenterX, 0);
            constrain(content.get(), strip.get(), NSLayoutAttributeWidth, content.get(), NSLayoutAttributeWidth, 0);
            constrain(content.get(), strip.get(), NSLayoutAttributeHeight, content.get(), NSLayoutAttributeHeight, 0);
            constrain(content.get(), strip.get(), NSLayoutAttributeTop, title.get(), NSLayoutAttributeBottom, -5);
        } else {
            constrain(content.get(), title.get(), NSLayoutAttributeCenterY, content.get(), NSLayoutAttributeCenterY, 0);
        }
    } catch (const std::exception&) {
        // A cell built differently is shown as it is.
    }
    return cell;
}

CGSize TarvoAlertController::collectionViewLayoutSizeForItemAtIndexPath(UICollectionView* view, UICollectionViewLayout* layout, NSIndexPath* indexPath)
{
    if (showsRepostRow(indexPath->item()) && actionList().size() == 4) {
        if (!newerSheet())
            insertStripIntoOlderRow(view, indexPath);
        return CGSizeMake(UIScreen::mainScreen()->bounds().size.width, kTarvoRepostRowHeight);
    }
    auto flow = objc::dynamicCast<UICollectionViewFlowLayout>(static_cast<id>(layout));
    return flow ? flow->itemSize() : CGSizeZero;
}

namespace {
// The title label of an older-layout action row (the content view's first
// subview holds it as "label"), or nil.
RefPtr<UIView> olderRowLabel(UICollectionViewCell* cell)
{
    auto content = cell ? cell->contentView() : nullptr;
    if (!content || content->subviewList().empty())
        return nullptr;
    return asView(objc::send<RefPtr<objc::Object>(id)>(content->subviewList().front(), "valueForKey:", ns("label").get()));
}

void moveToTop(UIView* label)
{
    CGRect frame = label->frame();
    frame.origin.y = 10;
    label->setFrame(frame);
}
} // namespace

// The older sheet makes its own rows: the Repost row's title moves up, and
// once per sheet the strip goes under it. The row's cell may not exist yet
// while the list asks for sizes, so the insertion looks it up when it runs and
// leaves the token unspent when there is still no row to put the strip into.
void TarvoAlertController::insertStripIntoOlderRow(UICollectionView* view, NSIndexPath* indexPath)
{
    try {
        auto cell = view->cellForItemAtIndexPath(indexPath);
        if (auto label = olderRowLabel(cell.get()))
            moveToTop(label.get());
    } catch (const std::exception&) {
        return;
    }
    if (s_olderStripScheduled)
        return;
    s_olderStripScheduled = true;
    Ref<TarvoAlertController> self(*this);
    RefPtr<UICollectionView> list(view);
    RefPtr<NSIndexPath> path(indexPath);
    dispatch_async(dispatch_get_main_queue(), [self, list, path] {
        try {
            if (self->m_collectionView)
                return;
            auto cell = list->cellForItemAtIndexPath(path.get());
            auto label = olderRowLabel(cell.get());
            if (!label) {
                s_olderStripScheduled = false;
                return;
            }
            moveToTop(label.get());
            CGRect content = cell->contentView()->frame();
            double y = CGRectGetMaxY(label->frame()) + 10;
            auto strip = self->makeStrip(CGRectMake(content.origin.x, y, content.size.width, content.size.height - y));
            cell->contentView()->addSubview(strip.get());
        } catch (const std::exception&) {
            // The row stays without its strip.
        }
    });
}

// Choosing ------------------------------------------------------------------------------------

void TarvoAlertController::dismissThenRun(long actionIndex)
{
    Ref<TarvoAlertController> self(*this);
    objc::send<void(bool, Completion)>(this, "dismissViewControllerAnimated:completion:", true, Completion([self, actionIndex] {
        if (actionIndex < 0 || actionIndex >= long(self->actionList().size()))
            return;
        Ref<UIAlertAction> action = self->actionList()[size_t(actionIndex)];
        auto handler = objc::send<UIAlertActionHandler>(action, "handler");
        if (handler)
            handler(action.get());
    }));
}

void TarvoAlertController::collectionViewDidSelectItemAtIndexPath(UICollectionView*, NSIndexPath* indexPath)
{
    dismissThenRun(indexPath->item());
}

void TarvoAlertController::collectionViewDidSelectRepostOption(TarvoRepostCollectionView*, long)
{
    if (actionList().size() > 1)
        dismissThenRun(1);
    else
        objc::send<void(bool, Completion)>(this, "dismissViewControllerAnimated:completion:", true, Completion());
}

void TarvoAlertController::registerMethods(objc::ClassBuilder<TarvoAlertController>& b)
{
    b.method<&TarvoAlertController::isForCurrentUser>("isForCurrentUser")
        .method<&TarvoAlertController::setIsForCurrentUser>("setIsForCurrentUser:")
        .method<&TarvoAlertController::collectionView>("collectionView")
        .method<&TarvoAlertController::alertControllerView>("_alertControllerView")
        .method<&TarvoAlertController::collectionViewNumberOfItemsInSection>("collectionView:numberOfItemsInSection:")
        .method<&TarvoAlertController::collectionViewCellForItemAtIndexPath>("collectionView:cellForItemAtIndexPath:")
        .method<&TarvoAlertController::collectionViewLayoutSizeForItemAtIndexPath>("collectionView:layout:sizeForItemAtIndexPath:")
        .method<&TarvoAlertController::collectionViewDidSelectItemAtIndexPath>("collectionView:didSelectItemAtIndexPath:")
        .method<&TarvoAlertController::collectionViewDidSelectRepostOption>("collectionView:didSelectRepostOption:");
}

} // namespace igtarvo
