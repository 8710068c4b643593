#pragma once
// How every host surface speaks to a host: the two helpers below are the
// only way a surface sends to a host object or looks up a host class, so
// that they all keep one contract.
//
//  - A host class is looked up by name once and kept once found; until the
//    host has it, every look-up asks again and answers nil.
//  - A message to nil, to an object that does not answer it, or to one whose
//    method has another signature answers nothing (zero, no, nil) and never
//    raises: a surface call cannot throw out of a hook into the host.

#include "platform/objc/Runtime.h"

#include <type_traits>

namespace igtarvo {

// The host class of that name, or nil while the process has none.
objc::Class hostClass(const char* name);

// Sends when the receiver answers: ask<R>(receiver, "selector", arguments...)
// with the answer type R; the argument types are the given ones.
template<class R, class... A>
R ask(objc::id receiver, const char* selector, A... args)
{
    if (receiver && objc::respondsTo(receiver, selector)) {
        try {
            return objc::send<R(A...)>(receiver, selector, args...);
        } catch (const objc::SignatureMismatch&) {
        } catch (const objc::UnrecognizedSelector&) {
        }
    }
    if constexpr (!std::is_void_v<R>)
        return R {};
}

template<class R, class T, class... A>
R ask(const objc::RefPtr<T>& receiver, const char* selector, A... args)
{
    return ask<R>(static_cast<objc::id>(receiver.get()), selector, args...);
}

} // namespace igtarvo
