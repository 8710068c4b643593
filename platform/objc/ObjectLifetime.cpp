// The life of an object: its class set as it is made, references counted,
// weak references that read nil once it is gone, and its associated objects
// released with it.

#include "platform/objc/Runtime.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <utility>

namespace objc {

namespace detail {
Class& pendingIsa()
{
    thread_local Class pending = nullptr;
    return pending;
}

RefPtr<Object> WeakControl::load()
{
    std::lock_guard guard(lock);
    if (object && object->tryRetain())
        return RefPtr<Object>::adopt(object);
    return nullptr;
}
}

Object::Object() noexcept
    : m_isa(std::exchange(detail::pendingIsa(), nullptr))
{
    // Only the runtime's factory (make, alloc) makes objects, and it names the
    // class first: an object built any other way would have no class, so it
    // is stopped where it is built rather than where it is first sent to.
    if (!m_isa) {
        std::fputs("objc: an object was built outside the runtime's factory (use objc::make or alloc)\n", stderr);
        std::abort();
    }
}

void detail::nullReference()
{
    std::fputs("objc: a reference that is never null was made from nil\n", stderr);
    std::abort();
}

Object::Object(ClassObject) noexcept
{
}

Object::~Object() = default;

bool Object::tryRetain() const noexcept
{
    uint32_t n = m_refs.load(std::memory_order_relaxed);
    while (n != 0) {
        if (m_refs.compare_exchange_weak(n, n + 1, std::memory_order_acq_rel))
            return true;
    }
    return false;
}

void Object::destroy()
{
    if (auto* weak = m_weak.load(std::memory_order_acquire)) {
        {
            std::lock_guard guard(weak->lock);
            weak->object = nullptr;
        }
        weak->release();
    }
    if (m_hasAssociations.load(std::memory_order_acquire))
        objc_removeAssociatedObjects(this);
    delete this;
}

detail::WeakControl* weakControlFor(Object* obj)
{
    auto* control = obj->m_weak.load(std::memory_order_acquire);
    if (control)
        return control;
    auto* fresh = new detail::WeakControl(obj);
    if (obj->m_weak.compare_exchange_strong(control, fresh, std::memory_order_acq_rel))
        return fresh;
    delete fresh;
    return control;
}

} // namespace objc
