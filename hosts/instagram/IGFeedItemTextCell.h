#pragma once
// A text row of a feed post: the likes line and the caption, each in a core
// text view, and a time-stamp label. The cell is its text views' delegate:
// a tapped link reaches coreTextView:didTapOnString:URL:, where Instagram
// handles its own addresses (a profile, a tag) and ignores the rest. Its
// delegate is the screen that shows it. Main thread.

#include "hosts/instagram/IGCoreTextView.h"
#include "platform/foundation/NSURL.h"
#include "platform/uikit/UICollectionViewCell.h"
#include "platform/uikit/UILabel.h"

#include <vector>

namespace hosts::instagram {

class IGFeedItemTextCell : public platform::UICollectionViewCell {
    OBJC_CLASS(IGFeedItemTextCell, platform::UICollectionViewCell)
public:
    IGFeedItemTextCell() = default;
    static void registerMethods(objc::ClassBuilder<IGFeedItemTextCell>&);
    // A cell of a kind (0: the caption row) for a screen (its delegate).
    static Ref<IGFeedItemTextCell> create(long cellType, id delegate);
    RefPtr<platform::UIView> initWithFrame(platform::CGRect frame);
    void setCellType(long type) { m_cellType = type; }

    RefPtr<objc::Object> feedItem() const { return m_feedItem; }
    long cellType() const { return m_cellType; }
    RefPtr<objc::Object> delegate() const { return m_delegate.lock(); }
    void setDelegate(id delegate) { m_delegate = objc::WeakPtr<objc::Object>(delegate); }
    bool showTimeStamp() const { return m_showTimeStamp; }
    void setShowTimeStamp(bool shown) { m_showTimeStamp = shown; }
    // The label of the post's time, with Instagram's own short text ("RECENTLY").
    RefPtr<platform::UILabel> timeStampLabel();
    // The likes line: "♥ 1,234 likes" in the likes colour.
    RefPtr<objc::Object> styledStringForLikesWithFeedItem(id feedItem);
    // Instagram's own handling of a tapped link: its own addresses only.
    void coreTextViewDidTapOnString(id textView, id string, id url);

    // Shows a post: its likes line, its caption and its time, laid out as
    // Instagram does (every step sent through the runtime).
    void configure(id feedItem, const std::string& caption);
    // Shows a post of the feed: its likes and its poster's name before its
    // caption (no caption line when it has none).
    void setFeedItem(id feedItem);
    RefPtr<IGCoreTextView> likesView() const { return m_likesView; }
    RefPtr<IGCoreTextView> captionView() const { return m_captionView; }
    // The addresses Instagram handled itself, in order.
    const std::vector<std::string>& handledAddresses() const { return m_handled; }

private:
    RefPtr<objc::Object> m_feedItem;
    long m_cellType { 0 };
    objc::WeakPtr<objc::Object> m_delegate;
    bool m_showTimeStamp { true };
    RefPtr<platform::UILabel> m_timeStampLabel;
    RefPtr<IGCoreTextView> m_likesView;
    RefPtr<IGCoreTextView> m_captionView;
    std::vector<std::string> m_handled;
};

} // namespace hosts::instagram
