#include "platform/preferences/PSViewController.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/uikit/UIView.h"

namespace platform {

OBJC_CLASS_LOAD(PSViewController)

PSViewController::PSViewController() = default;
PSViewController::~PSViewController() = default;

RefPtr<Object> PSViewController::initForContentSize(CGSize size)
{
    objc::send<RefPtr<Object>>(this, "init");
    m_contentSize = size;
    return RefPtr<Object>(this);
}

CGSize PSViewController::preferredContentSize()
{
    if (m_contentSize.width > 0 || m_contentSize.height > 0)
        return m_contentSize;
    auto view = objc::send<RefPtr<UIView>>(this, "view");
    return view ? view->frame().size : CGSize { 0, 0 };
}

RefPtr<PSSpecifier> PSViewController::specifier() const
{
    return RefPtr<PSSpecifier>(static_cast<PSSpecifier*>(m_specifier.get()));
}

void PSViewController::setSpecifier(PSSpecifier* specifier)
{
    m_specifier = specifier;
}

void PSViewController::registerMethods(objc::ClassBuilder<PSViewController>& b)
{
    b.method<&PSViewController::initForContentSize>("initForContentSize:")
        .method<&PSViewController::preferredContentSize>("preferredContentSize")
        .method<&PSViewController::specifier>("specifier")
        .method<&PSViewController::setSpecifier>("setSpecifier:");
}

} // namespace platform
