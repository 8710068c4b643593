// The code of a test bundle: one class that registers itself when the
// library loads and counts how often its own load ran.

#include "platform/foundation/NSValues.h"

namespace {
int g_loads = 0;
}

class BundleProbePrincipal : public platform::NSObject {
    OBJC_CLASS(BundleProbePrincipal, platform::NSObject)
public:
    static void registerMethods(objc::ClassBuilder<BundleProbePrincipal>& b)
    {
        b.classMethod<&BundleProbePrincipal::loadCount>("loadCount");
    }
    static void load() { ++g_loads; }
    static long loadCount() { return g_loads; }
};

OBJC_CLASS_LOAD(BundleProbePrincipal)
