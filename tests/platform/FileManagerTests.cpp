#include "platform/foundation/NSFileManager.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeText(const std::string& path, const std::string& text)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

class FileManager : public ::testing::Test {
protected:
    FileManager()
    {
        char pattern[] = "/tmp/igtarvo-files-XXXXXX";
        m_dir = ::mkdtemp(pattern);
    }
    ~FileManager() override
    {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
        if (!m_other.empty())
            fs::remove_all(m_other, ec);
    }
    std::string at(const std::string& relative) const { return m_dir + "/" + relative; }

    // A folder on another file system, or "" when the machine has none.
    std::string otherFileSystem()
    {
        char pattern[] = "/dev/shm/igtarvo-files-XXXXXX";
        if (!::mkdtemp(pattern))
            return {};
        m_other = pattern;
        struct stat a, b;
        if (::stat(m_dir.c_str(), &a) != 0 || ::stat(m_other.c_str(), &b) != 0 || a.st_dev == b.st_dev)
            return {};
        return m_other;
    }

    std::vector<std::string> walk(const std::string& start, const std::function<bool(const std::string&)>& skipInto = nullptr)
    {
        std::vector<std::string> seen;
        auto entries = m_fm->enumeratorAtPath(start);
        while (auto entry = entries->nextObject()) {
            seen.push_back(entry->str());
            if (skipInto && skipInto(entry->str()))
                entries->skipDescendants();
        }
        return seen;
    }

    RefPtr<NSFileManager> m_fm = NSFileManager::defaultManager();
    std::string m_dir;
    std::string m_other;
};

}

TEST_F(FileManager, AMoveNeverReplacesWhatIsAtTheDestination)
{
    writeText(at("a/file"), "a");
    writeText(at("b/file"), "b");
    writeText(at("loose"), "loose");

    FileError error = m_fm->moveItemAtPath(at("a"), at("b"));
    EXPECT_TRUE(error);
    EXPECT_EQ(error.code, EEXIST);
    EXPECT_EQ(error.path, at("b"));
    EXPECT_EQ(readText(at("a/file")), "a");
    EXPECT_EQ(readText(at("b/file")), "b");

    EXPECT_EQ(m_fm->moveItemAtPath(at("loose"), at("b/file")).code, EEXIST);
    EXPECT_EQ(readText(at("b/file")), "b");
    EXPECT_EQ(readText(at("loose")), "loose");
}

TEST_F(FileManager, AMoveTakesAWholeTreeAndReportsAMissingSource)
{
    writeText(at("tree/deep/er/file"), "x");
    fs::create_symlink("deep", at("tree/link"));
    EXPECT_FALSE(m_fm->moveItemAtPath(at("tree"), at("moved")));
    EXPECT_FALSE(fs::exists(at("tree")));
    EXPECT_EQ(readText(at("moved/deep/er/file")), "x");
    EXPECT_EQ(fs::read_symlink(at("moved/link")), "deep");

    FileError missing = m_fm->moveItemAtPath(at("nothing"), at("somewhere"));
    EXPECT_EQ(missing.code, ENOENT);
    EXPECT_EQ(missing.path, at("nothing"));
    EXPECT_EQ(missing.description(), at("nothing") + ": No such file or directory");
    EXPECT_EQ(FileError {}.description(), "");
}

TEST_F(FileManager, AMoveToAnotherFileSystemCopiesEverythingThenRemovesTheSource)
{
    std::string other = otherFileSystem();
    if (other.empty())
        GTEST_SKIP() << "this machine has no second file system to move to";
    writeText(at("tree/sub/file"), "contents");
    ::chmod(at("tree/sub/file").c_str(), 0640);
    fs::create_symlink("sub/file", at("tree/link"));
    ::mkfifo(at("tree/pipe").c_str(), 0600);
    struct timespec old[2] = { { 1000000000, 0 }, { 1000000000, 0 } };
    ::utimensat(AT_FDCWD, at("tree/sub/file").c_str(), old, 0);

    EXPECT_FALSE(m_fm->moveItemAtPath(at("tree"), other + "/tree"));

    EXPECT_FALSE(fs::exists(at("tree")));
    EXPECT_EQ(readText(other + "/tree/sub/file"), "contents");
    struct stat st;
    ASSERT_EQ(::stat((other + "/tree/sub/file").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(st.st_mtim.tv_sec, 1000000000);
    EXPECT_EQ(fs::read_symlink(other + "/tree/link"), "sub/file");
    EXPECT_TRUE(fs::is_fifo(other + "/tree/pipe"));
    EXPECT_EQ(fs::directory_iterator(m_dir), fs::directory_iterator()) << "nothing is left behind in the source's folder";

    writeText(at("again/file"), "again");
    fs::create_directories(other + "/again");
    EXPECT_EQ(m_fm->moveItemAtPath(at("again"), other + "/again").code, EEXIST);
    EXPECT_EQ(readText(at("again/file")), "again");
    EXPECT_TRUE(fs::is_empty(other + "/again"));
}

TEST_F(FileManager, CreatingADirectoryFailsOnAnExistingPathWithOrWithoutIntermediates)
{
    EXPECT_FALSE(m_fm->createDirectoryAtPath(at("one"), false));
    EXPECT_EQ(m_fm->createDirectoryAtPath(at("one"), false).code, EEXIST);
    EXPECT_EQ(m_fm->createDirectoryAtPath(at("one"), true).code, EEXIST);
    writeText(at("file"), "f");
    EXPECT_EQ(m_fm->createDirectoryAtPath(at("file"), true).code, EEXIST);

    EXPECT_EQ(m_fm->createDirectoryAtPath(at("two/three"), false).code, ENOENT);
    EXPECT_FALSE(fs::exists(at("two")));
    EXPECT_FALSE(m_fm->createDirectoryAtPath(at("two/three/four"), true));
    EXPECT_TRUE(fs::is_directory(at("two/three/four")));
    EXPECT_EQ(m_fm->createDirectoryAtPath(at("file/below"), true).code, ENOTDIR);
}

TEST_F(FileManager, RemovalIsRecursiveAndRemovesLinksWithoutFollowingThem)
{
    writeText(at("keep/precious"), "p");
    writeText(at("doomed/a/b/c"), "c");
    fs::create_directory_symlink(at("keep"), at("doomed/link"));
    fs::create_directory_symlink(at("keep"), at("toplink"));

    EXPECT_FALSE(m_fm->removeItemAtPath(at("doomed")));
    EXPECT_FALSE(m_fm->removeItemAtPath(at("toplink")));
    EXPECT_FALSE(fs::exists(at("doomed")));
    EXPECT_FALSE(fs::is_symlink(at("toplink")));
    EXPECT_EQ(readText(at("keep/precious")), "p");
    EXPECT_EQ(m_fm->removeItemAtPath(at("doomed")).code, ENOENT);
}

TEST_F(FileManager, TheEnumeratorWalksInPreOrderWithRelativePaths)
{
    writeText(at("root/b/inner/file"), "");
    writeText(at("root/a"), "");
    writeText(at("root/c/file"), "");
    fs::create_directory_symlink(at("root/b"), at("root/link"));

    EXPECT_EQ(walk(at("root")), (std::vector<std::string> { "a", "b", "b/inner", "b/inner/file", "c", "c/file", "link" }))
        << "a link to a directory is answered, not entered";
    EXPECT_EQ(walk(at("root"), [](const std::string& p) { return p == "b"; }), (std::vector<std::string> { "a", "b", "c", "c/file", "link" }));
    EXPECT_TRUE(walk(at("root/link")).empty()) << "a start that is a link is not followed";
    EXPECT_TRUE(walk(at("missing")).empty());
    EXPECT_TRUE(walk(at("root/a")).empty());
}

TEST_F(FileManager, TheEnumeratorDoesNotEnterADirectoryMovedAwayAfterItWasAnswered)
{
    writeText(at("root/a/x"), "");
    writeText(at("root/b/y"), "");
    std::vector<std::string> seen;
    auto entries = m_fm->enumeratorAtPath(at("root"));
    while (auto entry = entries->nextObject()) {
        seen.push_back(entry->str());
        if (entry->str() == "a")
            m_fm->moveItemAtPath(at("root/a"), at("elsewhere"));
    }
    EXPECT_EQ(seen, (std::vector<std::string> { "a", "b", "b/y" }));
}

TEST_F(FileManager, ListingADirectoryAnswersSortedNamesOrTheError)
{
    writeText(at("d/b"), "");
    writeText(at("d/a"), "");
    writeText(at("d/.hidden"), "");
    EXPECT_EQ(m_fm->contentsOfDirectoryAtPath(at("d")).names, (std::vector<std::string> { ".hidden", "a", "b" }));
    DirectoryListing missing = m_fm->contentsOfDirectoryAtPath(at("none"));
    EXPECT_TRUE(missing.names.empty());
    EXPECT_EQ(missing.error.code, ENOENT);
    bool isDirectory = false;
    EXPECT_TRUE(m_fm->fileExistsAtPath(at("d"), &isDirectory));
    EXPECT_TRUE(isDirectory);
    EXPECT_TRUE(m_fm->fileExistsAtPath(at("d/a"), &isDirectory));
    EXPECT_FALSE(isDirectory);
    EXPECT_FALSE(m_fm->fileExistsAtPath(at("none"), &isDirectory));
}
