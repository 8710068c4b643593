#include "platform/foundation/NSLocale.h"

#include <unicode/locid.h>

namespace platform {

OBJC_CLASS_LOAD(NSLocale)

void NSLocale::registerMethods(objc::ClassBuilder<NSLocale>& b)
{
    b.method<&NSLocale::localeIdentifier>("localeIdentifier")
        .classMethod<&NSLocale::systemLocale>("systemLocale")
        .classMethod<&NSLocale::currentLocale>("currentLocale");
}

Ref<NSLocale> NSLocale::systemLocale()
{
    return objc::make<NSLocale>(std::string());
}

Ref<NSLocale> NSLocale::currentLocale()
{
    return objc::make<NSLocale>(std::string(icu::Locale::getDefault().getName()));
}

Ref<NSLocale> NSLocale::localeWithLocaleIdentifier(const std::string& identifier)
{
    return objc::make<NSLocale>(identifier);
}

} // namespace platform
