#pragma once
// Registers C++ classes with the runtime, so that every method a host or the
// system may hook or send is dispatched through the runtime. A class declares
//
//     class UIView : public NSObject {
//         OBJC_CLASS(UIView, NSObject)
//     public:
//         static void registerMethods(objc::ClassBuilder<UIView>&);
//     };
//     OBJC_CLASS_DEFINE(UIView)            // in the .cpp
//
// and registerMethods names each method once, from its member function; the
// encoding comes from the C++ signature.

#include "platform/objc/Runtime.h"

#include <tuple>

namespace objc {

namespace detail {

template<class MF> struct MemberTraits;
template<class C, class R, class... A> struct MemberTraits<R (C::*)(A...)> { using Ret = R; using Args = std::tuple<A...>; };
template<class C, class R, class... A> struct MemberTraits<R (C::*)(A...) const> { using Ret = R; using Args = std::tuple<A...>; };
template<class R, class... A> struct MemberTraits<R (*)(A...)> { using Ret = R; using Args = std::tuple<A...>; };

template<class T, auto MF, class R, class Args> struct MethodThunk;
template<class T, auto MF, class R, class... A>
struct MethodThunk<T, MF, R, std::tuple<A...>> {
    static RetWire<R> call(id self, SEL, ArgWire<A>... args)
    {
        if constexpr (std::is_void_v<R>)
            (static_cast<T*>(self)->*MF)(argFromWire<A>(args)...);
        else
            return retToWire<R>((static_cast<T*>(self)->*MF)(argFromWire<A>(args)...));
    }
    static const char* types() { return signatureEncoding<RetWire<R>, ArgWire<A>...>(); }
};

template<auto F, class R, class Args> struct ClassMethodThunk;
template<auto F, class R, class... A>
struct ClassMethodThunk<F, R, std::tuple<A...>> {
    static RetWire<R> call(id, SEL, ArgWire<A>... args)
    {
        if constexpr (std::is_void_v<R>)
            F(argFromWire<A>(args)...);
        else
            return retToWire<R>(F(argFromWire<A>(args)...));
    }
    static const char* types() { return signatureEncoding<RetWire<R>, ArgWire<A>...>(); }
};

Class registerCppClass(const char* name, Class superclass, ObjectFactory factory);

} // namespace detail

template<class T>
class ClassBuilder {
public:
    explicit ClassBuilder(Class cls) : m_class(cls) { }
    Class cls() const { return m_class; }

    // An instance method implemented by a member function.
    template<auto MF>
    ClassBuilder& method(const char* selector)
    {
        using Traits = detail::MemberTraits<decltype(MF)>;
        using Thunk = detail::MethodThunk<T, MF, typename Traits::Ret, typename Traits::Args>;
        class_addMethod(m_class, sel_registerName(selector), reinterpret_cast<IMP>(&Thunk::call), Thunk::types());
        return *this;
    }

    // A class method implemented by a static function.
    template<auto F>
    ClassBuilder& classMethod(const char* selector)
    {
        using Traits = detail::MemberTraits<decltype(F)>;
        using Thunk = detail::ClassMethodThunk<F, typename Traits::Ret, typename Traits::Args>;
        class_addMethod(m_class->isa(), sel_registerName(selector), reinterpret_cast<IMP>(&Thunk::call), Thunk::types());
        return *this;
    }

    // A named private field holding an object (RefPtr<U> or WeakPtr<U> member).
    template<auto Field>
    ClassBuilder& ivar(const char* name)
    {
        class_addIvar(m_class, name, [](id self) -> RefPtr<Object> {
            const auto& field = static_cast<T*>(self)->*Field;
            if constexpr (requires { field.lock(); }) return RefPtr<Object>(field.lock().get());
            else return RefPtr<Object>(field.get());
        });
        return *this;
    }

private:
    Class m_class;
};

template<class T>
Class registerClass(const char* name, Class superclass)
{
    Class cls = detail::registerCppClass(name, superclass, []() -> id {
        if constexpr (std::is_default_constructible_v<T>) return new T();
        else return nullptr;
    });
    ClassBuilder<T> builder(cls);
    T::registerMethods(builder);
    return cls;
}

} // namespace objc

// Declares the runtime class of a C++ class. The runtime name is the C++ name.
#define OBJC_CLASS(Type, Super)                 \
public:                                         \
    using super = Super;                        \
    static objc::Class staticClass();           \
                                                \
private:

#define OBJC_CLASS_DEFINE(Type)                                                                  \
    objc::Class Type::staticClass()                                                              \
    {                                                                                            \
        static const objc::Class cls = objc::registerClass<Type>(#Type, super::staticClass());   \
        return cls;                                                                              \
    }

// Registers the class as soon as its library is loaded, as the platform does
// with a library's own classes (host programs build theirs at start instead).
#define OBJC_CLASS_LOAD(Type) \
    static const bool Type##_loadedAtStart = (Type::staticClass(), true);
