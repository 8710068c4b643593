#pragma once
// Type encodings derived from C++ signatures, and the "wire" types that cross
// a message send. Every object travels as `id`, every returned object as a
// RefPtr<Object>; both sides of a send carry the encoding of their signature,
// so a send whose types differ from the method's is caught rather than run.

#include "platform/objc/Object.h"

#include <functional>
#include <string>
#include <type_traits>

namespace objc {

struct objc_selector;
using SEL = const objc_selector*;

bool object_isKindOfClass(id, Class);
template<StrongReference P> bool object_isKindOfClass(const P& object, Class cls) { return object_isKindOfClass(object.get(), cls); }

template<class T> struct IsRefPtr : std::false_type { };
template<class T> struct IsRefPtr<RefPtr<T>> : std::true_type { using Pointee = T; };
template<class T> struct IsRef : std::false_type { };
template<class T> struct IsRef<Ref<T>> : std::true_type { };
template<class T> struct IsStdFunction : std::false_type { };
template<class S> struct IsStdFunction<std::function<S>> : std::true_type { };
template<class T> struct BlockSignature;
template<class R, class... A> struct BlockSignature<std::function<R(A...)>> {
    static std::string encode();
};

// (A selector points to an incomplete type, so it is ruled out before the
// base-class test is instantiated.)
template<class T>
constexpr bool isObjectPointer = std::conjunction_v<std::is_pointer<T>, std::negation<std::is_same<std::remove_cv_t<T>, SEL>>,
    std::is_base_of<Object, std::remove_cv_t<std::remove_pointer_t<T>>>>;

// Structures that cross sends name themselves for their encoding.
template<class T> struct StructEncoding;
template<class T, class = void> struct HasStructEncoding : std::false_type { };
template<class T> struct HasStructEncoding<T, std::void_t<decltype(StructEncoding<T>::value)>> : std::true_type { };

// The types values take while they cross a send. Objects go in as plain
// `id` (the caller keeps them alive for the call) and come back as a strong
// RefPtr<Object>, so both sides always agree on the calling convention.
template<class T>
constexpr bool isObjectType = isObjectPointer<std::remove_cvref_t<T>> || IsRefPtr<std::remove_cvref_t<T>>::value
    || IsRef<std::remove_cvref_t<T>>::value;

template<class T, class = void> struct ArgWireOf { using type = std::remove_cvref_t<T>; };
template<class T> struct ArgWireOf<T, std::enable_if_t<isObjectType<T>>> { using type = id; };
template<class T> using ArgWire = typename ArgWireOf<T>::type;

template<class T, class = void> struct RetWireOf { using type = std::remove_cvref_t<T>; };
template<class T> struct RetWireOf<T, std::enable_if_t<isObjectType<T>>> { using type = RefPtr<Object>; };
template<class T> using RetWire = typename RetWireOf<T>::type;

template<class T>
std::string encode()
{
    using U = std::remove_cvref_t<T>;
    if constexpr (std::is_void_v<U>) return "v";
    else if constexpr (std::is_same_v<U, bool>) return "B";
    else if constexpr (std::is_same_v<U, char> || std::is_same_v<U, signed char>) return "c";
    else if constexpr (std::is_same_v<U, unsigned char>) return "C";
    else if constexpr (std::is_same_v<U, short>) return "s";
    else if constexpr (std::is_same_v<U, unsigned short>) return "S";
    else if constexpr (std::is_same_v<U, int>) return "i";
    else if constexpr (std::is_same_v<U, unsigned>) return "I";
    else if constexpr (std::is_same_v<U, long> || std::is_same_v<U, long long>) return "q";
    else if constexpr (std::is_same_v<U, unsigned long> || std::is_same_v<U, unsigned long long>) return "Q";
    else if constexpr (std::is_same_v<U, float>) return "f";
    else if constexpr (std::is_same_v<U, double>) return "d";
    else if constexpr (std::is_same_v<U, SEL>) return ":";
    else if constexpr (std::is_same_v<U, Class>) return "#";
    else if constexpr (isObjectType<U>) return "@";
    else if constexpr (IsStdFunction<U>::value) return BlockSignature<U>::encode(); // "@?<v@?@>": a block and its own signature
    else if constexpr (std::is_same_v<U, const char*> || std::is_same_v<U, char*>) return "*";
    else if constexpr (std::is_same_v<U, void*> || std::is_same_v<U, const void*>) return "^v";
    else if constexpr (HasStructEncoding<U>::value) return StructEncoding<U>::value;
    else if constexpr (std::is_enum_v<U>) return encode<std::underlying_type_t<U>>();
    else static_assert(sizeof(U) == 0, "this type cannot cross a message send: give it a StructEncoding");
}

template<class R, class... A>
std::string BlockSignature<std::function<R(A...)>>::encode()
{
    return "@?<" + objc::encode<R>() + "@?" + (objc::encode<A>() + ... + std::string()) + ">";
}

// "v@:@" for void(id), the receiver and selector included.
template<class R, class... A>
std::string encodeSignature()
{
    return encode<R>() + "@:" + (encode<A>() + ... + std::string());
}

// Interns an encoding so that two encodings compare by pointer.
const char* internEncoding(const std::string&);

template<class R, class... A>
const char* signatureEncoding()
{
    static const char* const encoding = internEncoding(encodeSignature<R, A...>());
    return encoding;
}

// Converting values onto and off the wire.
template<class T>
decltype(auto) argToWire(T&& value)
{
    using U = std::remove_cvref_t<T>;
    if constexpr (IsRefPtr<U>::value || IsRef<U>::value) return static_cast<id>(value.get());
    else if constexpr (isObjectPointer<U>) return static_cast<id>(value);
    else return std::forward<T>(value);
}

template<class T>
T argFromWire(ArgWire<T> w)
{
    using U = std::remove_cvref_t<T>;
    static_assert(!IsRef<U>::value, "a method's object arguments may be nil: take RefPtr<T> or T*");
    if constexpr (IsRefPtr<U>::value) return U(static_cast<typename IsRefPtr<U>::Pointee*>(w));
    else if constexpr (isObjectPointer<U>) return static_cast<U>(w);
    else return w;
}

template<class T>
RetWire<T> retToWire(T&& value)
{
    using U = std::remove_cvref_t<T>;
    if constexpr (IsRefPtr<U>::value || IsRef<U>::value) return RefPtr<Object>(std::forward<T>(value));
    else if constexpr (isObjectPointer<U>) return RefPtr<Object>(static_cast<id>(value));
    else return std::forward<T>(value);
}

template<class T>
T retFromWire(RetWire<T>&& w)
{
    using U = std::remove_cvref_t<T>;
    static_assert(!isObjectPointer<U>, "a send answers objects as RefPtr<T>: a raw pointer would not keep the answer alive");
    static_assert(!IsRef<U>::value, "a send can answer nil: ask for RefPtr<T>");
    if constexpr (IsRefPtr<U>::value) {
        using Pointee = typename IsRefPtr<U>::Pointee;
        // An answer of another kind than asked for reads as nil, never as a
        // mistyped pointer.
        if constexpr (!std::is_same_v<Pointee, Object>) {
            if (w && !object_isKindOfClass(w.get(), Pointee::staticClass()))
                return U();
        }
        return U(static_cast<Pointee*>(w.get()));
    } else {
        return std::move(w);
    }
}

} // namespace objc
