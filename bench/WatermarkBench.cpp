// `igtarvo watermark` on a 1080 x 1080 JPEG against ImageMagick's `convert`
// doing the same work on the same picture: square it (a square stays
// itself), composite a ready tab PNG along the bottom edge from the left, and
// write a PNG at zlib level 6. Both are whole programs started the same way
// in the same run; the tab for `convert` is the one the system draws.
//
// At the end the run prints the ratio igtarvo / convert.

#include "apps/simulator/DeviceLayout.h"
#include "feed/actions/TarvoImageTools.h"
#include "hosts/instagram/IGUser.h"
#include "platform/foundation/Device.h"
#include "platform/graphics/CGImage.h"
#include "platform/uikit/UIImage.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace platform;

int runProgram(std::vector<std::string> words)
{
    std::vector<char*> argv;
    for (auto& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int started = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0)
        return -1;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct Workspace {
    std::string dir, igtarvo, picture, tab;

    Workspace()
    {
        char pattern[] = "/tmp/igtarvo-bench-watermark-XXXXXX";
        dir = ::mkdtemp(pattern);
        const char* build = std::getenv("IGTARVO_BUILD");
        igtarvo = std::string(build ? build : IGTARVO_BUILD_DIR) + "/bin/igtarvo";
        // A photo-like picture (a fixed plasma), so the PNG has real work to do.
        picture = dir + "/in.jpg";
        runProgram({ "convert", "-seed", "42", "-size", "1080x1080", "plasma:fractal", "-quality", "90", picture });
        // The device (laid out by the first run) and the tab the system draws for this picture.
        runProgram({ igtarvo, "--root", dir + "/device", "watermark", picture, "--user", "some_user", "--position", "1", "-o", dir + "/warm.png" });
        Device::setRoot(dir + "/device");
        auto image = UIImage::imageWithContentsOfHostFile(picture);
        auto scaled = UIImage::imageWithCGImage(image->CGImage().get(), 2);
        objc::send<RefPtr<UIImage>(UIImage*, id, long)>(igtarvo::TarvoImageTools::sharedTools(),
            "generateWatermarkForImage:withUser:position:", scaled.get(), hosts::instagram::IGUser::create("some_user", "").get(), 1);
        tab = dir + "/tab.png";
        auto tabImage = igtarvo::TarvoImageTools::lastTabImage();
        auto png = tabImage->CGImage()->encodePNG();
        std::ofstream(tab, std::ios::binary).write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    }
    ~Workspace()
    {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

};

Workspace& workspace()
{
    static Workspace w;
    return w;
}

std::map<std::string, double> g_seconds;

void BM_IgtarvoWatermark(benchmark::State& state)
{
    auto& w = workspace();
    for (auto _ : state) {
        if (runProgram({ w.igtarvo, "--root", w.dir + "/device", "watermark", w.picture, "--user", "some_user", "--position", "1", "-o", w.dir + "/ours.png" }) != 0)
            state.SkipWithError("igtarvo watermark failed");
    }
}

void BM_ImageMagickConvert(benchmark::State& state)
{
    auto& w = workspace();
    for (auto _ : state) {
        if (runProgram({ "convert", w.picture, "-background", "none", "-gravity", "center", "-extent", "1080x1080",
                w.tab, "-gravity", "southwest", "-geometry", "+0-1", "-composite",
                "-define", "png:compression-level=6", "PNG32:" + w.dir + "/theirs.png" }) != 0)
            state.SkipWithError("convert failed");
    }
}

BENCHMARK(BM_IgtarvoWatermark)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();
BENCHMARK(BM_ImageMagickConvert)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (auto& run : runs)
            g_seconds[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    double ours = 0, theirs = 0;
    for (auto& [name, t] : g_seconds) {
        if (name.find("Igtarvo") != std::string::npos) ours = t;
        if (name.find("Convert") != std::string::npos) theirs = t;
    }
    if (ours > 0 && theirs > 0)
        std::printf("\nigtarvo watermark / convert: %.2fx\n", ours / theirs);
    return 0;
}
