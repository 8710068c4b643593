#include "platform/net/HTTPClient.h"

#include <curl/curl.h>

#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

namespace platform {

namespace {

struct CurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct FileDeleter {
    void operator()(FILE* f) const { std::fclose(f); }
};

void initialiseOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Transfer {
    std::vector<uint8_t> body;
    FILE* file = nullptr;
    const HTTPRequestOptions* options = nullptr;
};

size_t receive(char* data, size_t size, size_t count, void* context)
{
    auto* transfer = static_cast<Transfer*>(context);
    size_t n = size * count;
    if (transfer->file)
        return std::fwrite(data, 1, n, transfer->file);
    transfer->body.insert(transfer->body.end(), data, data + n);
    return n;
}

int progress(void* context, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t)
{
    auto* transfer = static_cast<Transfer*>(context);
    if (transfer->options->progress && now > 0)
        transfer->options->progress(int64_t(now), int64_t(total));
    return 0;
}

HTTPResponse perform(const std::string& url, const HTTPRequestOptions& options)
{
    initialiseOnce();
    HTTPResponse response;
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl) {
        response.error = "could not start a transfer";
        return response;
    }
    Transfer transfer;
    transfer.options = &options;
    std::unique_ptr<FILE, FileDeleter> file;
    if (!options.destinationFile.empty()) {
        file.reset(std::fopen(options.destinationFile.c_str(), "wb"));
        if (!file) {
            response.error = "could not write " + options.destinationFile;
            return response;
        }
        transfer.file = file.get();
    }
    char errorText[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT_MS, long(std::chrono::duration_cast<std::chrono::milliseconds>(options.timeout).count()));
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, &receive);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl.get(), CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(curl.get(), CURLOPT_PROTOCOLS_STR, "http,https");
    if (options.progress) {
        curl_easy_setopt(curl.get(), CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl.get(), CURLOPT_XFERINFOFUNCTION, &progress);
        curl_easy_setopt(curl.get(), CURLOPT_XFERINFODATA, &transfer);
    }
    CURLcode code = curl_easy_perform(curl.get());
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &response.status);
    if (code != CURLE_OK) {
        response.error = *errorText ? errorText : curl_easy_strerror(code);
    } else if (response.status < 200 || response.status >= 300) {
        response.error = "the server answered " + std::to_string(response.status);
    } else {
        response.ok = true;
    }
    response.body = std::move(transfer.body);
    return response;
}

} // namespace

void HTTPClient::get(const std::string& url, HTTPRequestOptions options, std::function<void(HTTPResponse)> completion)
{
    // The transfer counts as outstanding work, so a main loop waiting for
    // idleness waits for it too.
    dispatch_async(dispatch_get_global_queue(), [url, options = std::move(options), completion = std::move(completion)] {
        HTTPResponse response = perform(url, options);
        if (completion)
            completion(std::move(response));
    });
}

HTTPResponse HTTPClient::getAndWait(const std::string& url, HTTPRequestOptions options)
{
    return perform(url, options);
}

} // namespace platform
