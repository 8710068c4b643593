#include "hosts/instagram/IGAttributedStringAdditions.h"

#include "platform/foundation/NSMutableAttributedString.h"

namespace hosts::instagram {

using namespace platform;

namespace {
void mf_setString(objc::id self, objc::SEL, objc::id text)
{
    auto* attributed = static_cast<NSMutableAttributedString*>(self);
    attributed->replaceCharactersInRange(NSMakeRange(0, attributed->length()), isString(text) ? static_cast<NSString*>(text) : ns("").get());
}
}

void registerAttributedStringAdditions()
{
    objc::class_addMethod(NSMutableAttributedString::staticClass(), objc::sel_registerName("mf_setString:"),
        reinterpret_cast<objc::IMP>(&mf_setString), objc::impEncoding(&mf_setString));
}

} // namespace hosts::instagram
