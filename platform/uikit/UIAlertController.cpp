#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertControllerView.h"
#include "platform/uikit/UICollectionViewFlowLayout.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UITextField.h"

#include <algorithm>
#include <cmath>

namespace platform {

OBJC_CLASS_LOAD(UIAlertController)

namespace {
constexpr double kAlertWidth = 270;
constexpr double kAlertButtonHeight = 44;
constexpr double kSheetButtonHeight = 57;
constexpr double kFieldHeight = 24;
}

UIAlertController::UIAlertController()
{
    setModalPresentationStyle(UIModalPresentationCustom);
}

UIAlertController::~UIAlertController() = default;

Ref<UIAlertController> UIAlertController::alertControllerWithTitle(NSString* title, NSString* message, long preferredStyle)
{
    auto alert = objc::send<RefPtr<UIAlertController>(id, id, long)>(staticClass(), "alertControllerWithTitle:message:preferredStyle:", title, message, preferredStyle);
    return alert.releaseNonNull();
}

namespace {
// The class method makes an instance of the class it is sent to, so that a
// subclass sent alertControllerWithTitle:message:preferredStyle: gets one of its own.
RefPtr<Object> makeAlert(id cls, objc::SEL, id title, id message, long preferredStyle)
{
    auto object = objc::class_createInstance(static_cast<objc::Class>(cls));
    auto alert = objc::dynamicCast<UIAlertController>(objc::send<RefPtr<UIViewController>>(object, "init"));
    if (!alert)
        return nullptr;
    alert->setUp(static_cast<NSString*>(title), static_cast<NSString*>(message), preferredStyle);
    return alert;
}
}

void UIAlertController::setUp(NSString* title, NSString* message, long preferredStyle)
{
    setTitle(title);
    m_message = message;
    m_style = preferredStyle;
}

Ref<UIAlertController> UIAlertController::create(const std::string& title, const std::string& message, long preferredStyle)
{
    return alertControllerWithTitle(ns(title).get(), ns(message).get(), preferredStyle);
}

void UIAlertController::setMessage(NSString* message)
{
    m_message = message;
    if (isViewLoaded())
        rebuildContent();
}

void UIAlertController::addAction(UIAlertAction* action)
{
    if (!action)
        return;
    if (action->style() == UIAlertActionStyleCancel) {
        for (auto& a : m_actions) {
            if (a->style() == UIAlertActionStyleCancel)
                throw NSInternalInconsistencyException("UIAlertController can only have one action with a style of UIAlertActionStyleCancel");
        }
    }
    m_actions.emplace_back(*action);
    if (isViewLoaded())
        rebuildContent();
}

RefPtr<NSArray> UIAlertController::actions() const
{
    return NSArray::create(std::vector<Ref<Object>>(m_actions.begin(), m_actions.end()));
}

RefPtr<UIAlertAction> UIAlertController::preferredAction() const
{
    return RefPtr<UIAlertAction>(static_cast<UIAlertAction*>(m_preferred.get()));
}

void UIAlertController::setPreferredAction(UIAlertAction* action)
{
    if (!action || std::any_of(m_actions.begin(), m_actions.end(), [action](auto& a) { return a.get() == action; }))
        m_preferred = action;
}

void UIAlertController::addTextFieldWithConfigurationHandler(std::function<void(UITextField*)> configure)
{
    if (m_style != UIAlertControllerStyleAlert)
        throw NSInternalInconsistencyException("Text fields can only be added to an alert controller of style UIAlertControllerStyleAlert");
    auto field = UITextField::create(CGRectMake(0, 0, kAlertWidth - 32, kFieldHeight));
    field->setFont(UIFont::systemFontOfSize(13).get());
    field->setBorderStyle(UITextBorderStyleLine);
    m_fields.push_back(field);
    if (configure)
        configure(field.get());
    if (isViewLoaded())
        rebuildContent();
}

RefPtr<NSArray> UIAlertController::textFields() const
{
    if (m_fields.empty())
        return nullptr;
    return NSArray::create(std::vector<Ref<Object>>(m_fields.begin(), m_fields.end()));
}

RefPtr<UIView> UIAlertController::buttonForAction(UIAlertAction* action)
{
    view();
    for (size_t i = 0; i < m_actions.size(); ++i) {
        if (m_actions[i].get() != action)
            continue;
        if (i < m_buttons.size())
            return m_buttons[i];
        auto list = sheetActionList();
        if (!list)
            return nullptr;
        list->layoutIfNeeded();
        auto cell = list->cellForItemAtIndexPath(NSIndexPath::indexPathForItem(long(i), 0).get());
        return cell ? objc::dynamicCast<UIView>(objc::send<RefPtr<Object>>(cell, "actionView")) : nullptr;
    }
    return nullptr;
}

RefPtr<UICollectionView> UIAlertController::sheetActionList() const
{
    auto sheet = isViewLoaded() ? objc::dynamicCast<UIAlertControllerView>(const_cast<UIAlertController*>(this)->view()) : nullptr;
    return sheet ? sheet->actionCollectionView() : nullptr;
}

RefPtr<UIView> UIAlertController::alertControllerView()
{
    return view();
}

void UIAlertController::loadView()
{
    auto dimming = UIAlertControllerView::create(this, m_style == UIAlertControllerStyleActionSheet);
    dimming->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    dimming->setBackgroundColor(UIColor::colorWithWhite(0, 0.4).get());
    setView(dimming.get());
    m_box = UIView::create();
    m_box->setBackgroundColor(UIColor::colorWithWhite(0.97, 1).get());
    dimming->addSubview(m_box.get());
    if (auto list = dimming->actionCollectionView())
        m_box->addSubview(list.get());
    rebuildContent();
    // The sheet's view is complete: whoever overrides the accessor sees it now.
    objc::send<RefPtr<UIView>>(this, "_alertControllerView");
}

void UIAlertController::rebuildContent()
{
    auto list = sheetActionList();
    for (auto& sub : std::vector<Ref<UIView>>(m_box->subviewList())) {
        if (sub.get() != list.get())
            sub->removeFromSuperview();
    }
    auto title = UILabel::create();
    title->setFont(UIFont::boldSystemFontOfSize(17).get());
    title->setTextAlignment(NSTextAlignmentCenter);
    title->setNumberOfLines(0);
    title->setText(this->title().get());
    m_box->addSubview(title.get());
    m_titleLabel = title;
    auto message = UILabel::create();
    message->setFont(UIFont::systemFontOfSize(13).get());
    message->setTextAlignment(NSTextAlignmentCenter);
    message->setNumberOfLines(0);
    message->setText(m_message.get());
    m_box->addSubview(message.get());
    m_messageLabel = message;
    for (auto& field : m_fields)
        m_box->addSubview(field.get());
    // Buttons in the platform's order: the cancel action goes last.
    std::vector<Ref<UIAlertAction>> ordered;
    for (auto& a : m_actions) {
        if (a->style() != UIAlertActionStyleCancel)
            ordered.push_back(a);
    }
    for (auto& a : m_actions) {
        if (a->style() == UIAlertActionStyleCancel)
            ordered.push_back(a);
    }
    m_actions = ordered;
    m_buttons.clear();
    if (list) {
        // An action sheet lists its actions in its private list.
        static_cast<UIAlertControllerView*>(view().get())->fitActionListToRows(long(m_actions.size()));
        list->reloadData();
        view()->setNeedsLayout();
        return;
    }
    for (auto& a : m_actions) {
        auto button = UIButton::buttonWithType(UIButtonTypeSystem);
        button->setTitle(a->title().get(), UIControlStateNormal);
        button->titleLabel()->setFont((a->style() == UIAlertActionStyleCancel ? UIFont::boldSystemFontOfSize(17) : UIFont::systemFontOfSize(17)).get());
        if (a->style() == UIAlertActionStyleDestructive)
            button->setTitleColor(UIColor::redColor().get(), UIControlStateNormal);
        button->setEnabled(a->isEnabled());
        button->addTarget(this, objc::sel_registerName("_actionButtonTapped:"), UIControlEventTouchUpInside);
        m_box->addSubview(button.get());
        m_buttons.push_back(button);
    }
    view()->setNeedsLayout();
}

void UIAlertController::viewDidLayoutSubviews()
{
    CGRect bounds = view()->bounds();
    bool sheet = m_style == UIAlertControllerStyleActionSheet;
    double width = sheet ? bounds.size.width - 20 : kAlertWidth;
    double inner = width - 32;
    bool texted = !static_cast<UILabel*>(m_titleLabel.get())->textString().empty() || !static_cast<UILabel*>(m_messageLabel.get())->textString().empty();
    double y = texted ? 20 : 0;
    auto place = [&](UILabel* label) {
        if (label->textString().empty()) {
            label->setFrame(CGRectZero);
            return;
        }
        CGSize fit = label->sizeThatFits(CGSizeMake(inner, 0));
        label->setFrame(CGRectMake(16, y, inner, fit.height));
        y += fit.height + 4;
    };
    place(static_cast<UILabel*>(m_titleLabel.get()));
    place(static_cast<UILabel*>(m_messageLabel.get()));
    if (texted)
        y += 12;
    for (auto& field : m_fields) {
        field->setFrame(CGRectMake(16, y, inner, kFieldHeight));
        y += kFieldHeight + 4;
    }
    if (!m_fields.empty())
        y += 12;
    if (auto list = sheetActionList()) {
        auto sheetView = static_cast<UIAlertControllerView*>(view().get());
        auto layout = sheetView->actionLayout();
        if (layout && layout->itemSize().width != width)
            layout->setItemSize(CGSizeMake(width, layout->itemSize().height));
        double listHeight = sheetView->actionListHeight();
        list->setFrame(CGRectMake(0, y, width, listHeight));
        y += listHeight;
    }
    double buttonHeight = sheet ? kSheetButtonHeight : kAlertButtonHeight;
    bool sideBySide = !sheet && m_buttons.size() == 2;
    if (sideBySide) {
        m_buttons[0]->setFrame(CGRectMake(0, y, width / 2, buttonHeight));
        m_buttons[1]->setFrame(CGRectMake(width / 2, y, width / 2, buttonHeight));
        y += buttonHeight;
    } else {
        for (auto& button : m_buttons) {
            button->setFrame(CGRectMake(0, y, width, buttonHeight));
            y += buttonHeight;
        }
    }
    double x = std::round((bounds.size.width - width) / 2);
    double top = sheet ? bounds.size.height - 10 - y : std::round((bounds.size.height - y) / 2);
    m_box->setFrame(CGRectMake(x, top, width, y));
}

void UIAlertController::actionButtonTapped(id sender)
{
    for (size_t i = 0; i < m_buttons.size() && i < m_actions.size(); ++i) {
        if (m_buttons[i].get() == sender) {
            Ref<UIAlertAction> action = m_actions[i];
            userChooseAction(action.get());
            return;
        }
    }
}

bool UIAlertController::userChooseAction(UIAlertAction* action)
{
    auto list = sheetActionList();
    if (!list)
        return chooseAction(action);
    // On a sheet the finger lands on the action's row: the list's delegate decides.
    auto found = std::find_if(m_actions.begin(), m_actions.end(), [action](auto& a) { return a.get() == action; });
    if (found == m_actions.end() || !action->isEnabled() || m_chosen || !presentingViewController() || isBeingDismissed())
        return false;
    Ref<UIAlertController> keep(*this);
    auto path = NSIndexPath::indexPathForItem(long(found - m_actions.begin()), 0);
    return list->userTapItem(path.get()) && isBeingDismissed();
}

bool UIAlertController::chooseAction(UIAlertAction* action)
{
    bool mine = std::any_of(m_actions.begin(), m_actions.end(), [action](auto& a) { return a.get() == action; });
    if (!mine || !action->isEnabled() || m_chosen || !presentingViewController() || isBeingDismissed())
        return false;
    m_chosen = true;
    Ref<UIAlertController> self(*this);
    RefPtr<UIAlertAction> chosen(action);
    objc::send<void(bool, Completion)>(this, "dismissViewControllerAnimated:completion:", true, Completion([self, chosen] {
        self->m_chosen = false;
        chosen->perform();
    }));
    if (!isBeingDismissed()) {
        m_chosen = false; // the dismissal was refused
        return false;
    }
    return true;
}

void UIAlertController::registerMethods(objc::ClassBuilder<UIAlertController>& b)
{
    objc::class_addMethod(b.cls()->isa(), objc::sel_registerName("alertControllerWithTitle:message:preferredStyle:"),
        reinterpret_cast<objc::IMP>(&makeAlert), objc::impEncoding(&makeAlert));
    b.method<&UIAlertController::message>("message")
        .method<&UIAlertController::setMessage>("setMessage:")
        .method<&UIAlertController::preferredStyle>("preferredStyle")
        .method<&UIAlertController::addAction>("addAction:")
        .method<&UIAlertController::actions>("actions")
        .method<&UIAlertController::preferredAction>("preferredAction")
        .method<&UIAlertController::setPreferredAction>("setPreferredAction:")
        .method<&UIAlertController::addTextFieldWithConfigurationHandler>("addTextFieldWithConfigurationHandler:")
        .method<&UIAlertController::textFields>("textFields")
        .method<&UIAlertController::loadView>("loadView")
        .method<&UIAlertController::viewDidLayoutSubviews>("viewDidLayoutSubviews")
        .method<&UIAlertController::actionButtonTapped>("_actionButtonTapped:")
        .method<&UIAlertController::alertControllerView>("_alertControllerView");
}

} // namespace platform
