#include "platform/foundation/NSOperationQueue.h"

namespace platform {

OBJC_CLASS_LOAD(NSOperationQueue)

NSOperationQueue::NSOperationQueue()
    : m_queue(DispatchQueue::create("NSOperationQueue"))
{
}

RefPtr<NSOperationQueue> NSOperationQueue::mainQueue()
{
    static NSOperationQueue* queue = objc::make<NSOperationQueue>(DispatchQueue::main()).leak();
    return RefPtr<NSOperationQueue>(queue);
}

void NSOperationQueue::registerMethods(objc::ClassBuilder<NSOperationQueue>& b)
{
    b.classMethod<&NSOperationQueue::mainQueue>("mainQueue")
        .method<&NSOperationQueue::addOperationWithBlock>("addOperationWithBlock:");
}

} // namespace platform
