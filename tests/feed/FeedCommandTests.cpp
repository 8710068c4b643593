#include "tests/support/Spawn.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace {

using testsupport::CommandRun;

// Runs `igtarvo ARGS` through the shell, with `env` before it and `input`
// on standard input.
CommandRun igtarvo(const std::string& args, const std::string& env = "", const std::string& input = "")
{
    const char* build = std::getenv("IGTARVO_BUILD");
    std::string program = std::string(build ? build : "build") + "/bin/igtarvo";
    return testsupport::runCommand(env + " '" + program + "' " + args, input);
}

}

TEST(FeedCommand, TimestampPrintsTheTextTheFeedShows)
{
    CommandRun run = igtarvo("feed timestamp 2016-03-05T16:07:00Z --now 2016-03-05T18:38:00Z", "TZ=UTC");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "03/05/16 4:07 PM (3h)\n");
    run = igtarvo("feed timestamp 2015-01-01T00:00:00+01:00 --now 2016-08-01T00:00:00+01:00", "TZ=UTC");
    EXPECT_EQ(run.out, "12/31/14 11:00 PM (2yrs)\n");
}

TEST(FeedCommand, TheExactTimeFollowsTheSystemTimeZoneAndOffsetsAreHonoured)
{
    CommandRun run = igtarvo("feed timestamp 2016-03-05T16:07:00Z --now 2016-03-05T17:37:00+01:00", "TZ=America/New_York");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "03/05/16 11:07 AM (30m)\n");
    run = igtarvo("feed timestamp 2016-03-05T16:07:00.750-05:30 --now 2016-03-05T16:08:00-0530", "TZ=Asia/Kolkata");
    EXPECT_EQ(run.out, "03/06/16 3:07 AM (Now)\n");
}

TEST(FeedCommand, ADateThatDoesNotParseIsAOneLineError)
{
    for (const char* bad : { "yesterday", "2016-03-05", "2016-03-05T16:07:00", "2016-02-30T10:00:00Z", "2016-03-05T24:00:00Z" }) {
        CommandRun run = igtarvo(std::string("feed timestamp '") + bad + "'");
        EXPECT_EQ(run.status, 1) << bad;
        EXPECT_TRUE(run.out.empty()) << bad;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    CommandRun run = igtarvo("feed timestamp 2016-03-05T16:07:00Z --now never");
    EXPECT_EQ(run.status, 1);
}

TEST(FeedCommand, LinksPrintsEachLinkAsItStandsInTheText)
{
    CommandRun run = igtarvo("feed links 'Visit www.example.com, mail me@example.org (or https://x.com/a_(b)).'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "www.example.com\nme@example.org\nhttps://x.com/a_(b)\n");
    run = igtarvo("feed links", "", "from standard input: example.com/path?q=1.");
    EXPECT_EQ(run.out, "example.com/path?q=1\n");
    run = igtarvo("feed links 'nothing here'");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
}

TEST(FeedCommand, LinksAsJsonGiveUtf16RangesAndTheAddressATapOpens)
{
    CommandRun run = igtarvo("feed links --json '\xC3\xA9\xF0\x9F\x98\x80 example.com/p me@example.org instagram://tag?name=x'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
        "[{\"text\": \"example.com/p\", \"start\": 4, \"length\": 13, \"url\": \"http://example.com/p\"},\n"
        " {\"text\": \"me@example.org\", \"start\": 18, \"length\": 14, \"url\": \"mailto://me@example.org\"},\n"
        " {\"text\": \"instagram://tag?name=x\", \"start\": 33, \"length\": 22, \"url\": \"instagram://tag?name=x\"}]\n");
    run = igtarvo("feed links --json 'no links'");
    EXPECT_EQ(run.out, "[]\n");
}

TEST(FeedCommand, LinksFindTheWholeInternationalAddressAndACapitalisedDomain)
{
    CommandRun run = igtarvo("feed links --json 'Visit http://foobar.みんな/ and Google.Com'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
        "[{\"text\": \"http://foobar.みんな/\", \"start\": 6, \"length\": 18, \"url\": \"http://foobar.xn--q9jyb4c/\"},\n"
        " {\"text\": \"Google.Com\", \"start\": 29, \"length\": 10, \"url\": \"http://Google.Com\"}]\n");
}
