#pragma once
// The row under a post with Instagram's buttons: like, comment and share on
// the left, and the "more" button (moreButton, 44 points square) at the
// right edge. It knows its post (feedItem) and the navigation controller
// that presents what its buttons open (navigationController, weak). The
// buttons are placed by initWithFrame: and again by every layout pass.
// Main thread.

#include "platform/uikit/UIButton.h"
#include "platform/uikit/UICollectionViewCell.h"
#include "platform/uikit/UINavigationController.h"

namespace hosts::instagram {

using objc::id;
using objc::RefPtr;

class IGFeedItemActionCell : public platform::UICollectionViewCell {
    OBJC_CLASS(IGFeedItemActionCell, platform::UICollectionViewCell)
public:
    IGFeedItemActionCell() = default;
    static void registerMethods(objc::ClassBuilder<IGFeedItemActionCell>&);

    RefPtr<platform::UIView> initWithFrame(platform::CGRect frame);
    void layoutSubviews();

    RefPtr<objc::Object> feedItem() const { return m_feedItem; }
    void setFeedItem(id feedItem) { m_feedItem = feedItem; }
    RefPtr<platform::UINavigationController> navigationController() const { return m_navigationController.lock(); }
    void setNavigationController(platform::UINavigationController* controller) { m_navigationController = objc::WeakPtr<platform::UINavigationController>(controller); }

    RefPtr<platform::UIButton> likeButton() const { return m_likeButton; }
    RefPtr<platform::UIButton> commentButton() const { return m_commentButton; }
    RefPtr<platform::UIButton> sendButton() const { return m_sendButton; }
    RefPtr<platform::UIButton> moreButton() const { return m_moreButton; }

    // The side of the "more" button, in points.
    static constexpr double kMoreButtonSide = 44;

private:
    void placeButtons();

    RefPtr<objc::Object> m_feedItem;
    objc::WeakPtr<platform::UINavigationController> m_navigationController;
    RefPtr<platform::UIButton> m_likeButton;
    RefPtr<platform::UIButton> m_commentButton;
    RefPtr<platform::UIButton> m_sendButton;
    RefPtr<platform::UIButton> m_moreButton;
};

} // namespace hosts::instagram
