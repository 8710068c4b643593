// A move across file systems whose process ended half-way leaves work
// entries beside its source or destination; the file manager removes those
// of ended processes and nothing else.

#include "platform/foundation/NSFileManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(AbandonedMoves, OnlyTheWorkOfEndedProcessesIsRemoved)
{
    pid_t ended = ::fork();
    if (ended == 0)
        ::_exit(0);
    ASSERT_GT(ended, 0);
    ::waitpid(ended, nullptr, 0);
    std::string dead = std::to_string(ended);
    std::string alive = std::to_string(::getpid());

    fs::path directory = fs::temp_directory_path() / ("abandoned-moves-" + alive);
    fs::create_directories(directory);
    fs::create_directories(directory / (".Documents.moving-" + dead + "-0") / "inner");
    std::ofstream(directory / (".feed.db.moved-" + dead + "-12")) << "copied already";
    fs::create_directories(directory / (".Library.moving-" + alive + "-1"));
    std::ofstream(directory / ".hidden") << "data";
    std::ofstream(directory / ".notes.moving-soon") << "data";
    std::ofstream(directory / "Documents") << "data";

    auto manager = platform::NSFileManager::defaultManager();
    EXPECT_EQ(manager->removeAbandonedMoves(directory.string()), 2u);

    std::vector<std::string> left;
    for (auto& entry : fs::directory_iterator(directory))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string> { ".Library.moving-" + alive + "-1", ".hidden", ".notes.moving-soon", "Documents" }));
    EXPECT_EQ(manager->removeAbandonedMoves((directory / "missing").string()), 0u);
    fs::remove_all(directory);
}
