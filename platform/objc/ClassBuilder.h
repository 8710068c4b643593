#pragma once
// Registers C++ classes with the runtime, so that every method a host or the
// system may hook or send is dispatched through the runtime. A class declares
//
//     class UIView : public NSObject {
//         OBJC_CLASS(UIView, NSObject)
//     public:
//         static void registerMethods(objc::ClassBuilder<UIView>&);
//     };
//     OBJC_CLASS_LOAD(UIView)              // in the .cpp
//
// and registerMethods names each method once, from its member function; the
// encoding comes from the C++ signature.
//
// Code runs at load time one way: while the library that holds it is loaded.
//   OBJC_CLASS_LOAD(Type)      the class is registered when its library loads,
//                              then its own class-level `static void load()`
//                              runs, where it has one. A new class needs this
//                              one line and no edit anywhere else.
//   OBJC_CATEGORY_LOAD(Name, routine)
//                              a category: `routine` adds its methods to an
//                              existing class when the library loads.
//   OBJC_LIBRARY_LOAD(routine) a library's own start-up routine.
// Within one library the order between these is not defined; a class that
// another one needs is registered on first use all the same (staticClass()).
//
// OBJC_CLASS_DEFINE(Type) registers on first use only: the host stand-ins use
// it, because a host program builds its classes when it starts (and a test
// decides which host classes exist), not when their library is loaded.

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
        class_addObjectField(m_class, name, [](id self) -> RefPtr<Object> {
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

namespace objc::detail {

// Runs a routine during the static initialisation of the library that holds
// it, that is while the library is being loaded.
struct AtLibraryLoad {
    explicit AtLibraryLoad(void (*routine)()) { routine(); }
};

// Registers T, then calls T's own class-level load (not one it inherits).
template<class T>
void loadClass()
{
    T::staticClass();
    if constexpr (requires { T::load(); }) {
        if constexpr (requires { T::super::load(); }) {
            if (&T::load == &T::super::load)
                return;
        }
        T::load();
    }
}

} // namespace objc::detail

// Defines the runtime class and registers it when its library is loaded.
#define OBJC_CLASS_LOAD(Type)                                                                    \
    OBJC_CLASS_DEFINE(Type)                                                                      \
    [[maybe_unused]] static const ::objc::detail::AtLibraryLoad Type##_atLibraryLoad { &::objc::detail::loadClass<Type> };

// Adds a category's methods when its library is loaded.
#define OBJC_CATEGORY_LOAD(Name, routine) \
    [[maybe_unused]] static const ::objc::detail::AtLibraryLoad Name##_atLibraryLoad { routine };

// Runs a library's start-up routine when the library is loaded.
#define OBJC_LIBRARY_LOAD(routine) \
    [[maybe_unused]] static const ::objc::detail::AtLibraryLoad libraryStartUp_atLibraryLoad { routine };
