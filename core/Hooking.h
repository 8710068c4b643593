#pragma once
// How the system changes host classes: replaced methods that keep the host's
// previous implementation, and added methods with fixed encodings. Only the
// runtime's public functions are used.
//
// A hook lives in one file: its previous-implementation slot and its
// replacement are file-local, and the file's rows stand beside them:
//
//     namespace {
//     Previous<RefPtr<Object>(id)> g_initWithMainFeedSource;
//     RefPtr<Object> initWithMainFeedSource(id self, SEL _cmd, id source)
//     {
//         auto result = g_initWithMainFeedSource(self, _cmd, source);
//         ...
//     }
//     }
//
//     HookRows showLibraryRows()
//     {
//         return { replaced<g_initWithMainFeedSource, &initWithMainFeedSource>(
//             kInstagramProcess, "IGMainAppViewController", "initWithMainFeedSource:") };
//     }
//
// The hook table (tweak/HookTable.cpp) only joins the subsystems' rows in
// order. An added method states its fixed encoding, which must be the one its
// signature derives to: added<&tarvo_handleLongPress>(…, "v@:@") does not
// compile when the function takes or answers anything else.

#include "platform/objc/Runtime.h"

#include <atomic>
#include <string>
#include <string_view>
#include <type_traits>
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

inline constexpr const char* kInstagramProcess = "Instagram";
inline constexpr const char* kSpringBoardProcess = "SpringBoard";
inline constexpr const char* kStoreProcess = "itunesstored";

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

// Some consecutive rows of the hook table, as a subsystem declares them.
using HookRows = std::vector<HookRow>;

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

namespace detail {

// The encoding of the types an added method may take or answer, known while
// compiling; "?" for any other type.
template<class T>
constexpr std::string_view addedTypeEncoding()
{
    using U = std::remove_cvref_t<T>;
    if constexpr (std::is_void_v<U>) return "v";
    else if constexpr (std::is_same_v<U, SEL>) return ":";
    else if constexpr (objc::isObjectType<U>) return "@";
    else if constexpr (std::is_same_v<U, void*> || std::is_same_v<U, const void*>) return "^v";
    else if constexpr (std::is_same_v<U, bool>) return "B";
    else if constexpr (std::is_same_v<U, long>) return "q";
    else return "?";
}

template<class Function> struct AddedSignature;
template<class R, class... A>
struct AddedSignature<R (*)(id, SEL, A...)> {
    static constexpr bool is(std::string_view encoding)
    {
        for (std::string_view part : { addedTypeEncoding<R>(), std::string_view("@:"), addedTypeEncoding<A>()... }) {
            if (encoding.substr(0, part.size()) != part)
                return false;
            encoding.remove_prefix(part.size());
        }
        return encoding.empty();
    }
};

// Called only when an added method's signature and its fixed encoding differ,
// which makes the row fail to compile.
void theAddedMethodsSignatureIsNotItsFixedEncoding();

} // namespace detail

// The fixed encoding of an added method, checked against its signature while
// compiling.
template<auto Implementation>
struct AddedEncoding {
    consteval AddedEncoding(const char* encoding)
        : value(encoding)
    {
        if (!detail::AddedSignature<decltype(Implementation)>::is(encoding))
            detail::theAddedMethodsSignatureIsNotItsFixedEncoding();
    }
    const char* value;
};

// An added method with its fixed encoding ("v@:@", "@@:", "v@:", "v@:@@^v").
template<auto Implementation>
HookRow added(const char* process, const char* className, const char* selector, std::type_identity_t<AddedEncoding<Implementation>> types)
{
    return { process, className, selector, HookRow::Kind::Added, reinterpret_cast<IMP>(Implementation), types.value, nullptr, nullptr, nullptr };
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

// Why a row is not in place, in a few words ("missing class", "missing
// method", "signature mismatch", "the class has its own method"); "" for an
// installed row.
const char* notInstalledReason(InstallOutcome outcome);

} // namespace igtarvo
