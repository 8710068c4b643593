#pragma once
// Instagram's text view: draws a styled string and, when a character that
// carries a "URL" attribute is tapped, tells its delegate
// (coreTextView:didTapOnString:URL:) with the linked text and its address.

#include "hosts/instagram/IGStyledString.h"
#include "platform/uikit/UIView.h"

namespace hosts::instagram {

using objc::id;

class IGCoreTextView : public platform::UIView {
    OBJC_CLASS(IGCoreTextView, platform::UIView)
public:
    IGCoreTextView() = default;
    static void registerMethods(objc::ClassBuilder<IGCoreTextView>&);
    static Ref<IGCoreTextView> create();

    RefPtr<IGStyledString> styledString() const { return m_styled; }
    // Takes the styled string and redraws.
    void setStyledString(IGStyledString* styled);
    RefPtr<objc::Object> delegate() const { return m_delegate.lock(); }
    void setDelegate(id delegate) { m_delegate = objc::WeakPtr<objc::Object>(delegate); }

    // A tap on the character at that UTF-16 index; answers whether it hit a link.
    bool tapCharacterAtIndex(unsigned long index);
    // Draws the styled string, wrapped to the view's width.
    void drawRect(platform::CGRect rect);
    // How many times a styled string was set.
    unsigned long styledStringSetCount() const { return m_setCount; }

private:
    RefPtr<IGStyledString> m_styled;
    objc::WeakPtr<objc::Object> m_delegate;
    unsigned long m_setCount { 0 };
};

} // namespace hosts::instagram
