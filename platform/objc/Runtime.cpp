#include "platform/objc/Runtime.h"
#include "platform/objc/ClassBuilder.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace objc {

namespace detail {
std::atomic<uint64_t> g_cacheGeneration { 1 };

struct ClassData {
    std::unordered_map<SEL, Method> methods;
    std::vector<Method> methodOrder;
    std::vector<Ivar> ivars;
    std::vector<CacheTable*> retiredCaches; // kept: a reader may still hold one
};
}

struct objc_selector {
    std::string name;
};

struct objc_ivar {
    std::string name;
    IvarGetter getter;
};

namespace {

// One lock guards class tables, method lists and cache rebuilding. Sends take
// it only on a cache miss.
std::recursive_mutex& runtimeLock()
{
    static auto* lock = new std::recursive_mutex;
    return *lock;
}

struct Tables {
    std::mutex selectorLock;
    std::unordered_map<std::string_view, objc_selector*> selectors;
    std::mutex encodingLock;
    std::unordered_set<std::string> encodings;
    std::unordered_map<std::string, Class> classes; // guarded by runtimeLock
    std::vector<Class> classOrder;
};

Tables& tables()
{
    static auto* t = new Tables; // never destroyed: sends may run during exit
    return *t;
}

Method findOwnMethod(Class cls, SEL sel)
{
    auto it = cls->data->methods.find(sel);
    return it == cls->data->methods.end() ? nullptr : it->second;
}

Method findMethodInChain(Class cls, SEL sel)
{
    for (Class c = cls; c; c = c->superclass) {
        if (Method m = findOwnMethod(c, sel))
            return m;
    }
    return nullptr;
}

void forwardingImp(id self, SEL sel)
{
    detail::throwUnrecognized(self, sel);
}

} // namespace

UnrecognizedSelector::UnrecognizedSelector(const std::string& cls, const std::string& sel, bool classMethod)
    : std::runtime_error(std::string(classMethod ? "+[" : "-[") + cls + " " + sel + "]: unrecognized selector sent to " + (classMethod ? "class" : "instance"))
    , className(cls)
    , selector(sel)
{
}

SignatureMismatch::SignatureMismatch(const std::string& cls, const std::string& sel, const char* methodTypes, const char* sendTypes)
    : std::runtime_error("-[" + cls + " " + sel + "]: sent with types \"" + sendTypes + "\" but the method's are \"" + methodTypes + "\"")
{
}

const char* internEncoding(const std::string& encoding)
{
    auto& t = tables();
    std::lock_guard guard(t.encodingLock);
    return t.encodings.insert(encoding).first->c_str();
}

SEL sel_registerName(const char* name)
{
    auto& t = tables();
    std::lock_guard guard(t.selectorLock);
    auto it = t.selectors.find(name);
    if (it != t.selectors.end())
        return it->second;
    auto* sel = new objc_selector { name };
    t.selectors.emplace(sel->name, sel);
    return sel;
}

const char* sel_getName(SEL sel)
{
    return sel ? sel->name.c_str() : "<null selector>";
}

objc_class::objc_class(const char* n, Class super, bool meta, ObjectFactory f)
    : Object(ClassObject {})
    , name(n)
    , superclass(super)
    , isMeta(meta)
    , factory(f)
    , data(new detail::ClassData)
{
}

namespace detail {
Class registerCppClass(const char* name, Class superclass, ObjectFactory factory)
{
    return objc_defineClass(superclass, name, factory);
}
}

Class objc_defineClass(Class superclass, const char* name, ObjectFactory factory)
{
    std::lock_guard guard(runtimeLock());
    auto& t = tables();
    if (auto it = t.classes.find(name); it != t.classes.end())
        return it->second;
    // The root metaclass inherits from the root class, so class objects answer
    // the root's instance methods, as on the platform.
    Class rootClass = superclass;
    while (rootClass && rootClass->superclass)
        rootClass = rootClass->superclass;
    detail::pendingIsa() = nullptr;
    Class cls = new objc_class(name, superclass, false, factory);
    detail::pendingIsa() = nullptr;
    Class meta = new objc_class(name, superclass ? superclass->isa() : cls, true, nullptr);
    cls->setIsa(meta);
    Class rootMeta = rootClass ? rootClass->isa() : meta;
    meta->setIsa(rootMeta);
    t.classes.emplace(name, cls);
    t.classOrder.push_back(cls);
    detail::g_cacheGeneration.fetch_add(1, std::memory_order_acq_rel);
    return cls;
}

Class objc_getClass(const char* name)
{
    if (!name)
        return nullptr;
    std::lock_guard guard(runtimeLock());
    auto& t = tables();
    auto it = t.classes.find(name);
    return it == t.classes.end() ? nullptr : it->second;
}

Class objc_getMetaClass(const char* name)
{
    Class cls = objc_getClass(name);
    return cls ? cls->isa() : nullptr;
}

Class class_getSuperclass(Class cls) { return cls ? cls->superclass : nullptr; }
const char* class_getName(Class cls) { return cls ? cls->name.c_str() : "nil"; }
bool class_isMetaClass(Class cls) { return cls && cls->isMeta; }
Class object_getClass(id obj) { return obj ? obj->isa() : nullptr; }
const char* object_getClassName(id obj) { return obj ? class_getName(obj->isa()) : "nil"; }

std::vector<Class> objc_copyClassList()
{
    std::lock_guard guard(runtimeLock());
    return tables().classOrder;
}

RefPtr<Object> class_createInstance(Class cls)
{
    if (!cls || cls->isMeta)
        return nullptr;
    for (Class c = cls; c; c = c->superclass) {
        if (c->factory) {
            detail::pendingIsa() = cls;
            id obj = c->factory();
            detail::pendingIsa() = nullptr;
            return RefPtr<Object>::adopt(obj);
        }
    }
    return nullptr;
}

Method class_getInstanceMethod(Class cls, SEL sel)
{
    if (!cls || !sel)
        return nullptr;
    std::lock_guard guard(runtimeLock());
    return findMethodInChain(cls, sel);
}

Method class_getClassMethod(Class cls, SEL sel)
{
    return cls ? class_getInstanceMethod(cls->isa(), sel) : nullptr;
}

bool class_addMethod(Class cls, SEL sel, IMP imp, const char* types)
{
    if (!cls || !sel || !imp || !types)
        return false;
    std::lock_guard guard(runtimeLock());
    if (findOwnMethod(cls, sel))
        return false;
    auto* m = new objc_method { sel, internEncoding(types), {} };
    m->imp.store(imp, std::memory_order_release);
    cls->data->methods.emplace(sel, m);
    cls->data->methodOrder.push_back(m);
    // A subclass may have cached the inherited method (or its absence).
    detail::g_cacheGeneration.fetch_add(1, std::memory_order_acq_rel);
    return true;
}

IMP class_getMethodImplementation(Class cls, SEL sel)
{
    if (!cls || !sel)
        return nullptr;
    Method m = detail::lookUpMethod(cls, sel);
    return m ? method_getImplementation(m) : objc_msgForwardImp();
}

bool class_respondsToSelector(Class cls, SEL sel)
{
    return cls && sel && detail::lookUpMethod(cls, sel) != nullptr;
}

std::vector<Method> class_copyMethodList(Class cls)
{
    if (!cls)
        return {};
    std::lock_guard guard(runtimeLock());
    return cls->data->methodOrder;
}

SEL method_getName(Method m) { return m ? m->name : nullptr; }
IMP method_getImplementation(Method m) { return m ? m->imp.load(std::memory_order_acquire) : nullptr; }
const char* method_getTypeEncoding(Method m) { return m ? m->types : nullptr; }

IMP method_setImplementation(Method m, IMP imp)
{
    if (!m || !imp)
        return nullptr;
    // Caches hold the method, not its implementation, so the very next send
    // runs the new one.
    return m->imp.exchange(imp, std::memory_order_acq_rel);
}

IMP objc_msgForwardImp()
{
    return reinterpret_cast<IMP>(&forwardingImp);
}

bool object_isKindOfClass(id obj, Class cls)
{
    if (!obj || !cls)
        return false;
    for (Class c = obj->isa(); c; c = c->superclass) {
        if (c == cls)
            return true;
    }
    return false;
}

bool object_respondsToSelector(id obj, SEL sel)
{
    return obj && class_respondsToSelector(obj->isa(), sel);
}

void class_addObjectField(Class cls, const char* name, IvarGetter getter)
{
    if (!cls || !name || !getter)
        return;
    std::lock_guard guard(runtimeLock());
    cls->data->ivars.push_back(new objc_ivar { name, getter });
}

Ivar class_getInstanceVariable(Class cls, const char* name)
{
    if (!name)
        return nullptr;
    std::lock_guard guard(runtimeLock());
    for (Class c = cls; c; c = c->superclass) {
        for (Ivar ivar : c->data->ivars) {
            if (ivar->name == name)
                return ivar;
        }
    }
    return nullptr;
}

RefPtr<Object> object_getIvar(id obj, Ivar ivar)
{
    if (!obj || !ivar)
        return nullptr;
    return ivar->getter(obj);
}

RefPtr<Object> object_valueForIvarName(id obj, const char* name)
{
    return obj ? object_getIvar(obj, class_getInstanceVariable(obj->isa(), name)) : nullptr;
}

namespace detail {

Method lookUpMethodSlow(Class cls, SEL sel)
{
    std::lock_guard guard(runtimeLock());
    uint64_t generation = g_cacheGeneration.load(std::memory_order_acquire);
    Method found = findMethodInChain(cls, sel);

    auto insert = [](CacheTable* table, SEL s, Method m) {
        uint32_t i = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(s) >> 4) & table->mask;
        for (;;) {
            SEL there = table->entries[i].sel.load(std::memory_order_relaxed);
            if (there == s)
                return; // another miss on the same selector put it there first
            if (!there)
                break;
            i = (i + 1) & table->mask;
        }
        table->entries[i].method = m;
        table->entries[i].sel.store(s, std::memory_order_release);
        table->count++;
    };

    CacheTable* old = cls->cache.load(std::memory_order_acquire);
    bool current = old && old->generation == generation;
    // Room in this generation's table: the entry goes in place, and sends
    // that are reading the table meanwhile see it whole or not at all.
    if (current && (old->count + 1) * 2 <= old->mask + 1) {
        insert(old, sel, found);
        return found;
    }
    uint32_t count = current ? old->count + 1 : 1;
    uint32_t capacity = 16;
    while (capacity < count * 2)
        capacity *= 2;
    auto* table = new CacheTable { generation, capacity - 1, 0, new CacheEntry[capacity]() };
    if (current) {
        for (uint32_t i = 0; i <= old->mask; ++i) {
            if (SEL s = old->entries[i].sel.load(std::memory_order_relaxed))
                insert(table, s, old->entries[i].method);
        }
    }
    insert(table, sel, found);
    cls->cache.store(table, std::memory_order_release);
    // A send on another thread may still be reading the old table, so it is
    // kept; a class retires only the tables it outgrows (one per doubling)
    // and one per generation in which it is sent to.
    if (old)
        cls->data->retiredCaches.push_back(old);
    return found;
}

void throwUnrecognized(id receiver, SEL sel)
{
    Class cls = receiver ? receiver->isa() : nullptr;
    throw UnrecognizedSelector(class_getName(cls), sel_getName(sel), cls && cls->isMeta);
}

void throwMismatch(id receiver, SEL sel, Method m, const char* sendTypes)
{
    throw SignatureMismatch(object_getClassName(receiver), sel_getName(sel), m->types, sendTypes);
}

} // namespace detail

// The root class -------------------------------------------------------------

namespace {
struct RootObject : Object { };
RefPtr<Object> rootInit(id self, SEL) { return RefPtr<Object>(self); }
RefPtr<Object> rootClass(id self, SEL) { return RefPtr<Object>(self->isa()->isMeta ? self : self->isa()); }
bool rootRespondsToSelector(id self, SEL, SEL sel) { return object_respondsToSelector(self, sel); }
bool rootIsKindOfClass(id self, SEL, id cls) { return object_isKindOfClass(self, static_cast<Class>(cls)); }
bool rootIsEqual(id self, SEL, id other) { return self == other; }
RefPtr<Object> rootAlloc(id self, SEL) { return class_createInstance(static_cast<Class>(self)); }
RefPtr<Object> rootNew(id self, SEL sel) { return send<RefPtr<Object>>(class_createInstance(static_cast<Class>(self)), "init"); }
}

Class Object::staticClass()
{
    static const Class cls = [] {
        Class c = objc_defineClass(nullptr, "NSObject", []() -> id { return new RootObject; });
        class_addMethod(c, sel_registerName("init"), reinterpret_cast<IMP>(&rootInit), impEncoding(&rootInit));
        class_addMethod(c, sel_registerName("class"), reinterpret_cast<IMP>(&rootClass), impEncoding(&rootClass));
        class_addMethod(c, sel_registerName("respondsToSelector:"), reinterpret_cast<IMP>(&rootRespondsToSelector), impEncoding(&rootRespondsToSelector));
        class_addMethod(c, sel_registerName("isKindOfClass:"), reinterpret_cast<IMP>(&rootIsKindOfClass), impEncoding(&rootIsKindOfClass));
        class_addMethod(c, sel_registerName("isEqual:"), reinterpret_cast<IMP>(&rootIsEqual), impEncoding(&rootIsEqual));
        class_addMethod(c->isa(), sel_registerName("alloc"), reinterpret_cast<IMP>(&rootAlloc), impEncoding(&rootAlloc));
        class_addMethod(c->isa(), sel_registerName("new"), reinterpret_cast<IMP>(&rootNew), impEncoding(&rootNew));
        return c;
    }();
    return cls;
}

} // namespace objc
