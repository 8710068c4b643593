#include "platform/uikit/UIScrollView.h"

#include <algorithm>

namespace platform {

OBJC_CLASS_LOAD(UIScrollView)

UIScrollView::UIScrollView()
{
    setClipsToBounds(true);
}

UIScrollView::~UIScrollView() = default;

void UIScrollView::setContentOffset(CGPoint offset)
{
    CGRect b = bounds();
    if (b.origin == offset)
        return;
    b.origin = offset;
    // Sliding the bounds keeps the frame where it is.
    CGRect f = frame();
    UIView::setBounds(b);
    UIView::setFrame(f);
    setNeedsLayout();
    if (auto d = m_delegate.lock(); d && objc::respondsTo(d.get(), "scrollViewDidScroll:"))
        objc::send<void(UIScrollView*)>(d, "scrollViewDidScroll:", this);
}

void UIScrollView::scrollRectToVisible(CGRect rect, bool animated)
{
    CGRect b = bounds();
    CGPoint offset = b.origin;
    if (CGRectGetMaxY(rect) > CGRectGetMaxY(b))
        offset.y = CGRectGetMaxY(rect) - b.size.height;
    if (rect.origin.y < offset.y)
        offset.y = rect.origin.y;
    double maxY = std::max(-m_contentInset.top, m_contentSize.height + m_contentInset.bottom - b.size.height);
    offset.y = std::clamp(offset.y, -m_contentInset.top, maxY);
    objc::send<void(CGPoint, bool)>(this, "setContentOffset:animated:", offset, animated);
}

void UIScrollView::registerMethods(objc::ClassBuilder<UIScrollView>& b)
{
    b.method<&UIScrollView::contentOffset>("contentOffset")
        .method<&UIScrollView::setContentOffset>("setContentOffset:")
        .method<&UIScrollView::setContentOffsetAnimated>("setContentOffset:animated:")
        .method<&UIScrollView::contentSize>("contentSize")
        .method<&UIScrollView::setContentSize>("setContentSize:")
        .method<&UIScrollView::contentInset>("contentInset")
        .method<&UIScrollView::setContentInset>("setContentInset:")
        .method<&UIScrollView::isScrollEnabled>("isScrollEnabled")
        .method<&UIScrollView::setScrollEnabled>("setScrollEnabled:")
        .method<&UIScrollView::delegate>("delegate")
        .method<&UIScrollView::setDelegate>("setDelegate:")
        .method<&UIScrollView::scrollRectToVisible>("scrollRectToVisible:animated:");
}

} // namespace platform
