#pragma once
// A post's video: the addresses of its versions (qualities), and the version
// the current network conditions call for (a setting of the class, as the
// phone's network would decide it).

#include "platform/foundation/NSURL.h"

#include <map>

namespace hosts::instagram {

using objc::Ref;
using objc::RefPtr;
using platform::NSURL;

class IGVideo : public objc::Object {
    OBJC_CLASS(IGVideo, objc::Object)
public:
    IGVideo() = default;
    static void registerMethods(objc::ClassBuilder<IGVideo>&);
    // A video with one address per version.
    static Ref<IGVideo> create(std::map<long, std::string> versions);

    // The version to fetch now: 1 (the better one) unless set otherwise.
    static long videoVersionForCurrentNetworkConditions();
    static void setCurrentNetworkVersion(long version);
    // The address of a version; the nearest lower one when that version is missing; nil when none.
    RefPtr<NSURL> videoURLForVideoVersion(long version) const;

private:
    std::map<long, std::string> m_versions;
};

} // namespace hosts::instagram
