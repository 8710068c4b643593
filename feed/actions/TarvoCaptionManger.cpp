#include "feed/actions/TarvoCaptionManger.h"

namespace igtarvo {

using namespace platform;

OBJC_CLASS_DEFINE(TarvoCaptionManger)

void TarvoCaptionManger::registerMethods(objc::ClassBuilder<TarvoCaptionManger>& b)
{
    b.classMethod<&TarvoCaptionManger::sharedManager>("sharedManager")
        .method<&TarvoCaptionManger::captionText>("captionText")
        .method<&TarvoCaptionManger::setCaptionText>("setCaptionText:")
        .method<&TarvoCaptionManger::repostUsername>("repostUsername")
        .method<&TarvoCaptionManger::setRepostUsername>("setRepostUsername:");
}

TarvoCaptionManger* TarvoCaptionManger::sharedManager()
{
    // Made once, safely against concurrent first calls; never destroyed.
    static TarvoCaptionManger* const manager = objc::make<TarvoCaptionManger>().leak();
    return manager;
}

namespace {
RefPtr<NSString> text(const std::optional<std::string>& value)
{
    return value ? RefPtr<NSString>(ns(*value)) : nullptr;
}
std::optional<std::string> value(NSString* text)
{
    return text ? std::optional<std::string>(text->str()) : std::nullopt;
}
}

RefPtr<NSString> TarvoCaptionManger::captionText() const
{
    std::lock_guard guard(m_lock);
    return text(m_caption);
}

void TarvoCaptionManger::setCaptionText(NSString* caption)
{
    std::lock_guard guard(m_lock);
    m_caption = value(caption);
}

RefPtr<NSString> TarvoCaptionManger::repostUsername() const
{
    std::lock_guard guard(m_lock);
    return text(m_username);
}

void TarvoCaptionManger::setRepostUsername(NSString* name)
{
    std::lock_guard guard(m_lock);
    m_username = value(name);
}

void TarvoCaptionManger::setPending(std::optional<std::string> caption, std::optional<std::string> username)
{
    std::lock_guard guard(m_lock);
    m_caption = std::move(caption);
    m_username = std::move(username);
}

TarvoCaptionManger::Pending TarvoCaptionManger::take()
{
    std::lock_guard guard(m_lock);
    Pending pending { std::move(m_caption), std::move(m_username) };
    m_caption.reset();
    m_username.reset();
    return pending;
}

} // namespace igtarvo
