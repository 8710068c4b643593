#include "platform/foundation/HostNames.h"

#include <unicode/uidna.h>

#include <memory>

namespace platform {

namespace {

const UIDNA* converter()
{
    // An IDNA converter is immutable once made: one serves every thread.
    static const UIDNA* idna = [] {
        UErrorCode status = U_ZERO_ERROR;
        UIDNA* made = uidna_openUTS46(UIDNA_NONTRANSITIONAL_TO_ASCII | UIDNA_NONTRANSITIONAL_TO_UNICODE | UIDNA_CHECK_BIDI
                | UIDNA_CHECK_CONTEXTJ | UIDNA_USE_STD3_RULES,
            &status);
        return U_SUCCESS(status) ? made : nullptr;
    }();
    return idna;
}

template<typename Convert>
std::optional<std::string> toASCII(std::string_view utf8, Convert convert)
{
    const UIDNA* idna = converter();
    if (!idna || utf8.empty() || utf8.size() > 1024)
        return std::nullopt;
    char out[2048];
    UIDNAInfo info = UIDNA_INFO_INITIALIZER;
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = convert(idna, utf8.data(), int32_t(utf8.size()), out, int32_t(sizeof out), &info, &status);
    // Bad labels leave the status alone: their faults are in info.errors.
    if (U_FAILURE(status) || info.errors != 0 || length <= 0 || length > int32_t(sizeof out))
        return std::nullopt;
    return std::string(out, size_t(length));
}

} // namespace

std::optional<std::string> hostNameToASCII(std::string_view utf8)
{
    return toASCII(utf8, uidna_nameToASCII_UTF8);
}

std::optional<std::string> hostLabelToASCII(std::string_view utf8)
{
    if (utf8.find('.') != std::string_view::npos)
        return std::nullopt;
    auto ascii = toASCII(utf8, uidna_labelToASCII_UTF8);
    // Full-width and ideographic full stops map to ".": no longer one label.
    if (ascii && ascii->find('.') != std::string::npos)
        return std::nullopt;
    return ascii;
}

} // namespace platform
