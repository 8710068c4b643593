#pragma once
// An operation queue as the platform's delegates take it: the main one (its
// work runs on the main queue, so on the main thread in submission order), or
// a new serial one of its own.

#include "platform/dispatch/Dispatch.h"

namespace platform {

class NSOperationQueue : public objc::Object {
    OBJC_CLASS(NSOperationQueue, objc::Object)
public:
    NSOperationQueue();
    explicit NSOperationQueue(DispatchQueue* queue) : m_queue(*queue) { }
    static void registerMethods(objc::ClassBuilder<NSOperationQueue>&);

    // The queue whose work runs on the main thread.
    static RefPtr<NSOperationQueue> mainQueue();
    // Runs work on this queue.
    void addOperationWithBlock(std::function<void()> work) { m_queue->async(std::move(work)); }
    DispatchQueue* underlyingQueue() const { return m_queue.get(); }

private:
    Ref<DispatchQueue> m_queue;
};

} // namespace platform
