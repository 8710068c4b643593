#include "platform/foundation/NSURL.h"

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
    // A scheme: a letter, then letters, digits, "+", "-" or ".", then ":".
    auto colon = rest.find(':');
    if (colon != std::string::npos && colon > 0 && std::isalpha(static_cast<unsigned char>(rest[0]))) {
        bool schemeChars = true;
        for (size_t i = 0; i < colon; ++i) {
            char c = rest[i];
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
                schemeChars = false;
        }
        if (schemeChars) {
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
    auto url = objc::make<NSURL>();
    if (!url->parse(text->str()))
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
