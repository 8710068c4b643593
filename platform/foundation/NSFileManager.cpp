#include "platform/foundation/NSFileManager.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

OBJC_CLASS_LOAD(NSDirectoryEnumerator)
OBJC_CLASS_LOAD(NSFileManager)

namespace {

FileError failure(int code, const std::string& path) { return { code ? code : EIO, path }; }

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string join(const std::string& directory, const std::string& name)
{
    if (directory.empty())
        return name;
    return directory.back() == '/' ? directory + name : directory + "/" + name;
}

std::string parentOf(const std::string& path)
{
    auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string lastComponent(const std::string& path)
{
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool linkExists(const std::string& path, struct stat* st = nullptr)
{
    struct stat local;
    return ::lstat(path.c_str(), st ? st : &local) == 0;
}

// A name beside `path` that nothing else uses, for work in progress.
std::string siblingName(const std::string& path, const char* purpose)
{
    static std::atomic<unsigned> counter { 0 };
    return join(parentOf(path), "." + lastComponent(path) + "." + purpose + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1)));
}

FileError readNames(const std::string& path, std::vector<std::string>& names)
{
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return failure(errno, path);
    errno = 0;
    while (dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.emplace_back(entry->d_name);
    }
    int code = errno;
    ::closedir(dir);
    if (code)
        return failure(code, path);
    std::sort(names.begin(), names.end());
    return {};
}

FileError copyFileContents(int in, int out, const std::string& from)
{
    bool plain = false;
    char buffer[1 << 16];
    for (;;) {
        ssize_t n;
        if (!plain) {
            n = ::copy_file_range(in, nullptr, out, nullptr, size_t(1) << 30, 0);
            if (n < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
                plain = true;
                continue;
            }
        } else {
            n = ::read(in, buffer, sizeof buffer);
            if (n > 0) {
                for (ssize_t done = 0; done < n;) {
                    ssize_t w = ::write(out, buffer + done, size_t(n - done));
                    if (w < 0) {
                        if (errno == EINTR)
                            continue;
                        return failure(errno, from);
                    }
                    done += w;
                }
            }
        }
        if (n == 0)
            return {};
        if (n < 0 && errno != EINTR)
            return failure(errno, from);
    }
}

// Copies one tree as `cp -a` would: contents, modes, owners where allowed,
// times, and symbolic links as links. `to` must not exist.
FileError copyTree(const std::string& from, const std::string& to)
{
    struct stat st;
    if (::lstat(from.c_str(), &st) != 0)
        return failure(errno, from);
    const timespec times[2] = { st.st_atim, st.st_mtim };
    if (S_ISLNK(st.st_mode)) {
        std::vector<char> target(size_t(st.st_size) + 1);
        ssize_t n = ::readlink(from.c_str(), target.data(), target.size());
        if (n < 0)
            return failure(errno, from);
        target[size_t(n)] = '\0';
        if (::symlink(target.data(), to.c_str()) != 0)
            return failure(errno, to);
        (void)::lchown(to.c_str(), st.st_uid, st.st_gid);
        ::utimensat(AT_FDCWD, to.c_str(), times, AT_SYMLINK_NOFOLLOW);
        return {};
    }
    if (S_ISDIR(st.st_mode)) {
        if (::mkdir(to.c_str(), 0700) != 0)
            return failure(errno, to);
        std::vector<std::string> names;
        if (auto error = readNames(from, names))
            return error;
        for (auto& name : names) {
            if (auto error = copyTree(join(from, name), join(to, name)))
                return error;
        }
        (void)::chown(to.c_str(), st.st_uid, st.st_gid);
        ::chmod(to.c_str(), st.st_mode & 07777);
        ::utimensat(AT_FDCWD, to.c_str(), times, 0);
        return {};
    }
    if (S_ISREG(st.st_mode)) {
        int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (in < 0)
            return failure(errno, from);
        int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (out < 0) {
            int code = errno;
            ::close(in);
            return failure(code, to);
        }
        FileError error = copyFileContents(in, out, from);
        if (!error) {
            (void)::fchown(out, st.st_uid, st.st_gid);
            ::fchmod(out, st.st_mode & 07777);
            ::futimens(out, times);
        }
        ::close(in);
        if (::close(out) != 0 && !error)
            error = failure(errno, to);
        return error;
    }
    if (S_ISFIFO(st.st_mode)) {
        if (::mkfifo(to.c_str(), st.st_mode & 07777) != 0)
            return failure(errno, to);
        return {};
    }
    return failure(ENOTSUP, from);
}

FileError removeTree(const std::string& path)
{
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
    return ec ? failure(ec.value(), path) : FileError {};
}

// A move between file systems: a complete copy appears at the destination in
// one step, then the source leaves its place in one step and is deleted, so
// an interruption never leaves a half copy under either name.
FileError moveAcrossFileSystems(const std::string& source, const std::string& destination)
{
    if (linkExists(destination))
        return failure(EEXIST, destination);
    std::string partial = siblingName(destination, "moving");
    if (auto error = copyTree(source, partial)) {
        removeTree(partial);
        return error;
    }
    if (::renameat2(AT_FDCWD, partial.c_str(), AT_FDCWD, destination.c_str(), RENAME_NOREPLACE) != 0) {
        int code = errno;
        if (code == EINVAL && !linkExists(destination) && ::rename(partial.c_str(), destination.c_str()) == 0)
            code = 0;
        if (code) {
            removeTree(partial);
            return failure(code, destination);
        }
    }
    std::string leaving = siblingName(source, "moved");
    if (::rename(source.c_str(), leaving.c_str()) != 0)
        return removeTree(source);
    return removeTree(leaving);
}

} // namespace

std::string FileError::description() const
{
    if (!code)
        return {};
    return path + ": " + std::strerror(code);
}

// ---------------------------------------------------------------------------

NSDirectoryEnumerator::NSDirectoryEnumerator(std::string root)
    : m_root(std::move(root))
{
    struct stat st;
    if (::lstat(m_root.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        enter("");
}

void NSDirectoryEnumerator::registerMethods(objc::ClassBuilder<NSDirectoryEnumerator>& b)
{
    b.method<&NSDirectoryEnumerator::nextObject>("nextObject")
        .method<&NSDirectoryEnumerator::skipDescendants>("skipDescendants");
}

bool NSDirectoryEnumerator::enter(const std::string& relative)
{
    Level level;
    level.relative = relative;
    if (readNames(relative.empty() ? m_root : join(m_root, relative), level.names))
        return false;
    m_levels.push_back(std::move(level));
    return true;
}

RefPtr<NSString> NSDirectoryEnumerator::nextObject()
{
    if (m_hasPending) {
        m_hasPending = false;
        // The directory may have been moved or replaced since it was answered:
        // enter it only if a real directory is still there.
        struct stat st;
        std::string full = join(m_root, m_pendingDirectory);
        if (::lstat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            enter(m_pendingDirectory);
    }
    while (!m_levels.empty()) {
        Level& level = m_levels.back();
        if (level.next >= level.names.size()) {
            m_levels.pop_back();
            continue;
        }
        std::string relative = level.relative.empty() ? level.names[level.next] : join(level.relative, level.names[level.next]);
        ++level.next;
        struct stat st;
        if (::lstat(join(m_root, relative).c_str(), &st) != 0)
            continue; // gone since its directory was read
        if (S_ISDIR(st.st_mode)) {
            m_pendingDirectory = relative;
            m_hasPending = true;
        }
        return ns(relative);
    }
    return nullptr;
}

void NSDirectoryEnumerator::skipDescendants()
{
    m_hasPending = false;
}

// ---------------------------------------------------------------------------

void NSFileManager::registerMethods(objc::ClassBuilder<NSFileManager>& b)
{
    b.classMethod<&NSFileManager::defaultManager>("defaultManager");
}

RefPtr<NSFileManager> NSFileManager::defaultManager()
{
    static NSFileManager* shared = objc::make<NSFileManager>().leak();
    return RefPtr<NSFileManager>(shared);
}

bool NSFileManager::fileExistsAtPath(const std::string& path, bool* isDirectory) const
{
    struct stat st;
    bool exists = !path.empty() && ::stat(path.c_str(), &st) == 0;
    if (isDirectory)
        *isDirectory = exists && S_ISDIR(st.st_mode);
    return exists;
}

FileError NSFileManager::createDirectoryAtPath(const std::string& givenPath, bool withIntermediateDirectories) const
{
    std::string path = withoutTrailingSlashes(givenPath);
    if (path.empty())
        return failure(ENOENT, givenPath);
    if (linkExists(path))
        return failure(EEXIST, path);
    if (withIntermediateDirectories) {
        std::string parent = parentOf(path);
        struct stat st;
        if (parent != path && ::stat(parent.c_str(), &st) != 0) {
            if (auto error = createDirectoryAtPath(parent, true))
                return error;
        }
    }
    if (::mkdir(path.c_str(), 0777) != 0)
        return failure(errno, path);
    return {};
}

FileError NSFileManager::moveItemAtPath(const std::string& givenSource, const std::string& givenDestination) const
{
    std::string source = withoutTrailingSlashes(givenSource);
    std::string destination = withoutTrailingSlashes(givenDestination);
    if (source.empty() || destination.empty())
        return failure(ENOENT, source.empty() ? givenSource : givenDestination);
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, destination.c_str(), RENAME_NOREPLACE) == 0)
        return {};
    int code = errno;
    if (code == EXDEV)
        return moveAcrossFileSystems(source, destination);
    if (code == EINVAL && linkExists(source)) {
        // A file system without the no-replace rename: check, then rename.
        if (linkExists(destination))
            return failure(EEXIST, destination);
        if (::rename(source.c_str(), destination.c_str()) == 0)
            return {};
        code = errno;
        if (code == EXDEV)
            return moveAcrossFileSystems(source, destination);
    }
    return failure(code, code == EEXIST ? destination : source);
}

FileError NSFileManager::removeItemAtPath(const std::string& path) const
{
    if (path.empty() || !linkExists(path))
        return failure(ENOENT, path);
    return removeTree(path);
}

DirectoryListing NSFileManager::contentsOfDirectoryAtPath(const std::string& path) const
{
    DirectoryListing listing;
    listing.error = readNames(path, listing.names);
    if (listing.error)
        listing.names.clear();
    return listing;
}

RefPtr<NSDirectoryEnumerator> NSFileManager::enumeratorAtPath(const std::string& path) const
{
    return objc::make<NSDirectoryEnumerator>(withoutTrailingSlashes(path));
}

size_t NSFileManager::removeAbandonedMoves(const std::string& directory) const
{
    // The names siblingName gives: ".<name>.<purpose>-<pid>-<counter>".
    size_t removed = 0;
    std::vector<std::string> names;
    if (readNames(directory, names))
        return 0;
    for (auto& name : names) {
        if (name.size() < 2 || name[0] != '.')
            continue;
        auto dot = name.rfind('.');
        if (dot == 0 || dot == std::string::npos)
            continue;
        std::string work = name.substr(dot + 1);
        std::string purpose = work.substr(0, work.find('-'));
        if (purpose != "moving" && purpose != "moved")
            continue;
        std::string rest = work.substr(purpose.size());
        unsigned long pid = 0, counter = 0;
        char tail = 0;
        if (std::sscanf(rest.c_str(), "-%lu-%lu%c", &pid, &counter, &tail) != 2 || pid == 0)
            continue;
        if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH)
            continue; // its process still runs (or cannot be asked): not abandoned
        if (!removeTree(join(directory, name)))
            ++removed;
    }
    return removed;
}

} // namespace platform
