#pragma once
// The object runtime: classes by name with a superclass chain, instance and
// class methods keyed by interned selectors, method adding and implementation
// exchange, associated objects and named private fields. Its contracts are
// those of the platform's runtime for the functions the system uses:
//  - class_getInstanceMethod searches the superclasses;
//  - class_addMethod fails when the class itself has the selector and succeeds
//    when the method is only inherited;
//  - method_setImplementation swaps atomically and answers the previous one;
//  - a send to nil answers zero; an unanswered send throws UnrecognizedSelector.
// Look-up is cached per class; adding a method drops every cache. All
// functions are safe to call from any thread.

#include "platform/objc/Encoding.h"
#include "platform/objc/Object.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace objc {

using IMP = void (*)();

struct objc_method;
using Method = objc_method*;
struct objc_ivar;
using Ivar = objc_ivar*;

// Thrown by a send that the receiver does not answer.
class UnrecognizedSelector : public std::runtime_error {
public:
    UnrecognizedSelector(const std::string& className, const std::string& selector, bool classMethod);
    const std::string className;
    const std::string selector;
};

// Thrown by a send whose signature differs from the method's own.
class SignatureMismatch : public std::runtime_error {
public:
    SignatureMismatch(const std::string& className, const std::string& selector, const char* methodTypes, const char* sendTypes);
};

// Selectors ------------------------------------------------------------------

// Answers the one selector of this name, creating it on first use.
SEL sel_registerName(const char* name);
const char* sel_getName(SEL);

// Classes --------------------------------------------------------------------

// Creates an object of the class (the factory the class was registered with),
// not yet initialised: the platform's alloc.
using ObjectFactory = id (*)();

// Registers a class at once (no separate registration step, unlike the
// platform's allocate-then-register pair); answers the existing class when
// the name is taken.
Class objc_defineClass(Class superclass, const char* name, ObjectFactory factory);
// Answers the class of that name, or nullptr.
Class objc_getClass(const char* name);
// Answers the metaclass of the class of that name, or nullptr.
Class objc_getMetaClass(const char* name);
Class class_getSuperclass(Class);
const char* class_getName(Class);
bool class_isMetaClass(Class);
Class object_getClass(id);
const char* object_getClassName(id);
// Every registered class (not metaclasses), in registration order.
std::vector<Class> objc_copyClassList();

// Creates an uninitialised instance of cls (nullptr for a nil class).
RefPtr<Object> class_createInstance(Class cls);

// Methods --------------------------------------------------------------------

// The method a send of sel to an instance of cls runs, searching superclasses.
Method class_getInstanceMethod(Class cls, SEL sel);
Method class_getClassMethod(Class cls, SEL sel);
// Adds a method to cls itself; fails (answers false, changes nothing) when cls
// already has its own method of that name.
bool class_addMethod(Class cls, SEL sel, IMP imp, const char* types);
// The implementation a send would run now; the forwarding implementation (which
// throws UnrecognizedSelector) when the class does not answer the selector.
IMP class_getMethodImplementation(Class cls, SEL sel);
bool class_respondsToSelector(Class cls, SEL sel);
// The methods cls itself defines (not inherited ones).
std::vector<Method> class_copyMethodList(Class cls);

SEL method_getName(Method);
IMP method_getImplementation(Method);
const char* method_getTypeEncoding(Method);
// Installs imp and answers the implementation it replaced, atomically.
IMP method_setImplementation(Method, IMP imp);

// The implementation of an unanswered send.
IMP objc_msgForwardImp();

// Object queries ------------------------------------------------------------

bool object_isKindOfClass(id, Class);
bool object_respondsToSelector(id, SEL);

// Named private fields ------------------------------------------------------

using IvarGetter = RefPtr<Object> (*)(id);
// Declares a named object field of cls, read through a getter (the
// platform's instance variables have an offset instead).
void class_addObjectField(Class cls, const char* name, IvarGetter getter);
// The field of that name on cls or a superclass, or nullptr.
Ivar class_getInstanceVariable(Class cls, const char* name);
RefPtr<Object> object_getIvar(id, Ivar);
// The named field's value, or nil when the object has no such field.
RefPtr<Object> object_valueForIvarName(id, const char* name);

// Associated objects --------------------------------------------------------

enum class AssociationPolicy { Assign, RetainNonatomic, CopyNonatomic, Retain, Copy };
// Attaches value to object under key; a nil value removes the association.
void objc_setAssociatedObject(id object, const void* key, id value, AssociationPolicy policy);
RefPtr<Object> objc_getAssociatedObject(id object, const void* key);
void objc_removeAssociatedObjects(id object);

struct objc_method {
    SEL name;
    const char* types; // interned
    std::atomic<IMP> imp;
};

namespace detail {
// An entry is written once: its method first, then its selector (release),
// so a send that finds the selector also finds the method.
struct CacheEntry {
    std::atomic<SEL> sel;
    Method method; // nullptr: the class does not answer sel
};
// A class's cache of one generation. It takes new entries in place while it
// is at most half full and is replaced by a table twice its size after that.
struct CacheTable {
    uint64_t generation;
    uint32_t mask;
    uint32_t count; // written under the runtime lock only
    CacheEntry* entries;
};
// Bumped whenever a method is added anywhere: every class's cache is then stale.
extern std::atomic<uint64_t> g_cacheGeneration;
Method lookUpMethodSlow(Class cls, SEL sel);
struct ClassData;
}

// A runtime class. Class objects are themselves objects (their isa is their
// metaclass), so class methods are sent like any other message. Classes live
// for the life of the process.
struct objc_class : Object {
    objc_class(const char* name, Class superclass, bool isMeta, ObjectFactory factory);
    const std::string name;
    const Class superclass;
    const bool isMeta;
    const ObjectFactory factory;
    std::atomic<detail::CacheTable*> cache { nullptr };
    detail::ClassData* data; // methods and fields, guarded by the runtime lock
    void setIsa(Class meta) { m_isa = meta; }
};

namespace detail {
inline Method lookUpMethod(Class cls, SEL sel)
{
    CacheTable* table = cls->cache.load(std::memory_order_acquire);
    if (table && table->generation == g_cacheGeneration.load(std::memory_order_acquire)) [[likely]] {
        uint32_t i = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(sel) >> 4) & table->mask;
        for (;;) {
            const CacheEntry& e = table->entries[i];
            SEL found = e.sel.load(std::memory_order_acquire);
            if (found == sel)
                return e.method;
            if (!found)
                break;
            i = (i + 1) & table->mask;
        }
    }
    return lookUpMethodSlow(cls, sel);
}
inline const char* methodTypes(Method m) { return m->types; }
inline IMP methodImp(Method m) { return m->imp.load(std::memory_order_acquire); }
[[noreturn]] void throwUnrecognized(id receiver, SEL sel);
[[noreturn]] void throwMismatch(id receiver, SEL sel, Method m, const char* sendTypes);
}

// Message sending ----------------------------------------------------------
//
//   send<RefPtr<NSString>>(obj, "description")            // answer type only
//   send<void(long, bool)>(obj, "setValue:animated:", 3, true)  // full signature
//
// A full signature converts the arguments to the method's parameter types, as
// a cast of the platform's send function does.

template<class Sig> struct Sender;

template<class R, class... A>
struct Sender<R(A...)> {
    template<class... Given>
    static R call(id self, SEL sel, Given&&... given)
    {
        if (!self) {
            if constexpr (std::is_void_v<R>) return;
            else return R {};
        }
        Method m = detail::lookUpMethod(self->isa(), sel);
        if (!m) [[unlikely]]
            detail::throwUnrecognized(self, sel);
        const char* sendTypes = signatureEncoding<RetWire<R>, ArgWire<A>...>();
        if (detail::methodTypes(m) != sendTypes) [[unlikely]]
            detail::throwMismatch(self, sel, m, sendTypes);
        using Fn = RetWire<R> (*)(id, SEL, ArgWire<A>...);
        auto fn = reinterpret_cast<Fn>(detail::methodImp(m));
        if constexpr (std::is_void_v<R>)
            fn(self, sel, argToWire(static_cast<A>(std::forward<Given>(given)))...);
        else
            return retFromWire<R>(fn(self, sel, argToWire(static_cast<A>(std::forward<Given>(given)))...));
    }
};

// The type an argument crosses a send as: a never-null reference goes as a
// reference that may be null, as the receiving method takes it.
template<class T> struct SentAs { using Type = T; };
template<class T> struct SentAs<Ref<T>> { using Type = RefPtr<T>; };

template<class S, class... Given>
auto send(id self, SEL sel, Given&&... given)
{
    if constexpr (std::is_function_v<S>)
        return Sender<S>::call(self, sel, std::forward<Given>(given)...);
    else
        return Sender<S(typename SentAs<std::decay_t<Given>>::Type...)>::call(self, sel, std::forward<Given>(given)...);
}

template<class S, class... Given>
auto send(id self, const char* selector, Given&&... given)
{
    return send<S>(self, sel_registerName(selector), std::forward<Given>(given)...);
}

template<class S, StrongReference P, class... Given>
auto send(const P& self, const char* selector, Given&&... given)
{
    return send<S>(static_cast<id>(self.get()), sel_registerName(selector), std::forward<Given>(given)...);
}

template<class S, StrongReference P, class... Given>
auto send(const P& self, SEL sel, Given&&... given)
{
    return send<S>(static_cast<id>(self.get()), sel, std::forward<Given>(given)...);
}

// The encoding of a free implementation function R(id, SEL, A...).
template<class R, class... A>
const char* impEncoding(R (*)(id, SEL, A...)) { return signatureEncoding<R, A...>(); }

// The object as a T when it is of kind T (T's class or a subclass of it),
// else nullptr: the one checked way down from `id` to a typed pointer.
template<class T>
T* dynamicCast(id object)
{
    return object_isKindOfClass(object, T::staticClass()) ? static_cast<T*>(object) : nullptr;
}

template<class T, StrongReference P>
RefPtr<T> dynamicCast(const P& object)
{
    return RefPtr<T>(dynamicCast<T>(static_cast<id>(object.get())));
}

// Whether obj answers the selector (false for nil).
inline bool respondsTo(id obj, const char* selector) { return object_respondsToSelector(obj, sel_registerName(selector)); }
template<StrongReference P> bool respondsTo(const P& obj, const char* selector) { return respondsTo(obj.get(), selector); }

} // namespace objc
