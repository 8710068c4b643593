#include "hosts/instagram/IGFeedItem.h"

namespace hosts::instagram {

OBJC_CLASS_DEFINE(IGFeedItem)

void IGFeedItem::registerMethods(objc::ClassBuilder<IGFeedItem>& b)
{
    b.method<&IGFeedItem::takenAt>("takenAt").method<&IGFeedItem::likeCount>("likeCount");
}

Ref<IGFeedItem> IGFeedItem::create(double takenAt, long likeCount)
{
    return objc::make<IGFeedItem>(NSDate::dateWithTimeIntervalSince1970(takenAt), likeCount);
}

} // namespace hosts::instagram
