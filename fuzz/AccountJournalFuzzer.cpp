// The account journal reader on a journal file holding any bytes: it reads a
// journal or nothing, never crashes, never answers a next step past the end;
// a journal it reads is written and read back unchanged, so that completing
// an operation resumes exactly where the record says.

#include "accounts/AccountJournal.h"
#include "fuzz/FuzzCheck.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using namespace igtarvo;
namespace fs = std::filesystem;

namespace {

const std::string& folder()
{
    static const std::string path = [] {
        char pattern[] = "/tmp/igtarvo-fuzz-journal-XXXXXX";
        std::string made = ::mkdtemp(pattern);
        static std::string removeAtExit = made;
        std::atexit([] { std::error_code ec; fs::remove_all(removeAtExit, ec); });
        return made;
    }();
    return path;
}

bool sameSteps(const std::vector<AccountStep>& a, const std::vector<AccountStep>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind || a[i].account != b[i].account || a[i].clear != b[i].clear || a[i].newName != b[i].newName)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string file = AccountJournal::pathFor(folder() + "/Accounts");
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    auto journal = AccountJournal::read(file);
    AccountJournal::finish(file);
    FUZZ_CHECK(!fs::exists(file));
    if (!journal)
        return 0;
    FUZZ_CHECK(journal->next() <= journal->steps().size());

    std::string copy = folder() + "/copy.journal";
    FUZZ_CHECK(journal->write(copy));
    auto again = AccountJournal::read(copy);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(again->container() == journal->container());
    FUZZ_CHECK(again->next() == journal->next());
    FUZZ_CHECK(sameSteps(again->steps(), journal->steps()));
    return 0;
}
