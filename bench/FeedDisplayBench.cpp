// The feed's display texts: one timestamp label text, and link detection in
// post texts and in a 1 MiB text. Peers, measured in the same run: the C
// library's strftime with a plain seconds-based age for the timestamp, and a
// plain std::regex detector of the same three kinds of link for detection.

#include "feed/display/FeedLinks.h"
#include "feed/display/TarvoTimestamp.h"
#include "platform/foundation/LinkScanner.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <regex>
#include <string>

namespace {

constexpr double kTaken = 1457194020.0;          // 2016-03-05 16:07 UTC
constexpr double kSeen = kTaken + 2 * 3600 + 1800;

void TimestampLabelText(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(igtarvo::TarvoTimestamp::combinedText(kTaken, kSeen));
}
BENCHMARK(TimestampLabelText);

// The peer: strftime for the exact part, whole seconds for the age.
void TimestampLabelTextStrftime(benchmark::State& state)
{
    for (auto _ : state) {
        time_t t = time_t(kTaken);
        tm local {};
        localtime_r(&t, &local);
        char exact[32];
        strftime(exact, sizeof exact, "%m/%d/%y %l:%M %p", &local);
        long hours = long(kSeen - kTaken) / 3600;
        std::string text = std::string(exact) + " (" + std::to_string(hours) + "h)";
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(TimestampLabelTextStrftime);

const char* const kPosts[] = {
    "Golden hour at the pier \xF0\x9F\x8C\x85 prints at www.example-prints.com, ask me at studio@example.com",
    "New episode is up! https://podcast.example.org/ep/42?ref=feed (link in bio too) #podcast #weekend",
    "Thanks for 10k \xE2\x9D\xA4\xEF\xB8\x8F no links here, just a long caption about coffee, mornings and the sea.",
    "Shop: example.com/shop?item=7. Wholesale: sales@example.co.uk. Old site (example.net) is gone.",
};

std::string megabyteText()
{
    std::string text;
    for (size_t i = 0; text.size() < (1u << 20); ++i)
        text += std::string(kPosts[i % std::size(kPosts)]) + "\n";
    text.resize(1u << 20);
    return text;
}

// The peer: one std::regex over the same three kinds, without word or
// punctuation rules.
const std::regex& regexDetector()
{
    static const std::regex detector(
        R"([A-Za-z][A-Za-z0-9+.\-]*://[^\s<>"]+)"
        R"(|[A-Za-z0-9._%+\-]+@[A-Za-z0-9\-]+(?:\.[A-Za-z0-9\-]+)*\.[A-Za-z]{2,})"
        R"(|(?:www\.)?[A-Za-z0-9\-]+(?:\.[A-Za-z0-9\-]+)*\.(?:com|org|net|edu|gov|io|co|uk|de)(?:/[^\s<>"]*)?)");
    return detector;
}

size_t regexLinkCount(const std::string& text)
{
    size_t n = 0;
    for (std::sregex_iterator it(text.begin(), text.end(), regexDetector()), end; it != end; ++it)
        ++n;
    return n;
}

void LinksInPosts(benchmark::State& state)
{
    size_t bytes = 0;
    for (auto _ : state) {
        for (const char* post : kPosts) {
            benchmark::DoNotOptimize(platform::LinkScanner::scan(post));
            bytes += std::char_traits<char>::length(post);
        }
    }
    state.SetBytesProcessed(int64_t(bytes));
}
BENCHMARK(LinksInPosts);

// Detection as the feed does it: detector results made into addresses.
void FeedLinksInPosts(benchmark::State& state)
{
    size_t bytes = 0;
    for (auto _ : state) {
        for (const char* post : kPosts) {
            benchmark::DoNotOptimize(igtarvo::findFeedLinks(post));
            bytes += std::char_traits<char>::length(post);
        }
    }
    state.SetBytesProcessed(int64_t(bytes));
}
BENCHMARK(FeedLinksInPosts);

void LinksInPostsRegex(benchmark::State& state)
{
    std::vector<std::string> posts(std::begin(kPosts), std::end(kPosts));
    size_t bytes = 0;
    for (auto _ : state) {
        for (const auto& post : posts) {
            benchmark::DoNotOptimize(regexLinkCount(post));
            bytes += post.size();
        }
    }
    state.SetBytesProcessed(int64_t(bytes));
}
BENCHMARK(LinksInPostsRegex);

void LinksInOneMebibyte(benchmark::State& state)
{
    std::string text = megabyteText();
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::LinkScanner::scan(text));
    state.SetBytesProcessed(int64_t(state.iterations() * text.size()));
}
BENCHMARK(LinksInOneMebibyte)->Unit(benchmark::kMillisecond);

void LinksInOneMebibyteRegex(benchmark::State& state)
{
    std::string text = megabyteText();
    for (auto _ : state)
        benchmark::DoNotOptimize(regexLinkCount(text));
    state.SetBytesProcessed(int64_t(state.iterations() * text.size()));
}
BENCHMARK(LinksInOneMebibyteRegex)->Unit(benchmark::kMillisecond);

}

BENCHMARK_MAIN();
