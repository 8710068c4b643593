#pragma once
// Downloads a video with its progress: one instance per process, whose
// session hands every callback to the main queue. The blocks of the current
// download are single slots; a new download replaces them (the video saver
// runs one download at a time).
//
// Progress is a percentage (0 to 100) and is reported only when the server
// announced the length. The completion gets the data, or nil when the
// download failed (an error status, a refused or lost connection, a stall)
// or its file could not be read. Main thread.

#include "platform/net/NSURLSession.h"

#include <functional>

namespace igtarvo {

using objc::id;
using objc::Ref;
using objc::RefPtr;
using platform::NSData;
using platform::NSError;
using platform::NSURL;
using platform::NSURLRequest;
using platform::NSURLSession;
using platform::NSURLSessionConfiguration;
using platform::NSURLSessionDownloadTask;

class TarvoDownloader : public objc::Object {
    OBJC_CLASS(TarvoDownloader, objc::Object)
public:
    using ProgressBlock = std::function<void(double)>;
    using CompletionBlock = std::function<void(NSData*)>;

    TarvoDownloader();
    static void registerMethods(objc::ClassBuilder<TarvoDownloader>&);

    static RefPtr<TarvoDownloader> sharedDownloader();
    static void downloadVideoAtURL(NSURL* url, ProgressBlock progress, CompletionBlock completion);

    RefPtr<NSURLSessionConfiguration> defaultConfiguration() const { return m_defaultConfiguration; }
    RefPtr<NSURLSession> session() const { return m_session; }
    RefPtr<NSURLRequest> downloadRequest() const { return m_downloadRequest; }
    const ProgressBlock& progressHandler() const { return m_progressHandler; }
    const CompletionBlock& completionHandler() const { return m_completionHandler; }

private:
    void didWriteData(NSURLSession*, NSURLSessionDownloadTask*, int64_t written, int64_t total, int64_t expected);
    void didFinishDownloadingToURL(NSURLSession*, NSURLSessionDownloadTask*, NSURL* location);
    void didCompleteWithError(NSURLSession*, NSURLSessionDownloadTask*, NSError* error);

    RefPtr<NSURLSessionConfiguration> m_defaultConfiguration;
    RefPtr<NSURLSession> m_session;
    RefPtr<NSURLRequest> m_downloadRequest;
    RefPtr<NSURLSessionDownloadTask> m_task;
    ProgressBlock m_progressHandler;
    CompletionBlock m_completionHandler;
};

} // namespace igtarvo
