#pragma once
// The root of every runtime object: an intrusive reference count, the isa
// pointer that names the object's runtime class, and the hooks that weak
// references and associated objects need. Objects are born with one reference
// and are created only through objc::make<T>() or a class's alloc.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <type_traits>
#include <utility>

namespace objc {

struct objc_class;
using Class = objc_class*;
class Object;
using id = Object*;

namespace detail {
struct WeakControl;
// The class the next constructed Object takes as its isa (set by make/alloc).
Class& pendingIsa();
}

class Object {
public:
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object();

    void retain() const noexcept { m_refs.fetch_add(1, std::memory_order_relaxed); }
    void release() const noexcept
    {
        if (m_refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
            const_cast<Object*>(this)->destroy();
    }
    // Takes a reference unless the object is already being destroyed.
    bool tryRetain() const noexcept;
    uint32_t retainCount() const noexcept { return m_refs.load(std::memory_order_relaxed); }

    // The object's runtime class.
    Class isa() const noexcept { return m_isa; }

    // The root class, "NSObject".
    static Class staticClass();

protected:
    // Takes the class the factory named; stops the process when there is none.
    Object() noexcept;

private:
    // Class objects are made by the runtime itself and get their metaclass
    // once it exists.
    struct ClassObject { };
    explicit Object(ClassObject) noexcept;

    friend struct detail::WeakControl;
    friend detail::WeakControl* weakControlFor(Object*);
    friend void markHasAssociations(Object*);
    friend struct objc_class;
    void destroy();

    mutable std::atomic<uint32_t> m_refs { 1 };
    Class m_isa { nullptr };
    std::atomic<detail::WeakControl*> m_weak { nullptr };
    std::atomic<bool> m_hasAssociations { false };
};

template<class T> class Ref;

// A strong reference that may be null.
template<class T>
class RefPtr {
public:
    RefPtr() = default;
    RefPtr(std::nullptr_t) { }
    RefPtr(T* p) : m_ptr(p) { if (m_ptr) m_ptr->retain(); }
    RefPtr(const RefPtr& o) : RefPtr(o.m_ptr) { }
    RefPtr(RefPtr&& o) noexcept : m_ptr(std::exchange(o.m_ptr, nullptr)) { }
    template<class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    RefPtr(const RefPtr<U>& o) : RefPtr(static_cast<T*>(o.get())) { }
    template<class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    RefPtr(RefPtr<U>&& o) noexcept : m_ptr(o.leak()) { }
    template<class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    RefPtr(const Ref<U>& o) : RefPtr(static_cast<T*>(o.get())) { }
    ~RefPtr() { if (m_ptr) m_ptr->release(); }

    RefPtr& operator=(RefPtr o) noexcept { std::swap(m_ptr, o.m_ptr); return *this; }

    // Wraps an object whose one reference the caller hands over.
    static RefPtr adopt(T* p) { RefPtr r; r.m_ptr = p; return r; }
    T* leak() { return std::exchange(m_ptr, nullptr); }
    // Hands the object over as a reference that is never null; stops the
    // process, with one line saying so, when there is none.
    Ref<T> releaseNonNull();

    T* get() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    T& operator*() const { return *m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }

private:
    T* m_ptr { nullptr };
};

// A strong reference that is never null: made from an object, never from
// nothing, and still holding its object after being moved from.
template<class T>
class Ref {
public:
    Ref(T& object) : m_ptr(&object) { m_ptr->retain(); }
    Ref(const Ref& o) : Ref(*o.m_ptr) { }
    template<class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    Ref(const Ref<U>& o) : Ref(static_cast<T&>(*o.get())) { }
    ~Ref() { m_ptr->release(); }

    Ref& operator=(Ref o) noexcept { std::swap(m_ptr, o.m_ptr); return *this; }

    // Wraps an object whose one reference the caller hands over.
    static Ref adopt(T& object) { return Ref(object, Adopt { }); }
    // Hands the caller a reference of its own that nothing will give back:
    // for objects kept for the life of the process.
    T* leak() const { m_ptr->retain(); return m_ptr; }

    T* get() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    T& operator*() const { return *m_ptr; }

private:
    struct Adopt { };
    Ref(T& object, Adopt) : m_ptr(&object) { }

    T* m_ptr;
};

// Either kind of strong reference, for readers that take any object.
template<class P> struct IsStrongReference : std::false_type { };
template<class T> struct IsStrongReference<RefPtr<T>> : std::true_type { };
template<class T> struct IsStrongReference<Ref<T>> : std::true_type { };
template<class P> concept StrongReference = IsStrongReference<P>::value;

namespace detail {
[[noreturn]] void nullReference();
}

template<class T>
Ref<T> RefPtr<T>::releaseNonNull()
{
    if (!m_ptr)
        detail::nullReference();
    return Ref<T>::adopt(*std::exchange(m_ptr, nullptr));
}

template<class T, class U>
bool operator==(const RefPtr<T>& a, const RefPtr<U>& b) { return a.get() == b.get(); }
template<class T, class U>
bool operator==(const RefPtr<T>& a, U* b) { return a.get() == b; }
template<class T>
bool operator==(const RefPtr<T>& a, std::nullptr_t) { return !a; }
template<class T, class U>
bool operator==(const Ref<T>& a, const Ref<U>& b) { return a.get() == b.get(); }
template<class T, class U>
bool operator==(const Ref<T>& a, const RefPtr<U>& b) { return a.get() == b.get(); }
template<class T, class U>
bool operator==(const Ref<T>& a, U* b) { return a.get() == b; }

namespace detail {
struct WeakControl {
    std::mutex lock;
    Object* object;
    std::atomic<uint32_t> refs { 1 };
    explicit WeakControl(Object* o) : object(o) { }
    void retain() { refs.fetch_add(1, std::memory_order_relaxed); }
    void release() { if (refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this; }
    RefPtr<Object> load();
};
}

detail::WeakControl* weakControlFor(Object*);

// A reference that does not keep its object alive and reads as null once the
// object is gone (the platform's weak).
template<class T>
class WeakPtr {
public:
    WeakPtr() = default;
    WeakPtr(T* p) : m_control(p ? weakControlFor(p) : nullptr) { if (m_control) m_control->retain(); }
    WeakPtr(const RefPtr<T>& p) : WeakPtr(p.get()) { }
    WeakPtr(const Ref<T>& p) : WeakPtr(p.get()) { }
    WeakPtr(const WeakPtr& o) : m_control(o.m_control) { if (m_control) m_control->retain(); }
    ~WeakPtr() { if (m_control) m_control->release(); }
    WeakPtr& operator=(WeakPtr o) noexcept { std::swap(m_control, o.m_control); return *this; }

    RefPtr<T> lock() const
    {
        if (!m_control)
            return nullptr;
        auto strong = m_control->load();
        return RefPtr<T>(static_cast<T*>(strong.get()));
    }

private:
    detail::WeakControl* m_control { nullptr };
};

// Creates an object of the C++ class T with T's runtime class as its isa.
template<class T, class... A>
Ref<T> make(A&&... args)
{
    detail::pendingIsa() = T::staticClass();
    return Ref<T>::adopt(*new T(std::forward<A>(args)...));
}

// Creates an object of C++ class T whose runtime class is `cls` (a runtime
// subclass of T's class).
template<class T, class... A>
Ref<T> makeWithClass(Class cls, A&&... args)
{
    detail::pendingIsa() = cls;
    return Ref<T>::adopt(*new T(std::forward<A>(args)...));
}

} // namespace objc
