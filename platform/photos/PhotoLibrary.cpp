#include "platform/photos/PhotoLibrary.h"

#include "platform/foundation/Device.h"
#include "platform/media/MediaEngine.h"

#include <sqlite3.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

struct DatabaseDeleter { void operator()(sqlite3* db) const { sqlite3_close(db); } };
struct StatementDeleter { void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); } };
using Database = std::unique_ptr<sqlite3, DatabaseDeleter>;
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

void setError(std::string* error, const std::string& text)
{
    if (error)
        *error = text;
}

Database openDatabase(std::string* error)
{
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(PhotoLibrary::databasePath()).parent_path(), ec);
    sqlite3* raw = nullptr;
    if (sqlite3_open(PhotoLibrary::databasePath().c_str(), &raw) != SQLITE_OK) {
        setError(error, "cannot open the photo library: " + std::string(raw ? sqlite3_errmsg(raw) : "out of memory"));
        sqlite3_close(raw);
        return nullptr;
    }
    Database db(raw);
    sqlite3_busy_timeout(raw, 10000);
    const char* schema =
        "PRAGMA journal_mode=WAL;"
        "PRAGMA synchronous=NORMAL;"
        "CREATE TABLE IF NOT EXISTS assets ("
        "  number INTEGER NOT NULL UNIQUE,"
        "  file_name TEXT NOT NULL UNIQUE,"
        "  kind TEXT NOT NULL CHECK (kind IN ('photo', 'video')),"
        "  width INTEGER NOT NULL,"
        "  height INTEGER NOT NULL,"
        "  duration REAL NOT NULL,"
        "  creation_date REAL NOT NULL);";
    char* message = nullptr;
    if (sqlite3_exec(raw, schema, nullptr, nullptr, &message) != SQLITE_OK) {
        setError(error, "cannot prepare the photo library: " + std::string(message ? message : "?"));
        sqlite3_free(message);
        return nullptr;
    }
    return db;
}

bool exec(sqlite3* db, const char* sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

double now()
{
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

// Copies a file to a new path, refusing to replace anything there; a failed
// copy leaves nothing behind.
bool copyNewFile(const std::string& from, const std::string& to, std::string* error)
{
    int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        setError(error, from + ": " + std::strerror(errno));
        return false;
    }
    int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (out < 0) {
        setError(error, to + ": " + std::strerror(errno));
        ::close(in);
        return false;
    }
    std::vector<char> buffer(1 << 20);
    bool ok = true;
    for (;;) {
        ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n == 0)
            break;
        if (n < 0) {
            ok = false;
            setError(error, from + ": " + std::strerror(errno));
            break;
        }
        for (ssize_t done = 0; done < n;) {
            ssize_t w = ::write(out, buffer.data() + done, size_t(n - done));
            if (w < 0) {
                ok = false;
                setError(error, to + ": " + std::strerror(errno) + (errno == ENOSPC ? " (the disk is full)" : ""));
                break;
            }
            done += w;
        }
        if (!ok)
            break;
    }
    if (ok && ::fsync(out) != 0) {
        ok = false;
        setError(error, to + ": " + std::strerror(errno));
    }
    ::close(in);
    if (::close(out) != 0 && ok) {
        ok = false;
        setError(error, to + ": " + std::strerror(errno));
    }
    if (!ok)
        ::unlink(to.c_str());
    return ok;
}

// Lets `place` write the file under a temporary name in the library's folder,
// then takes the next number, gives the file its name and writes the row in
// one write transaction (so the transaction stays short however big the file).
std::optional<PhotoAsset> addAsset(PhotoAsset asset, const char* extension,
    const std::function<bool(const std::string& path, PhotoAsset& asset, std::string* error)>& place, std::string* error)
{
    Database db = openDatabase(error);
    if (!db)
        return std::nullopt;
    std::error_code ec;
    std::filesystem::create_directories(PhotoLibrary::folderPath(), ec);
    std::string temporary = PhotoLibrary::folderPath() + "/.incoming-" + std::to_string(::getpid()) + "-"
        + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "." + extension;
    if (!place(temporary, asset, error))
        return std::nullopt;
    auto fail = [&](const std::string& text) -> std::optional<PhotoAsset> {
        setError(error, text);
        ::unlink(temporary.c_str());
        return std::nullopt;
    };
    if (!exec(db.get(), "BEGIN IMMEDIATE"))
        return fail("the photo library is busy: " + std::string(sqlite3_errmsg(db.get())));
    auto rollback = [&] { exec(db.get(), "ROLLBACK"); };
    sqlite3_stmt* raw = nullptr;
    sqlite3_prepare_v2(db.get(), "SELECT COALESCE(MAX(number), 0) + 1 FROM assets", -1, &raw, nullptr);
    Statement next(raw);
    if (!next || sqlite3_step(next.get()) != SQLITE_ROW) {
        std::string text = "cannot read the photo library: " + std::string(sqlite3_errmsg(db.get()));
        rollback();
        return fail(text);
    }
    asset.number = long(sqlite3_column_int64(next.get(), 0));
    next.reset();
    // A name already taken (a file without its row) is passed over, never replaced.
    std::string path;
    for (;; ++asset.number) {
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%04ld.%s", asset.number, extension);
        asset.fileName = name;
        path = PhotoLibrary::folderPath() + "/" + asset.fileName;
        if (::link(temporary.c_str(), path.c_str()) == 0)
            break;
        if (errno != EEXIST) {
            std::string text = path + ": " + std::strerror(errno);
            rollback();
            return fail(text);
        }
    }
    ::unlink(temporary.c_str());
    asset.creationDate = now();
    sqlite3_prepare_v2(db.get(), "INSERT INTO assets (number, file_name, kind, width, height, duration, creation_date) VALUES (?, ?, ?, ?, ?, ?, ?)", -1, &raw, nullptr);
    Statement insert(raw);
    sqlite3_bind_int64(insert.get(), 1, asset.number);
    sqlite3_bind_text(insert.get(), 2, asset.fileName.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert.get(), 3, asset.kind.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(insert.get(), 4, asset.width);
    sqlite3_bind_int(insert.get(), 5, asset.height);
    sqlite3_bind_double(insert.get(), 6, asset.duration);
    sqlite3_bind_double(insert.get(), 7, asset.creationDate);
    bool inserted = sqlite3_step(insert.get()) == SQLITE_DONE;
    insert.reset();
    if (!inserted || !exec(db.get(), "COMMIT")) {
        setError(error, "cannot write the photo library: " + std::string(sqlite3_errmsg(db.get())));
        rollback();
        ::unlink(path.c_str());
        return std::nullopt;
    }
    return asset;
}

} // namespace

std::string PhotoLibrary::folderPath() { return Device::path("/var/mobile/Media/DCIM/100APPLE"); }
std::string PhotoLibrary::databasePath() { return Device::path("/var/mobile/Media/PhotoData/Photos.sqlite"); }

std::optional<PhotoAsset> PhotoLibrary::saveVideo(const std::string& path, std::string* error)
{
    if (!media::isPlayableVideo(path, error))
        return std::nullopt;
    auto info = media::probe(path, error);
    if (!info)
        return std::nullopt;
    PhotoAsset asset;
    asset.kind = "video";
    bool turned = info->rotation == 90 || info->rotation == 270;
    asset.width = turned ? info->height : info->width;
    asset.height = turned ? info->width : info->height;
    asset.duration = info->duration;
    return addAsset(asset, "MOV", [&](const std::string& to, PhotoAsset&, std::string* e) { return copyNewFile(path, to, e); }, error);
}

std::optional<PhotoAsset> PhotoLibrary::saveImageFile(const std::string& path, std::string* error)
{
    PhotoAsset asset;
    asset.kind = "photo";
    return addAsset(asset, "JPG", [&](const std::string& to, PhotoAsset& placed, std::string* e) {
        auto size = media::convertPictureToJPEG(path, to, e);
        if (!size)
            return false;
        placed.width = size->width;
        placed.height = size->height;
        return true;
    }, error);
}

std::vector<PhotoAsset> PhotoLibrary::assets(std::string* error)
{
    std::vector<PhotoAsset> list;
    if (::access(databasePath().c_str(), F_OK) != 0)
        return list;
    Database db = openDatabase(error);
    if (!db)
        return list;
    sqlite3_stmt* raw = nullptr;
    sqlite3_prepare_v2(db.get(), "SELECT number, file_name, kind, width, height, duration, creation_date FROM assets ORDER BY number", -1, &raw, nullptr);
    Statement select(raw);
    while (select && sqlite3_step(select.get()) == SQLITE_ROW) {
        PhotoAsset a;
        a.number = long(sqlite3_column_int64(select.get(), 0));
        a.fileName = reinterpret_cast<const char*>(sqlite3_column_text(select.get(), 1));
        a.kind = reinterpret_cast<const char*>(sqlite3_column_text(select.get(), 2));
        a.width = sqlite3_column_int(select.get(), 3);
        a.height = sqlite3_column_int(select.get(), 4);
        a.duration = sqlite3_column_double(select.get(), 5);
        a.creationDate = sqlite3_column_double(select.get(), 6);
        list.push_back(std::move(a));
    }
    return list;
}

} // namespace platform
