#pragma once
// Like counts on older Instagram builds: the likes row reads "%d likes" with
// the post's like count, in Instagram's own text attributes. Builds above
// 17882765 keep their own text. Main thread.

#include "core/Hooking.h"

namespace igtarvo {

// The last Instagram build whose likes row is rewritten.
inline constexpr long kLikeCountTextLastBuild = 17882765;

// IGFeedItemTextCell styledStringForLikesWithFeedItem:. Calls Instagram's and
// answers its styled string, its characters replaced on older builds.
HookRows likeCountRows();

} // namespace igtarvo
