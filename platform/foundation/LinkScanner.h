#pragma once
// Finds links in text written in any script: addresses with a scheme
// ("https://example.com/a", "http://foobar.みんな/", "mailto:user@example.com"),
// bare web addresses ("www.example.com", "президент.рф", "example.com:8080/x")
// and e-mail addresses ("user@example.com").
//
// Contract:
//  - A link starts at the beginning of a word and ends where the word does;
//    nothing is found inside a word. Where text has no spaces between words
//    (Chinese, Japanese, Korean), a change between those scripts and any
//    other letters or digits also begins or ends a word: "日本語example.com"
//    and "example.com中国語" both hold "example.com".
//  - A host is labels of letters, digits and marks of any script joined by
//    single dots; a label neither begins nor ends with "-" and holds no "_".
//    A malformed host is no link ("http://.example.com", "http://a_b.com",
//    "http://example.com_").
//  - Bare addresses end in a top-level domain of the public suffix list, in
//    any letter case ("Google.Com"). A last label that is none is left out
//    ("example.com.Then" holds "example.com"). A capitalised last label after
//    a lower-case word reads as a sentence, not an address ("end.So what").
//  - Paths, queries and fragments may hold letters, digits and marks of any
//    script ("/Русские_слова", "/䨹", "/1939–40"); white space, emoji and
//    the full-width and ideographic punctuation ("。", "、", "」") end them.
//  - Trailing punctuation (".,;:!?'*" and other scripts' punctuation) is not
//    part of a link; a closing bracket is, only when it closes one opened
//    inside the link, and a double quote only when it closes one opened
//    inside it.
//  - "user:pass@example.com" is no e-mail address.
//  - Any bytes are accepted (invalid UTF-8, NULs, megabytes of text); the
//    time taken is linear in the text's length. Each invalid byte counts as
//    one UTF-16 unit (it stands for U+FFFD) and is never part of a link.
//  - Links come back in text order and never overlap.
//  - Any thread; scans share nothing but the read-only suffix list.

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
    // Whether the label (UTF-8, any letter case, Unicode or its ASCII form)
    // is a top-level domain of the public suffix list.
    static bool isKnownTopLevelDomain(std::string_view label);
};

} // namespace platform
