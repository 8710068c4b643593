#pragma once
// The direct-message inbox of the signed-in user. Older Instagram builds
// keep one shared store (class method sharedThreadStore); newer ones keep it
// on the user session (see IGAuthHelper). Which kind this Instagram is gets
// decided before its classes are registered.

#include "platform/foundation/NSValues.h"

namespace hosts::instagram {

using objc::Ref;
using objc::RefPtr;

class IGDirectThreadStore : public objc::Object {
    OBJC_CLASS(IGDirectThreadStore, objc::Object)
public:
    IGDirectThreadStore() = default;
    static void registerMethods(objc::ClassBuilder<IGDirectThreadStore>&);

    // Whether the class answers sharedThreadStore; set before registration (default yes).
    static void setHasSharedStore(bool shared);
    // The shared store of older builds.
    static IGDirectThreadStore* sharedThreadStore();

    // Reloads the inbox.
    void refreshInbox() { ++m_refreshes; }
    unsigned long refreshCount() const { return m_refreshes; }

private:
    unsigned long m_refreshes { 0 };
};

} // namespace hosts::instagram
