#pragma once
// Links in post texts: which ranges of a text the feed marks as links, how a
// mark looks ("URL" attribute with the address, blue, single underline), and
// which address a tap on a link opens.

#include "platform/foundation/NSMutableAttributedString.h"
#include "platform/foundation/NSURL.h"

#include <string>
#include <string_view>
#include <vector>

namespace igtarvo {

using platform::NSMutableAttributedString;
using platform::NSRange;
using platform::NSURL;

// The attribute that carries a link's address.
inline constexpr const char* kLinkAttributeName = "URL";
// Addresses that Instagram opens itself.
inline constexpr const char* kInstagramLinkPrefix = "instagram://";
// What an e-mail address looks like (case-insensitive, whole text).
inline constexpr const char* kEmailExpression = "^[A-Z0-9a-z._%+-]+@[A-Za-z0-9.-]+\\.[A-Za-z]{2,4}$";

struct FeedLink {
    NSRange range;           // in the text's UTF-16 units
    std::string text;        // the linked text, as it stands
    objc::Ref<NSURL> address; // made from the text unchanged
};

// The links of a text: each link the data detector finds whose text forms an
// address by itself; the others are skipped. Any thread.
std::vector<FeedLink> findFeedLinks(const std::string& text);

// Marks each link's range with the "URL" attribute (its address), the colour
// blue and a single underline. Ranges that do not fit the text are skipped.
void markFeedLinks(NSMutableAttributedString* text, const std::vector<FeedLink>& links);

// Whether the text matches kEmailExpression.
bool matchesEmailExpression(std::string_view text);

// Whether Instagram handles the address itself ("instagram://...").
bool isInstagramAddress(NSURL* address);

// The address a tap opens outside Instagram: a scheme-less address completed
// as "mailto://%@" when it is an e-mail address, else as "http://%@"; any
// other address unchanged.
objc::RefPtr<NSURL> addressToOpen(NSURL* tapped);

} // namespace igtarvo
