#include "hosts/instagram/IGFeedItem.h"

namespace hosts::instagram {

using namespace platform;

OBJC_CLASS_DEFINE(IGFeedItem)

void IGFeedItem::registerMethods(objc::ClassBuilder<IGFeedItem>& b)
{
    b.method<&IGFeedItem::takenAt>("takenAt")
        .method<&IGFeedItem::likeCount>("likeCount")
        .method<&IGFeedItem::pk>("pk")
        .method<&IGFeedItem::user>("user")
        .method<&IGFeedItem::caption>("caption")
        .method<&IGFeedItem::mediaType>("mediaType")
        .method<&IGFeedItem::photo>("photo")
        .method<&IGFeedItem::video>("video")
        .method<&IGFeedItem::sponsoredPostInfo>("sponsoredPostInfo");
}

Ref<IGFeedItem> IGFeedItem::create(double takenAt, long likeCount)
{
    return objc::make<IGFeedItem>(NSDate::dateWithTimeIntervalSince1970(takenAt), likeCount);
}

std::string resolveFeedURL(const std::string& baseURL, const std::string& url)
{
    if (url.empty() || url[0] != '/')
        return url;
    std::string base = baseURL;
    while (!base.empty() && base.back() == '/')
        base.pop_back();
    return base + url;
}

namespace {

NSDictionary* asDictionary(id value) { return objc::dynamicCast<NSDictionary>(value); }
NSArray* asArray(id value) { return objc::dynamicCast<NSArray>(value); }
NSNumber* asNumber(id value) { return objc::dynamicCast<NSNumber>(value); }

RefPtr<IGUser> userOf(id value, const std::string& baseURL)
{
    auto* user = asDictionary(value);
    if (!user || !isString(user->get("username").get()))
        return nullptr;
    std::string picture = isString(user->get("profile_pic_url").get()) ? str(user->get("profile_pic_url").get()) : std::string();
    std::string pk = isString(user->get("pk").get()) ? str(user->get("pk").get()) : std::string();
    return IGUser::create(str(user->get("username").get()), picture.empty() ? "" : resolveFeedURL(baseURL, picture), pk);
}

} // namespace

RefPtr<IGFeedItem> IGFeedItem::itemWithDictionary(NSDictionary* item, const std::string& baseURL)
{
    if (!item)
        return nullptr;
    auto user = userOf(item->get("user").get(), baseURL);
    if (!user)
        return nullptr;
    auto* taken = asNumber(item->get("taken_at").get());
    auto* likes = asNumber(item->get("like_count").get());
    auto post = objc::make<IGFeedItem>(NSDate::dateWithTimeIntervalSince1970(taken ? taken->doubleValue() : 0), likes ? likes->integerValue() : 0);
    post->m_pk = isString(item->get("id").get()) ? str(item->get("id").get()) : std::string();
    post->m_user = user;
    if (auto* caption = asDictionary(item->get("caption").get()); caption && isString(caption->get("text").get()))
        post->m_caption = IGCaption::create(str(caption->get("text").get()));
    auto* type = asNumber(item->get("media_type").get());
    post->m_mediaType = type ? type->integerValue() : 0;
    if (auto* versions = asArray(item->get("image_versions").get())) {
        std::vector<Ref<objc::Object>> resolved;
        for (unsigned long i = 0; i < versions->count(); ++i) {
            auto* version = asDictionary(versions->objectAtIndex(i).get());
            if (!version || !isString(version->get("url").get()))
                continue;
            auto copy = NSMutableDictionary::create();
            copy->set("url", ns(resolveFeedURL(baseURL, str(version->get("url").get()))).get());
            for (const char* key : { "width", "height" }) {
                if (auto value = version->get(key))
                    copy->set(key, value.get());
            }
            resolved.push_back(copy);
        }
        post->m_photo = IGPhoto::create(NSArray::create(std::move(resolved)));
    }
    if (auto* versions = asArray(item->get("video_versions").get())) {
        std::map<long, std::string> addresses;
        for (unsigned long i = 0; i < versions->count(); ++i) {
            auto* version = asDictionary(versions->objectAtIndex(i).get());
            if (!version || !isString(version->get("url").get()))
                continue;
            auto* kind = asNumber(version->get("type").get());
            addresses[kind ? kind->integerValue() : 1] = resolveFeedURL(baseURL, str(version->get("url").get()));
        }
        if (!addresses.empty())
            post->m_video = IGVideo::create(std::move(addresses));
    }
    if (auto* audio = asNumber(item->get("has_audio").get()))
        post->m_hasAudio = audio->doubleValue() != 0;
    if (auto sponsor = item->get("sponsored")) // JSON null is no entry
        post->m_sponsoredPostInfo = sponsor;
    if (post->m_mediaType == IGMediaTypePhoto && !post->m_photo)
        return nullptr;
    if (post->m_mediaType == IGMediaTypeVideo && !post->m_video)
        return nullptr;
    return post;
}

} // namespace hosts::instagram
