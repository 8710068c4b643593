#include "accounts/NSStringBase64.h"
#include "platform/foundation/NSValues.h"
#include "platform/objc/ClassBuilder.h"

namespace igtarvo {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int sextet(char c)
{
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

objc::RefPtr<objc::Object> base64encodedString(objc::id self, objc::SEL)
{
    return platform::ns(base64Encode(platform::str(self)));
}

objc::RefPtr<objc::Object> base64decodedString(objc::id self, objc::SEL)
{
    auto text = base64Decode(platform::str(self));
    if (!text || !isValidUTF8(*text))
        return nullptr;
    return platform::ns(std::move(*text));
}

} // namespace

void addBase64CategoryToNSString()
{
    objc::Class cls = platform::NSString::staticClass();
    objc::class_addMethod(cls, objc::sel_registerName("base64encodedString"), reinterpret_cast<objc::IMP>(&base64encodedString), objc::impEncoding(&base64encodedString));
    objc::class_addMethod(cls, objc::sel_registerName("base64decodedString"), reinterpret_cast<objc::IMP>(&base64decodedString), objc::impEncoding(&base64decodedString));
}

std::string base64Encode(std::string_view bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        uint32_t n = uint32_t(uint8_t(bytes[i])) << 16 | uint32_t(uint8_t(bytes[i + 1])) << 8 | uint8_t(bytes[i + 2]);
        out += kAlphabet[n >> 18 & 63];
        out += kAlphabet[n >> 12 & 63];
        out += kAlphabet[n >> 6 & 63];
        out += kAlphabet[n & 63];
    }
    size_t rest = bytes.size() - i;
    if (rest) {
        uint32_t n = uint32_t(uint8_t(bytes[i])) << 16 | (rest == 2 ? uint32_t(uint8_t(bytes[i + 1])) << 8 : 0);
        out += kAlphabet[n >> 18 & 63];
        out += kAlphabet[n >> 12 & 63];
        out += rest == 2 ? kAlphabet[n >> 6 & 63] : '=';
        out += '=';
    }
    return out;
}

std::optional<std::string> base64Decode(std::string_view text)
{
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::string out;
    out.reserve(text.size() / 4 * 3);
    for (size_t i = 0; i < text.size(); i += 4) {
        bool last = i + 4 == text.size();
        int padding = 0;
        uint32_t n = 0;
        for (size_t j = 0; j < 4; ++j) {
            char c = text[i + j];
            if (c == '=' && last && j >= 2) {
                ++padding;
                n <<= 6;
                continue;
            }
            int value = sextet(c);
            if (value < 0 || padding)
                return std::nullopt;
            n = n << 6 | uint32_t(value);
        }
        // The bits the padding leaves over must be zero: otherwise several
        // texts would decode to the same bytes, and one account would have
        // more than one stored name.
        if ((padding == 1 && (n & 0xFF)) || (padding == 2 && (n & 0xFFFF)))
            return std::nullopt;
        out += char(n >> 16 & 0xFF);
        if (padding < 2)
            out += char(n >> 8 & 0xFF);
        if (padding < 1)
            out += char(n & 0xFF);
    }
    return out;
}

bool isValidUTF8(std::string_view bytes)
{
    for (size_t i = 0; i < bytes.size();) {
        auto c = uint8_t(bytes[i]);
        size_t length;
        uint32_t code;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + length > bytes.size())
            return false;
        for (size_t k = 1; k < length; ++k) {
            auto next = uint8_t(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = code << 6 | (next & 0x3F);
        }
        if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)))
            return false;
        i += length;
    }
    return true;
}

// The category is in place as soon as the library is loaded.
OBJC_CATEGORY_LOAD(NSStringBase64, &addBase64CategoryToNSString)

} // namespace igtarvo
