#pragma once
// Attributed text that can change: attributes added, set or removed over
// ranges, and characters replaced. A range that does not fit the text is a
// caller's fault: the platform raises, here the change is refused and the
// text left as it was. Not thread-safe: one thread at a time.

#include "platform/foundation/NSAttributedString.h"

namespace platform {

class NSMutableAttributedString : public NSAttributedString {
    OBJC_CLASS(NSMutableAttributedString, NSAttributedString)
public:
    NSMutableAttributedString() = default;
    NSMutableAttributedString(std::u16string text, const Attributes& attributes) : NSAttributedString(std::move(text), attributes) { }
    static void registerMethods(objc::ClassBuilder<NSMutableAttributedString>&);

    static Ref<NSMutableAttributedString> create(const std::string& utf8, const Attributes& attributes = {});

    // Sets one attribute over the range, keeping the others.
    void addAttribute(NSString* name, id value, NSRange range);
    void addAttributes(NSDictionary* attributes, NSRange range);
    // Replaces all attributes over the range.
    void setAttributes(NSDictionary* attributes, NSRange range);
    void removeAttribute(NSString* name, NSRange range);
    // Replaces characters; new text takes the attributes of the first replaced character.
    void replaceCharactersInRange(NSRange range, NSString* text);
    void replaceCharactersInRangeWithAttributedString(NSRange range, NSAttributedString* text);
    void insertAttributedString(NSAttributedString* text, unsigned long index);
    void appendAttributedString(NSAttributedString* text);
    void deleteCharactersInRange(NSRange range);
    // Replaces the whole content with another attributed text's.
    void setAttributedString(NSAttributedString* text);

    // C++ conveniences.
    void addAttribute(const std::string& name, id value, NSRange range);
};

} // namespace platform
