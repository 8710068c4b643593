// The general pasteboard is one for the whole device: what a process copies
// is what another reads, and what `igtarvo pasteboard` prints.

#include "platform/uikit/UIPasteboard.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TemporaryDevice.h"
#include "tests/support/Spawn.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

using namespace platform;

namespace {

// `igtarvo --root ROOT pasteboard`: its exit status and standard output.
std::pair<int, std::string> printedPasteboard(const std::string& root, const std::string& extra = "")
{
    const char* build = std::getenv("IGTARVO_BUILD");
    auto run = testsupport::runCommand("'" + std::string(build ? build : "build") + "/bin/igtarvo' --root '" + root + "' pasteboard " + extra);
    return { run.status, run.out };
}

} // namespace

TEST(Pasteboard, TextCopiedInOneProcessIsReadInAnother)
{
    testsupport::TemporaryDevice device;
    auto* board = UIPasteboard::generalPasteboard();
    EXPECT_FALSE(board->string());
    EXPECT_EQ(printedPasteboard(device.root()), std::make_pair(0, std::string()));

    // Another process of the device copies a caption with a line break and emoji.
    const std::string caption = "Sunset at the pier 🌅\n#nofilter";
    ASSERT_TRUE(testsupport::inChildProcess([&] { EXPECT_TRUE(UIPasteboard::generalPasteboard()->setString(ns(caption).get())); }));
    ASSERT_TRUE(board->string());
    EXPECT_EQ(str(board->string().get()), caption);
    EXPECT_EQ(printedPasteboard(device.root()), std::make_pair(0, caption + "\n"));

    // This process replaces it; each copy counts as a change.
    long before = board->changeCount();
    EXPECT_TRUE(board->setString(ns("second").get()));
    EXPECT_EQ(board->changeCount(), before + 1);
    EXPECT_EQ(printedPasteboard(device.root()).second, "second\n");
    // The file is replaced whole: no temporary files are left beside it.
    auto folder = std::filesystem::path(device.path(kGeneralPasteboardPath)).parent_path();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);

    EXPECT_EQ(printedPasteboard(device.root(), "extra").first, 1);
}
