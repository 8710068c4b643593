#pragma once
// Text with attributes over ranges: a string and, for every UTF-16 unit, a
// dictionary of named attributes. Adjacent units with equal attributes form
// one run, and a run is the effective range that look-ups answer.

#include "platform/foundation/NSRange.h"
#include "platform/foundation/NSValues.h"

#include <functional>

namespace platform {

// Attribute names. Any other text names an attribute too (a "URL" attribute
// of a link's address, for one).
inline constexpr const char* NSFontAttributeName = "NSFont";
inline constexpr const char* NSForegroundColorAttributeName = "NSColor";
inline constexpr const char* NSBackgroundColorAttributeName = "NSBackgroundColor";
inline constexpr const char* NSUnderlineStyleAttributeName = "NSUnderline";
inline constexpr const char* NSLinkAttributeName = "NSLink";

enum NSUnderlineStyle : long {
    NSUnderlineStyleNone = 0,
    NSUnderlineStyleSingle = 1,
};

enum NSAttributedStringEnumerationOptions : unsigned long {
    NSAttributedStringEnumerationReverse = 1 << 1,
    NSAttributedStringEnumerationLongestEffectiveRangeNotRequired = 1 << 20,
};

// Called for each run: its value (or attributes), its range, and a flag to stop.
using NSAttributeEnumerationBlock = std::function<void(id value, NSRange range, bool* stop)>;
using NSAttributesEnumerationBlock = std::function<void(NSDictionary* attributes, NSRange range, bool* stop)>;

class NSAttributedString : public NSObject {
    OBJC_CLASS(NSAttributedString, NSObject)
public:
    using Attributes = std::map<std::string, Ref<Object>>;
    NSAttributedString() = default;
    NSAttributedString(std::u16string text, const Attributes& attributes);
    static void registerMethods(objc::ClassBuilder<NSAttributedString>&);

    // Text with the same attributes throughout.
    static Ref<NSAttributedString> create(const std::string& utf8, const Attributes& attributes = {});

    RefPtr<NSAttributedString> initWithString(NSString* text);
    RefPtr<NSAttributedString> initWithStringAttributes(NSString* text, NSDictionary* attributes);
    RefPtr<NSAttributedString> initWithAttributedString(NSAttributedString* other);

    // The plain text.
    RefPtr<NSString> string() const;
    std::string text() const;
    // Length in UTF-16 units.
    unsigned long length() const { return m_text.size(); }
    const std::u16string& units() const { return m_text; }

    // The attributes at a unit and the run they hold over; nil past the end.
    RefPtr<NSDictionary> attributesAtIndex(unsigned long index, NSRange* effectiveRange) const;
    // One attribute at a unit (nil when absent) and the run of equal values.
    RefPtr<Object> attributeAtIndex(NSString* name, unsigned long index, NSRange* effectiveRange) const;
    RefPtr<Object> attribute(const std::string& name, unsigned long index, NSRange* effectiveRange = nullptr) const;
    // Calls the block for each run of one attribute within the range (nil values included).
    void enumerateAttribute(NSString* name, NSRange range, unsigned long options, NSAttributeEnumerationBlock block) const;
    // Calls the block for each run within the range.
    void enumerateAttributesInRange(NSRange range, unsigned long options, NSAttributesEnumerationBlock block) const;
    // A copy of part of the text; nil when the range does not fit.
    RefPtr<NSAttributedString> attributedSubstringFromRange(NSRange range) const;
    bool isEqualToAttributedString(NSAttributedString* other) const;
    bool isEqual(id other) const;
    RefPtr<NSAttributedString> copy() const;
    RefPtr<NSAttributedString> mutableCopy() const;

protected:
    struct Run {
        unsigned long length;
        Attributes attributes;
    };
    // Splits runs so that `index` starts one; answers that run's position.
    size_t splitAt(unsigned long index);
    // Applies `change` to the attributes of every unit in the range.
    void changeAttributes(NSRange range, const std::function<void(Attributes&)>& change);
    // Joins neighbouring runs with equal attributes.
    void coalesce();
    void replaceUnits(NSRange range, const std::u16string& units, const Attributes* attributes);
    NSRange clip(NSRange range) const;
    static const std::vector<Run>& runsOf(const NSAttributedString& text) { return text.m_runs; }

    std::u16string m_text;
    std::vector<Run> m_runs;
};

// Converts between attribute maps and dictionaries.
Ref<NSDictionary> attributesDictionary(const NSAttributedString::Attributes& attributes);
NSAttributedString::Attributes attributesFromDictionary(NSDictionary* dictionary);

} // namespace platform
