#pragma once
// An object that can take part in handling events: the base of views, view
// controllers, windows and the application. Events and nil-targeted actions
// travel along the responder chain that nextResponder answers. Main thread.

#include "platform/foundation/NSValues.h"

namespace platform {

class UIResponder : public NSObject {
    OBJC_CLASS(UIResponder, NSObject)
public:
    UIResponder() = default;
    static void registerMethods(objc::ClassBuilder<UIResponder>&);

    // The next object in the responder chain; nil at its end.
    RefPtr<UIResponder> nextResponder() const { return nullptr; }
    bool canBecomeFirstResponder() const { return false; }
    // Makes this object the first responder, when it agrees to be one.
    bool becomeFirstResponder();
    // Gives up first-responder status; answers true.
    bool resignFirstResponder();
    bool isFirstResponder() const;

    // The object that currently takes typed text, or nil.
    static RefPtr<UIResponder> currentFirstResponder();
    // The responder chain from `start`, sent through nextResponder: start first.
    static std::vector<Ref<UIResponder>> chainFrom(UIResponder* start);
};

} // namespace platform
