// The link scanner on any bytes: it must not crash, every link must lie inside
// the text, start and end on character boundaries (never between the two
// halves of a surrogate pair), agree in its byte and UTF-16 ranges, and come
// in order without overlapping. The input is also scanned repeated to 64 KiB,
// where a scanner slower than linear runs past the fuzzer's time-out.

#include "fuzz/FuzzCheck.h"
#include "platform/foundation/LinkScanner.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

using platform::LinkMatch;
using platform::LinkScanner;

namespace {

// The UTF-16 unit at which each character of the text starts, keyed by byte
// offset (the text's end included). A byte that starts no valid UTF-8
// sequence is one character of one unit.
std::unordered_map<size_t, size_t> characterStarts(std::string_view text)
{
    auto* p = reinterpret_cast<const unsigned char*>(text.data());
    std::unordered_map<size_t, size_t> starts;
    size_t units = 0;
    size_t i = 0;
    while (i < text.size()) {
        starts[i] = units;
        unsigned char c = p[i];
        size_t n = 0;
        uint32_t cp = 0;
        if (c < 0x80) {
            n = 1;
            cp = c;
        } else if (c >= 0xC2 && c <= 0xDF) {
            n = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 4;
            cp = c & 0x07;
        }
        bool valid = n > 0 && i + n <= text.size();
        for (size_t k = 1; valid && k < n; ++k) {
            valid = (p[i + k] & 0xC0) == 0x80;
            cp = cp << 6 | (p[i + k] & 0x3F);
        }
        if (valid && n > 1) {
            static constexpr uint32_t kLeast[] = { 0, 0, 0x80, 0x800, 0x10000 };
            valid = cp >= kLeast[n] && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
        }
        if (!valid)
            n = 1;
        units += n == 4 ? 2 : 1;
        i += n;
    }
    starts[text.size()] = units;
    return starts;
}

void checkLinks(std::string_view text)
{
    auto links = LinkScanner::scan(text);
    if (links.empty())
        return;
    auto starts = characterStarts(text);
    size_t previousEnd = 0;
    for (const LinkMatch& link : links) {
        FUZZ_CHECK(link.byteLength > 0 && link.utf16Length > 0);
        FUZZ_CHECK(link.byteStart >= previousEnd);
        FUZZ_CHECK(link.byteStart + link.byteLength <= text.size());
        size_t end = link.byteStart + link.byteLength;
        auto first = starts.find(link.byteStart);
        auto last = starts.find(end);
        FUZZ_CHECK(first != starts.end() && last != starts.end());
        FUZZ_CHECK(first->second == link.utf16Start);
        FUZZ_CHECK(last->second == link.utf16Start + link.utf16Length);
        FUZZ_CHECK(LinkScanner::byteOffsetOfUnit(text, link.utf16Start) == link.byteStart);
        previousEnd = end;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    checkLinks(text);
    if (size == 0)
        return 0;
    constexpr size_t kRepeatedSize = 64 * 1024;
    std::string repeated;
    repeated.reserve(kRepeatedSize + size);
    while (repeated.size() < kRepeatedSize)
        repeated.append(text);
    LinkScanner::scan(repeated);
    return 0;
}
