// Download tasks against real local servers: what the delegate hears, on
// which thread, and that failures never finish with a truncated file.

#include "platform/dispatch/Dispatch.h"
#include "platform/net/NSURLSession.h"
#include "tests/support/FileServer.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace platform;
using namespace std::chrono_literals;
using testsupport::FileServer;
using testsupport::Route;

namespace {

// A session delegate that writes down everything it is told.
class DownloadRecorder : public NSObject {
    OBJC_CLASS(DownloadRecorder, NSObject)
public:
    static void registerMethods(objc::ClassBuilder<DownloadRecorder>& b)
    {
        b.method<&DownloadRecorder::didWriteData>("URLSession:downloadTask:didWriteData:totalBytesWritten:totalBytesExpectedToWrite:")
            .method<&DownloadRecorder::didFinish>("URLSession:downloadTask:didFinishDownloadingToURL:")
            .method<&DownloadRecorder::didComplete>("URLSession:task:didCompleteWithError:");
    }

    struct Progress {
        int64_t written, total, expected;
    };
    std::vector<Progress> progress;
    int finished = 0;
    std::string finishedBody;
    std::string finishedPath;
    int completed = 0;
    RefPtr<NSError> error;
    bool allOnMainThread = true;

private:
    void didWriteData(NSURLSession*, NSURLSessionDownloadTask*, int64_t written, int64_t total, int64_t expected)
    {
        allOnMainThread &= RunLoop::isMainThread();
        progress.push_back({ written, total, expected });
    }
    void didFinish(NSURLSession*, NSURLSessionDownloadTask*, NSURL* location)
    {
        allOnMainThread &= RunLoop::isMainThread();
        ++finished;
        finishedPath = str(location->path().get());
        finishedBody = testsupport::readText(finishedPath);
    }
    void didComplete(NSURLSession*, NSURLSessionDownloadTask*, NSError* e)
    {
        allOnMainThread &= RunLoop::isMainThread();
        ++completed;
        error = e;
    }
};
OBJC_CLASS_DEFINE(DownloadRecorder)

class URLSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/igtarvo-downloads-XXXXXX";
        m_temporary = ::mkdtemp(pattern);
        ::setenv("TMPDIR", m_temporary.c_str(), 1);
    }
    void TearDown() override
    {
        ::unsetenv("TMPDIR");
        std::filesystem::remove_all(m_temporary);
    }

    Ref<DownloadRecorder> download(const std::string& address, double timeout = 60)
    {
        auto recorder = objc::make<DownloadRecorder>();
        auto session = NSURLSession::sessionWithConfiguration(NSURLSessionConfiguration::defaultSessionConfiguration().get(), recorder.get(), NSOperationQueue::mainQueue().get());
        auto request = NSURLRequest::requestWithURL(NSURL::create(address).get(), NSURLRequestCachePolicy::ReloadIgnoringLocalCacheData, timeout);
        auto task = session->downloadTaskWithRequest(request.get());
        task->resume();
        RunLoop::runUntil([&] { return recorder->completed > 0; }, 30s);
        RunLoop::runUntilIdle(5s);
        return recorder;
    }

    // What the transfers left in the temporary folder.
    std::vector<std::string> leftovers() const { return testsupport::entries(m_temporary); }

    FileServer server;
    std::string m_temporary;
};

} // namespace

TEST_F(URLSessionTest, AWholeAnswerFinishesWithItsBytesThenCompletesWithoutErrorAndTheFileGoes)
{
    auto body = FileServer::pattern(100000);
    server.route("/clip.mp4", { .body = body });
    auto r = download(server.url("/clip.mp4"));
    EXPECT_EQ(r->finished, 1);
    EXPECT_EQ(r->finishedBody, *body);
    EXPECT_EQ(r->completed, 1);
    EXPECT_FALSE(r->error);
    EXPECT_TRUE(r->allOnMainThread);
    ASSERT_FALSE(r->progress.empty());
    EXPECT_EQ(r->progress.back().total, 100000);
    EXPECT_EQ(r->progress.back().expected, 100000);
    int64_t sum = 0;
    for (auto& p : r->progress)
        sum += p.written;
    EXPECT_EQ(sum, 100000);
    EXPECT_FALSE(std::filesystem::exists(r->finishedPath));
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(URLSessionTest, AnAnswerWithoutLengthReportsTheExpectedSizeAsUnknown)
{
    server.route("/nolength", { .body = FileServer::pattern(5000), .sendLength = false });
    auto r = download(server.url("/nolength"));
    EXPECT_EQ(r->finished, 1);
    EXPECT_EQ(r->finishedBody.size(), 5000u);
    ASSERT_FALSE(r->progress.empty());
    for (auto& p : r->progress)
        EXPECT_EQ(p.expected, NSURLSessionTransferSizeUnknown);
}

TEST_F(URLSessionTest, ProgressArrivesAsBytesArriveNotOnlyAtTheEnd)
{
    server.route("/slow", { .body = FileServer::pattern(1024), .pauseAfter = 512, .pause = 400ms });
    auto r = download(server.url("/slow"));
    ASSERT_GE(r->progress.size(), 2u);
    EXPECT_EQ(r->progress.front().total, 512);
    EXPECT_EQ(r->progress.front().expected, 1024);
    EXPECT_EQ(r->progress.back().total, 1024);
    EXPECT_EQ(r->finished, 1);
}

TEST_F(URLSessionTest, FailuresCompleteWithTheirErrorAndNeverFinish)
{
    struct Case {
        const char* name;
        Route route;
        long code;
    };
    std::vector<Case> cases {
        { "/missing", { .status = 404, .body = FileServer::pattern(300) }, NSURLErrorBadServerResponse },
        { "/broken", { .status = 500 }, NSURLErrorBadServerResponse },
        { "/dropped", { .body = FileServer::pattern(1 << 20), .dropAfter = 1 << 19 }, NSURLErrorNetworkConnectionLost },
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        server.route(c.name, c.route);
        auto r = download(server.url(c.name));
        EXPECT_EQ(r->finished, 0);
        EXPECT_EQ(r->completed, 1);
        ASSERT_TRUE(r->error);
        EXPECT_EQ(r->error->code(), c.code) << r->error->text();
        EXPECT_TRUE(leftovers().empty());
    }
}

TEST_F(URLSessionTest, ARefusedConnectionIsAnError)
{
    int port;
    {
        FileServer closed;
        port = closed.port();
    }
    auto r = download("http://127.0.0.1:" + std::to_string(port) + "/clip.mp4");
    EXPECT_EQ(r->finished, 0);
    ASSERT_TRUE(r->error);
    EXPECT_EQ(r->error->code(), NSURLErrorCannotConnectToHost);
}

TEST_F(URLSessionTest, ATransferThatStallsLongerThanTheTimeOutFails)
{
    server.route("/stall", { .body = FileServer::pattern(2048), .pauseAfter = 1024, .pause = 2000ms });
    auto r = download(server.url("/stall"), 0.5);
    EXPECT_EQ(r->finished, 0);
    ASSERT_TRUE(r->error);
    EXPECT_EQ(r->error->code(), NSURLErrorTimedOut);
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(URLSessionTest, ProgressReachesTheDelegateAtMostSixtyTimesASecond)
{
    // 400 pieces of 1 KiB, 2 ms apart: the transfer itself sees each piece.
    server.route("/trickle", { .body = FileServer::pattern(400 * 1024), .pieceSize = 1024, .pieceGap = 2000us });
    auto start = std::chrono::steady_clock::now();
    auto r = download(server.url("/trickle"));
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(r->finished, 1);
    ASSERT_FALSE(r->progress.empty());
    EXPECT_GT(r->progress.size(), 5u);
    EXPECT_LE(double(r->progress.size()), 60 * seconds + 2);
    EXPECT_EQ(r->progress.back().total, 400 * 1024);
}
