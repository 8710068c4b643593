#include "hosts/instagram/IGVideo.h"

#include <atomic>

namespace hosts::instagram {

OBJC_CLASS_DEFINE(IGVideo)

namespace {
std::atomic<long> g_currentVersion { 1 };
}

Ref<IGVideo> IGVideo::create(std::map<long, std::string> versions)
{
    auto video = objc::make<IGVideo>();
    video->m_versions = std::move(versions);
    return video;
}

long IGVideo::videoVersionForCurrentNetworkConditions() { return g_currentVersion.load(); }
void IGVideo::setCurrentNetworkVersion(long version) { g_currentVersion = version; }

RefPtr<NSURL> IGVideo::videoURLForVideoVersion(long version) const
{
    auto it = m_versions.upper_bound(version);
    if (it == m_versions.begin())
        return m_versions.empty() ? nullptr : NSURL::create(m_versions.begin()->second);
    return NSURL::create(std::prev(it)->second);
}

void IGVideo::registerMethods(objc::ClassBuilder<IGVideo>& b)
{
    b.classMethod<&IGVideo::videoVersionForCurrentNetworkConditions>("videoVersionForCurrentNetworkConditions")
        .method<&IGVideo::videoURLForVideoVersion>("videoURLForVideoVersion:");
}

} // namespace hosts::instagram
