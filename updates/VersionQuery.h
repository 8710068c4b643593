#pragma once
// The supported-version query: asks the maker's service for the newest
// Instagram this release of the system supports. The answer is a dictionary
// with "igVersion" (integer) and "igVersionReadable" (string).

#include "core/Hooking.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

namespace igtarvo {

using SupportedVersionCompletion = std::function<void(RefPtr<Object> answer)>;

// How long one query may take before it counts as unanswered, unless the
// device says otherwise (its "VersionQueryTimeout" setting, in seconds).
inline constexpr auto kVersionQueryTimeout = std::chrono::seconds(10);
std::chrono::milliseconds versionQueryTimeout();
// How long after its time-out an unanswered query may still take to deliver
// its completion; a thread waiting for a query waits no longer than both.
inline constexpr auto kVersionQueryDeliveryMargin = std::chrono::seconds(1);

// Starts the query; the completion runs once, on a background thread (never
// the caller's), with the decoded dictionary or nil.
void querySupportedVersion(SupportedVersionCompletion completion);

// The answer a response body carries: its JSON object, or nil when the body
// holds anything else.
RefPtr<Object> supportedVersionAnswer(const std::vector<uint8_t>& body);

} // namespace igtarvo
