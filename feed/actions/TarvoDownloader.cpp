#include "feed/actions/TarvoDownloader.h"

#include "platform/foundation/NSOperationQueue.h"

#include <fstream>
#include <iterator>
#include <mutex>

namespace igtarvo {

using namespace platform;

OBJC_CLASS_LOAD(TarvoDownloader)

TarvoDownloader::TarvoDownloader()
    : m_defaultConfiguration(NSURLSessionConfiguration::defaultSessionConfiguration())
{
}

RefPtr<TarvoDownloader> TarvoDownloader::sharedDownloader()
{
    static std::once_flag once;
    static TarvoDownloader* shared = nullptr;
    std::call_once(once, [] {
        shared = objc::make<TarvoDownloader>().leak();
        // The session keeps its delegate, and the downloader its session: both
        // live as long as the process, as the singleton does.
        shared->m_session = NSURLSession::sessionWithConfiguration(shared->m_defaultConfiguration.get(), shared, NSOperationQueue::mainQueue().get());
    });
    return RefPtr<TarvoDownloader>(shared);
}

void TarvoDownloader::downloadVideoAtURL(NSURL* url, ProgressBlock progress, CompletionBlock completion)
{
    auto self = sharedDownloader();
    self->m_progressHandler = std::move(progress);
    self->m_completionHandler = std::move(completion);
    self->m_downloadRequest = NSURLRequest::requestWithURL(url, NSURLRequestCachePolicy::ReloadIgnoringLocalCacheData, 60);
    // A download still running belongs to a request that was replaced: its
    // end must not reach the new request's blocks.
    if (self->m_task)
        self->m_task->cancel();
    self->m_task = self->m_session->downloadTaskWithRequest(self->m_downloadRequest.get());
    self->m_task->resume();
}

void TarvoDownloader::didWriteData(NSURLSession*, NSURLSessionDownloadTask* task, int64_t, int64_t total, int64_t expected)
{
    if (task != m_task.get() || !m_progressHandler || expected <= 0)
        return;
    m_progressHandler(double(total) / double(expected) * 100.0);
}

void TarvoDownloader::didFinishDownloadingToURL(NSURLSession*, NSURLSessionDownloadTask* task, NSURL* location)
{
    if (task != m_task.get() || !m_completionHandler)
        return;
    RefPtr<NSData> data;
    std::ifstream in(str(location->path().get()), std::ios::binary);
    if (in)
        data = NSData::create(std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}));
    auto completion = std::move(m_completionHandler);
    m_completionHandler = nullptr;
    completion(data.get());
}

void TarvoDownloader::didCompleteWithError(NSURLSession*, NSURLSessionDownloadTask* task, NSError* error)
{
    if (task != m_task.get())
        return;
    m_task = nullptr;
    // A failed download still ends: its completion hears nil.
    if (error && m_completionHandler) {
        auto completion = std::move(m_completionHandler);
        m_completionHandler = nullptr;
        completion(nullptr);
    }
}

void TarvoDownloader::registerMethods(objc::ClassBuilder<TarvoDownloader>& b)
{
    b.classMethod<&TarvoDownloader::sharedDownloader>("sharedDownloader")
        .classMethod<&TarvoDownloader::downloadVideoAtURL>("downloadVideoAtURL:reportProgress:onCompletion:")
        .method<&TarvoDownloader::defaultConfiguration>("defaultConfiguration")
        .method<&TarvoDownloader::session>("session")
        .method<&TarvoDownloader::downloadRequest>("downloadRequest")
        .method<&TarvoDownloader::didWriteData>("URLSession:downloadTask:didWriteData:totalBytesWritten:totalBytesExpectedToWrite:")
        .method<&TarvoDownloader::didFinishDownloadingToURL>("URLSession:downloadTask:didFinishDownloadingToURL:")
        .method<&TarvoDownloader::didCompleteWithError>("URLSession:task:didCompleteWithError:");
}

} // namespace igtarvo
