#pragma once
// A post of the feed: when it was taken and how many people like it.

#include "platform/foundation/NSValues.h"

namespace hosts::instagram {

using objc::id;
using objc::Ref;
using objc::RefPtr;
using platform::NSDate;

class IGFeedItem : public objc::Object {
    OBJC_CLASS(IGFeedItem, objc::Object)
public:
    IGFeedItem() = default;
    IGFeedItem(RefPtr<NSDate> takenAt, long likeCount) : m_takenAt(std::move(takenAt)), m_likeCount(likeCount) { }
    static void registerMethods(objc::ClassBuilder<IGFeedItem>&);
    // A post taken at that moment (seconds since 1970) with that many likes.
    static Ref<IGFeedItem> create(double takenAt, long likeCount);

    RefPtr<NSDate> takenAt() const { return m_takenAt; }
    long likeCount() const { return m_likeCount; }

private:
    RefPtr<NSDate> m_takenAt;
    long m_likeCount { 0 };
};

} // namespace hosts::instagram
