#pragma once
// The in-process notification centre: block observers for a name (or every
// name), for any sender or one sender, run on a chosen queue.
//
// Delivery: a post runs each matching observer's block on the observer's
// queue; when the posting thread is already running that queue the block runs
// before the post returns, otherwise it is queued there. Observers live until
// removed; a centre keeps its observers' blocks (and what they hold) alive.

#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/NSValues.h"

#include <functional>
#include <mutex>
#include <vector>

namespace platform {

class NSNotification : public NSObject {
    OBJC_CLASS(NSNotification, NSObject)
public:
    NSNotification() = default;
    NSNotification(RefPtr<NSString> name, RefPtr<Object> object, RefPtr<NSDictionary> userInfo)
        : m_name(std::move(name)), m_object(std::move(object)), m_userInfo(std::move(userInfo)) { }
    static void registerMethods(objc::ClassBuilder<NSNotification>&);
    RefPtr<NSString> name() const { return m_name; }
    RefPtr<Object> object() const { return m_object; }
    RefPtr<NSDictionary> userInfo() const { return m_userInfo; }

private:
    RefPtr<NSString> m_name;
    RefPtr<Object> m_object;
    RefPtr<NSDictionary> m_userInfo;
};

using NotificationBlock = std::function<void(NSNotification*)>;

class NSNotificationCenter : public NSObject {
    OBJC_CLASS(NSNotificationCenter, NSObject)
public:
    static void registerMethods(objc::ClassBuilder<NSNotificationCenter>&);
    // The process's default centre.
    static NSNotificationCenter* defaultCenter();

    // Adds a block observer; answers the token that removes it. An empty name
    // observes every name; a nil object observes every sender; a nil queue
    // runs the block on the posting thread.
    RefPtr<Object> addObserverForName(NSString* name, id object, DispatchQueue* queue, NotificationBlock block);
    void removeObserver(id token);
    void postNotificationName(NSString* name, id object, NSDictionary* userInfo = nullptr);
    void postNotification(NSNotification* notification);
    size_t observerCount() const;

private:
    struct Observer {
        RefPtr<Object> token;
        std::string name;
        RefPtr<Object> object;
        RefPtr<DispatchQueue> queue;
        NotificationBlock block;
    };
    mutable std::mutex m_lock;
    std::vector<Observer> m_observers;
};

// The main operation queue: the main queue.
inline DispatchQueue* mainQueue() { return DispatchQueue::main(); }

} // namespace platform
