#include "platform/uikit/UIResponder.h"

namespace platform {

OBJC_CLASS_LOAD(UIResponder)

namespace {
objc::WeakPtr<UIResponder>& firstResponder()
{
    static objc::WeakPtr<UIResponder> responder;
    return responder;
}
}

bool UIResponder::becomeFirstResponder()
{
    if (!objc::send<bool>(this, "canBecomeFirstResponder"))
        return false;
    auto current = firstResponder().lock();
    if (current.get() == this)
        return true;
    if (current && !objc::send<bool>(current, "resignFirstResponder"))
        return false;
    firstResponder() = objc::WeakPtr<UIResponder>(this);
    return true;
}

bool UIResponder::resignFirstResponder()
{
    if (firstResponder().lock().get() == this)
        firstResponder() = objc::WeakPtr<UIResponder>();
    return true;
}

bool UIResponder::isFirstResponder() const
{
    return firstResponder().lock().get() == this;
}

RefPtr<UIResponder> UIResponder::currentFirstResponder()
{
    return firstResponder().lock();
}

std::vector<Ref<UIResponder>> UIResponder::chainFrom(UIResponder* start)
{
    std::vector<Ref<UIResponder>> chain;
    for (RefPtr<UIResponder> r(start); r; r = objc::send<RefPtr<UIResponder>>(r, "nextResponder")) {
        if (chain.size() > 1000)
            break; // a chain that loops back on itself
        chain.push_back(Ref<UIResponder>(*r));
    }
    return chain;
}

void UIResponder::registerMethods(objc::ClassBuilder<UIResponder>& b)
{
    b.method<&UIResponder::nextResponder>("nextResponder")
        .method<&UIResponder::canBecomeFirstResponder>("canBecomeFirstResponder")
        .method<&UIResponder::becomeFirstResponder>("becomeFirstResponder")
        .method<&UIResponder::resignFirstResponder>("resignFirstResponder")
        .method<&UIResponder::isFirstResponder>("isFirstResponder");
}

} // namespace platform
