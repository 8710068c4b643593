// What a switch between two accounts costs, against the amount of data the
// accounts hold: a switch with 1 GiB in the container against the same switch
// with 1 MiB, and against moving the same data by copying it (`cp -a`, then
// removing the source), the way data is exchanged when it cannot be renamed.
// Each data set is a few hundred files in the container's usual folders.
//
// At the end the run prints the ratios, and the time a switch takes beyond
// the 0.1 s pause it makes after ending Instagram.

#include "accounts/NSStringBase64.h"
#include "accounts/TarvoManager.h"
#include "apps/simulator/DeviceLayout.h"
#include "hosts/springboard/SpringBoardClasses.h"
#include "platform/foundation/Device.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using igtarvo::TarvoManager;

constexpr int kFiles = 256;
constexpr int64_t kMiB = 1024 * 1024;
constexpr double kPauseSeconds = 0.1;

int runProgram(std::vector<std::string> words)
{
    std::vector<char*> argv;
    for (auto& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A device whose "Default" account holds `total` bytes in kFiles files, with
// a second account "B" to switch to.
class DataSet {
public:
    explicit DataSet(int64_t total)
    {
        char pattern[] = "/tmp/igtarvo-bench-XXXXXX";
        m_root = ::mkdtemp(pattern);
        fs::remove(m_root);
        auto made = igtarvo::simulator::createDevice(m_root);
        if (!made.ok) {
            std::fprintf(stderr, "%s\n", made.error.c_str());
            std::exit(1);
        }
        platform::Device::setRoot(m_root);
        std::string path = m_root + "/usr/bin:" + (std::getenv("PATH") ? std::getenv("PATH") : "");
        ::setenv("PATH", path.c_str(), 1);

        std::string container = igtarvo::simulator::instagramDataContainer();
        std::vector<char> block(size_t(total / kFiles));
        std::mt19937_64 random(42);
        for (auto& b : block)
            b = char(random());
        for (int i = 0; i < kFiles; ++i) {
            std::string folder = container + (i % 2 ? "/Library/Caches/" : "/Documents/");
            std::ofstream(folder + "media-" + std::to_string(i), std::ios::binary).write(block.data(), std::streamsize(block.size()));
        }
        m_manager = TarvoManager::create();
        m_manager->addAccount(platform::ns("B"), nullptr);
        m_manager->switchToAccount(platform::ns("Default"), nullptr);
        m_accountsDir = platform::Device::path(igtarvo::simulator::kAccountsDir);
    }
    ~DataSet()
    {
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }

    // Switches to the other account; the data set moves out of or into the container.
    void switchOnce()
    {
        m_onB = !m_onB;
        m_manager->switchToAccount(platform::ns(m_onB ? "B" : "Default"), nullptr);
    }

    // Moves the same data by copying it to a new folder and removing the
    // original: the data set goes back and forth between "Default"'s
    // directory and a second folder beside it.
    void copyOnce()
    {
        if (!m_onB && !m_copied)
            switchOnce(); // the data set now lies in "Default"'s directory
        std::string original = m_accountsDir + "/Default";
        std::string copy = m_accountsDir + "/Default-copy";
        std::string from = m_copied ? copy : original;
        std::string to = m_copied ? original : copy;
        runProgram({ "cp", "-a", from, to });
        runProgram({ "rm", "-rf", from });
        m_copied = !m_copied;
    }

private:
    std::string m_root;
    std::string m_accountsDir;
    objc::RefPtr<TarvoManager> m_manager;
    bool m_onB = false;
    bool m_copied = false;
};

// One data set at a time, so that the disk holds at most one large set.
std::unique_ptr<DataSet> g_set;
int64_t g_setSize = 0;

DataSet& dataSet(int64_t total)
{
    if (!g_set || g_setSize != total) {
        g_set.reset();
        g_set = std::make_unique<DataSet>(total);
        g_setSize = total;
    }
    return *g_set;
}

void BM_Switch(benchmark::State& state)
{
    auto& set = dataSet(state.range(0));
    for (auto _ : state)
        set.switchOnce();
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
}

void BM_CopyAndRemove(benchmark::State& state)
{
    auto& set = dataSet(state.range(0));
    set.copyOnce(); // once before timing, as the switch has been made before
    for (auto _ : state)
        set.copyOnce();
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
    g_set.reset(); // the data set has left the accounts' directories
}

BENCHMARK(BM_Switch)->Arg(kMiB)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyAndRemove)->Arg(kMiB)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Switch)->Arg(1024 * kMiB)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyAndRemove)->Arg(1024 * kMiB)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps each run's time per iteration, to print the comparisons at the end.
class Collector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (auto& run : runs)
            m_seconds[run.benchmark_name()] = run.GetAdjustedRealTime() / 1000.0;
        ConsoleReporter::ReportRuns(runs);
    }
    double seconds(const std::string& name) const
    {
        auto it = m_seconds.find(name);
        return it == m_seconds.end() ? 0 : it->second;
    }

private:
    std::map<std::string, double> m_seconds;
};

} // namespace

int main(int argc, char** argv)
{
    hosts::springboard::registerSpringBoardClasses();
    igtarvo::addBase64CategoryToNSString();
    benchmark::Initialize(&argc, argv);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    g_set.reset();

    double small = collector.seconds("BM_Switch/1048576/iterations:20/real_time");
    double large = collector.seconds("BM_Switch/1073741824/iterations:20/real_time");
    double copySmall = collector.seconds("BM_CopyAndRemove/1048576/iterations:20/real_time");
    double copyLarge = collector.seconds("BM_CopyAndRemove/1073741824/iterations:3/real_time");
    if (small > 0 && large > 0) {
        std::printf("\nswitch, 1 GiB against 1 MiB:               %.2fx\n", large / small);
        std::printf("switch beyond the 0.1 s pause:             1 MiB %.1f ms, 1 GiB %.1f ms\n", (small - kPauseSeconds) * 1000, (large - kPauseSeconds) * 1000);
    }
    if (copySmall > 0 && small > 0)
        std::printf("copy and remove against switch, 1 MiB:    %.2fx\n", copySmall / small);
    if (copyLarge > 0 && large > 0) {
        std::printf("copy and remove against switch, 1 GiB:    %.2fx\n", copyLarge / large);
        std::printf("copy and remove, 1 GiB against 1 MiB:      %.2fx\n", copySmall > 0 ? copyLarge / copySmall : 0.0);
    }
    benchmark::Shutdown();
    return 0;
}
