#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIView.h"

namespace platform {

OBJC_CLASS_LOAD(UIBarButtonItem)

UIBarButtonItem::UIBarButtonItem() = default;
UIBarButtonItem::~UIBarButtonItem() = default;

namespace {
const char* systemTitle(long item)
{
    switch (item) {
    case UIBarButtonSystemItemDone: return "Done";
    case UIBarButtonSystemItemCancel: return "Cancel";
    case UIBarButtonSystemItemEdit: return "Edit";
    case UIBarButtonSystemItemSave: return "Save";
    default: return nullptr;
    }
}
}

RefPtr<UIBarButtonItem> UIBarButtonItem::initWithBarButtonSystemItem(long systemItem, id target, objc::SEL action)
{
    m_systemItem = systemItem;
    if (const char* title = systemTitle(systemItem))
        m_title = ns(title);
    m_style = systemItem == UIBarButtonSystemItemDone ? UIBarButtonItemStyleDone : UIBarButtonItemStylePlain;
    setTarget(target);
    m_action = action;
    return RefPtr<UIBarButtonItem>(this);
}

RefPtr<UIBarButtonItem> UIBarButtonItem::initWithTitle(NSString* title, long style, id target, objc::SEL action)
{
    m_title = title;
    m_style = style;
    setTarget(target);
    m_action = action;
    return RefPtr<UIBarButtonItem>(this);
}

RefPtr<UIBarButtonItem> UIBarButtonItem::initWithImage(UIImage* image, long style, id target, objc::SEL action)
{
    m_image = image;
    m_style = style;
    setTarget(target);
    m_action = action;
    return RefPtr<UIBarButtonItem>(this);
}

RefPtr<UIBarButtonItem> UIBarButtonItem::initWithCustomView(UIView* view)
{
    m_customView = view;
    return RefPtr<UIBarButtonItem>(this);
}

Ref<UIBarButtonItem> UIBarButtonItem::systemItem(long systemItem, id target, const char* action)
{
    auto item = objc::make<UIBarButtonItem>();
    objc::send<RefPtr<UIBarButtonItem>(long, id, objc::SEL)>(item, "initWithBarButtonSystemItem:target:action:", systemItem, target, action ? objc::sel_registerName(action) : nullptr);
    return item;
}

Ref<UIBarButtonItem> UIBarButtonItem::titled(const std::string& title, long style, id target, const char* action)
{
    auto item = objc::make<UIBarButtonItem>();
    objc::send<RefPtr<UIBarButtonItem>(NSString*, long, id, objc::SEL)>(item, "initWithTitle:style:target:action:", ns(title).get(), style, target, action ? objc::sel_registerName(action) : nullptr);
    return item;
}

Ref<UIBarButtonItem> UIBarButtonItem::withImage(UIImage* image, long style, id target, const char* action)
{
    auto item = objc::make<UIBarButtonItem>();
    objc::send<RefPtr<UIBarButtonItem>(UIImage*, long, id, objc::SEL)>(item, "initWithImage:style:target:action:", image, style, target, action ? objc::sel_registerName(action) : nullptr);
    return item;
}

RefPtr<UIImage> UIBarButtonItem::image() const { return RefPtr<UIImage>(static_cast<UIImage*>(m_image.get())); }
void UIBarButtonItem::setImage(UIImage* image) { m_image = image; }
RefPtr<UIView> UIBarButtonItem::customView() const { return RefPtr<UIView>(static_cast<UIView*>(m_customView.get())); }
void UIBarButtonItem::setCustomView(UIView* view) { m_customView = view; }
RefPtr<UIColor> UIBarButtonItem::tintColor() const { return RefPtr<UIColor>(static_cast<UIColor*>(m_tintColor.get())); }
void UIBarButtonItem::setTintColor(UIColor* color) { m_tintColor = color; }

bool UIBarButtonItem::performTap()
{
    if (!m_enabled || !m_action)
        return false;
    Ref<UIBarButtonItem> keep(*this);
    return objc::send<bool(objc::SEL, id, id, id)>(UIApplication::sharedApplication(), "sendAction:to:from:forEvent:", m_action, m_target.lock().get(), this, nullptr);
}

void UIBarButtonItem::registerMethods(objc::ClassBuilder<UIBarButtonItem>& b)
{
    b.method<&UIBarButtonItem::initWithBarButtonSystemItem>("initWithBarButtonSystemItem:target:action:")
        .method<&UIBarButtonItem::initWithTitle>("initWithTitle:style:target:action:")
        .method<&UIBarButtonItem::initWithImage>("initWithImage:style:target:action:")
        .method<&UIBarButtonItem::initWithCustomView>("initWithCustomView:")
        .method<&UIBarButtonItem::title>("title")
        .method<&UIBarButtonItem::setTitle>("setTitle:")
        .method<&UIBarButtonItem::image>("image")
        .method<&UIBarButtonItem::setImage>("setImage:")
        .method<&UIBarButtonItem::style>("style")
        .method<&UIBarButtonItem::setStyle>("setStyle:")
        .method<&UIBarButtonItem::target>("target")
        .method<&UIBarButtonItem::setTarget>("setTarget:")
        .method<&UIBarButtonItem::action>("action")
        .method<&UIBarButtonItem::setAction>("setAction:")
        .method<&UIBarButtonItem::isEnabled>("isEnabled")
        .method<&UIBarButtonItem::setEnabled>("setEnabled:")
        .method<&UIBarButtonItem::customView>("customView")
        .method<&UIBarButtonItem::setCustomView>("setCustomView:")
        .method<&UIBarButtonItem::tintColor>("tintColor")
        .method<&UIBarButtonItem::setTintColor>("setTintColor:")
        .method<&UIBarButtonItem::tag>("tag")
        .method<&UIBarButtonItem::setTag>("setTag:");
}

} // namespace platform
