#include "feed/display/LinkHooks.h"

#include "core/InstagramSurface.h"
#include "feed/display/FeedLinks.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIView.h"

namespace igtarvo {

using namespace platform;

namespace {

NSAttributedString* asAttributedString(id object)
{
    return objc::dynamicCast<NSAttributedString>(object);
}

// On the main queue: marks the links in the styled string's text when the
// view still shows that styled string with the text that was searched,
// then has the view take its styled string anew and redraw.
void applyLinks(const Ref<Object>& view, const Ref<Object>& styled, const std::string& searched, const std::vector<FeedLink>& links)
{
    if (!links.empty() && instagram::styledString(view.get()).get() == styled.get()) {
        auto* current = asAttributedString(instagram::attributedString(styled.get()).get());
        if (current && current->text() == searched) {
            RefPtr<NSMutableAttributedString> marked;
            if (objc::object_isKindOfClass(current, NSMutableAttributedString::staticClass()))
                marked = static_cast<NSMutableAttributedString*>(current);
            else
                marked = static_cast<NSMutableAttributedString*>(current->mutableCopy().get());
            markFeedLinks(marked.get(), links);
            instagram::setAttributedString(styled.get(), marked.get());
        }
    }
    instagram::setStyledString(view.get(), instagram::styledString(view.get()).get());
    if (objc::object_isKindOfClass(view, UIView::staticClass()))
        static_cast<UIView*>(view.get())->setNeedsDisplay();
}

} // namespace

namespace {

Previous<void(CGRect)> g_IGCoreTextView_setFrame;

void IGCoreTextView_setFrame(id self, SEL _cmd, CGRect frame)
{
    g_IGCoreTextView_setFrame(self, _cmd, frame);
    RefPtr<Object> styled = instagram::styledString(self);
    if (!styled)
        return;
    auto* attributed = asAttributedString(instagram::attributedString(styled.get()).get());
    // The search reads a copy: Instagram's text is only ever touched here, on
    // the main thread.
    std::string text = attributed ? attributed->text() : std::string();
    if (text.empty())
        return;
    Ref<Object> view(*self);
    Ref<Object> searchedStyled = styled.releaseNonNull();
    dispatch_async(dispatch_get_global_queue(), [view, searchedStyled, text = std::move(text)] {
        std::vector<FeedLink> links = findFeedLinks(text);
        dispatch_async(dispatch_get_main_queue(), [view, searchedStyled, text, links = std::move(links)] {
            applyLinks(view, searchedStyled, text, links);
        });
    });
}

Previous<void(id, id, id)> g_IGFeedItemTextCell_coreTextViewDidTapOnString;

void IGFeedItemTextCell_coreTextViewDidTapOnString(id self, SEL _cmd, id textView, id string, id url)
{
    auto* address = objc::dynamicCast<NSURL>(url);
    if (!address || isInstagramAddress(address)) {
        g_IGFeedItemTextCell_coreTextViewDidTapOnString(self, _cmd, textView, string, url);
        return;
    }
    if (auto opened = addressToOpen(address))
        UIApplication::sharedApplication()->openURL(opened.get());
}

} // namespace

HookRows linkMarkingRows()
{
    return {
        replaced<g_IGCoreTextView_setFrame, &IGCoreTextView_setFrame>(kInstagramProcess, "IGCoreTextView", "setFrame:"),
    };
}

HookRows linkTapRows()
{
    return {
        replaced<g_IGFeedItemTextCell_coreTextViewDidTapOnString, &IGFeedItemTextCell_coreTextViewDidTapOnString>(
            kInstagramProcess, "IGFeedItemTextCell", "coreTextView:didTapOnString:URL:"),
    };
}

} // namespace igtarvo
