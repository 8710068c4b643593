#pragma once
// The update service's list of available updates. New offers pass through
// _mergeAvailableUpdates:withCompletionBlock: on the store's own thread; the
// completion block receives the list as merged.

#include "platform/foundation/NSValues.h"

#include <functional>
#include <mutex>

namespace hosts::itunesstored {

using objc::id;
using objc::RefPtr;
using platform::NSArray;

using MergeCompletion = std::function<void(id mergedUpdates)>;

class SoftwareUpdatesStore : public objc::Object {
    OBJC_CLASS(SoftwareUpdatesStore, objc::Object)
public:
    static void registerMethods(objc::ClassBuilder<SoftwareUpdatesStore>&);

    // Takes the offered updates into the available list (an update of an
    // application already listed replaces it), then calls completion.
    void mergeAvailableUpdates(NSArray* updates, MergeCompletion completion);
    // The updates the store offers the user now.
    RefPtr<NSArray> availableUpdates() const;

private:
    mutable std::mutex m_lock;
    RefPtr<NSArray> m_available;
};

} // namespace hosts::itunesstored
