#include "platform/foundation/NSMutableAttributedString.h"
#include "platform/foundation/TextUnits.h"

namespace platform {

OBJC_CLASS_LOAD(NSMutableAttributedString)

Ref<NSMutableAttributedString> NSMutableAttributedString::create(const std::string& utf8, const Attributes& attributes)
{
    return objc::make<NSMutableAttributedString>(toUTF16(utf8), attributes);
}

void NSMutableAttributedString::addAttribute(const std::string& name, id value, NSRange range)
{
    if (!NSRangeFits(range, length()) || name.empty())
        return;
    changeAttributes(range, [&](Attributes& a) {
        if (value)
            a.insert_or_assign(name, Ref<Object>(*value));
        else
            a.erase(name);
    });
}

void NSMutableAttributedString::addAttribute(NSString* name, id value, NSRange range)
{
    addAttribute(name ? name->str() : std::string(), value, range);
}

void NSMutableAttributedString::addAttributes(NSDictionary* attributes, NSRange range)
{
    if (!attributes || !NSRangeFits(range, length()))
        return;
    changeAttributes(range, [&](Attributes& a) {
        for (auto& [k, v] : attributes->entries())
            a.insert_or_assign(k, v);
    });
}

void NSMutableAttributedString::setAttributes(NSDictionary* attributes, NSRange range)
{
    if (!NSRangeFits(range, length()))
        return;
    Attributes fresh = attributesFromDictionary(attributes);
    changeAttributes(range, [&](Attributes& a) { a = fresh; });
}

void NSMutableAttributedString::removeAttribute(NSString* name, NSRange range)
{
    if (!name || !NSRangeFits(range, length()))
        return;
    changeAttributes(range, [&](Attributes& a) { a.erase(name->str()); });
}

void NSMutableAttributedString::replaceCharactersInRange(NSRange range, NSString* text)
{
    if (!NSRangeFits(range, length()))
        return;
    replaceUnits(range, toUTF16(text ? text->str() : std::string()), nullptr);
}

void NSMutableAttributedString::replaceCharactersInRangeWithAttributedString(NSRange range, NSAttributedString* text)
{
    if (!NSRangeFits(range, length()))
        return;
    if (!text) {
        replaceUnits(range, {}, nullptr);
        return;
    }
    std::vector<Run> inserted = runsOf(*text);
    std::u16string units = text->units();
    replaceUnits(range, {}, nullptr);
    size_t at = splitAt(range.location);
    m_runs.insert(m_runs.begin() + long(at), inserted.begin(), inserted.end());
    m_text.insert(range.location, units);
    coalesce();
}

void NSMutableAttributedString::insertAttributedString(NSAttributedString* text, unsigned long index)
{
    replaceCharactersInRangeWithAttributedString(NSMakeRange(index, 0), text);
}

void NSMutableAttributedString::appendAttributedString(NSAttributedString* text)
{
    replaceCharactersInRangeWithAttributedString(NSMakeRange(length(), 0), text);
}

void NSMutableAttributedString::deleteCharactersInRange(NSRange range)
{
    if (!NSRangeFits(range, length()))
        return;
    replaceUnits(range, {}, nullptr);
}

void NSMutableAttributedString::setAttributedString(NSAttributedString* text)
{
    replaceCharactersInRangeWithAttributedString(NSMakeRange(0, length()), text);
}

void NSMutableAttributedString::registerMethods(objc::ClassBuilder<NSMutableAttributedString>& b)
{
    b.method<static_cast<void (NSMutableAttributedString::*)(NSString*, id, NSRange)>(&NSMutableAttributedString::addAttribute)>("addAttribute:value:range:")
        .method<&NSMutableAttributedString::addAttributes>("addAttributes:range:")
        .method<&NSMutableAttributedString::setAttributes>("setAttributes:range:")
        .method<&NSMutableAttributedString::removeAttribute>("removeAttribute:range:")
        .method<&NSMutableAttributedString::replaceCharactersInRange>("replaceCharactersInRange:withString:")
        .method<&NSMutableAttributedString::replaceCharactersInRangeWithAttributedString>("replaceCharactersInRange:withAttributedString:")
        .method<&NSMutableAttributedString::insertAttributedString>("insertAttributedString:atIndex:")
        .method<&NSMutableAttributedString::appendAttributedString>("appendAttributedString:")
        .method<&NSMutableAttributedString::deleteCharactersInRange>("deleteCharactersInRange:")
        .method<&NSMutableAttributedString::setAttributedString>("setAttributedString:");
}

} // namespace platform
