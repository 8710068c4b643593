#pragma once
// HTTP transfers over libcurl. A transfer runs on a thread of its own and
// delivers its completion on a global queue thread — never on the thread that
// started it, so that thread may wait for it.

#include "platform/dispatch/Dispatch.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

struct HTTPResponse {
    bool ok = false;            // the transfer completed with a 2xx status
    long status = 0;            // the HTTP status, 0 when no answer came
    std::vector<uint8_t> body;
    std::string error;          // why the transfer failed, when it did
};

struct HTTPRequestOptions {
    Duration timeout = std::chrono::seconds(30);
    // Called with (bytes received, bytes expected or 0) as data arrives, on the
    // transfer's thread.
    std::function<void(int64_t, int64_t)> progress;
    // Writes the body to this file instead of keeping it in memory.
    std::string destinationFile;
};

class HTTPClient {
public:
    // Starts a GET of url; completion runs once, on a global queue thread.
    static void get(const std::string& url, HTTPRequestOptions options, std::function<void(HTTPResponse)> completion);
    // The same, waiting on the calling thread for the response.
    static HTTPResponse getAndWait(const std::string& url, HTTPRequestOptions options = {});
};

} // namespace platform
