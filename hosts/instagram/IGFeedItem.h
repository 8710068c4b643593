#pragma once
// A post of the feed: who posted it and when, its caption, its kind (1 photo,
// 2 video) with the photo's versions or the video, how many people like it,
// and, for an advertisement, what Instagram knows of the sponsor.

#include "hosts/instagram/IGCaption.h"
#include "hosts/instagram/IGUser.h"
#include "hosts/instagram/IGVideo.h"

namespace hosts::instagram {

using objc::id;
using objc::Ref;
using objc::RefPtr;
using platform::NSDate;
using platform::NSDictionary;

enum IGMediaType : long { IGMediaTypePhoto = 1, IGMediaTypeVideo = 2 };

class IGFeedItem : public objc::Object {
    OBJC_CLASS(IGFeedItem, objc::Object)
public:
    IGFeedItem() = default;
    IGFeedItem(RefPtr<NSDate> takenAt, long likeCount) : m_takenAt(std::move(takenAt)), m_likeCount(likeCount) { }
    static void registerMethods(objc::ClassBuilder<IGFeedItem>&);
    // A post taken at that moment (seconds since 1970) with that many likes.
    static Ref<IGFeedItem> create(double takenAt, long likeCount);
    // A post of the feed service's answer (one entry of its "items"), its
    // addresses resolved against the service's `baseURL`; nil when the entry
    // is not a post (no user, or a media kind without its media).
    static RefPtr<IGFeedItem> itemWithDictionary(NSDictionary* item, const std::string& baseURL);

    RefPtr<NSDate> takenAt() const { return m_takenAt; }
    long likeCount() const { return m_likeCount; }
    RefPtr<platform::NSString> pk() const { return platform::ns(m_pk); }
    RefPtr<IGUser> user() const { return m_user; }
    // Nil when the post has no caption.
    RefPtr<IGCaption> caption() const { return m_caption; }
    long mediaType() const { return m_mediaType; }
    RefPtr<IGPhoto> photo() const { return m_photo; }
    RefPtr<IGVideo> video() const { return m_video; }
    bool hasAudio() const { return m_hasAudio; }
    // Nil unless the post is an advertisement.
    RefPtr<objc::Object> sponsoredPostInfo() const { return m_sponsoredPostInfo; }

    void setUser(RefPtr<IGUser> user) { m_user = std::move(user); }
    void setCaption(RefPtr<IGCaption> caption) { m_caption = std::move(caption); }
    void setMediaType(long type) { m_mediaType = type; }
    void setPhoto(RefPtr<IGPhoto> photo) { m_photo = std::move(photo); }
    void setVideo(RefPtr<IGVideo> video) { m_video = std::move(video); }
    void setSponsoredPostInfo(RefPtr<objc::Object> info) { m_sponsoredPostInfo = std::move(info); }

private:
    RefPtr<NSDate> m_takenAt;
    long m_likeCount { 0 };
    std::string m_pk;
    RefPtr<IGUser> m_user;
    RefPtr<IGCaption> m_caption;
    long m_mediaType { 0 };
    RefPtr<IGPhoto> m_photo;
    RefPtr<IGVideo> m_video;
    bool m_hasAudio { false };
    RefPtr<objc::Object> m_sponsoredPostInfo;
};

// An address of the feed service's answer made absolute: a path ("/media/x.jpg")
// is put after `baseURL`; an absolute address is kept.
std::string resolveFeedURL(const std::string& baseURL, const std::string& url);

} // namespace hosts::instagram
