#pragma once
// A view whose bounds slide over a larger content area: the content offset is
// the bounds' origin, kept within the content size plus its insets.
// Main thread.

#include "platform/uikit/UIView.h"

namespace platform {

class UIScrollView : public UIView {
    OBJC_CLASS(UIScrollView, UIView)
public:
    UIScrollView();
    ~UIScrollView() override;
    static void registerMethods(objc::ClassBuilder<UIScrollView>&);

    CGPoint contentOffset() const { return bounds().origin; }
    // Moves the visible area (not clamped: the platform lets code place it freely).
    void setContentOffset(CGPoint offset);
    void setContentOffsetAnimated(CGPoint offset, bool animated) { setContentOffset(offset); }
    CGSize contentSize() const { return m_contentSize; }
    void setContentSize(CGSize size) { m_contentSize = size; }
    UIEdgeInsets contentInset() const { return m_contentInset; }
    void setContentInset(UIEdgeInsets insets) { m_contentInset = insets; }
    bool isScrollEnabled() const { return m_scrollEnabled; }
    void setScrollEnabled(bool on) { m_scrollEnabled = on; }
    RefPtr<Object> delegate() const { return m_delegate.lock(); }
    void setDelegate(id delegate) { m_delegate = objc::WeakPtr<Object>(delegate); }
    // Scrolls the least distance that shows the rectangle (content coordinates), within the content.
    void scrollRectToVisible(CGRect rect, bool animated);

private:
    CGSize m_contentSize;
    UIEdgeInsets m_contentInset;
    objc::WeakPtr<Object> m_delegate;
    bool m_scrollEnabled { true };
};

} // namespace platform
