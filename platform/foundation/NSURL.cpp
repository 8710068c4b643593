#include "platform/foundation/NSURL.h"

#include "platform/foundation/HostNames.h"

#include <algorithm>
#include <optional>

#include <cctype>
#include <cstring>

namespace platform {

OBJC_CLASS_LOAD(NSURL)

namespace {
bool isHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// Characters an address may hold as they are: unreserved, reserved and "%".
bool allowedCharacter(char c)
{
    if (std::isalnum(static_cast<unsigned char>(c)))
        return true;
    return std::strchr("-._~:/?#[]@!$&'()*+,;=%", c) != nullptr && c != '\0';
}

// "example.com:8080/path": a host and its port, not the scheme "example.com".
bool isHostAndPort(const std::string& text, size_t colon)
{
    if (text.find('.') >= colon)
        return false;
    size_t end = colon + 1;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])))
        ++end;
    return end > colon + 1 && end - colon - 1 <= 5 && (end == text.size() || std::strchr("/?#", text[end]));
}

// Where the scheme's ":" is, or npos when the text has no scheme.
size_t schemeColon(const std::string& text)
{
    size_t colon = text.find_first_of(":/?#");
    if (colon == std::string::npos || text[colon] != ':' || colon == 0 || !std::isalpha(static_cast<unsigned char>(text[0])))
        return std::string::npos;
    for (size_t i = 0; i < colon; ++i) {
        char c = text[i];
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return std::string::npos;
    }
    return isHostAndPort(text, colon) ? std::string::npos : colon;
}

bool isValidUTF8(const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        auto c = static_cast<unsigned char>(text[i]);
        size_t n = c < 0x80 ? 1 : (c >= 0xC2 && c <= 0xDF) ? 2 : (c >= 0xE0 && c <= 0xEF) ? 3 : (c >= 0xF0 && c <= 0xF4) ? 4 : 0;
        if (n == 0 || i + n > text.size())
            return false;
        uint32_t cp = n == 1 ? c : c & (0x7F >> n);
        for (size_t k = 1; k < n; ++k) {
            auto b = static_cast<unsigned char>(text[i + k]);
            if ((b & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (b & 0x3F);
        }
        if ((n == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        i += n;
    }
    return true;
}

// Characters beyond ASCII, and the double quote, stand in an address as
// percent escapes of their UTF-8 bytes.
bool needsEscape(unsigned char c) { return c >= 0x80 || c == '"'; }

void appendEscaped(std::string& out, std::string_view part)
{
    static const char hex[] = "0123456789ABCDEF";
    for (unsigned char c : part) {
        if (needsEscape(c)) {
            out.push_back('%');
            out.push_back(hex[c >> 4]);
            out.push_back(hex[c & 0xF]);
        } else {
            out.push_back(char(c));
        }
    }
}

std::string percentDecode(const std::string& s);

// The text as an address holds it: an international host in its ASCII form
// (after its percent escapes are read), every other character beyond ASCII
// percent-encoded. nullopt for text that is not UTF-8, or a host that is no
// valid host name.
std::optional<std::string> asciiForm(const std::string& text)
{
    size_t hostStart = std::string::npos, hostEnd = std::string::npos;
    size_t colon = schemeColon(text);
    if (colon != std::string::npos && text.compare(colon + 1, 2, "//") == 0) {
        size_t authorityStart = colon + 3;
        size_t authorityEnd = std::min(text.find_first_of("/?#", authorityStart), text.size());
        size_t at = text.rfind('@', authorityEnd);
        hostStart = at != std::string::npos && at >= authorityStart ? at + 1 : authorityStart;
        hostEnd = authorityEnd;
        size_t portColon = text.rfind(':', authorityEnd);
        if (portColon != std::string::npos && portColon >= hostStart && text.find(']', portColon) >= authorityEnd)
            hostEnd = portColon;
        if (hostStart < text.size() && text[hostStart] == '[')
            hostStart = hostEnd = std::string::npos; // an IP address in brackets stays as written
    }
    bool hostEscaped = hostStart != std::string::npos && text.find('%', hostStart) < hostEnd;
    if (!hostEscaped && std::none_of(text.begin(), text.end(), [](char c) { return needsEscape(static_cast<unsigned char>(c)); }))
        return text;
    if (!isValidUTF8(text))
        return std::nullopt;
    if (hostStart == std::string::npos) {
        std::string out;
        appendEscaped(out, text);
        return out;
    }
    std::string host = text.substr(hostStart, hostEnd - hostStart);
    std::string decoded = percentDecode(host);
    if (std::any_of(decoded.begin(), decoded.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
        if (!isValidUTF8(decoded))
            return std::nullopt;
        auto converted = hostNameToASCII(decoded);
        if (!converted)
            return std::nullopt;
        host = std::move(*converted);
    }
    std::string out;
    appendEscaped(out, std::string_view(text).substr(0, hostStart));
    out += host;
    appendEscaped(out, std::string_view(text).substr(hostEnd));
    return out;
}

std::string percentDecode(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && isHex(s[i + 1]) && isHex(s[i + 2])) {
            out.push_back(char(std::stoi(s.substr(i + 1, 2), nullptr, 16)));
            i += 2;
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}
}

bool NSURL::parse(const std::string& text)
{
    if (text.empty())
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!allowedCharacter(text[i]))
            return false;
        if (text[i] == '%' && (i + 2 >= text.size() || !isHex(text[i + 1]) || !isHex(text[i + 2])))
            return false;
    }
    // At most one "#": the fragment may not hold another.
    auto hash = text.find('#');
    if (hash != std::string::npos && text.find('#', hash + 1) != std::string::npos)
        return false;
    m_text = text;
    std::string rest = text;
    if (hash != std::string::npos) {
        m_hasFragment = true;
        m_fragment = rest.substr(hash + 1);
        rest.erase(hash);
    }
    auto question = rest.find('?');
    if (question != std::string::npos) {
        m_hasQuery = true;
        m_query = rest.substr(question + 1);
        rest.erase(question);
    }
    // A scheme: a letter, then letters, digits, "+", "-" or ".", then ":";
    // but not a host and its port.
    auto colon = schemeColon(rest);
    if (colon != std::string::npos) {
        {
            m_hasScheme = true;
            m_scheme = rest.substr(0, colon);
            rest.erase(0, colon + 1);
        }
    }
    if (rest.rfind("//", 0) == 0) {
        rest.erase(0, 2);
        auto slash = rest.find('/');
        std::string authority = rest.substr(0, slash);
        rest = slash == std::string::npos ? std::string() : rest.substr(slash);
        if (auto at = authority.rfind('@'); at != std::string::npos) {
            m_hasUser = true;
            m_user = authority.substr(0, authority.find(':') < at ? authority.find(':') : at);
            authority.erase(0, at + 1);
        }
        // A port: digits after the last ":" outside an IPv6 bracket.
        auto portColon = authority.rfind(':');
        if (portColon != std::string::npos && authority.find(']', portColon) == std::string::npos) {
            std::string digits = authority.substr(portColon + 1);
            for (char c : digits) {
                if (!std::isdigit(static_cast<unsigned char>(c)))
                    return false;
            }
            if (!digits.empty())
                m_port = std::stol(digits.substr(0, 9));
            authority.erase(portColon);
        }
        m_hasHost = !authority.empty() || m_hasScheme;
        m_host = authority;
    }
    m_path = rest;
    return true;
}

RefPtr<NSURL> NSURL::URLWithString(NSString* text)
{
    if (!text)
        return nullptr;
    auto ascii = asciiForm(text->str());
    if (!ascii)
        return nullptr;
    auto url = objc::make<NSURL>();
    if (!url->parse(*ascii))
        return nullptr;
    return url;
}

RefPtr<NSURL> NSURL::fileURLWithPath(NSString* path)
{
    if (!path || path->str().empty())
        return nullptr;
    std::string encoded;
    for (unsigned char c : path->str()) {
        if (std::isalnum(c) || std::strchr("-._~/!$&'()*+,;=:@", c)) {
            encoded.push_back(char(c));
        } else {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%%%02X", c);
            encoded += buf;
        }
    }
    if (encoded.front() != '/')
        encoded.insert(encoded.begin(), '/');
    return create("file://" + encoded);
}

RefPtr<NSNumber> NSURL::port() const
{
    return m_port < 0 ? nullptr : RefPtr<NSNumber>(NSNumber::numberWithInteger(m_port));
}

RefPtr<NSString> NSURL::path() const
{
    return ns(percentDecode(m_path));
}

bool NSURL::isEqual(id other) const
{
    return objc::object_isKindOfClass(other, staticClass()) && static_cast<NSURL*>(other)->m_text == m_text;
}

void NSURL::registerMethods(objc::ClassBuilder<NSURL>& b)
{
    b.classMethod<&NSURL::URLWithString>("URLWithString:")
        .classMethod<&NSURL::fileURLWithPath>("fileURLWithPath:")
        .method<&NSURL::absoluteString>("absoluteString")
        .method<&NSURL::scheme>("scheme")
        .method<&NSURL::host>("host")
        .method<&NSURL::user>("user")
        .method<&NSURL::port>("port")
        .method<&NSURL::path>("path")
        .method<&NSURL::query>("query")
        .method<&NSURL::fragment>("fragment")
        .method<&NSURL::isFileURL>("isFileURL")
        .method<&NSURL::isEqual>("isEqual:")
        .method<&NSURL::description>("description");
}

} // namespace platform
