#pragma once
// How the system changes host classes: replaced methods that keep the host's
// previous implementation, and added methods with fixed encodings. Only the
// runtime's public functions are used.
//
// A replacement is a plain function with the method's wire signature:
//
//     Previous<RefPtr<Object>(id)> g_initWithMainFeedSource;
//     RefPtr<Object> replaced_initWithMainFeedSource(id self, SEL _cmd, id source)
//     {
//         auto result = g_initWithMainFeedSource(self, _cmd, source);
//         ...
//     }
//
// and enters the hook table as replaced<g_initWithMainFeedSource, &replaced_…>(…).

#include "platform/objc/Runtime.h"

#include <atomic>
#include <string>
#include <vector>

namespace igtarvo {

using objc::Class;
using objc::id;
using objc::IMP;
using objc::Object;
using objc::Ref;
using objc::RefPtr;
using objc::SEL;

// The host's implementation that a replacement calls with its own receiver,
// selector and arguments. Empty until the hook is installed; calling it empty
// answers zero.
template<class Sig> class Previous;

template<class R, class... A>
class Previous<R(A...)> {
public:
    using Function = R (*)(id, SEL, A...);

    R operator()(id self, SEL cmd, A... args) const
    {
        auto fn = reinterpret_cast<Function>(m_imp.load(std::memory_order_acquire));
        if (!fn) {
            if constexpr (std::is_void_v<R>) return;
            else return R {};
        }
        return fn(self, cmd, args...);
    }
    bool empty() const { return m_imp.load(std::memory_order_acquire) == nullptr; }

    // Written only by the start-up routine.
    std::atomic<IMP> m_imp { nullptr };
    // The host class's superclass at install time, which the fallback reaches.
    std::atomic<Class> m_recordedSuperclass { nullptr };

    // The fallback: each call looks up the recorded superclass's current
    // implementation of the same selector and calls it.
    template<Previous& Slot>
    static R fallback(id self, SEL cmd, A... args)
    {
        IMP imp = objc::class_getMethodImplementation(Slot.m_recordedSuperclass.load(std::memory_order_acquire), cmd);
        return reinterpret_cast<Function>(imp)(self, cmd, args...);
    }
};

// One row of the hook table.
struct HookRow {
    enum class Kind { Replaced, ReplacedWithoutFallback, Added };
    const char* process;
    const char* className;
    const char* selector;
    Kind kind;
    IMP implementation;
    const char* types;                  // added: the fixed encoding; replaced: the replacement's own
    std::atomic<IMP>* previous;         // replaced only
    std::atomic<Class>* recordedSuperclass; // replaced only
    IMP fallback;                       // Replaced only
};

namespace detail {
template<class Sig> struct SlotSignature;
template<class R, class... A> struct SlotSignature<R (*)(id, SEL, A...)> { using Slot = Previous<R(A...)>; };
}

// A replaced method whose previous implementation falls back to the recorded
// superclass when the method was only inherited.
template<auto& Slot, auto Replacement>
HookRow replaced(const char* process, const char* className, const char* selector)
{
    using SlotType = std::remove_reference_t<decltype(Slot)>;
    static_assert(std::is_same_v<SlotType, typename detail::SlotSignature<decltype(Replacement)>::Slot>,
        "the replacement's signature must be the previous implementation's, receiver and selector first");
    return { process, className, selector, HookRow::Kind::Replaced, reinterpret_cast<IMP>(Replacement),
        objc::impEncoding(Replacement), &Slot.m_imp, &Slot.m_recordedSuperclass,
        reinterpret_cast<IMP>(&SlotType::template fallback<Slot>) };
}

// A replaced method whose replacement never calls the host: no fallback.
template<auto& Slot, auto Replacement>
HookRow replacedWithoutFallback(const char* process, const char* className, const char* selector)
{
    HookRow row = replaced<Slot, Replacement>(process, className, selector);
    row.kind = HookRow::Kind::ReplacedWithoutFallback;
    row.fallback = nullptr;
    return row;
}

// An added method with its fixed encoding ("v@:@", "@@:", "v@:", "v@:@@^v").
template<auto Implementation>
HookRow added(const char* process, const char* className, const char* selector, const char* types)
{
    return { process, className, selector, HookRow::Kind::Added, reinterpret_cast<IMP>(Implementation), types, nullptr, nullptr, nullptr };
}

// What installing one row did.
enum class InstallOutcome {
    Installed,          // replaced: the class's own method was exchanged, or the replacement was added over an inherited one; added: now present
    MissingClass,       // the host class does not exist
    MissingMethod,      // replaced: no such method on the class or its superclasses
    AlreadyPresent,     // added: the class has its own method of that name, which stays
    SignatureDiffers,   // replaced: the host's method has another signature; left alone
};

// Installs rows in table order, class by class as the rows come, recording
// each host class's superclass once. Answers one outcome per row.
std::vector<InstallOutcome> installHooks(const std::vector<HookRow>& rows);

} // namespace igtarvo
