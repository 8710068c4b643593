#pragma once
// Darwin notifications: a bare name, no payload, delivered to every process of
// the device that subscribed to it, the sender included.
//
// Each subscribing process owns a datagram socket and lists itself in the
// device's "/var/run/igtarvo-notify" folder; a post sends the name to every
// listed process. No daemon is involved. A process that has died is skipped
// (and struck from the list); a name posted twice reaches each subscriber
// twice. A post to a process that is not running is lost, as on the platform.

#include "platform/dispatch/Dispatch.h"

#include <cstdint>
#include <functional>

namespace platform {

inline constexpr uint32_t NOTIFY_STATUS_OK = 0;
inline constexpr uint32_t NOTIFY_STATUS_FAILED = 1000000;

using NotifyHandler = std::function<void(int token)>;

// Posts name to every subscribed process of the device.
uint32_t notify_post(const char* name);
// Subscribes: handler runs on queue for each post of name.
uint32_t notify_register_dispatch(const char* name, int* outToken, DispatchQueue* queue, NotifyHandler handler);
uint32_t notify_cancel(int token);

} // namespace platform
