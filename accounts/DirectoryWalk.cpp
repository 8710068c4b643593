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

void walkDirectory(const platform::NSFileManager& fm, const std::string& source, const std::string& destination, WalkOptions options)
{
    auto entries = fm.enumeratorAtPath(source);
    while (auto entry = entries->nextObject()) {
        const std::string& relative = entry->str();
        if (options.skipFixedEntries && isFixedContainerEntry(relative)) {
            entries->skipDescendants();
            continue;
        }
        std::string target = destination + "/" + relative;
        struct stat st;
        if (options.clearDestination && ::lstat(target.c_str(), &st) == 0) {
            auto cleared = fm.removeItemAtPath(target);
            (void)cleared; // an entry that stays makes the move below fail, which the walk allows
        }
        if (!fm.moveItemAtPath(source + "/" + relative, target)) {
            entries->skipDescendants();
            continue;
        }
        // A directory that could not move is entered only where the destination
        // holds a real directory of that name: its entries then go there, and
        // never through a link to somewhere else.
        if (::lstat(target.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            entries->skipDescendants();
    }
}

} // namespace igtarvo
