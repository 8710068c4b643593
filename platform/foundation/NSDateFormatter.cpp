#include "platform/foundation/NSDateFormatter.h"

#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

namespace platform {

OBJC_CLASS_LOAD(NSDateFormatter)

NSDateFormatter::NSDateFormatter()
    : m_timeZone(NSTimeZone::systemTimeZone())
    , m_locale(NSLocale::currentLocale())
{
}

NSDateFormatter::~NSDateFormatter() = default;

void NSDateFormatter::registerMethods(objc::ClassBuilder<NSDateFormatter>& b)
{
    b.method<&NSDateFormatter::dateFormat>("dateFormat")
        .method<&NSDateFormatter::setDateFormat>("setDateFormat:")
        .method<&NSDateFormatter::timeZone>("timeZone")
        .method<&NSDateFormatter::setTimeZone>("setTimeZone:")
        .method<&NSDateFormatter::locale>("locale")
        .method<&NSDateFormatter::setLocale>("setLocale:")
        .method<&NSDateFormatter::stringFromDate>("stringFromDate:")
        .method<&NSDateFormatter::dateFromString>("dateFromString:");
}

void NSDateFormatter::setDateFormat(NSString* format)
{
    std::string text = format ? format->str() : std::string();
    if (text != m_format) {
        m_format = std::move(text);
        m_formatter.reset();
    }
}

void NSDateFormatter::setTimeZone(NSTimeZone* zone)
{
    m_timeZone = zone ? RefPtr<NSTimeZone>(zone) : RefPtr<NSTimeZone>(NSTimeZone::systemTimeZone());
    m_formatter.reset();
}

void NSDateFormatter::setLocale(NSLocale* locale)
{
    m_locale = locale ? RefPtr<NSLocale>(locale) : RefPtr<NSLocale>(NSLocale::currentLocale());
    m_formatter.reset();
}

icu::SimpleDateFormat* NSDateFormatter::formatter()
{
    if (!m_formatter) {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale locale(m_locale->identifier().c_str());
        auto fmt = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString::fromUTF8(m_format), locale, status);
        if (U_FAILURE(status))
            return nullptr;
        fmt->setTimeZone(m_timeZone->icuZone());
        fmt->setLenient(false);
        m_formatter = std::move(fmt);
    }
    return m_formatter.get();
}

std::string NSDateFormatter::stringFromTimeInterval(double seconds)
{
    icu::SimpleDateFormat* fmt = formatter();
    if (!fmt)
        return {};
    icu::UnicodeString out;
    fmt->format(seconds * 1000.0, out);
    std::string utf8;
    out.toUTF8String(utf8);
    return utf8;
}

RefPtr<NSString> NSDateFormatter::stringFromDate(NSDate* date)
{
    return ns(date ? stringFromTimeInterval(date->timeIntervalSince1970()) : std::string());
}

RefPtr<NSDate> NSDateFormatter::dateFromString(NSString* text)
{
    icu::SimpleDateFormat* fmt = formatter();
    if (!fmt || !text)
        return nullptr;
    icu::UnicodeString input = icu::UnicodeString::fromUTF8(text->str());
    icu::ParsePosition position(0);
    UDate parsed = fmt->parse(input, position);
    // Only a parse of the whole text counts.
    if (position.getErrorIndex() >= 0 || position.getIndex() != input.length())
        return nullptr;
    return NSDate::dateWithTimeIntervalSince1970(parsed / 1000.0);
}

} // namespace platform
