#pragma once
// The header at the top of a feed post's picture row: the poster's profile
// picture and name, and
// the post's time as a label and, on builds that have it, as a button. Each
// time getter writes Instagram's own short text ("RECENTLY") before handing
// the label or button out. Main thread.

#include "hosts/instagram/IGFeedPhotoView.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"

namespace hosts::instagram {

using objc::id;
using objc::Ref;
using objc::RefPtr;

class IGFeedItemHeader : public platform::UIView {
    OBJC_CLASS(IGFeedItemHeader, platform::UIView)
public:
    IGFeedItemHeader() = default;
    static void registerMethods(objc::ClassBuilder<IGFeedItemHeader>&);
    static Ref<IGFeedItemHeader> create(id feedItem);
    // The header's height at the top of a picture row.
    static constexpr double kHeight = 48;

    RefPtr<platform::UIView> initWithFrame(platform::CGRect frame);
    RefPtr<objc::Object> feedItem() const { return m_feedItem; }
    // Shows a post's poster and time.
    void setFeedItem(id feedItem);
    RefPtr<platform::UILabel> timestampLabel();
    RefPtr<platform::UIButton> timestampButton();
    RefPtr<platform::UILabel> usernameLabel() const { return m_usernameLabel; }
    void layoutSubviews();

private:
    RefPtr<objc::Object> m_feedItem;
    RefPtr<platform::UILabel> m_label;
    RefPtr<platform::UIButton> m_button;
    RefPtr<platform::UILabel> m_usernameLabel;
    RefPtr<IGRemoteImageView> m_pictureView;
};

} // namespace hosts::instagram
