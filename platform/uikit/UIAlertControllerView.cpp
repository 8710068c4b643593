#include "platform/uikit/UIAlertControllerView.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/NSStringDrawing.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UICollectionViewFlowLayout.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIScreen.h"

#include <cmath>

// The platform's private classes carry names that are not C++ identifiers of
// our own to take: the runtime name is given beside the C++ class.
#define PRIVATE_CLASS_LOAD(Type, runtimeName)                                                      \
    objc::Class Type::staticClass()                                                                \
    {                                                                                              \
        static const objc::Class cls = objc::registerClass<Type>(runtimeName, super::staticClass()); \
        return cls;                                                                                \
    }                                                                                              \
    [[maybe_unused]] static const ::objc::detail::AtLibraryLoad Type##_atLibraryLoad { &::objc::detail::loadClass<Type> };

namespace platform {

PRIVATE_CLASS_LOAD(UIAlertControllerActionView, "_UIAlertControllerActionView")
PRIVATE_CLASS_LOAD(UIAlertControllerCollectionViewCell, "_UIAlertControllerCollectionViewCell")
PRIVATE_CLASS_LOAD(UIAlertControllerView, "_UIAlertControllerView")

namespace {
constexpr double kTitleInset = 8;
constexpr double kTitleFontSize = 20;
}

// The action view ---------------------------------------------------------------------------

UIAlertControllerActionView::UIAlertControllerActionView()
{
    auto label = UILabel::create();
    label->setTextAlignment(NSTextAlignmentCenter);
    label->setFont(UIFont::systemFontOfSize(kTitleFontSize).get());
    addSubview(label.get());
    m_label = label;
}

UIAlertControllerActionView::~UIAlertControllerActionView() = default;

RefPtr<UIAlertAction> UIAlertControllerActionView::action() const
{
    return RefPtr<UIAlertAction>(static_cast<UIAlertAction*>(m_action.get()));
}

RefPtr<UILabel> UIAlertControllerActionView::titleLabel() const
{
    return RefPtr<UILabel>(static_cast<UILabel*>(m_label.get()));
}

void UIAlertControllerActionView::setAction(UIAlertAction* action)
{
    m_action = action;
    auto label = titleLabel();
    label->setText(action ? action->title().get() : nullptr);
    long style = action ? action->style() : UIAlertActionStyleDefault;
    label->setFont((style == UIAlertActionStyleCancel ? UIFont::boldSystemFontOfSize(kTitleFontSize) : UIFont::systemFontOfSize(kTitleFontSize)).get());
    label->setTextColor((style == UIAlertActionStyleDestructive ? UIColor::redColor() : UIColor::colorWithRed(0, 0.478, 1, 1)).get());
    label->setAlpha(action && !action->isEnabled() ? 0.4 : 1);
    m_laidOutSize = CGSizeMake(-1, -1);
    setNeedsLayout();
}

void UIAlertControllerActionView::layoutSubviews()
{
    auto label = titleLabel();
    CGSize size = bounds().size;
    if (label->superview().get() != this || size == m_laidOutSize)
        return;
    m_laidOutSize = size;
    double height = std::ceil(NSStringSizeWithFont(label->textString().empty() ? "X" : label->textString(), label->font().get()).height);
    label->setFrame(CGRectMake(kTitleInset, std::round((size.height - height) / 2), std::max(0.0, size.width - 2 * kTitleInset), height));
}

void UIAlertControllerActionView::registerMethods(objc::ClassBuilder<UIAlertControllerActionView>& b)
{
    b.method<&UIAlertControllerActionView::action>("action")
        .method<&UIAlertControllerActionView::setAction>("setAction:")
        .method<&UIAlertControllerActionView::titleLabel>("titleLabel")
        .method<&UIAlertControllerActionView::titleLabel>("label")
        .method<&UIAlertControllerActionView::layoutSubviews>("layoutSubviews")
        .ivar<&UIAlertControllerActionView::m_label>("_label");
}

// The row -----------------------------------------------------------------------------------------

UIAlertControllerCollectionViewCell::UIAlertControllerCollectionViewCell()
{
    auto actionView = objc::make<UIAlertControllerActionView>();
    objc::send<RefPtr<UIView>(CGRect)>(actionView, "initWithFrame:", CGRectZero);
    actionView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    contentView()->addSubview(actionView.get());
    m_actionView = actionView;
}

UIAlertControllerCollectionViewCell::~UIAlertControllerCollectionViewCell() = default;

RefPtr<UIAlertControllerActionView> UIAlertControllerCollectionViewCell::actionView() const
{
    return RefPtr<UIAlertControllerActionView>(static_cast<UIAlertControllerActionView*>(m_actionView.get()));
}

void UIAlertControllerCollectionViewCell::registerMethods(objc::ClassBuilder<UIAlertControllerCollectionViewCell>& b)
{
    b.method<&UIAlertControllerCollectionViewCell::actionView>("actionView")
        .ivar<&UIAlertControllerCollectionViewCell::m_actionView>("_actionView");
}

// The controller's view ----------------------------------------------------------------------------

UIAlertControllerView::UIAlertControllerView() = default;
UIAlertControllerView::~UIAlertControllerView() = default;

Ref<UIAlertControllerView> UIAlertControllerView::create(UIAlertController* controller, bool sheet)
{
    auto view = objc::make<UIAlertControllerView>();
    objc::send<RefPtr<UIView>(CGRect)>(view, "initWithFrame:", UIScreen::mainScreen()->bounds());
    view->m_controller = objc::WeakPtr<UIAlertController>(controller);
    if (!sheet)
        return view;
    auto layout = UICollectionViewFlowLayout::create();
    layout->setMinimumLineSpacing(0);
    layout->setMinimumInteritemSpacing(0);
    layout->setItemSize(CGSizeMake(UIScreen::mainScreen()->bounds().size.width - 20, kUIAlertSheetRowHeight));
    auto list = UICollectionView::create(CGRectZero, layout.get());
    list->setBackgroundColor(UIColor::clearColor().get());
    list->registerClassForCellWithReuseIdentifier(UIAlertControllerCollectionViewCell::staticClass(), ns(kUIAlertCellReuseIdentifier).get());
    list->addConstraint(NSLayoutConstraint::constraintWithItem(list.get(), NSLayoutAttributeHeight, NSLayoutRelationEqual, nullptr,
        NSLayoutAttributeNotAnAttribute, 1, 0).get());
    objc::send<void(id)>(list, "setDataSource:", view.get());
    objc::send<void(id)>(list, "setDelegate:", view.get());
    view->m_actionCollectionView = list;
    return view;
}

RefPtr<UICollectionViewFlowLayout> UIAlertControllerView::actionLayout() const
{
    return m_actionCollectionView ? objc::dynamicCast<UICollectionViewFlowLayout>(m_actionCollectionView->collectionViewLayout()) : nullptr;
}

double UIAlertControllerView::actionListHeight() const
{
    if (!m_actionCollectionView)
        return 0;
    for (auto& constraint : m_actionCollectionView->constraintList()) {
        if (constraint->firstAttribute() == NSLayoutAttributeHeight)
            return std::max(0.0, constraint->constant());
    }
    return 0;
}

void UIAlertControllerView::fitActionListToRows(long rows)
{
    auto layout = actionLayout();
    if (!m_actionCollectionView || !layout)
        return;
    for (auto& constraint : m_actionCollectionView->constraintList()) {
        if (constraint->firstAttribute() == NSLayoutAttributeHeight) {
            constraint->setConstant(double(rows) * layout->itemSize().height);
            return;
        }
    }
}

long UIAlertControllerView::collectionViewNumberOfItemsInSection(UICollectionView*, long)
{
    auto controller = m_controller.lock();
    return controller ? long(controller->actionList().size()) : 0;
}

RefPtr<UICollectionViewCell> UIAlertControllerView::collectionViewCellForItemAtIndexPath(UICollectionView* view, NSIndexPath* indexPath)
{
    auto cell = view->dequeueReusableCellWithReuseIdentifierForIndexPath(ns(kUIAlertCellReuseIdentifier).get(), indexPath);
    auto controller = m_controller.lock();
    long row = indexPath->item();
    RefPtr<UIAlertAction> action;
    if (controller && row >= 0 && row < long(controller->actionList().size()))
        action = controller->actionList()[size_t(row)];
    if (auto actionView = objc::send<RefPtr<Object>>(cell, "actionView"))
        objc::send<void(id)>(actionView, "setAction:", action.get());
    return cell;
}

void UIAlertControllerView::collectionViewDidSelectItemAtIndexPath(UICollectionView*, NSIndexPath* indexPath)
{
    auto controller = m_controller.lock();
    long row = indexPath->item();
    if (controller && row >= 0 && row < long(controller->actionList().size()))
        controller->chooseAction(controller->actionList()[size_t(row)].get());
}

void UIAlertControllerView::registerMethods(objc::ClassBuilder<UIAlertControllerView>& b)
{
    b.method<&UIAlertControllerView::collectionViewNumberOfItemsInSection>("collectionView:numberOfItemsInSection:")
        .method<&UIAlertControllerView::collectionViewCellForItemAtIndexPath>("collectionView:cellForItemAtIndexPath:")
        .method<&UIAlertControllerView::collectionViewDidSelectItemAtIndexPath>("collectionView:didSelectItemAtIndexPath:")
        .ivar<&UIAlertControllerView::m_actionCollectionView>("_actionCollectionView");
}

} // namespace platform
