#include "platform/foundation/LinkScanner.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace platform {

namespace {

using Byte = unsigned char;

constexpr bool isAsciiAlpha(Byte c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
constexpr bool isAsciiDigit(Byte c) { return c >= '0' && c <= '9'; }
constexpr bool isAsciiAlnum(Byte c) { return isAsciiAlpha(c) || isAsciiDigit(c); }
constexpr Byte lower(Byte c) { return isAsciiAlpha(c) ? Byte(c | 0x20) : c; }

enum CharClass : uint8_t {
    kHost = 1,        // letters, digits, "-" and "." of a domain
    kLocal = 2,       // the part of an e-mail address before "@"
    kScheme = 4,      // letters, digits, "+", "-", "."
    kPath = 8,        // what an address's path, query and fragment may hold
    kWordInside = 16, // a character that continues a word: no link starts after it
};

constexpr std::array<uint8_t, 256> makeClasses()
{
    std::array<uint8_t, 256> t {};
    for (int c = 0; c < 256; ++c) {
        Byte b = Byte(c);
        uint8_t v = 0;
        if (isAsciiAlnum(b))
            v |= kHost | kLocal | kScheme | kPath | kWordInside;
        if (b > 0x20 && b < 0x7F) {
            bool excluded = b == '<' || b == '>' || b == '"' || b == '{' || b == '}' || b == '|' || b == '\\' || b == '^' || b == '`';
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

// "So" in "the end.So what": a sentence that starts after a missing space,
// not a top-level domain ("so", "SO").
bool isCapitalisedWord(std::string_view word)
{
    if (word.empty() || !(word[0] >= 'A' && word[0] <= 'Z'))
        return false;
    return std::any_of(word.begin() + 1, word.end(), [](char ch) { return ch >= 'a' && ch <= 'z'; });
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
            Byte c = m_p[i];
            if (!isAsciiAlnum(c) || !startsWord(i)) {
                ++i;
                continue;
            }
            Attempt a = tryAt(i);
            if (a.accepted)
                record(a.kind, i, a.end);
            // Whatever an attempt read past its start is never read again:
            // the scan stays linear.
            i = std::max(i + 1, a.resume);
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

    bool startsWord(size_t i) const
    {
        if (i == 0)
            return true;
        Byte prev = m_p[i - 1];
        if (prev < 0x80)
            return !has(prev, kWordInside);
        return !isWordCodePointEndingAt(i);
    }

    // Whether the character that ends just before i is a non-ASCII letter or
    // digit (an invalid byte is neither).
    bool isWordCodePointEndingAt(size_t i) const
    {
        size_t start = i - 1;
        for (size_t back = 0; back < 3 && start > 0 && (m_p[start] & 0xC0) == 0x80; ++back)
            --start;
        size_t n = sequenceLength(m_p + start, m_n - start);
        if (n == 0 || start + n != i)
            return false;
        return u_isalnum(UChar32(decodeAt(m_p + start, n)));
    }

    // Whether the character at i continues the word a link would end in.
    bool continuesWord(size_t i) const
    {
        if (i >= m_n)
            return false;
        Byte c = m_p[i];
        if (c < 0x80)
            return isAsciiAlnum(c) || c == '_' || c == '@';
        size_t n = sequenceLength(m_p + i, m_n - i);
        return n && u_isalnum(UChar32(decodeAt(m_p + i, n)));
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

    Attempt tryAt(size_t i)
    {
        Attempt a;
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
        Attempt w = tryWeb(i);
        if (!w.accepted)
            w.resume = std::max(w.resume, a.resume);
        return w;
    }

    // scheme "://" rest, or "mailto:" address.
    Attempt tryScheme(size_t i, size_t colon)
    {
        Attempt a;
        if (colon - i > 32 || !isAsciiAlpha(m_p[i]))
            return a;
        if (equalsIgnoringCase(i, colon, "mailto")) {
            size_t localEnd = spanOf(colon + 1, kLocal);
            if (localEnd > colon + 1 && localEnd < m_n && m_p[localEnd] == '@') {
                a = tryEmail(colon + 1, localEnd + 1);
                a.kind = LinkMatch::Kind::Scheme;
            }
            return a;
        }
        if (colon + 3 > m_n || m_p[colon + 1] != '/' || m_p[colon + 2] != '/')
            return a;
        size_t restStart = colon + 3;
        size_t end = trimPath(restStart, spanOf(restStart, kPath));
        a.resume = end;
        bool anyAlnum = false;
        for (size_t k = restStart; k < end && !anyAlnum; ++k)
            anyAlnum = isAsciiAlnum(m_p[k]);
        if (!anyAlnum || continuesWord(end))
            return a;
        a.accepted = true;
        a.kind = LinkMatch::Kind::Scheme;
        a.end = end;
        return a;
    }

    // Checks the domain that starts at i: labels of letters, digits and
    // inner "-", at least two, the last alphabetic. Answers its end (0 when
    // there is no domain there); trailing dots and hyphens are not part of it.
    size_t domainEnd(size_t i, bool knownTopLevelOnly) const
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
                std::string_view tld(reinterpret_cast<const char*>(m_p + labelStart), k - labelStart);
                if (labels < 2 || tld.size() < 2)
                    return 0;
                for (char ch : tld) {
                    if (!isAsciiAlpha(Byte(ch)))
                        return 0;
                }
                if (knownTopLevelOnly && (!LinkScanner::isKnownTopLevelDomain(tld) || isCapitalisedWord(tld)))
                    return 0;
            }
            labelStart = k + 1;
        }
        return end;
    }

    Attempt tryEmail(size_t localStart, size_t domainStart)
    {
        Attempt a;
        a.resume = spanOf(domainStart, kHost);
        if (m_p[localStart] == '.' || m_p[domainStart - 2] == '.')
            return a;
        size_t end = domainEnd(domainStart, false);
        if (!end || continuesWord(end) || (end < m_n && m_p[end] == '-'))
            return a;
        a.accepted = true;
        a.kind = LinkMatch::Kind::Email;
        a.end = end;
        return a;
    }

    Attempt tryWeb(size_t i)
    {
        Attempt a;
        size_t hostEnd = domainEnd(i, true);
        if (!hostEnd) {
            a.resume = spanOf(i, kHost);
            return a;
        }
        size_t end = hostEnd;
        if (end + 1 < m_n && m_p[end] == ':' && isAsciiDigit(m_p[end + 1])) {
            size_t portEnd = end + 1;
            while (portEnd < m_n && isAsciiDigit(m_p[portEnd]) && portEnd - end <= 5)
                ++portEnd;
            end = portEnd;
        }
        if (end < m_n && (m_p[end] == '/' || m_p[end] == '?' || m_p[end] == '#'))
            end = trimPath(end, spanOf(end, kPath));
        a.resume = end;
        if (continuesWord(end) || (end < m_n && (m_p[end] == '-' || m_p[end] == '.') && end + 1 < m_n && isAsciiAlnum(m_p[end + 1])))
            return a;
        a.accepted = true;
        a.kind = LinkMatch::Kind::Web;
        a.end = end;
        return a;
    }

    // Drops trailing punctuation and closing brackets that close nothing
    // opened inside [start, end).
    size_t trimPath(size_t start, size_t end) const
    {
        long parens = 0, brackets = 0; // opened minus closed
        for (size_t k = start; k < end; ++k) {
            Byte c = m_p[k];
            parens += c == '(' ? 1 : c == ')' ? -1 : 0;
            brackets += c == '[' ? 1 : c == ']' ? -1 : 0;
        }
        while (end > start) {
            Byte last = m_p[end - 1];
            bool drop = last == '.' || last == ',' || last == ';' || last == ':' || last == '!' || last == '?' || last == '\'' || last == '*'
                || (last == ')' && parens < 0) || (last == ']' && brackets < 0);
            if (!drop)
                break;
            parens += last == ')';
            brackets += last == ']';
            --end;
        }
        return end;
    }

    void record(LinkMatch::Kind kind, size_t start, size_t end)
    {
        advanceUnitsTo(start);
        size_t startUnits = m_units;
        // Links hold ASCII only: one unit per byte.
        m_matches.push_back({ kind, start, end - start, startUnits, end - start });
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
    std::vector<LinkMatch> m_matches;
};

constexpr std::string_view kGenericDomains[] = {
    "aero", "agency", "app", "art", "arpa", "asia", "biz", "blog", "cat", "center", "click", "cloud", "club", "com",
    "company", "coop", "design", "dev", "digital", "edu", "email", "fashion", "fun", "gallery", "game", "games",
    "global", "gov", "group", "info", "int", "jobs", "life", "link", "live", "media", "mil", "mobi", "museum", "music",
    "name", "net", "network", "news", "online", "org", "page", "photo", "photography", "photos", "post", "pro", "shop",
    "site", "social", "solutions", "space", "store", "studio", "style", "tech", "tel", "today", "top", "travel",
    "video", "vip", "website", "wiki", "world", "xxx", "xyz",
};

constexpr std::string_view kCountryDomains =
    "ac ad ae af ag ai al am ao aq ar as at au aw ax az ba bb bd be bf bg bh bi bj bm bn bo br bs bt bw by bz "
    "ca cc cd cf cg ch ci ck cl cm cn co cr cu cv cw cx cy cz de dj dk dm do dz ec ee eg er es et eu fi fj fk fm fo "
    "fr ga gd ge gf gg gh gi gl gm gn gp gq gr gs gt gu gw gy hk hm hn hr ht hu id ie il im in io iq ir is it je jm "
    "jo jp ke kg kh ki km kn kp kr kw ky kz la lb lc li lk lr ls lt lu lv ly ma mc md me mg mh mk ml mm mn mo mp mq "
    "mr ms mt mu mv mw mx my mz na nc ne nf ng ni nl no np nr nu nz om pa pe pf pg ph pk pl pm pn pr ps pt pw py qa "
    "re ro rs ru rw sa sb sc sd se sg sh si sk sl sm sn so sr ss st su sv sx sy sz tc td tf tg th tj tk tl tm tn to "
    "tr tt tv tw tz ua ug uk us uy uz va vc ve vg vi vn vu wf ws ye yt za zm zw";

} // namespace

bool LinkScanner::isKnownTopLevelDomain(std::string_view label)
{
    if (label.size() < 2 || label.size() > 11)
        return false;
    std::string word(label);
    for (char& ch : word)
        ch = char(lower(Byte(ch)));
    if (word.size() == 2) {
        for (size_t k = 0; k + 1 < kCountryDomains.size(); k += 3) {
            if (kCountryDomains.compare(k, 2, word) == 0)
                return true;
        }
        return false;
    }
    return std::find(std::begin(kGenericDomains), std::end(kGenericDomains), word) != std::end(kGenericDomains);
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
