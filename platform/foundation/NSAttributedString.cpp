#include "platform/foundation/NSAttributedString.h"
#include "platform/foundation/NSMutableAttributedString.h"
#include "platform/foundation/TextUnits.h"

#include <algorithm>

namespace platform {

OBJC_CLASS_LOAD(NSAttributedString)

namespace {
bool sameAttributes(const NSAttributedString::Attributes& a, const NSAttributedString::Attributes& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.first == y.first && isEqual(x.second.get(), y.second.get());
    });
}
}

Ref<NSDictionary> attributesDictionary(const NSAttributedString::Attributes& attributes)
{
    return NSDictionary::create(attributes);
}

NSAttributedString::Attributes attributesFromDictionary(NSDictionary* dictionary)
{
    return dictionary ? dictionary->entries() : NSAttributedString::Attributes {};
}

NSAttributedString::NSAttributedString(std::u16string text, const Attributes& attributes)
    : m_text(std::move(text))
{
    if (!m_text.empty())
        m_runs.push_back({ m_text.size(), attributes });
}

Ref<NSAttributedString> NSAttributedString::create(const std::string& utf8, const Attributes& attributes)
{
    return objc::make<NSAttributedString>(toUTF16(utf8), attributes);
}

RefPtr<NSAttributedString> NSAttributedString::initWithString(NSString* text)
{
    return initWithStringAttributes(text, nullptr);
}

RefPtr<NSAttributedString> NSAttributedString::initWithStringAttributes(NSString* text, NSDictionary* attributes)
{
    m_text = toUTF16(text ? text->str() : std::string());
    m_runs.clear();
    if (!m_text.empty())
        m_runs.push_back({ m_text.size(), attributesFromDictionary(attributes) });
    return RefPtr<NSAttributedString>(this);
}

RefPtr<NSAttributedString> NSAttributedString::initWithAttributedString(NSAttributedString* other)
{
    if (other) {
        m_text = other->m_text;
        m_runs = other->m_runs;
    }
    return RefPtr<NSAttributedString>(this);
}

RefPtr<NSString> NSAttributedString::string() const
{
    return ns(text());
}

std::string NSAttributedString::text() const
{
    return toUTF8(m_text);
}

RefPtr<NSDictionary> NSAttributedString::attributesAtIndex(unsigned long index, NSRange* effectiveRange) const
{
    unsigned long start = 0;
    for (const auto& run : m_runs) {
        if (index < start + run.length) {
            if (effectiveRange)
                *effectiveRange = NSMakeRange(start, run.length);
            return attributesDictionary(run.attributes);
        }
        start += run.length;
    }
    if (effectiveRange)
        *effectiveRange = NSMakeRange(NSNotFound, 0);
    return nullptr;
}

RefPtr<Object> NSAttributedString::attribute(const std::string& name, unsigned long index, NSRange* effectiveRange) const
{
    if (index >= m_text.size()) {
        if (effectiveRange)
            *effectiveRange = NSMakeRange(NSNotFound, 0);
        return nullptr;
    }
    // Find the run holding index, then widen over neighbours with an equal value.
    auto valueOf = [&](const Run& run) -> RefPtr<Object> {
        auto it = run.attributes.find(name);
        return it == run.attributes.end() ? nullptr : RefPtr<Object>(it->second);
    };
    size_t i = 0;
    unsigned long start = 0;
    while (index >= start + m_runs[i].length)
        start += m_runs[i++].length;
    RefPtr<Object> value = valueOf(m_runs[i]);
    if (effectiveRange) {
        size_t first = i, last = i;
        unsigned long from = start, to = start + m_runs[i].length;
        while (first > 0 && platform::isEqual(valueOf(m_runs[first - 1]).get(), value.get()))
            from -= m_runs[--first].length;
        while (last + 1 < m_runs.size() && platform::isEqual(valueOf(m_runs[last + 1]).get(), value.get()))
            to += m_runs[++last].length;
        *effectiveRange = NSMakeRange(from, to - from);
    }
    return value;
}

RefPtr<Object> NSAttributedString::attributeAtIndex(NSString* name, unsigned long index, NSRange* effectiveRange) const
{
    return attribute(name ? name->str() : std::string(), index, effectiveRange);
}

NSRange NSAttributedString::clip(NSRange range) const
{
    unsigned long from = std::min<unsigned long>(range.location, m_text.size());
    unsigned long to = std::min<unsigned long>(m_text.size(), from + std::min(range.length, m_text.size() - from));
    return NSMakeRange(from, to - from);
}

void NSAttributedString::enumerateAttributesInRange(NSRange range, unsigned long options, NSAttributesEnumerationBlock block) const
{
    if (!block)
        return;
    range = clip(range);
    std::vector<std::pair<NSRange, Ref<NSDictionary>>> pieces;
    unsigned long start = 0;
    for (const auto& run : m_runs) {
        unsigned long from = std::max(start, range.location), to = std::min(start + run.length, NSMaxRange(range));
        if (from < to)
            pieces.emplace_back(NSMakeRange(from, to - from), attributesDictionary(run.attributes));
        start += run.length;
    }
    if (options & NSAttributedStringEnumerationReverse)
        std::reverse(pieces.begin(), pieces.end());
    bool stop = false;
    for (auto& [r, attributes] : pieces) {
        block(attributes.get(), r, &stop);
        if (stop)
            break;
    }
}

void NSAttributedString::enumerateAttribute(NSString* name, NSRange range, unsigned long options, NSAttributeEnumerationBlock block) const
{
    if (!block)
        return;
    std::string key = name ? name->str() : std::string();
    range = clip(range);
    std::vector<std::pair<NSRange, RefPtr<Object>>> pieces;
    unsigned long start = 0;
    for (const auto& run : m_runs) {
        unsigned long from = std::max(start, range.location), to = std::min(start + run.length, NSMaxRange(range));
        start += run.length;
        if (from >= to)
            continue;
        auto it = run.attributes.find(key);
        RefPtr<Object> value = it == run.attributes.end() ? nullptr : RefPtr<Object>(it->second);
        if (!pieces.empty() && NSMaxRange(pieces.back().first) == from && platform::isEqual(pieces.back().second.get(), value.get()))
            pieces.back().first.length += to - from;
        else
            pieces.emplace_back(NSMakeRange(from, to - from), value);
    }
    if (options & NSAttributedStringEnumerationReverse)
        std::reverse(pieces.begin(), pieces.end());
    bool stop = false;
    for (auto& [r, value] : pieces) {
        block(value.get(), r, &stop);
        if (stop)
            break;
    }
}

RefPtr<NSAttributedString> NSAttributedString::attributedSubstringFromRange(NSRange range) const
{
    if (!NSRangeFits(range, m_text.size()))
        return nullptr;
    auto result = objc::make<NSAttributedString>();
    result->m_text = m_text.substr(range.location, range.length);
    unsigned long start = 0;
    for (const auto& run : m_runs) {
        unsigned long from = std::max(start, range.location), to = std::min(start + run.length, NSMaxRange(range));
        if (from < to)
            result->m_runs.push_back({ to - from, run.attributes });
        start += run.length;
    }
    result->coalesce();
    return result;
}

bool NSAttributedString::isEqualToAttributedString(NSAttributedString* other) const
{
    if (!other || other->m_text != m_text || other->m_runs.size() != m_runs.size())
        return false;
    for (size_t i = 0; i < m_runs.size(); ++i) {
        if (m_runs[i].length != other->m_runs[i].length || !sameAttributes(m_runs[i].attributes, other->m_runs[i].attributes))
            return false;
    }
    return true;
}

bool NSAttributedString::isEqual(id other) const
{
    return objc::object_isKindOfClass(other, staticClass()) && isEqualToAttributedString(static_cast<NSAttributedString*>(other));
}

RefPtr<NSAttributedString> NSAttributedString::copy() const
{
    auto result = objc::make<NSAttributedString>();
    result->m_text = m_text;
    result->m_runs = m_runs;
    return result;
}

RefPtr<NSAttributedString> NSAttributedString::mutableCopy() const
{
    auto result = objc::make<NSMutableAttributedString>();
    result->m_text = m_text;
    result->m_runs = m_runs;
    return result;
}

size_t NSAttributedString::splitAt(unsigned long index)
{
    unsigned long start = 0;
    for (size_t i = 0; i < m_runs.size(); ++i) {
        if (index == start)
            return i;
        if (index < start + m_runs[i].length) {
            Run tail { start + m_runs[i].length - index, m_runs[i].attributes };
            m_runs[i].length = index - start;
            m_runs.insert(m_runs.begin() + long(i) + 1, std::move(tail));
            return i + 1;
        }
        start += m_runs[i].length;
    }
    return m_runs.size();
}

void NSAttributedString::changeAttributes(NSRange range, const std::function<void(Attributes&)>& change)
{
    if (range.length == 0)
        return;
    size_t first = splitAt(range.location);
    size_t end = splitAt(NSMaxRange(range));
    for (size_t i = first; i < end; ++i)
        change(m_runs[i].attributes);
    coalesce();
}

void NSAttributedString::coalesce()
{
    std::vector<Run> joined;
    for (auto& run : m_runs) {
        if (run.length == 0)
            continue;
        if (!joined.empty() && sameAttributes(joined.back().attributes, run.attributes))
            joined.back().length += run.length;
        else
            joined.push_back(std::move(run));
    }
    m_runs = std::move(joined);
}

void NSAttributedString::replaceUnits(NSRange range, const std::u16string& units, const Attributes* attributes)
{
    // New text takes the given attributes, else those of the first replaced
    // unit, else those of the unit before it.
    Attributes inherited;
    if (attributes) {
        inherited = *attributes;
    } else if (!m_runs.empty()) {
        unsigned long probe = range.length > 0 || range.location == 0 ? range.location : range.location - 1;
        unsigned long start = 0;
        for (const auto& run : m_runs) {
            if (probe < start + run.length) {
                inherited = run.attributes;
                break;
            }
            start += run.length;
        }
    }
    size_t first = splitAt(range.location);
    size_t end = splitAt(NSMaxRange(range));
    m_runs.erase(m_runs.begin() + long(first), m_runs.begin() + long(end));
    if (!units.empty())
        m_runs.insert(m_runs.begin() + long(first), Run { units.size(), inherited });
    m_text.replace(range.location, range.length, units);
    coalesce();
}

void NSAttributedString::registerMethods(objc::ClassBuilder<NSAttributedString>& b)
{
    b.method<&NSAttributedString::initWithString>("initWithString:")
        .method<&NSAttributedString::initWithStringAttributes>("initWithString:attributes:")
        .method<&NSAttributedString::initWithAttributedString>("initWithAttributedString:")
        .method<&NSAttributedString::string>("string")
        .method<&NSAttributedString::length>("length")
        .method<&NSAttributedString::attributesAtIndex>("attributesAtIndex:effectiveRange:")
        .method<&NSAttributedString::attributeAtIndex>("attribute:atIndex:effectiveRange:")
        .method<&NSAttributedString::enumerateAttribute>("enumerateAttribute:inRange:options:usingBlock:")
        .method<&NSAttributedString::enumerateAttributesInRange>("enumerateAttributesInRange:options:usingBlock:")
        .method<&NSAttributedString::attributedSubstringFromRange>("attributedSubstringFromRange:")
        .method<&NSAttributedString::isEqualToAttributedString>("isEqualToAttributedString:")
        .method<&NSAttributedString::isEqual>("isEqual:")
        .method<&NSAttributedString::copy>("copy")
        .method<&NSAttributedString::mutableCopy>("mutableCopy");
}

} // namespace platform
