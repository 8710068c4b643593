#pragma once
// Transfers with a delegate, after the platform's URL session.
//
// Guarantees:
//  - A download task transfers on a thread of its own; every delegate callback
//    runs on the session's delegate queue (the main operation queue when the
//    session was given it), in this order: any number of
//      URLSession:downloadTask:didWriteData:totalBytesWritten:totalBytesExpectedToWrite:
//    (at most 60 a second; the last one reports every byte), then, only when
//    the whole answer arrived with a success status,
//      URLSession:downloadTask:didFinishDownloadingToURL:
//    with a temporary file that is removed as soon as that callback returns,
//    then, for every end, failed or not,
//      URLSession:task:didCompleteWithError:   (nil on success)
//  - An unknown length is reported as NSURLSessionTransferSizeUnknown (-1).
//  - Error statuses (4xx, 5xx), refused connections, a transfer that receives
//    nothing for the request's time-out and a connection lost before the
//    announced length arrived all end with an error and never "finish".
//  - A delegate that does not answer a callback simply does not get it.
// The session keeps its delegate until it is invalidated.

#include "platform/foundation/NSError.h"
#include "platform/foundation/NSOperationQueue.h"
#include "platform/net/NSURLRequest.h"

#include <atomic>
#include <cstdint>

namespace platform {

inline constexpr int64_t NSURLSessionTransferSizeUnknown = -1;

class NSURLSessionConfiguration : public NSObject {
    OBJC_CLASS(NSURLSessionConfiguration, NSObject)
public:
    NSURLSessionConfiguration() = default;
    static void registerMethods(objc::ClassBuilder<NSURLSessionConfiguration>&);
    static Ref<NSURLSessionConfiguration> defaultSessionConfiguration();
};

class NSURLSession;

enum class NSURLSessionTaskState : long { Running = 0, Suspended = 1, Canceling = 2, Completed = 3 };

class NSURLSessionDownloadTask : public NSObject {
    OBJC_CLASS(NSURLSessionDownloadTask, NSObject)
public:
    NSURLSessionDownloadTask() = default;
    NSURLSessionDownloadTask(NSURLSession* session, RefPtr<NSURLRequest> request);
    static void registerMethods(objc::ClassBuilder<NSURLSessionDownloadTask>&);

    // Starts the transfer (once; later calls do nothing).
    void resume();
    // Ends a running transfer; it completes with NSURLErrorCancelled.
    void cancel() { m_cancelled = true; }
    NSURLSessionTaskState state() const { return m_state.load(); }
    RefPtr<NSURLRequest> originalRequest() const { return m_request; }
    // The error the task ended with, once it completed.
    RefPtr<NSError> error() const;
    // Bytes received so far (from the transfer's thread, approximate).
    int64_t countOfBytesReceived() const { return m_received.load(); }

private:
    struct Transfer;
    void run();
    void deliver(std::function<void()> work);

    RefPtr<NSURLSession> m_session;
    RefPtr<NSURLRequest> m_request;
    std::atomic<NSURLSessionTaskState> m_state { NSURLSessionTaskState::Suspended };
    std::atomic<bool> m_cancelled { false };
    std::atomic<int64_t> m_received { 0 };
    mutable std::mutex m_lock;
    RefPtr<NSError> m_error;
};

class NSURLSession : public NSObject {
    OBJC_CLASS(NSURLSession, NSObject)
public:
    NSURLSession() = default;
    NSURLSession(RefPtr<NSURLSessionConfiguration> configuration, RefPtr<Object> delegate, RefPtr<NSOperationQueue> queue)
        : m_configuration(std::move(configuration)), m_delegate(std::move(delegate)), m_delegateQueue(std::move(queue)) { }
    static void registerMethods(objc::ClassBuilder<NSURLSession>&);

    // A session whose delegate gets its tasks' callbacks on `queue` (a new
    // serial queue when nil).
    static Ref<NSURLSession> sessionWithConfiguration(NSURLSessionConfiguration* configuration, id delegate, NSOperationQueue* queue);

    // A suspended download task for the request.
    Ref<NSURLSessionDownloadTask> downloadTaskWithRequest(NSURLRequest* request);
    RefPtr<Object> delegate() const;
    RefPtr<NSOperationQueue> delegateQueue() const { return m_delegateQueue; }
    RefPtr<NSURLSessionConfiguration> configuration() const { return m_configuration; }
    // Lets the delegate go; tasks already running still end.
    void finishTasksAndInvalidate();

private:
    RefPtr<NSURLSessionConfiguration> m_configuration;
    mutable std::mutex m_lock;
    RefPtr<Object> m_delegate;
    RefPtr<NSOperationQueue> m_delegateQueue;
};

} // namespace platform
