#pragma once
// The feed row that shows a post's photo: the post's header on top and, below
// it, its photoView (an IGFeedPhotoView) with the post's largest photo
// version. Main thread.

#include "hosts/instagram/IGFeedItemHeader.h"
#include "hosts/instagram/IGFeedPhotoView.h"
#include "platform/uikit/UICollectionViewCell.h"

namespace hosts::instagram {

class IGFeedItemPhotoCell : public platform::UICollectionViewCell {
    OBJC_CLASS(IGFeedItemPhotoCell, platform::UICollectionViewCell)
public:
    IGFeedItemPhotoCell() = default;
    static void registerMethods(objc::ClassBuilder<IGFeedItemPhotoCell>&);

    RefPtr<platform::UIView> initWithFrame(platform::CGRect frame);
    RefPtr<IGFeedPhotoView> photoView() const { return m_photoView; }
    RefPtr<IGFeedItemHeader> header() const { return m_header; }
    RefPtr<objc::Object> feedItem() const { return m_feedItem; }
    // Shows the post's photo (the last, largest, of its image versions).
    void setFeedItem(id feedItem);
    void layoutSubviews();

private:
    RefPtr<IGFeedPhotoView> m_photoView;
    RefPtr<IGFeedItemHeader> m_header;
    RefPtr<objc::Object> m_feedItem;
};

// The address of a post's largest photo version (the last of its
// imageVersions' "url"), or "" when it has none.
std::string largestImageURL(id feedItem);

} // namespace hosts::instagram
