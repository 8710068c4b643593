#pragma once
// A one-line editable text: its text, a placeholder shown while it is empty,
// a font and colour, and a delegate asked before typed changes take effect.
// Typing (see UserInput) asks the delegate's
// textField:shouldChangeCharactersInRange:replacementString:
// (bool(UITextField*, NSRange, NSString*)), then sends editing-changed.
// Main thread.

#include "platform/uikit/UIControl.h"

namespace platform {

class UIFont;

enum UITextBorderStyle : long {
    UITextBorderStyleNone = 0,
    UITextBorderStyleLine = 1,
    UITextBorderStyleBezel = 2,
    UITextBorderStyleRoundedRect = 3,
};

class UITextField : public UIControl {
    OBJC_CLASS(UITextField, UIControl)
public:
    UITextField();
    ~UITextField() override;
    static void registerMethods(objc::ClassBuilder<UITextField>&);
    static Ref<UITextField> create(CGRect frame = CGRectZero);

    // The text; "" when empty, as the platform answers it.
    RefPtr<NSString> text() const { return ns(m_text); }
    const std::string& textString() const { return m_text; }
    // Sets the text directly (no delegate, no events), as code does.
    void setText(NSString* text);
    RefPtr<NSString> placeholder() const { return m_placeholder; }
    void setPlaceholder(NSString* placeholder) { m_placeholder = placeholder; }
    RefPtr<UIFont> font() const;
    void setFont(UIFont* font);
    RefPtr<UIColor> textColor() const;
    void setTextColor(UIColor* color);
    RefPtr<Object> delegate() const { return m_delegate.lock(); }
    void setDelegate(id delegate) { m_delegate = objc::WeakPtr<Object>(delegate); }
    bool isSecureTextEntry() const { return m_secure; }
    void setSecureTextEntry(bool on) { m_secure = on; }
    long borderStyle() const { return m_borderStyle; }
    void setBorderStyle(long style) { m_borderStyle = style; }
    long keyboardType() const { return m_keyboardType; }
    void setKeyboardType(long type) { m_keyboardType = type; }
    long autocapitalizationType() const { return m_autocapitalization; }
    void setAutocapitalizationType(long type) { m_autocapitalization = type; }
    bool canBecomeFirstResponder() const { return isEnabled(); }

    // A user replacing the whole text by typing: the delegate may refuse;
    // otherwise the text changes and editing-changed is sent. Answers whether it changed.
    bool userReplaceText(const std::string& text);

private:
    std::string m_text;
    RefPtr<NSString> m_placeholder;
    RefPtr<Object> m_font;
    RefPtr<Object> m_textColor;
    objc::WeakPtr<Object> m_delegate;
    long m_borderStyle { UITextBorderStyleNone };
    long m_keyboardType { 0 };
    long m_autocapitalization { 2 };
    bool m_secure { false };
};

} // namespace platform
