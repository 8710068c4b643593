// igtarvo feed timestamp DATE [--now DATE] | feed links [TEXT] [--json]
//
// The feed's texts as the feed shows them: a post's timestamp, and the links
// found in a post text.

#include "apps/igtarvo/Command.h"
#include "feed/display/FeedLinks.h"
#include "feed/display/TarvoTimestamp.h"

#include <cstdio>
#include <ctime>
#include <iostream>
#include <iterator>
#include <optional>
#include <regex>

using namespace igtarvo::cli;

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date.
long daysFromCivil(long y, long m, long d)
{
    y -= m <= 2;
    long era = (y >= 0 ? y : y - 399) / 400;
    long yoe = y - era * 400;
    long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool isLeap(long y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// An ISO 8601 date and time with its zone: 2016-03-05T16:07:00Z,
// 2016-03-05T16:07+01:00, 2016-03-05T16:07:00.250-0500. Seconds since 1970.
std::optional<double> parseISO8601(const std::string& text)
{
    static const std::regex form(R"((\d{4})-(\d{2})-(\d{2})[Tt ](\d{2}):(\d{2})(?::(\d{2})(\.\d{1,9})?)?(?:([Zz])|([+-])(\d{2})(?::?(\d{2}))?))");
    if (text.size() > 64)
        return std::nullopt;
    std::smatch m;
    if (!std::regex_match(text, m, form))
        return std::nullopt;
    long year = std::stol(m[1]), month = std::stol(m[2]), day = std::stol(m[3]);
    long hour = std::stol(m[4]), minute = std::stol(m[5]);
    long second = m[6].matched ? std::stol(m[6]) : 0;
    static const int monthDays[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (month < 1 || month > 12 || day < 1 || day > monthDays[month - 1] + (month == 2 && isLeap(year)))
        return std::nullopt;
    if (hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    long offset = 0;
    if (m[9].matched) {
        long oh = std::stol(m[10]), om = m[11].matched ? std::stol(m[11]) : 0;
        if (oh > 23 || om > 59)
            return std::nullopt;
        offset = (m[9] == "+" ? 1 : -1) * (oh * 3600 + om * 60);
    }
    double fraction = m[7].matched ? std::stod("0" + m[7].str()) : 0.0;
    return double(daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second - offset) + fraction;
}

double now()
{
    timespec ts {};
    clock_gettime(CLOCK_REALTIME, &ts);
    return double(ts.tv_sec) + ts.tv_nsec / 1e9;
}

int timestampCommand(const std::vector<std::string>& args)
{
    std::string taken;
    std::optional<std::string> seenAt;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--now") {
            if (i + 1 >= args.size())
                return fail("feed timestamp: --now needs a date");
            seenAt = args[++i];
        } else if (taken.empty()) {
            taken = args[i];
        } else {
            return fail("feed timestamp: unexpected '" + args[i] + "'");
        }
    }
    if (taken.empty())
        return fail("feed timestamp: give the post's date, e.g. 2016-03-05T16:07:00Z");
    auto date = parseISO8601(taken);
    if (!date)
        return fail("feed timestamp: '" + taken + "' is not an ISO 8601 date with a zone (e.g. 2016-03-05T16:07:00Z)");
    double reference = now();
    if (seenAt) {
        auto parsed = parseISO8601(*seenAt);
        if (!parsed)
            return fail("feed timestamp: '" + *seenAt + "' is not an ISO 8601 date with a zone (e.g. 2016-03-05T18:07:00+01:00)");
        reference = *parsed;
    }
    std::printf("%s\n", igtarvo::TarvoTimestamp::combinedText(*date, reference).c_str());
    return 0;
}

int linksCommand(const std::vector<std::string>& args)
{
    bool json = false;
    std::optional<std::string> text;
    for (const std::string& arg : args) {
        if (arg == "--json")
            json = true;
        else if (!text)
            text = arg;
        else
            return fail("feed links: give the text as one argument (quote it), or on standard input");
    }
    if (!text)
        text = std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    auto links = igtarvo::findFeedLinks(*text);
    if (!json) {
        for (const auto& link : links)
            std::printf("%s\n", link.text.c_str());
        return 0;
    }
    std::string out = "[";
    for (size_t i = 0; i < links.size(); ++i) {
        const auto& link = links[i];
        auto opened = igtarvo::isInstagramAddress(link.address.get()) ? objc::RefPtr<platform::NSURL>(link.address.get())
                                                                       : igtarvo::addressToOpen(link.address.get());
        out += i ? ",\n " : "";
        out += "{\"text\": " + jsonString(link.text) + ", \"start\": " + std::to_string(link.range.location)
            + ", \"length\": " + std::to_string(link.range.length) + ", \"url\": " + jsonString(opened ? opened->text() : std::string()) + "}";
    }
    std::printf("%s]\n", out.c_str());
    return 0;
}

int feedCommand(const Invocation& inv)
{
    if (inv.args.empty())
        return fail("feed: say 'timestamp' or 'links'");
    std::vector<std::string> rest(inv.args.begin() + 1, inv.args.end());
    if (inv.args[0] == "timestamp")
        return timestampCommand(rest);
    if (inv.args[0] == "links")
        return linksCommand(rest);
    return fail("feed: unknown verb '" + inv.args[0] + "'");
}

}

IGTARVO_COMMAND("feed",
    "  feed timestamp DATE [--now DATE]  the post time text the feed shows (ISO 8601 dates with a zone)\n"
    "  feed links [TEXT] [--json]        the links the feed marks in TEXT (or standard input)",
    feedCommand);
