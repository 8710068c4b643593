#include "platform/net/NSURLSession.h"

#include <curl/curl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>

namespace platform {

OBJC_CLASS_LOAD(NSURLSessionConfiguration)
OBJC_CLASS_LOAD(NSURLSessionDownloadTask)
OBJC_CLASS_LOAD(NSURLSession)

namespace {

using Clock = std::chrono::steady_clock;
// Progress reaches the delegate at most this often.
constexpr auto kProgressInterval = std::chrono::microseconds(1000000 / 60);

struct CurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct FileDeleter {
    void operator()(FILE* f) const { std::fclose(f); }
};

void initialiseCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string temporaryFolder()
{
    const char* dir = std::getenv("TMPDIR");
    return dir && *dir ? dir : "/tmp";
}

} // namespace

Ref<NSURLSessionConfiguration> NSURLSessionConfiguration::defaultSessionConfiguration()
{
    return objc::make<NSURLSessionConfiguration>();
}

void NSURLSessionConfiguration::registerMethods(objc::ClassBuilder<NSURLSessionConfiguration>& b)
{
    b.classMethod<&NSURLSessionConfiguration::defaultSessionConfiguration>("defaultSessionConfiguration");
}

// Session ---------------------------------------------------------------------

Ref<NSURLSession> NSURLSession::sessionWithConfiguration(NSURLSessionConfiguration* configuration, id delegate, NSOperationQueue* queue)
{
    RefPtr<NSOperationQueue> q(queue);
    if (!q)
        q = objc::make<NSOperationQueue>();
    return objc::make<NSURLSession>(RefPtr<NSURLSessionConfiguration>(configuration), RefPtr<Object>(delegate), q);
}

Ref<NSURLSessionDownloadTask> NSURLSession::downloadTaskWithRequest(NSURLRequest* request)
{
    return objc::make<NSURLSessionDownloadTask>(this, RefPtr<NSURLRequest>(request));
}

RefPtr<Object> NSURLSession::delegate() const
{
    std::lock_guard guard(m_lock);
    return m_delegate;
}

void NSURLSession::finishTasksAndInvalidate()
{
    std::lock_guard guard(m_lock);
    m_delegate = nullptr;
}

namespace {
RefPtr<NSURLSession> sessionWithConfigurationDelegateQueue(NSURLSessionConfiguration* c, id delegate, NSOperationQueue* q)
{
    return NSURLSession::sessionWithConfiguration(c, delegate, q);
}
}

void NSURLSession::registerMethods(objc::ClassBuilder<NSURLSession>& b)
{
    b.classMethod<&sessionWithConfigurationDelegateQueue>("sessionWithConfiguration:delegate:delegateQueue:")
        .method<&NSURLSession::downloadTaskWithRequest>("downloadTaskWithRequest:")
        .method<&NSURLSession::delegate>("delegate")
        .method<&NSURLSession::delegateQueue>("delegateQueue")
        .method<&NSURLSession::configuration>("configuration")
        .method<&NSURLSession::finishTasksAndInvalidate>("finishTasksAndInvalidate");
}

// Download task ------------------------------------------------------------------

// The state of one transfer, on the transfer's thread.
struct NSURLSessionDownloadTask::Transfer {
    NSURLSessionDownloadTask* task = nullptr;
    CURL* curl = nullptr;
    FILE* file = nullptr;
    int64_t written = 0;
    int64_t reported = 0;
    Clock::time_point lastReport {};
    Clock::time_point lastActivity {};
    Clock::duration idleLimit {};
    bool timedOut = false;
    bool writeFailed = false;

    int64_t expected() const
    {
        curl_off_t length = -1;
        curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
        return length < 0 ? NSURLSessionTransferSizeUnknown : int64_t(length);
    }

    // Hands the bytes received since the last report to the delegate, when
    // the last report is old enough (or always, when `force`).
    void report(bool force)
    {
        auto now = Clock::now();
        if (written == reported || (!force && now - lastReport < kProgressInterval))
            return;
        lastReport = now;
        int64_t delta = written - reported, total = written, expect = expected();
        reported = written;
        RefPtr<NSURLSessionDownloadTask> t(task);
        task->deliver([t, delta, total, expect] {
            auto delegate = t->m_session->delegate();
            static const objc::SEL sel = objc::sel_registerName("URLSession:downloadTask:didWriteData:totalBytesWritten:totalBytesExpectedToWrite:");
            if (objc::object_respondsToSelector(delegate.get(), sel))
                objc::send<void(id, id, int64_t, int64_t, int64_t)>(delegate.get(), sel, t->m_session.get(), t.get(), delta, total, expect);
        });
    }

    static size_t receive(char* data, size_t size, size_t count, void* context)
    {
        auto* self = static_cast<Transfer*>(context);
        size_t n = size * count;
        if (std::fwrite(data, 1, n, self->file) != n) {
            self->writeFailed = true;
            return 0;
        }
        self->written += int64_t(n);
        self->task->m_received.store(self->written, std::memory_order_relaxed);
        self->lastActivity = Clock::now();
        self->report(false);
        return n;
    }

    static int progress(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
    {
        auto* self = static_cast<Transfer*>(context);
        if (self->task->m_cancelled.load())
            return 1;
        if (Clock::now() - self->lastActivity > self->idleLimit) {
            self->timedOut = true;
            return 1;
        }
        // Bytes held back by the rate limit go out while the line is quiet.
        self->report(false);
        return 0;
    }
};

NSURLSessionDownloadTask::NSURLSessionDownloadTask(NSURLSession* session, RefPtr<NSURLRequest> request)
    : m_session(session)
    , m_request(std::move(request))
{
}

RefPtr<NSError> NSURLSessionDownloadTask::error() const
{
    std::lock_guard guard(m_lock);
    return m_error;
}

void NSURLSessionDownloadTask::deliver(std::function<void()> work)
{
    auto queue = m_session->delegateQueue();
    queue->addOperationWithBlock(std::move(work));
}

void NSURLSessionDownloadTask::resume()
{
    auto expected = NSURLSessionTaskState::Suspended;
    if (!m_state.compare_exchange_strong(expected, NSURLSessionTaskState::Running))
        return;
    Ref<NSURLSessionDownloadTask> self(*this);
    // A global queue item, so that a main loop waiting for idleness waits for
    // the transfer too.
    dispatch_async(dispatch_get_global_queue(), [self] { self->run(); });
}

void NSURLSessionDownloadTask::run()
{
    initialiseCurlOnce();
    auto url = m_request ? m_request->URL() : nullptr;
    std::string address = url ? url->text() : std::string();
    double timeout = m_request && m_request->timeoutInterval() > 0 ? m_request->timeoutInterval() : 60;

    std::string tempPath = temporaryFolder() + "/CFNetworkDownload_XXXXXX.tmp";
    RefPtr<NSError> error;
    Transfer transfer;
    transfer.task = this;
    {
        int fd = ::mkstemps(tempPath.data(), 4);
        std::unique_ptr<FILE, FileDeleter> file(fd >= 0 ? ::fdopen(fd, "wb") : nullptr);
        std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
        if (!file || !curl) {
            error = NSError::create(NSURLErrorDomain, NSURLErrorCannotCreateFile, "could not create a file for the download of " + address);
        } else if (address.empty() || !(address.rfind("http://", 0) == 0 || address.rfind("https://", 0) == 0)) {
            error = NSError::create(NSURLErrorDomain, NSURLErrorBadURL, "unsupported address: " + address);
        } else {
            std::setvbuf(file.get(), nullptr, _IOFBF, 1 << 20);
            transfer.curl = curl.get();
            transfer.file = file.get();
            transfer.idleLimit = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(timeout));
            transfer.lastActivity = Clock::now();
            transfer.lastReport = Clock::now() - kProgressInterval;
            char errorText[CURL_ERROR_SIZE] = {};
            CURL* c = curl.get();
            curl_easy_setopt(c, CURLOPT_URL, address.c_str());
            curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
            curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
            curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
            curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
            curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
            curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, long(timeout * 1000));
            curl_easy_setopt(c, CURLOPT_BUFFERSIZE, 256L * 1024);
            curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &Transfer::receive);
            curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
            curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
            curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &Transfer::progress);
            curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);
            curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
            CURLcode code = curl_easy_perform(c);
            long status = 0;
            curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
            if (code == CURLE_OK && std::fflush(file.get()) != 0)
                code = CURLE_WRITE_ERROR, transfer.writeFailed = true;
            std::string detail = *errorText ? errorText : curl_easy_strerror(code);
            if (m_cancelled.load()) {
                error = NSError::create(NSURLErrorDomain, NSURLErrorCancelled, "cancelled");
            } else if (transfer.timedOut || code == CURLE_OPERATION_TIMEDOUT) {
                error = NSError::create(NSURLErrorDomain, NSURLErrorTimedOut, "the request timed out: " + address);
            } else if (transfer.writeFailed || code == CURLE_WRITE_ERROR) {
                error = NSError::create(NSURLErrorDomain, NSURLErrorCannotCreateFile, "could not write the download of " + address + " (disk full?)");
            } else if (code == CURLE_HTTP_RETURNED_ERROR || (code == CURLE_OK && (status < 200 || status >= 300))) {
                error = NSError::create(NSURLErrorDomain, NSURLErrorBadServerResponse, "the server answered " + std::to_string(status) + " for " + address);
            } else if (code == CURLE_COULDNT_CONNECT || code == CURLE_COULDNT_RESOLVE_HOST) {
                error = NSError::create(NSURLErrorDomain, NSURLErrorCannotConnectToHost, "could not connect to the server: " + address);
            } else if (code == CURLE_PARTIAL_FILE || code == CURLE_RECV_ERROR || code == CURLE_GOT_NOTHING) {
                error = NSError::create(NSURLErrorDomain, NSURLErrorNetworkConnectionLost, "the connection was lost during the download of " + address);
            } else if (code != CURLE_OK) {
                error = NSError::create(NSURLErrorDomain, NSURLErrorUnknown, detail + ": " + address);
            }
        }
    }
    if (!error)
        transfer.report(true);

    Ref<NSURLSessionDownloadTask> self(*this);
    deliver([self, error, tempPath] {
        auto delegate = self->m_session->delegate();
        auto* session = self->m_session.get();
        if (!error) {
            static const objc::SEL finished = objc::sel_registerName("URLSession:downloadTask:didFinishDownloadingToURL:");
            if (objc::object_respondsToSelector(delegate.get(), finished)) {
                auto location = NSURL::fileURLWithPath(ns(tempPath).get());
                objc::send<void(id, id, id)>(delegate.get(), finished, session, self.get(), location.get());
            }
        }
        ::unlink(tempPath.c_str());
        {
            std::lock_guard guard(self->m_lock);
            self->m_error = error;
        }
        self->m_state = NSURLSessionTaskState::Completed;
        static const objc::SEL completed = objc::sel_registerName("URLSession:task:didCompleteWithError:");
        if (objc::object_respondsToSelector(delegate.get(), completed))
            objc::send<void(id, id, id)>(delegate.get(), completed, session, self.get(), static_cast<id>(error.get()));
    });
}

void NSURLSessionDownloadTask::registerMethods(objc::ClassBuilder<NSURLSessionDownloadTask>& b)
{
    b.method<&NSURLSessionDownloadTask::resume>("resume")
        .method<&NSURLSessionDownloadTask::cancel>("cancel")
        .method<&NSURLSessionDownloadTask::state>("state")
        .method<&NSURLSessionDownloadTask::originalRequest>("originalRequest")
        .method<&NSURLSessionDownloadTask::error>("error")
        .method<&NSURLSessionDownloadTask::countOfBytesReceived>("countOfBytesReceived");
}

} // namespace platform
