#include "platform/foundation/LinkScanner.h"

#include "platform/foundation/HostNames.h"

#include <libpsl.h>
#include <unicode/uchar.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>

namespace platform {

namespace {

using Byte = unsigned char;

constexpr bool isAsciiAlpha(Byte c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
constexpr bool isAsciiDigit(Byte c) { return c >= '0' && c <= '9'; }
constexpr bool isAsciiAlnum(Byte c) { return isAsciiAlpha(c) || isAsciiDigit(c); }
constexpr Byte lower(Byte c) { return isAsciiAlpha(c) ? Byte(c | 0x20) : c; }

enum CharClass : uint8_t {
    kHost = 1,        // letters, digits, "-" and "." of an ASCII domain
    kLocal = 2,       // the part of an e-mail address before "@"
    kScheme = 4,      // letters, digits, "+", "-", "."
    kPath = 8,        // what an address's path, query and fragment may hold
    kWordInside = 16, // a character that continues a word: no link starts after it
    kUserInfo = 32,   // what may come before "@" in an address's authority
};

constexpr std::array<uint8_t, 256> makeClasses()
{
    std::array<uint8_t, 256> t {};
    for (int c = 0; c < 256; ++c) {
        Byte b = Byte(c);
        uint8_t v = 0;
        if (isAsciiAlnum(b))
            v |= kHost | kLocal | kScheme | kPath | kWordInside | kUserInfo;
        if (b > 0x20 && b < 0x7F) {
            bool excluded = b == '<' || b == '>' || b == '{' || b == '}' || b == '|' || b == '\\' || b == '^' || b == '`';
            if (!excluded)
                v |= kPath;
        }
        if (b == '-' || b == '.')
            v |= kHost | kLocal | kScheme;
        if (b == '+')
            v |= kLocal | kScheme;
        if (b == '_' || b == '%')
            v |= kLocal;
        if (b == '_' || b == '@' || b == '.' || b == '-' || b == '+' || b == '%' || b == '&' || b == '=' || b == '~' || b == '#' || b == '$')
            v |= kWordInside;
        if (b == '-' || b == '.' || b == '_' || b == '~' || b == '%' || b == '!' || b == '$' || b == '&' || b == '\'' || b == '('
            || b == ')' || b == '*' || b == '+' || b == ',' || b == ';' || b == '=' || b == ':')
            v |= kUserInfo;
        t[c] = v;
    }
    return t;
}

constexpr std::array<uint8_t, 256> kClasses = makeClasses();

inline bool has(Byte c, uint8_t cls) { return kClasses[c] & cls; }

// The length of the valid UTF-8 sequence at p (1 to 4), or 0 when the bytes
// there are not one.
size_t sequenceLength(const Byte* p, size_t available)
{
    Byte c = p[0];
    if (c < 0x80)
        return 1;
    size_t n;
    uint32_t min;
    if (c >= 0xC2 && c <= 0xDF) { n = 2; min = 0x80; }
    else if (c >= 0xE0 && c <= 0xEF) { n = 3; min = 0x800; }
    else if (c >= 0xF0 && c <= 0xF4) { n = 4; min = 0x10000; }
    else return 0;
    if (available < n)
        return 0;
    uint32_t cp = c & (0x7F >> n);
    for (size_t i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

uint32_t decodeAt(const Byte* p, size_t n)
{
    if (n == 1)
        return p[0];
    uint32_t cp = p[0] & (0x7F >> n);
    for (size_t i = 1; i < n; ++i)
        cp = (cp << 6) | (p[i] & 0x3F);
    return cp;
}

// One character of the text: its code point and byte length; an invalid
// byte is one character of its own that belongs to nothing.
struct Char {
    uint32_t cp = 0;
    uint8_t length = 0; // 0 past either end of the text
    bool valid = false;
};

// A letter, digit or mark of any script, or "-": what a host's labels hold.
bool isLabelCodePoint(uint32_t cp)
{
    if (cp < 0x80)
        return isAsciiAlnum(Byte(cp)) || cp == '-';
    if (u_isalnum(UChar32(cp)))
        return true;
    int8_t type = u_charType(UChar32(cp));
    return type == U_NON_SPACING_MARK || type == U_COMBINING_SPACING_MARK;
}

// Letters of the scripts written without spaces between words (Han, kana,
// Hangul): a change between them and other letters or digits is a word's
// edge.
bool isSpacelessLetter(uint32_t cp)
{
    if (cp < 0x1100)
        return false;
    switch (u_getIntPropertyValue(UChar32(cp), UCHAR_LINE_BREAK)) {
    case U_LB_IDEOGRAPHIC:
    case U_LB_CONDITIONAL_JAPANESE_STARTER:
    case U_LB_H2:
    case U_LB_H3:
    case U_LB_JL:
    case U_LB_JV:
    case U_LB_JT:
        return u_isalpha(UChar32(cp)) || u_charType(UChar32(cp)) == U_MODIFIER_LETTER;
    default:
        return false;
    }
}

// A character that a path, query or fragment may hold beyond ASCII: letters,
// marks, numbers, connectors, dashes but the em dash, and other punctuation
// (left out again at the link's end); not spaces, controls, symbols (emoji),
// quotation marks, brackets, nor the ideographic and full-width punctuation.
bool isPathCodePoint(uint32_t cp)
{
    if ((cp >= 0x3000 && cp <= 0x303F) || (cp >= 0xFF01 && cp <= 0xFF0F) || (cp >= 0xFF1A && cp <= 0xFF20)
        || (cp >= 0xFF3B && cp <= 0xFF40) || (cp >= 0xFF5B && cp <= 0xFF65) || cp == 0x2014 || cp == 0x2015)
        return false;
    switch (u_charType(UChar32(cp))) {
    case U_UPPERCASE_LETTER:
    case U_LOWERCASE_LETTER:
    case U_TITLECASE_LETTER:
    case U_MODIFIER_LETTER:
    case U_OTHER_LETTER:
    case U_NON_SPACING_MARK:
    case U_ENCLOSING_MARK:
    case U_COMBINING_SPACING_MARK:
    case U_DECIMAL_DIGIT_NUMBER:
    case U_LETTER_NUMBER:
    case U_OTHER_NUMBER:
    case U_CONNECTOR_PUNCTUATION:
    case U_DASH_PUNCTUATION:
    case U_OTHER_PUNCTUATION:
        return true;
    default:
        return false;
    }
}

bool isTrailingPunctuation(uint32_t cp)
{
    if (cp < 0x80)
        return cp == '.' || cp == ',' || cp == ';' || cp == ':' || cp == '!' || cp == '?' || cp == '\'' || cp == '*';
    return u_charType(UChar32(cp)) == U_OTHER_PUNCTUATION;
}

const psl_ctx_t* suffixList()
{
    // The newer of the built-in list and the one the system keeps; read-only
    // once made, so every thread shares it.
    static const psl_ctx_t* list = [] {
        const psl_ctx_t* latest = psl_latest(nullptr);
        return latest ? latest : psl_builtin();
    }();
    return list;
}

// "So" in "the end.So what": a sentence that starts after a missing space.
bool isCapitalisedWord(std::string_view word)
{
    if (word.empty() || !(word[0] >= 'A' && word[0] <= 'Z'))
        return false;
    return std::any_of(word.begin() + 1, word.end(), [](char ch) { return ch >= 'a' && ch <= 'z'; });
}

bool isLowerCaseWord(std::string_view word)
{
    return !word.empty() && std::all_of(word.begin(), word.end(), [](char ch) { return ch >= 'a' && ch <= 'z'; });
}

class Scanner {
public:
    explicit Scanner(std::string_view text)
        : m_p(reinterpret_cast<const Byte*>(text.data()))
        , m_n(text.size())
    {
    }

    std::vector<LinkMatch> run()
    {
        size_t i = 0;
        while (i < m_n) {
            Char c = at(i);
            if (!c.valid || !isLabelCodePoint(c.cp) || c.cp == '-' || !startsWord(i, c)) {
                i += c.length;
                continue;
            }
            Attempt a = tryAt(i, c);
            if (a.accepted)
                record(a.kind, i, a.end);
            // Whatever an attempt read past its start is never read again:
            // the scan stays linear.
            i = std::max(i + c.length, a.resume);
        }
        return std::move(m_matches);
    }

private:
    struct Attempt {
        bool accepted = false;
        LinkMatch::Kind kind = LinkMatch::Kind::Web;
        size_t end = 0;
        size_t resume = 0;
    };

    struct Label {
        size_t start, end;
        bool spaceless; // its letters are of the scripts without spaces
    };

    // A host as read: its labels, and where reading stopped.
    struct HostRead {
        size_t runEnd = 0;            // after the last character read
        size_t edge = 0;              // a word's edge inside the first label, or 0
        bool cutAtEdge = false;       // the last label ends at a change of script
    };

    Char at(size_t i) const
    {
        Char c;
        if (i >= m_n)
            return c;
        if (m_p[i] < 0x80)
            return { m_p[i], 1, true };
        size_t n = sequenceLength(m_p + i, m_n - i);
        if (n == 0)
            return { 0xFFFD, 1, false };
        return { decodeAt(m_p + i, n), uint8_t(n), true };
    }

    // The character that ends just before i.
    Char before(size_t i) const
    {
        if (i == 0)
            return {};
        if (m_p[i - 1] < 0x80)
            return { m_p[i - 1], 1, true };
        size_t start = i - 1;
        for (size_t back = 0; back < 3 && start > 0 && (m_p[start] & 0xC0) == 0x80; ++back)
            --start;
        size_t n = sequenceLength(m_p + start, m_n - start);
        if (n == 0 || start + n != i)
            return { 0xFFFD, 1, false };
        return { decodeAt(m_p + start, n), uint8_t(n), true };
    }

    // Whether a word edge lies between two letters or digits: one of them is
    // of the scripts written without spaces and the other is not.
    static bool isScriptEdge(const Char& a, const Char& b)
    {
        return a.valid && b.valid && isSpacelessLetter(a.cp) != isSpacelessLetter(b.cp);
    }

    bool startsWord(size_t i, const Char& c) const
    {
        Char prev = before(i);
        if (!prev.valid)
            return true;
        if (prev.cp < 0x80) {
            if (isAsciiAlnum(Byte(prev.cp)))
                return isSpacelessLetter(c.cp);
            return !has(Byte(prev.cp), kWordInside);
        }
        if (!isLabelCodePoint(prev.cp))
            return true;
        return isScriptEdge(prev, c);
    }

    // Whether the character at i continues the word a link would end in,
    // given the character the link ends with.
    bool continuesWord(size_t i, size_t linkEnd) const
    {
        Char c = at(i);
        if (!c.valid)
            return false;
        if (c.cp < 0x80) {
            if (c.cp == '_' || c.cp == '@')
                return true;
            if (!isAsciiAlnum(Byte(c.cp)))
                return false;
        } else if (!isLabelCodePoint(c.cp)) {
            return false;
        }
        return !isScriptEdge(before(linkEnd), c);
    }

    size_t spanOf(size_t i, uint8_t cls) const
    {
        size_t j = i;
        while (j < m_n && has(m_p[j], cls))
            ++j;
        return j;
    }

    bool equalsIgnoringCase(size_t i, size_t end, std::string_view word) const
    {
        if (end - i != word.size())
            return false;
        for (size_t k = 0; k < word.size(); ++k) {
            if (lower(m_p[i + k]) != Byte(word[k]))
                return false;
        }
        return true;
    }

    std::string_view bytes(size_t start, size_t end) const
    {
        return { reinterpret_cast<const char*>(m_p + start), end - start };
    }

    Attempt tryAt(size_t i, const Char& c)
    {
        Attempt a;
        if (c.cp < 0x80) {
            size_t schemeEnd = spanOf(i, kScheme);
            if (schemeEnd < m_n && m_p[schemeEnd] == ':') {
                a = tryScheme(i, schemeEnd);
                if (a.accepted || a.resume > i + 1)
                    return a;
            }
            size_t localEnd = spanOf(i, kLocal);
            if (localEnd < m_n && m_p[localEnd] == '@') {
                Attempt e = tryEmail(i, localEnd + 1);
                if (e.accepted)
                    return e;
                a.resume = std::max(a.resume, e.resume);
            }
        }
        Attempt w = tryWeb(i);
        if (!w.accepted)
            w.resume = std::max(w.resume, a.resume);
        return w;
    }

    // Reads the labels of a host that starts at i into m_labels: runs of
    // label characters joined by single dots. A change of script ends the
    // host, except in its first label, where it is reported as `edge`.
    HostRead readLabels(size_t i)
    {
        HostRead h;
        m_labels.clear();
        size_t pos = i;
        while (true) {
            size_t labelStart = pos;
            Char lastLetter;
            bool spaceless = false;
            while (pos < m_n) {
                Char c = at(pos);
                if (!c.valid || !isLabelCodePoint(c.cp))
                    break;
                bool letter = c.cp >= 0x80 ? u_isalpha(UChar32(c.cp)) || u_charType(UChar32(c.cp)) == U_MODIFIER_LETTER : isAsciiAlpha(Byte(c.cp));
                if (letter) {
                    if (lastLetter.valid && isScriptEdge(lastLetter, c)) {
                        if (m_labels.empty()) {
                            h.edge = pos;
                            h.runEnd = pos;
                            return h;
                        }
                        h.cutAtEdge = true;
                        break;
                    }
                    lastLetter = c;
                    spaceless = isSpacelessLetter(c.cp);
                } else if (c.cp < 0x80 && lastLetter.valid && spaceless && isAsciiDigit(Byte(c.cp))) {
                    // Digits after Han or kana ("中国2") start a word of their own.
                    h.cutAtEdge = !m_labels.empty();
                    if (m_labels.empty()) {
                        h.edge = pos;
                        h.runEnd = pos;
                        return h;
                    }
                    break;
                }
                pos += c.length;
            }
            m_labels.push_back({ labelStart, pos, spaceless });
            h.runEnd = pos;
            if (h.cutAtEdge || pos + 1 >= m_n || m_p[pos] != '.')
                break;
            Char next = at(pos + 1);
            if (!next.valid || !isLabelCodePoint(next.cp))
                break;
            ++pos;
        }
        return h;
    }

    bool isValidLabel(const Label& label) const
    {
        return label.end > label.start && m_p[label.start] != '-' && m_p[label.end - 1] != '-';
    }

    bool isTopLevelDomain(size_t start, size_t end) const
    {
        if (end - start > 64)
            return false;
        return LinkScanner::isKnownTopLevelDomain(bytes(start, end));
    }

    // Where a bare address's host that was read into m_labels ends: after
    // its last label that is a known top-level domain (0 when none is).
    size_t bareHostEnd() const
    {
        for (size_t k = m_labels.size(); k-- > 1;) {
            const Label& last = m_labels[k];
            size_t end = 0;
            if (isValidLabel(last) && isTopLevelDomain(last.start, last.end)) {
                std::string_view tld = bytes(last.start, last.end);
                std::string_view word = bytes(m_labels[k - 1].start, m_labels[k - 1].end);
                if (!(isCapitalisedWord(tld) && isLowerCaseWord(word)))
                    end = last.end;
            } else if (last.spaceless) {
                end = spacelessTopLevelDomainEnd(last);
            }
            if (end) {
                for (size_t j = 0; j < k; ++j) {
                    if (!isValidLabel(m_labels[j]))
                        return 0;
                }
                return end;
            }
        }
        return 0;
    }

    // Text without spaces can run on after a top-level domain ("みんなです"):
    // the longest start of the label, of at most eight characters, that is one.
    size_t spacelessTopLevelDomainEnd(const Label& label) const
    {
        size_t ends[8];
        size_t count = 0;
        for (size_t pos = label.start; pos < label.end && count < 8;) {
            pos += at(pos).length;
            ends[count++] = pos;
        }
        while (count-- > 0) {
            if (ends[count] < label.end && isTopLevelDomain(label.start, ends[count]))
                return ends[count];
        }
        return 0;
    }

    // scheme "://" authority path, or "mailto:" address.
    Attempt tryScheme(size_t i, size_t colon)
    {
        Attempt a;
        if (colon - i > 32 || !isAsciiAlpha(m_p[i]))
            return a;
        if (equalsIgnoringCase(i, colon, "mailto")) {
            size_t localEnd = spanOf(colon + 1, kLocal);
            if (localEnd > colon + 1 && localEnd < m_n && m_p[localEnd] == '@') {
                a = tryEmail(colon + 1, localEnd + 1, true);
                a.kind = LinkMatch::Kind::Scheme;
            }
            return a;
        }
        if (colon + 3 > m_n || m_p[colon + 1] != '/' || m_p[colon + 2] != '/')
            return a;
        size_t pos = colon + 3;
        // "user:password@" before the host.
        size_t infoEnd = spanOf(pos, kUserInfo);
        if (infoEnd < m_n && m_p[infoEnd] == '@')
            pos = infoEnd + 1;
        size_t end = pos;
        bool hostRead = false;
        if (pos < m_n && m_p[pos] == '[') {
            end = pos + 1;
            while (end < m_n && (isAsciiAlnum(m_p[end]) || m_p[end] == ':' || m_p[end] == '.'))
                ++end;
            a.resume = end;
            if (end >= m_n || m_p[end] != ']')
                return a;
            ++end;
            hostRead = true;
        } else if (pos < m_n && m_p[pos] != '/') {
            HostRead h = readLabels(pos);
            a.resume = std::max(h.runEnd, pos);
            if (h.edge || m_labels.empty())
                return a;
            for (const Label& label : m_labels) {
                if (!isValidLabel(label))
                    return a;
            }
            end = m_labels.back().end;
            hostRead = true;
        }
        if (!hostRead && !(end < m_n && m_p[end] == '/'))
            return a;
        size_t hostEnd = end;
        end = afterHost(end);
        a.resume = std::max(a.resume, end);
        // A ":" that starts no port, an empty label ("example..com"), or text
        // that runs on spoils the address.
        bool strayColon = end == hostEnd && end < m_n && m_p[end] == ':';
        bool emptyLabel = end == hostEnd && end + 1 < m_n && m_p[end] == '.' && m_p[end + 1] == '.';
        if (strayColon || emptyLabel || continuesWord(end, end))
            return a;
        if (!hostRead) {
            bool anyAlnum = false;
            for (size_t k = hostEnd; k < end && !anyAlnum; ++k)
                anyAlnum = isAsciiAlnum(m_p[k]) || m_p[k] >= 0x80;
            if (!anyAlnum)
                return a;
        }
        a.accepted = true;
        a.kind = LinkMatch::Kind::Scheme;
        a.end = end;
        return a;
    }

    // The port and the path after a host that ends at `end`.
    size_t afterHost(size_t end) const
    {
        if (end + 1 < m_n && m_p[end] == ':' && isAsciiDigit(m_p[end + 1])) {
            size_t portEnd = end + 1;
            while (portEnd < m_n && isAsciiDigit(m_p[portEnd]) && portEnd - end <= 5)
                ++portEnd;
            end = portEnd;
        }
        if (end < m_n && (m_p[end] == '/' || m_p[end] == '?' || m_p[end] == '#'))
            end = pathEnd(end);
        return end;
    }

    // Checks an ASCII e-mail domain that starts at i: labels of letters,
    // digits and inner "-", at least two, the last alphabetic. Answers its
    // end (0 when there is none); trailing dots and hyphens are not part of it.
    size_t emailDomainEnd(size_t i) const
    {
        size_t end = spanOf(i, kHost);
        while (end > i && (m_p[end - 1] == '.' || m_p[end - 1] == '-'))
            --end;
        if (end == i)
            return 0;
        size_t labels = 0;
        size_t labelStart = i;
        for (size_t k = i; k <= end; ++k) {
            if (k < end && m_p[k] != '.')
                continue;
            if (k == labelStart || m_p[labelStart] == '-' || m_p[k - 1] == '-')
                return 0;
            ++labels;
            if (k == end) {
                if (labels < 2 || k - labelStart < 2)
                    return 0;
                for (size_t t = labelStart; t < k; ++t) {
                    if (!isAsciiAlpha(m_p[t]))
                        return 0;
                }
            }
            labelStart = k + 1;
        }
        return end;
    }

    Attempt tryEmail(size_t localStart, size_t domainStart, bool afterMailto = false)
    {
        Attempt a;
        a.resume = spanOf(domainStart, kHost);
        if (m_p[localStart] == '.' || m_p[domainStart - 2] == '.')
            return a;
        // "user:pass@example.com" holds a password, not an e-mail address.
        if (!afterMailto && localStart > 0 && m_p[localStart - 1] == ':')
            return a;
        size_t end = emailDomainEnd(domainStart);
        if (!end || continuesWord(end, end) || (end < m_n && m_p[end] == '-'))
            return a;
        a.accepted = true;
        a.kind = LinkMatch::Kind::Email;
        a.end = end;
        return a;
    }

    Attempt tryWeb(size_t i)
    {
        Attempt a;
        HostRead h = readLabels(i);
        a.resume = h.runEnd;
        if (h.edge)
            return a;
        size_t hostEnd = bareHostEnd();
        if (!hostEnd)
            return a;
        size_t end = hostEnd;
        // Only a host that ends where its last label was read may go on into
        // a port or a path: "example.com.Then" is a host and a sentence.
        bool wholeLastLabel = hostEnd == m_labels.back().end;
        if (wholeLastLabel && !h.cutAtEdge)
            end = afterHost(hostEnd);
        a.resume = std::max(a.resume, end);
        // Text without spaces goes on after a top-level domain found at its
        // start ("みんなです"); any other word that goes on spoils the address.
        bool cutInsideSpacelessLabel = !wholeLastLabel && m_labels.back().spaceless && hostEnd > m_labels.back().start;
        if ((!cutInsideSpacelessLabel && continuesWord(end, end)) || (end < m_n && m_p[end] == '-'))
            return a;
        a.accepted = true;
        a.kind = LinkMatch::Kind::Web;
        a.end = end;
        return a;
    }

    // The end of a path, query and fragment that starts at `start`, without
    // trailing punctuation and closing brackets or quotes that close nothing
    // opened inside the link.
    size_t pathEnd(size_t start) const
    {
        size_t end = start;
        while (end < m_n) {
            Byte b = m_p[end];
            if (b < 0x80) {
                if (!has(b, kPath))
                    break;
                ++end;
                continue;
            }
            Char c = at(end);
            if (!c.valid || !isPathCodePoint(c.cp))
                break;
            end += c.length;
        }
        long parens = 0, brackets = 0, quotes = 0; // opened minus closed; quotes counted
        for (size_t k = start; k < end; ++k) {
            Byte c = m_p[k];
            parens += c == '(' ? 1 : c == ')' ? -1 : 0;
            brackets += c == '[' ? 1 : c == ']' ? -1 : 0;
            quotes += c == '"';
        }
        while (end > start) {
            Char last = before(end);
            bool drop = isTrailingPunctuation(last.cp) || (last.cp == ')' && parens < 0) || (last.cp == ']' && brackets < 0)
                || (last.cp == '"' && quotes % 2 == 1);
            if (!drop)
                break;
            parens += last.cp == ')';
            brackets += last.cp == ']';
            quotes -= last.cp == '"';
            end -= last.length;
        }
        return end;
    }

    void record(LinkMatch::Kind kind, size_t start, size_t end)
    {
        advanceUnitsTo(start);
        size_t startUnits = m_units;
        advanceUnitsTo(end);
        m_matches.push_back({ kind, start, end - start, startUnits, m_units - startUnits });
    }

    // Counts UTF-16 units from the last counted byte up to `to`.
    void advanceUnitsTo(size_t to)
    {
        while (m_counted < to) {
            Byte c = m_p[m_counted];
            if (c < 0x80) {
                ++m_counted;
                ++m_units;
                continue;
            }
            size_t n = sequenceLength(m_p + m_counted, m_n - m_counted);
            if (n == 0) {
                ++m_counted;
                ++m_units;
            } else {
                m_counted += n;
                m_units += n == 4 ? 2 : 1;
            }
        }
    }

    const Byte* m_p;
    size_t m_n;
    size_t m_counted = 0;
    size_t m_units = 0;
    std::vector<Label> m_labels;
    std::vector<LinkMatch> m_matches;
};

// Answers of the suffix list for the labels this thread has asked about.
// Captions repeat a few top-level domains; the list is asked once for each.
class TopLevelDomainCache {
public:
    bool isKnown(const std::string& asciiLabel)
    {
        auto found = m_known.find(asciiLabel);
        if (found != m_known.end())
            return found->second;
        if (m_known.size() >= 4096)
            m_known.clear();
        bool known = psl_is_public_suffix2(suffixList(), asciiLabel.c_str(), PSL_TYPE_ANY | PSL_TYPE_NO_STAR_RULE) != 0;
        m_known.emplace(asciiLabel, known);
        return known;
    }

private:
    std::unordered_map<std::string, bool> m_known;
};

} // namespace

bool LinkScanner::isKnownTopLevelDomain(std::string_view label)
{
    if (label.empty() || label.size() > 64 || !suffixList())
        return false;
    std::string ascii;
    bool anyLetter = false;
    if (std::all_of(label.begin(), label.end(), [](char ch) { return Byte(ch) < 0x80; })) {
        ascii.reserve(label.size());
        for (char ch : label) {
            if (!isAsciiAlnum(Byte(ch)) && ch != '-')
                return false;
            anyLetter = anyLetter || isAsciiAlpha(Byte(ch));
            ascii.push_back(char(lower(Byte(ch))));
        }
        if (!anyLetter)
            return false;
    } else {
        auto converted = hostLabelToASCII(label);
        if (!converted)
            return false;
        ascii = std::move(*converted);
    }
    thread_local TopLevelDomainCache cache;
    return cache.isKnown(ascii);
}

size_t LinkScanner::byteOffsetOfUnit(std::string_view text, size_t unit)
{
    auto* p = reinterpret_cast<const Byte*>(text.data());
    size_t i = 0;
    size_t units = 0;
    while (i < text.size() && units < unit) {
        size_t n = sequenceLength(p + i, text.size() - i);
        if (n == 0)
            n = 1;
        units += n == 4 ? 2 : 1;
        i += n;
    }
    return i;
}

std::vector<LinkMatch> LinkScanner::scan(std::string_view text)
{
    return Scanner(text).run();
}

} // namespace platform
