#pragma once
// A locale, over ICU's locales. The system locale is the root locale (empty
// identifier): the same on every machine, whatever language the user picked.
// The current locale is the user's, from the environment (LANG).

#include "platform/foundation/NSValues.h"

namespace platform {

class NSLocale : public NSObject {
    OBJC_CLASS(NSLocale, NSObject)
public:
    NSLocale() = default;
    explicit NSLocale(std::string identifier) : m_identifier(std::move(identifier)) { }
    static void registerMethods(objc::ClassBuilder<NSLocale>&);

    // The root locale, identifier "".
    static Ref<NSLocale> systemLocale();
    // The user's locale.
    static Ref<NSLocale> currentLocale();
    static Ref<NSLocale> localeWithLocaleIdentifier(const std::string& identifier);

    RefPtr<NSString> localeIdentifier() const { return ns(m_identifier); }
    const std::string& identifier() const { return m_identifier; }

private:
    std::string m_identifier;
};

} // namespace platform
