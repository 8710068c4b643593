#include "platform/foundation/NSDataDetector.h"

namespace platform {

OBJC_CLASS_LOAD(NSDataDetector)

namespace {

std::string addressOf(const LinkMatch& match, std::string_view text)
{
    std::string_view matched = text.substr(match.byteStart, match.byteLength);
    switch (match.kind) {
    case LinkMatch::Kind::Web:
        return "http://" + std::string(matched);
    case LinkMatch::Kind::Email:
        return "mailto:" + std::string(matched);
    case LinkMatch::Kind::Scheme:
        break;
    }
    return std::string(matched);
}

} // namespace

void NSDataDetector::registerMethods(objc::ClassBuilder<NSDataDetector>& b)
{
    b.method<&NSDataDetector::checkingTypes>("checkingTypes")
        .method<&NSDataDetector::matchesInString>("matchesInString:options:range:")
        .classMethod<&NSDataDetector::dataDetectorWithTypes>("dataDetectorWithTypes:");
}

RefPtr<NSDataDetector> NSDataDetector::dataDetectorWithTypes(uint64_t types)
{
    if (!(types & NSTextCheckingTypeLink))
        return nullptr;
    return objc::make<NSDataDetector>(uint64_t(NSTextCheckingTypeLink));
}

std::vector<Ref<NSTextCheckingResult>> NSDataDetector::matches(const std::string& text) const
{
    std::vector<Ref<NSTextCheckingResult>> results;
    for (const LinkMatch& match : LinkScanner::scan(text)) {
        auto url = NSURL::URLWithString(ns(addressOf(match, text)).get());
        if (!url)
            continue;
        results.push_back(NSTextCheckingResult::linkCheckingResultWithRange(NSMakeRange(match.utf16Start, match.utf16Length), url.get()));
    }
    return results;
}

RefPtr<NSArray> NSDataDetector::matchesInString(NSString* text, unsigned long, NSRange range) const
{
    if (!text)
        return NSArray::create();
    std::string_view all = text->str();
    size_t begin = LinkScanner::byteOffsetOfUnit(all, range.location);
    size_t end = range.length >= NSNotFound ? all.size() : LinkScanner::byteOffsetOfUnit(all, range.location + range.length);
    end = std::max(begin, end);
    std::vector<Ref<Object>> items;
    for (auto& result : matches(std::string(all.substr(begin, end - begin)))) {
        NSRange r = result->range();
        r.location += range.location;
        items.push_back(NSTextCheckingResult::linkCheckingResultWithRange(r, result->URL().get()));
    }
    return NSArray::create(std::move(items));
}

} // namespace platform
