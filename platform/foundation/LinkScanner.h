#pragma once
// Finds links in text: addresses with a scheme ("https://example.com/a",
// "mailto:user@example.com"), bare web addresses ("www.example.com",
// "example.com/path?q=1") and e-mail addresses ("user@example.com").
//
// Contract:
//  - A link starts at the beginning of a word and ends where the word does;
//    nothing is found inside a word.
//  - Trailing punctuation (".,;:!?'\"") is not part of a link; a closing
//    bracket is, only when it closes one opened inside the link.
//  - Bare addresses need a known top-level domain, not written as a
//    capitalised word ("end.So what" is no address); e-mail domains any
//    alphabetic one of two letters or more.
//  - Any bytes are accepted (invalid UTF-8, NULs, megabytes of text); the
//    time taken is linear in the text's length. Each invalid byte counts as
//    one UTF-16 unit (it stands for U+FFFD).
//  - Links come back in text order and never overlap.

#include <cstddef>
#include <string_view>
#include <vector>

namespace platform {

struct LinkMatch {
    enum class Kind { Scheme, Web, Email };
    Kind kind;
    size_t byteStart;    // in the text's bytes
    size_t byteLength;
    size_t utf16Start;   // in UTF-16 code units, as string ranges count
    size_t utf16Length;
};

class LinkScanner {
public:
    // Every link of the text, in order.
    static std::vector<LinkMatch> scan(std::string_view text);
    // The byte offset where the UTF-16 unit `unit` starts, counting as scan()
    // does; the text's size when the text has fewer units.
    static size_t byteOffsetOfUnit(std::string_view text, size_t unit);
    // Whether the word is a known top-level domain (any letter case).
    static bool isKnownTopLevelDomain(std::string_view label);
};

} // namespace platform
