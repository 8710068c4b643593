#include "feed/display/FeedLinks.h"

#include "platform/foundation/NSDataDetector.h"
#include "platform/uikit/UIColor.h"

namespace igtarvo {

using namespace platform;

std::vector<FeedLink> findFeedLinks(const std::string& text)
{
    std::vector<FeedLink> links;
    auto detector = NSDataDetector::dataDetectorWithTypes(NSTextCheckingTypeLink);
    if (!detector || text.empty())
        return links;
    for (const auto& result : detector->matches(text)) {
        NSRange range = result->range();
        if (range.location == NSNotFound || result->resultType() != NSTextCheckingTypeLink)
            continue;
        size_t begin = LinkScanner::byteOffsetOfUnit(text, range.location);
        size_t end = LinkScanner::byteOffsetOfUnit(text, range.location + range.length);
        std::string linked = text.substr(begin, end - begin);
        // The address is made from the text as it stands: no scheme is added.
        auto address = NSURL::URLWithString(ns(linked).get());
        if (!address)
            continue;
        links.push_back({ range, std::move(linked), address.releaseNonNull() });
    }
    return links;
}

void markFeedLinks(NSMutableAttributedString* text, const std::vector<FeedLink>& links)
{
    if (!text)
        return;
    for (const FeedLink& link : links) {
        if (link.range.location > text->length() || link.range.length > text->length() - link.range.location)
            continue;
        text->addAttribute(kLinkAttributeName, link.address.get(), link.range);
        text->addAttribute(NSForegroundColorAttributeName, UIColor::blueColor().get(), link.range);
        text->addAttribute(NSUnderlineStyleAttributeName, NSNumber::numberWithInteger(NSUnderlineStyleSingle).get(), link.range);
    }
}

bool matchesEmailExpression(std::string_view text)
{
    // kEmailExpression, read directly: the domain's last "." is the one
    // before the final letters, since letters hold no ".". Reading it this
    // way keeps any length of text safe from a backtracking engine's depth.
    auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    auto isAlnum = [&](char c) { return isLetter(c) || (c >= '0' && c <= '9'); };
    auto isLocal = [&](char c) { return isAlnum(c) || c == '.' || c == '_' || c == '%' || c == '+' || c == '-'; };
    auto isDomain = [&](char c) { return isAlnum(c) || c == '.' || c == '-'; };
    size_t at = text.find('@');
    if (at == std::string_view::npos || at == 0)
        return false;
    for (size_t i = 0; i < at; ++i) {
        if (!isLocal(text[i]))
            return false;
    }
    std::string_view domain = text.substr(at + 1);
    for (char c : domain) {
        if (!isDomain(c))
            return false;
    }
    size_t dot = domain.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return false;
    std::string_view suffix = domain.substr(dot + 1);
    if (suffix.size() < 2 || suffix.size() > 4)
        return false;
    for (char c : suffix) {
        if (!isLetter(c))
            return false;
    }
    return true;
}

bool isInstagramAddress(NSURL* address)
{
    return address && address->text().rfind(kInstagramLinkPrefix, 0) == 0;
}

RefPtr<NSURL> addressToOpen(NSURL* tapped)
{
    if (!tapped)
        return nullptr;
    if (tapped->scheme())
        return RefPtr<NSURL>(tapped);
    const std::string& absolute = tapped->text();
    std::string completed = (matchesEmailExpression(absolute) ? "mailto://" : "http://") + absolute;
    return NSURL::URLWithString(ns(completed).get());
}

} // namespace igtarvo
