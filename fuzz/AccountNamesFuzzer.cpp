// Stored account names (Base64 of the plain name's UTF-8): any text either
// decodes or is refused without a crash; a stored name that decodes is the
// one and only stored form of its plain name, so that two list entries never
// stand for the same account directory; every plain name comes back from its
// stored form. The NSString category answers as the codec does.

#include "accounts/AccountNames.h"
#include "accounts/NSStringBase64.h"
#include "fuzz/FuzzCheck.h"
#include "platform/foundation/NSValues.h"

#include <cstdint>
#include <string>

using namespace igtarvo;
using platform::ns;
using platform::str;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool categoryAdded = (addBase64CategoryToNSString(), true);
    (void)categoryAdded;
    std::string input(reinterpret_cast<const char*>(data), size);

    // The input as a stored name.
    auto plain = plainAccountName(input);
    if (plain) {
        FUZZ_CHECK(isValidUTF8(*plain));
        FUZZ_CHECK(storedAccountName(*plain) == input);
    }
    auto viaCategory = objc::send<objc::RefPtr<objc::Object>>(ns(input), "base64decodedString");
    FUZZ_CHECK(bool(viaCategory) == bool(plain));
    if (plain)
        FUZZ_CHECK(str(viaCategory.get()) == *plain);

    // The input as bytes and as a plain name.
    std::string encoded = base64Encode(input);
    FUZZ_CHECK(encoded.size() % 4 == 0);
    FUZZ_CHECK(base64Decode(encoded) == input);
    if (isValidUTF8(input)) {
        FUZZ_CHECK(plainAccountName(storedAccountName(input)) == input);
        auto stored = objc::send<objc::RefPtr<objc::Object>>(ns(input), "base64encodedString");
        FUZZ_CHECK(str(stored.get()) == encoded);
    }
    return 0;
}
