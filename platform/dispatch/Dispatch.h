#pragma once
// Queues, after the platform's dispatch library, with its verbs.
//
// Guarantees:
//  - The main queue runs its work, in submission order, on the process's main
//    thread (the thread that loaded the platform), only while that thread runs
//    the main loop (RunLoop below).
//  - A serial queue runs one work item at a time, in submission order; a sync
//    submission runs on the calling thread after everything submitted before
//    it, and nothing submitted after it starts before it returns. A sync
//    submission from a thread that is already running that queue would never
//    finish: it aborts the process with a message saying so.
//  - Global queues run work concurrently on a pool of threads.
//  - Everything a work item wrote is visible to items that run after it on the
//    same serial queue.

#include "platform/objc/ClassBuilder.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>

namespace platform {

using objc::Ref;
using objc::RefPtr;
using Block = std::function<void()>;
using Duration = std::chrono::steady_clock::duration;

class DispatchQueue : public objc::Object {
    OBJC_CLASS(DispatchQueue, objc::Object)
public:
    enum class Type { Serial, Concurrent, Main };
    DispatchQueue() = default;
    DispatchQueue(std::string label, Type type) : m_label(std::move(label)), m_type(type) { }
    static void registerMethods(objc::ClassBuilder<DispatchQueue>&) { }

    // A new queue with this label.
    static Ref<DispatchQueue> create(std::string label, Type type = Type::Serial);
    // The process's main queue.
    static DispatchQueue* main();
    // The shared concurrent queue.
    static DispatchQueue* global();

    const std::string& label() const { return m_label; }
    Type type() const { return m_type; }

    // Runs work later, on this queue.
    void async(Block work);
    // Runs work on the calling thread as this queue's turn, and returns after it.
    void sync(const Block& work);
    // Runs work on this queue no sooner than `delay` from now.
    void after(Duration delay, Block work);
    // Whether the calling thread is running this queue's work now.
    bool isCurrent() const;

private:
    friend class RunLoop;
    void drain();
    void enqueue(Block work);

    std::string m_label;
    Type m_type { Type::Serial };
    std::mutex m_lock;
    std::condition_variable m_turnTaken;
    std::deque<Block> m_items;
    bool m_running { false };
};

// The main thread's loop over the main queue.
class RunLoop {
public:
    // Runs main-queue work until there is none queued, none pending on a timer
    // and none running on other queues (which might queue more); gives up
    // after `limit`. Answers whether it became idle.
    static bool runUntilIdle(Duration limit = std::chrono::seconds(30));
    // Waits, on any thread but the main one (whose loop keeps running), until
    // no input waits at a source, and no work is queued, pending on a timer or
    // running on any queue; gives up after `limit`. Answers whether that
    // moment came.
    static bool waitUntilIdle(Duration limit = std::chrono::seconds(30));
    // Adds an input source: `hasPendingInput` answers whether input has
    // arrived that nobody has taken in yet (a message waiting on a socket).
    static void addSource(std::function<bool()> hasPendingInput);
    // Brackets the taking in of input outside the queues (from reading it to
    // queueing its handling): the process is not idle in between.
    static void beginActivity();
    static void endActivity();
    // Runs main-queue work for `duration`.
    static void runFor(Duration duration);
    // Runs main-queue work until `done` answers true or `limit` passes.
    static bool runUntil(const std::function<bool()>& done, Duration limit);
    // Runs main-queue work until stop() is called.
    static void run();
    // Makes run() return; may be called from any thread.
    static void stop();
    static bool isMainThread();
};

class DispatchSemaphore : public objc::Object {
    OBJC_CLASS(DispatchSemaphore, objc::Object)
public:
    DispatchSemaphore() = default;
    explicit DispatchSemaphore(long value) : m_value(value) { }
    static void registerMethods(objc::ClassBuilder<DispatchSemaphore>&) { }
    static Ref<DispatchSemaphore> create(long value) { return objc::make<DispatchSemaphore>(value); }

    void signal();
    // Answers 0 when signalled, non-zero when `timeout` passed first.
    long wait(Duration timeout = Duration::max());

private:
    std::mutex m_lock;
    std::condition_variable m_cv;
    long m_value { 0 };
};

// The platform's C-style verbs.
inline DispatchQueue* dispatch_get_main_queue() { return DispatchQueue::main(); }
inline DispatchQueue* dispatch_get_global_queue(long = 0, unsigned long = 0) { return DispatchQueue::global(); }
inline Ref<DispatchQueue> dispatch_queue_create(const char* label, DispatchQueue::Type type = DispatchQueue::Type::Serial) { return DispatchQueue::create(label ? label : "", type); }
inline void dispatch_async(DispatchQueue* q, Block work) { q->async(std::move(work)); }
inline void dispatch_sync(DispatchQueue* q, const Block& work) { q->sync(work); }
inline void dispatch_after(Duration delay, DispatchQueue* q, Block work) { q->after(delay, std::move(work)); }

} // namespace platform
