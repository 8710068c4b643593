#include "platform/uikit/UITextField.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"

namespace platform {

OBJC_CLASS_LOAD(UITextField)

UITextField::UITextField()
    : m_font(UIFont::systemFontOfSize(17))
    , m_textColor(UIColor::blackColor())
{
}

UITextField::~UITextField() = default;

Ref<UITextField> UITextField::create(CGRect frame)
{
    auto field = objc::make<UITextField>();
    objc::send<RefPtr<UIView>(CGRect)>(field, "initWithFrame:", frame);
    return field;
}

void UITextField::setText(NSString* text)
{
    m_text = text ? text->str() : std::string();
    setNeedsDisplay();
}

RefPtr<UIFont> UITextField::font() const { return RefPtr<UIFont>(static_cast<UIFont*>(m_font.get())); }
void UITextField::setFont(UIFont* font) { m_font = font ? RefPtr<Object>(font) : RefPtr<Object>(UIFont::systemFontOfSize(17)); }
RefPtr<UIColor> UITextField::textColor() const { return RefPtr<UIColor>(static_cast<UIColor*>(m_textColor.get())); }
void UITextField::setTextColor(UIColor* color) { m_textColor = color ? RefPtr<Object>(color) : RefPtr<Object>(UIColor::blackColor()); }

bool UITextField::userReplaceText(const std::string& text)
{
    Ref<UITextField> keep(*this);
    if (!isEnabled())
        return false;
    auto current = ns(m_text);
    if (auto d = m_delegate.lock(); d && objc::respondsTo(d.get(), "textField:shouldChangeCharactersInRange:replacementString:")) {
        NSRange all = NSMakeRange(0, current->length());
        if (!objc::send<bool(UITextField*, NSRange, NSString*)>(d, "textField:shouldChangeCharactersInRange:replacementString:", this, all, ns(text).get()))
            return false;
    }
    objc::send<void(NSString*)>(this, "setText:", ns(text).get());
    sendActionsForControlEvents(UIControlEventEditingChanged);
    return true;
}

void UITextField::registerMethods(objc::ClassBuilder<UITextField>& b)
{
    b.method<&UITextField::text>("text")
        .method<&UITextField::setText>("setText:")
        .method<&UITextField::placeholder>("placeholder")
        .method<&UITextField::setPlaceholder>("setPlaceholder:")
        .method<&UITextField::font>("font")
        .method<&UITextField::setFont>("setFont:")
        .method<&UITextField::textColor>("textColor")
        .method<&UITextField::setTextColor>("setTextColor:")
        .method<&UITextField::delegate>("delegate")
        .method<&UITextField::setDelegate>("setDelegate:")
        .method<&UITextField::isSecureTextEntry>("isSecureTextEntry")
        .method<&UITextField::setSecureTextEntry>("setSecureTextEntry:")
        .method<&UITextField::borderStyle>("borderStyle")
        .method<&UITextField::setBorderStyle>("setBorderStyle:")
        .method<&UITextField::keyboardType>("keyboardType")
        .method<&UITextField::setKeyboardType>("setKeyboardType:")
        .method<&UITextField::autocapitalizationType>("autocapitalizationType")
        .method<&UITextField::setAutocapitalizationType>("setAutocapitalizationType:")
        .method<&UITextField::canBecomeFirstResponder>("canBecomeFirstResponder");
}

} // namespace platform
