#pragma once
// The view that plays a feed video, and the feed row that holds it. Given a
// post (setFeedItem:) the view keeps the post's video in its private field
// "_video", shows the post's still picture with a play mark (and a
// "sound off" mark for a video without sound), and loads the video over HTTP
// off the main thread; once it has the video it tells itself
// videoPlayer:didLoadVideoInView: (sent through the runtime) with its player
// view. A view given another post meanwhile ignores the earlier answer. The
// row shows the post's header above the video.
// Main thread.

#include "hosts/instagram/IGFeedItemHeader.h"
#include "hosts/instagram/IGFeedPhotoView.h"
#include "platform/uikit/UICollectionViewCell.h"
#include "platform/uikit/UILabel.h"

namespace hosts::instagram {

class IGFeedItemVideoView : public platform::UIView {
    OBJC_CLASS(IGFeedItemVideoView, platform::UIView)
public:
    IGFeedItemVideoView() = default;
    static void registerMethods(objc::ClassBuilder<IGFeedItemVideoView>&);

    RefPtr<platform::UIView> initWithFrame(platform::CGRect frame);
    RefPtr<objc::Object> feedItem() const { return m_feedItem; }
    void setFeedItem(id feedItem);
    // Instagram's own step once the video is loaded: it starts playing.
    void videoPlayerDidLoadVideoInView(id player, id view) { m_playing = true; }

    bool isPlaying() const { return m_playing; }
    // How many bytes of the current video were loaded (0 until loaded).
    long loadedLength() const { return m_loadedLength; }
    void layoutSubviews();

private:
    RefPtr<objc::Object> m_feedItem;
    RefPtr<objc::Object> m_video; // "_video"
    RefPtr<IGRemoteImageView> m_stillView;
    RefPtr<platform::UILabel> m_playMark;
    RefPtr<platform::UILabel> m_soundMark;
    unsigned m_generation { 0 };
    long m_loadedLength { 0 };
    bool m_playing { false };
};

class IGFeedItemVideoCell : public platform::UICollectionViewCell {
    OBJC_CLASS(IGFeedItemVideoCell, platform::UICollectionViewCell)
public:
    IGFeedItemVideoCell() = default;
    static void registerMethods(objc::ClassBuilder<IGFeedItemVideoCell>&);

    RefPtr<platform::UIView> initWithFrame(platform::CGRect frame);
    RefPtr<IGFeedItemVideoView> videoView() const { return m_videoView; }
    RefPtr<IGFeedItemHeader> header() const { return m_header; }
    RefPtr<objc::Object> feedItem() const { return m_videoView ? m_videoView->feedItem() : nullptr; }
    void setFeedItem(id feedItem);
    void layoutSubviews();

private:
    RefPtr<IGFeedItemVideoView> m_videoView;
    RefPtr<IGFeedItemHeader> m_header;
};

} // namespace hosts::instagram
