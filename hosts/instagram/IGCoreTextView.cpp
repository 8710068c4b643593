#include "hosts/instagram/IGCoreTextView.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UILabel.h"

namespace hosts::instagram {

using namespace platform;

OBJC_CLASS_DEFINE(IGCoreTextView)

void IGCoreTextView::registerMethods(objc::ClassBuilder<IGCoreTextView>& b)
{
    b.method<&IGCoreTextView::styledString>("styledString")
        .method<&IGCoreTextView::setStyledString>("setStyledString:")
        .method<&IGCoreTextView::delegate>("delegate")
        .method<&IGCoreTextView::setDelegate>("setDelegate:")
        .method<&IGCoreTextView::drawRect>("drawRect:");
}

Ref<IGCoreTextView> IGCoreTextView::create()
{
    auto view = objc::make<IGCoreTextView>();
    objc::send<RefPtr<UIView>(CGRect)>(view, "initWithFrame:", CGRectZero);
    return view;
}

void IGCoreTextView::setStyledString(IGStyledString* styled)
{
    m_styled = styled;
    ++m_setCount;
    setNeedsDisplay();
}

void IGCoreTextView::drawRect(CGRect rect)
{
    auto text = m_styled ? m_styled->attributedString() : nullptr;
    if (!text)
        return;
    auto label = UILabel::create(bounds());
    label->setFont(UIFont::systemFontOfSize(13).get());
    label->setNumberOfLines(0);
    label->setAttributedText(text.get());
    label->drawTextInRect(bounds());
}

bool IGCoreTextView::tapCharacterAtIndex(unsigned long index)
{
    auto text = m_styled ? m_styled->attributedString() : nullptr;
    if (!text || index >= text->length())
        return false;
    NSRange run {};
    auto url = text->attribute("URL", index, &run);
    if (!url)
        return false;
    auto tapped = text->attributedSubstringFromRange(run);
    objc::send<void(id, id, id)>(delegate(), "coreTextView:didTapOnString:URL:", this, tapped ? tapped->string().get() : nullptr, url.get());
    return true;
}

} // namespace hosts::instagram
