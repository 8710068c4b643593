// The media work against its command-line peers, in the same run:
//  - the watermarked export as a repost runs it (a 10 s 720p clip with
//    sound, the poster's tab drawn and laid over every frame, H.264 medium /
//    quality 23 with AAC, QuickTime with its index first) against the
//    `ffmpeg` command doing the same overlay of the same tab picture with the
//    same encoder settings;
//  - a 200 MB download from a local server through a download task against
//    `curl -o` of the same, and the most progress callbacks the delegate got
//    in any one second.
// At the end the run prints the ratios.

#include "apps/simulator/DeviceLayout.h"
#include "feed/actions/WatermarkedVideoExport.h"
#include "hosts/instagram/IGUser.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/graphics/CGImage.h"
#include "platform/foundation/Device.h"
#include "platform/media/AVAssetExportSession.h"
#include "platform/net/NSURLSession.h"
#include "platform/uikit/UIImage.h"
#include "tests/support/FileServer.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>

using namespace platform;
namespace fs = std::filesystem;

namespace {

std::string g_folder;
std::map<std::string, double> g_seconds; // mean seconds per run, by benchmark
long g_mostCallbacksInASecond = 0;

bool sh(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// The tab a repost draws for the clip, kept as a PNG for the command line,
// and the size it covers in the video.
int g_tabWidth = 0, g_tabHeight = 0;

void prepare()
{
    g_folder = "/tmp/igtarvo-bench-media-" + std::to_string(::getpid());
    fs::create_directories(g_folder);
    igtarvo::simulator::createDevice(g_folder + "/device");
    Device::setRoot(g_folder + "/device");
    sh("ffmpeg -nostdin -y -f lavfi -i testsrc=size=1280x720:rate=30:duration=10 -f lavfi -i sine=frequency=440:sample_rate=44100:duration=10 "
       "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -shortest " + g_folder + "/in.mp4");
    auto tab = igtarvo::videoWatermarkTab(hosts::instagram::IGUser::create("some_user", "").get(), CGSizeMake(1280, 720), 1);
    auto* picture = static_cast<UIImage*>(tab.get());
    g_tabWidth = int(std::lround(picture->size().width));
    g_tabHeight = int(std::lround(picture->size().height));
    auto png = picture->CGImage()->encodePNG();
    std::FILE* out = std::fopen((g_folder + "/tab.png").c_str(), "wb");
    std::fwrite(png.data(), 1, png.size(), out);
    std::fclose(out);
}

void BM_WatermarkedExport(benchmark::State& state)
{
    auto poster = hosts::instagram::IGUser::create("some_user", "");
    for (auto _ : state) {
        fs::remove(g_folder + "/ours.mov");
        auto session = igtarvo::watermarkedExportSession(g_folder + "/in.mp4", poster.get(), 1, g_folder + "/ours.mov");
        auto done = DispatchSemaphore::create(0);
        session->exportAsynchronouslyWithCompletionHandler([&] { done->signal(); });
        done->wait();
        if (session->status() != AVAssetExportSessionStatus::Completed)
            state.SkipWithError("the export failed");
    }
}

void BM_FFmpegCommandLineExport(benchmark::State& state)
{
    std::string command = "ffmpeg -nostdin -y -i " + g_folder + "/in.mp4 -i " + g_folder + "/tab.png "
        "-filter_complex \"[0:v]fps=30[v];[1:v]scale=" + std::to_string(g_tabWidth) + ":" + std::to_string(g_tabHeight) + "[t];[v][t]overlay=x=0:y=H-h:eof_action=repeat,format=yuv420p\" "
        "-c:v libx264 -preset medium -crf 23 -profile:v high -c:a aac -b:a 128k -movflags +faststart -f mov " + g_folder + "/theirs.mov";
    for (auto _ : state)
        if (!sh(command))
            state.SkipWithError("ffmpeg failed");
}

// Counts progress callbacks per second of the transfer.
class CountingDelegate : public NSObject {
    OBJC_CLASS(CountingDelegate, NSObject)
public:
    static void registerMethods(objc::ClassBuilder<CountingDelegate>& b)
    {
        b.method<&CountingDelegate::progress>("URLSession:downloadTask:didWriteData:totalBytesWritten:totalBytesExpectedToWrite:")
            .method<&CountingDelegate::finished>("URLSession:downloadTask:didFinishDownloadingToURL:")
            .method<&CountingDelegate::completed>("URLSession:task:didCompleteWithError:");
    }
    void progress(NSURLSession*, NSURLSessionDownloadTask*, int64_t, int64_t, int64_t)
    {
        auto second = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start).count();
        g_mostCallbacksInASecond = std::max(g_mostCallbacksInASecond, ++perSecond[second]);
    }
    void finished(NSURLSession*, NSURLSessionDownloadTask*, NSURL* location)
    {
        fs::rename(str(location->path().get()), g_folder + "/download.bin");
    }
    void completed(NSURLSession*, NSURLSessionDownloadTask*, NSError* e)
    {
        failed = e != nullptr;
        done = true;
    }
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    std::map<long, long> perSecond;
    bool done = false;
    bool failed = false;
};
OBJC_CLASS_DEFINE(CountingDelegate)

testsupport::FileServer* g_server = nullptr;

void BM_DownloadTask(benchmark::State& state)
{
    for (auto _ : state) {
        fs::remove(g_folder + "/download.bin");
        auto delegate = objc::make<CountingDelegate>();
        auto session = NSURLSession::sessionWithConfiguration(NSURLSessionConfiguration::defaultSessionConfiguration().get(), delegate.get(), NSOperationQueue::mainQueue().get());
        session->downloadTaskWithRequest(NSURLRequest::requestWithURL(NSURL::create(g_server->url("/big.bin")).get(), NSURLRequestCachePolicy::ReloadIgnoringLocalCacheData, 60).get())->resume();
        RunLoop::runUntil([&] { return delegate->done; }, std::chrono::minutes(5));
        session->finishTasksAndInvalidate();
        if (delegate->failed)
            state.SkipWithError("the download failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 200'000'000);
}

void BM_CurlCommandLine(benchmark::State& state)
{
    for (auto _ : state)
        if (!sh("curl -sf -o " + g_folder + "/curl.bin " + g_server->url("/big.bin")))
            state.SkipWithError("curl failed");
    state.SetBytesProcessed(int64_t(state.iterations()) * 200'000'000);
}

class Recorder : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (auto& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                g_seconds[run.benchmark_name()] = run.real_accumulated_time / double(run.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

BENCHMARK(BM_WatermarkedExport)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_FFmpegCommandLineExport)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_DownloadTask)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_CurlCommandLine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    prepare();
    testsupport::FileServer server;
    server.route("/big.bin", { .body = testsupport::FileServer::pattern(200'000'000) });
    g_server = &server;
    Recorder reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [](const char* ours, const char* theirs) {
        auto a = g_seconds.find(ours), b = g_seconds.find(theirs);
        return a != g_seconds.end() && b != g_seconds.end() && b->second > 0 ? a->second / b->second : 0.0;
    };
    std::printf("\nwatermarked export / ffmpeg command line (time): %.2fx\n", ratio("BM_WatermarkedExport/iterations:3/real_time", "BM_FFmpegCommandLineExport/iterations:3/real_time"));
    double download = ratio("BM_DownloadTask/iterations:5/real_time", "BM_CurlCommandLine/iterations:5/real_time");
    std::printf("download task throughput / curl -o throughput: %.2fx\n", download > 0 ? 1.0 / download : 0.0);
    std::printf("most progress callbacks in one second: %ld\n", g_mostCallbacksInASecond);
    fs::remove_all(g_folder);
    benchmark::Shutdown();
    return 0;
}
