#include "hosts/instagram/IGDirectThreadStore.h"

namespace hosts::instagram {

OBJC_CLASS_DEFINE(IGDirectThreadStore)

namespace {
bool g_hasSharedStore = true;
}

void IGDirectThreadStore::setHasSharedStore(bool shared)
{
    g_hasSharedStore = shared;
}

void IGDirectThreadStore::registerMethods(objc::ClassBuilder<IGDirectThreadStore>& b)
{
    b.method<&IGDirectThreadStore::refreshInbox>("refreshInbox");
    if (g_hasSharedStore)
        b.classMethod<&IGDirectThreadStore::sharedThreadStore>("sharedThreadStore");
}

IGDirectThreadStore* IGDirectThreadStore::sharedThreadStore()
{
    static IGDirectThreadStore* const store = objc::make<IGDirectThreadStore>().leak();
    return store;
}

} // namespace hosts::instagram
