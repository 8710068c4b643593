#include "platform/dispatch/Dispatch.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <pthread.h>
#include <thread>
#include <vector>

namespace platform {

OBJC_CLASS_LOAD(DispatchQueue)
OBJC_CLASS_LOAD(DispatchSemaphore)

namespace {

using Clock = std::chrono::steady_clock;

// The queues whose work the calling thread is running, innermost last.
thread_local std::vector<const DispatchQueue*> t_currentQueues;

struct CurrentQueue {
    explicit CurrentQueue(const DispatchQueue* q) { t_currentQueues.push_back(q); }
    ~CurrentQueue() { t_currentQueues.pop_back(); }
};

const std::thread::id g_mainThread = std::this_thread::get_id();

// Work submitted asynchronously anywhere and not yet finished, including
// timers: the main loop is idle only when this is zero.
std::atomic<long> g_outstanding { 0 };

// The main queue's pending work and the main loop's wake-up.
struct MainState {
    std::mutex lock;
    std::condition_variable wake;
    std::deque<Block> items;
    bool stopRequested = false;
};
MainState& mainState()
{
    static auto* s = new MainState;
    return *s;
}

// A pool of threads for global queues and for draining serial queues.
class ThreadPool {
public:
    void submit(Block work)
    {
        std::lock_guard guard(m_lock);
        m_items.push_back(std::move(work));
        if (m_idle == 0 && m_threads < kMaxThreads) {
            ++m_threads;
            std::thread([this] { loop(); }).detach();
        } else {
            m_cv->notify_one();
        }
    }

    // Around fork(): the lock is held across it, so the child never gets a
    // copy taken mid-change.
    void lockForFork() { m_lock.lock(); }
    void unlockAfterFork() { m_lock.unlock(); }
    // In the child of a fork, which has none of the parent's threads: the pool
    // starts with no thread and a condition variable no lost thread waits on,
    // and work that was waiting gets a thread at once.
    void restartInForkedChild()
    {
        m_threads = 0;
        m_idle = 0;
        m_cv = new std::condition_variable; // the old one may count waiters that are gone
        if (!m_items.empty()) {
            m_threads = 1;
            std::thread([this] { loop(); }).detach();
        }
        m_lock.unlock();
    }

private:
    static constexpr int kMaxThreads = 64;
    void loop()
    {
        std::unique_lock guard(m_lock);
        for (;;) {
            ++m_idle;
            m_cv->wait(guard, [this] { return !m_items.empty(); });
            --m_idle;
            Block work = std::move(m_items.front());
            m_items.pop_front();
            guard.unlock();
            work();
            guard.lock();
        }
    }
    std::mutex m_lock;
    std::condition_variable* m_cv = new std::condition_variable;
    std::deque<Block> m_items;
    int m_threads = 0;
    int m_idle = 0;
};
ThreadPool& pool()
{
    static auto* p = new ThreadPool;
    return *p;
}

// Delayed work: one thread sleeps until the earliest deadline.
class Timers {
public:
    void add(Clock::time_point when, DispatchQueue* queue, Block work)
    {
        std::lock_guard guard(m_lock);
        if (!m_started) {
            m_started = true;
            std::thread([this] { loop(); }).detach();
        }
        m_timers.emplace(when, Entry { Ref<DispatchQueue>(*queue), std::move(work) });
        m_cv->notify_one();
    }

    void lockForFork() { m_lock.lock(); }
    void unlockAfterFork() { m_lock.unlock(); }
    // In the child of a fork: the timer thread is gone; the timers still set
    // get a new one.
    void restartInForkedChild()
    {
        m_cv = new std::condition_variable; // the lost thread may be counted as waiting on the old one
        m_started = !m_timers.empty();
        if (m_started)
            std::thread([this] { loop(); }).detach();
        m_lock.unlock();
    }

private:
    struct Entry {
        Ref<DispatchQueue> queue;
        Block work;
    };
    void loop()
    {
        std::unique_lock guard(m_lock);
        for (;;) {
            if (m_timers.empty()) {
                m_cv->wait(guard);
                continue;
            }
            auto first = m_timers.begin();
            if (Clock::now() < first->first) {
                m_cv->wait_until(guard, first->first);
                continue;
            }
            Entry entry = std::move(first->second);
            m_timers.erase(first);
            guard.unlock();
            // The timer's own count hands over to the queued work's.
            entry.queue->async(std::move(entry.work));
            g_outstanding.fetch_sub(1);
            guard.lock();
        }
    }
    std::mutex m_lock;
    std::condition_variable* m_cv = new std::condition_variable;
    std::multimap<Clock::time_point, Entry> m_timers;
    bool m_started = false;
};
Timers& timers()
{
    static auto* t = new Timers;
    return *t;
}

// fork() copies only the thread that calls it. The pool's and the timers'
// locks are held across it, and the child starts their threads again, so
// work queued or delayed before the fork still runs in the child. (Work that
// was running on another thread at that moment is not in the child; a serial
// queue that thread was draining stays busy there.)
void lockForFork()
{
    pool().lockForFork();
    timers().lockForFork();
    mainState().lock.lock();
}
void unlockInForkParent()
{
    mainState().lock.unlock();
    timers().unlockAfterFork();
    pool().unlockAfterFork();
}
void restartInForkChild()
{
    mainState().lock.unlock();
    timers().restartInForkedChild();
    pool().restartInForkedChild();
}
[[maybe_unused]] const bool g_forkHandlers = ::pthread_atfork(lockForFork, unlockInForkParent, restartInForkChild) == 0;

[[noreturn]] void abortDeadlock(const DispatchQueue& q)
{
    std::fprintf(stderr, "dispatch_sync called on queue \"%s\" already owned by the current thread: it would wait for itself forever\n", q.label().c_str());
    std::fflush(stderr);
    std::abort();
}

// Runs one main-queue item if there is one; answers whether it did.
bool runOneMainItem(Clock::time_point deadline)
{
    auto& s = mainState();
    Block work;
    {
        std::unique_lock guard(s.lock);
        if (s.items.empty()) {
            if (deadline <= Clock::now())
                return false;
            // Wake at least every few milliseconds to re-check idleness.
            s.wake.wait_until(guard, std::min(deadline, Clock::now() + std::chrono::milliseconds(5)));
            if (s.items.empty())
                return false;
        }
        work = std::move(s.items.front());
        s.items.pop_front();
    }
    {
        CurrentQueue current(DispatchQueue::main());
        work();
    }
    g_outstanding.fetch_sub(1);
    return true;
}

} // namespace

Ref<DispatchQueue> DispatchQueue::create(std::string label, Type type)
{
    return objc::make<DispatchQueue>(std::move(label), type == Type::Main ? Type::Serial : type);
}

DispatchQueue* DispatchQueue::main()
{
    static DispatchQueue* q = objc::make<DispatchQueue>("com.apple.main-thread", Type::Main).leak();
    return q;
}

DispatchQueue* DispatchQueue::global()
{
    static DispatchQueue* q = objc::make<DispatchQueue>("com.apple.root.default-qos", Type::Concurrent).leak();
    return q;
}

bool DispatchQueue::isCurrent() const
{
    return std::find(t_currentQueues.begin(), t_currentQueues.end(), this) != t_currentQueues.end();
}

void DispatchQueue::async(Block work)
{
    g_outstanding.fetch_add(1);
    switch (m_type) {
    case Type::Main: {
        auto& s = mainState();
        std::lock_guard guard(s.lock);
        s.items.push_back(std::move(work));
        s.wake.notify_all();
        return;
    }
    case Type::Concurrent:
        pool().submit([this, work = std::move(work)] {
            {
                CurrentQueue current(this);
                work();
            }
            g_outstanding.fetch_sub(1);
        });
        return;
    case Type::Serial:
        enqueue(std::move(work));
        return;
    }
}

void DispatchQueue::enqueue(Block work)
{
    std::lock_guard guard(m_lock);
    m_items.push_back(std::move(work));
    if (!m_running) {
        m_running = true;
        retain(); // kept alive while draining
        pool().submit([this] { drain(); });
    }
}

void DispatchQueue::drain()
{
    std::unique_lock guard(m_lock);
    while (!m_items.empty()) {
        Block work = std::move(m_items.front());
        m_items.pop_front();
        guard.unlock();
        {
            CurrentQueue current(this);
            work();
        }
        g_outstanding.fetch_sub(1);
        guard.lock();
    }
    m_running = false;
    m_turnTaken.notify_all();
    guard.unlock();
    release();
}

void DispatchQueue::sync(const Block& work)
{
    if (isCurrent())
        abortDeadlock(*this);
    switch (m_type) {
    case Type::Concurrent: {
        CurrentQueue current(this);
        work();
        return;
    }
    case Type::Main: {
        if (RunLoop::isMainThread()) {
            CurrentQueue current(this);
            work();
            return;
        }
        auto done = DispatchSemaphore::create(0);
        async([&work, done] { work(); done->signal(); });
        done->wait();
        return;
    }
    case Type::Serial: {
        // Take the queue's turn: wait until what was submitted before has run
        // and nobody else holds it, then run on this thread.
        std::unique_lock guard(m_lock);
        m_turnTaken.wait(guard, [this] { return !m_running && m_items.empty(); });
        m_running = true;
        guard.unlock();
        {
            CurrentQueue current(this);
            work();
        }
        guard.lock();
        m_running = false;
        if (!m_items.empty()) {
            m_running = true;
            retain();
            pool().submit([this] { drain(); });
        }
        m_turnTaken.notify_all();
        return;
    }
    }
}

void DispatchQueue::after(Duration delay, Block work)
{
    g_outstanding.fetch_add(1);
    timers().add(Clock::now() + delay, this, std::move(work));
}

bool RunLoop::isMainThread()
{
    return std::this_thread::get_id() == g_mainThread;
}

bool RunLoop::runUntilIdle(Duration limit)
{
    auto deadline = Clock::now() + limit;
    for (;;) {
        while (runOneMainItem(Clock::now())) { }
        if (g_outstanding.load() == 0)
            return true;
        if (Clock::now() >= deadline)
            return false;
        runOneMainItem(std::min(deadline, Clock::now() + std::chrono::milliseconds(5)));
    }
}

void RunLoop::runFor(Duration duration)
{
    auto deadline = Clock::now() + duration;
    while (Clock::now() < deadline)
        runOneMainItem(deadline);
}

namespace {
std::mutex g_sourcesLock;
std::vector<std::function<bool()>>& sources()
{
    static auto* list = new std::vector<std::function<bool()>>;
    return *list;
}
}

void RunLoop::addSource(std::function<bool()> hasPendingInput)
{
    std::lock_guard guard(g_sourcesLock);
    sources().push_back(std::move(hasPendingInput));
}

void RunLoop::beginActivity()
{
    g_outstanding.fetch_add(1);
}

void RunLoop::endActivity()
{
    g_outstanding.fetch_sub(1);
}

bool RunLoop::waitUntilIdle(Duration limit)
{
    auto deadline = Clock::now() + limit;
    for (;;) {
        // Sources first: input is either still waiting at its source, or
        // being taken in (an activity), or queued, so the count read after
        // cannot miss it.
        std::vector<std::function<bool()>> list;
        {
            std::lock_guard guard(g_sourcesLock);
            list = sources();
        }
        bool pending = false;
        for (auto& source : list)
            pending = pending || source();
        if (!pending && g_outstanding.load() == 0)
            return true;
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

bool RunLoop::runUntil(const std::function<bool()>& done, Duration limit)
{
    auto deadline = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() >= deadline)
            return false;
        runOneMainItem(std::min(deadline, Clock::now() + std::chrono::milliseconds(5)));
    }
    return true;
}

void RunLoop::run()
{
    auto& s = mainState();
    for (;;) {
        {
            std::lock_guard guard(s.lock);
            if (s.stopRequested) {
                s.stopRequested = false;
                return;
            }
        }
        runOneMainItem(Clock::now() + std::chrono::milliseconds(50));
    }
}

void RunLoop::stop()
{
    auto& s = mainState();
    std::lock_guard guard(s.lock);
    s.stopRequested = true;
    s.wake.notify_all();
}

void DispatchSemaphore::signal()
{
    std::lock_guard guard(m_lock);
    ++m_value;
    m_cv.notify_one();
}

long DispatchSemaphore::wait(Duration timeout)
{
    std::unique_lock guard(m_lock);
    auto ready = [this] { return m_value > 0; };
    if (timeout == Duration::max())
        m_cv.wait(guard, ready);
    else if (!m_cv.wait_for(guard, timeout, ready))
        return 1;
    --m_value;
    return 0;
}

} // namespace platform
