#include "platform/notify/CFNotificationCenter.h"
#include "platform/notify/DarwinNotify.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {

class CFNotificationCenter {
public:
    struct Observation {
        const void* observer;
        std::string name;
        int token;
    };
    std::mutex lock;
    std::vector<Observation> observations;
};

namespace {

// Arrivals are taken off the notify thread by this queue, which decides
// whether one more main-queue delivery is needed.
DispatchQueue* arrivalQueue()
{
    static auto* queue = DispatchQueue::create("com.igtarvo.cfnotificationcenter.darwin").leak();
    return queue;
}

} // namespace

CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter()
{
    static auto* center = new CFNotificationCenter;
    return center;
}

void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer, CFNotificationCallback callback,
    CFStringRef name, const void*, CFNotificationSuspensionBehavior suspensionBehavior)
{
    if (!center || !callback || !name)
        return;
    bool coalesce = suspensionBehavior == CFNotificationSuspensionBehaviorCoalesce;
    auto pending = std::make_shared<std::atomic<bool>>(false);
    RefPtr<NSString> nameObject(name);
    auto deliver = [center, observer, callback, nameObject, pending] {
        pending->store(false);
        callback(center, const_cast<void*>(observer), nameObject.get(), nullptr, nullptr);
    };
    int token = 0;
    uint32_t status = notify_register_dispatch(name->UTF8String(), &token, arrivalQueue(), [deliver, pending, coalesce](int) {
        if (coalesce && pending->exchange(true))
            return; // a delivery is already waiting for the main queue
        DispatchQueue::main()->async(deliver);
    });
    if (status != NOTIFY_STATUS_OK)
        return;
    std::lock_guard guard(center->lock);
    center->observations.push_back({ observer, name->str(), token });
}

void CFNotificationCenterRemoveObserver(CFNotificationCenterRef center, const void* observer, CFStringRef name, const void*)
{
    if (!center)
        return;
    std::lock_guard guard(center->lock);
    std::erase_if(center->observations, [&](const CFNotificationCenter::Observation& o) {
        if (o.observer != observer || (name && o.name != name->str()))
            return false;
        notify_cancel(o.token);
        return true;
    });
}

void CFNotificationCenterPostNotification(CFNotificationCenterRef, CFStringRef name, const void*, CFDictionaryRef, bool)
{
    if (name)
        notify_post(name->UTF8String());
}

} // namespace platform
