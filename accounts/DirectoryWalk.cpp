#include "accounts/DirectoryWalk.h"

#include <sys/stat.h>

namespace igtarvo {

bool isFixedContainerEntry(const std::string& relativePath)
{
    for (const char* entry : kFixedContainerEntries) {
        if (relativePath == entry)
            return true;
    }
    return false;
}

std::vector<LeftBehind> walkDirectory(const platform::NSFileManager& fm, const std::string& source, const std::string& destination, const WalkOptions& options)
{
    std::vector<LeftBehind> leftBehind;
    auto entries = fm.enumeratorAtPath(source);
    while (auto entry = entries->nextObject()) {
        const std::string& relative = entry->str();
        bool topLevel = relative.find('/') == std::string::npos;
        if (topLevel && ((options.skipFixedEntries && isFixedContainerEntry(relative)) || (options.skip && options.skip(relative)))) {
            entries->skipDescendants();
            continue;
        }
        std::string target = destination + "/" + relative;
        struct stat st;
        bool replace = false;
        if (options.replaceCopies && ::lstat(target.c_str(), &st) == 0) {
            struct stat own;
            replace = !(S_ISDIR(st.st_mode) && ::lstat((source + "/" + relative).c_str(), &own) == 0 && S_ISDIR(own.st_mode));
        }
        if ((options.clearDestination || replace) && ::lstat(target.c_str(), &st) == 0) {
            auto cleared = fm.removeItemAtPath(target);
            (void)cleared; // an entry that stays makes the move below fail, which the walk reports
        }
        auto error = fm.moveItemAtPath(source + "/" + relative, target);
        if (!error) {
            entries->skipDescendants();
            continue;
        }
        // A directory that could not move is entered only where the destination
        // holds a real directory of that name and the source is a real
        // directory: its entries then go there, and never through a link to
        // somewhere else.
        struct stat from;
        if (::lstat((source + "/" + relative).c_str(), &from) != 0) {
            entries->skipDescendants();
            continue; // gone meanwhile: nothing is left behind
        }
        bool enter = ::lstat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && S_ISDIR(from.st_mode);
        if (!enter) {
            entries->skipDescendants();
            leftBehind.push_back({ relative, error });
        }
    }
    return leftBehind;
}

} // namespace igtarvo
