#include "feed/display/LikeCountHook.h"

#include "core/InstagramSurface.h"
#include "platform/foundation/NSValues.h"

#include <cstdio>

namespace igtarvo {

namespace {

Previous<RefPtr<Object>(id)> g_IGFeedItemTextCell_styledStringForLikes;

RefPtr<Object> IGFeedItemTextCell_styledStringForLikes(id self, SEL _cmd, id feedItem)
{
    RefPtr<Object> styled = g_IGFeedItemTextCell_styledStringForLikes(self, _cmd, feedItem);
    if (instagram::bundleVersion() > kLikeCountTextLastBuild)
        return styled;
    // The count is the cell's own post's, as the row belongs to the cell.
    char text[40];
    std::snprintf(text, sizeof text, "%d likes", int(instagram::likeCount(instagram::feedItem(self).get())));
    instagram::mf_setString(instagram::attributedString(styled.get()).get(), platform::ns(text).get());
    return styled;
}

} // namespace

HookRows likeCountRows()
{
    return {
        replaced<g_IGFeedItemTextCell_styledStringForLikes, &IGFeedItemTextCell_styledStringForLikes>(
            kInstagramProcess, "IGFeedItemTextCell", "styledStringForLikesWithFeedItem:"),
    };
}

} // namespace igtarvo
