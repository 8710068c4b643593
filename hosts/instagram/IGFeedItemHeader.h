#pragma once
// The header above a feed post: the post's time as a label and, on builds
// that have it, as a button. Each getter writes Instagram's own short text
// ("RECENTLY") before handing the label or button out. Main thread.

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

    RefPtr<objc::Object> feedItem() const { return m_feedItem; }
    RefPtr<platform::UILabel> timestampLabel();
    RefPtr<platform::UIButton> timestampButton();

private:
    RefPtr<objc::Object> m_feedItem;
    RefPtr<platform::UILabel> m_label;
    RefPtr<platform::UIButton> m_button;
};

} // namespace hosts::instagram
