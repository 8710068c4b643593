#pragma once
// The device's photo library, stored as the phone stores it: the files under
// "/var/mobile/Media/DCIM/100APPLE/" numbered "IMG_0001.JPG", "IMG_0002.MOV", …
// and one row per asset in the SQLite database
// "/var/mobile/Media/PhotoData/Photos.sqlite".
//
// Guarantees:
//  - Numbers are never reused and never shared, also when several processes
//    save at once: the number is taken, the file placed and the row written
//    in one write transaction.
//  - A save that fails (not a playable video, not a picture, a full disk)
//    leaves neither a file nor a row behind.
// Every function may run on any thread; each opens the database for itself.

#include <optional>
#include <string>
#include <vector>

namespace platform {

struct PhotoAsset {
    long number = 0;
    std::string fileName;     // "IMG_0001.JPG"
    std::string kind;         // "photo" or "video"
    int width = 0;            // pixels
    int height = 0;
    double duration = 0;      // seconds; 0 for photos
    double creationDate = 0;  // seconds since 1970
};

class PhotoLibrary {
public:
    // Where the library keeps its files and its database (paths on this machine).
    static std::string folderPath();
    static std::string databasePath();

    // Copies a playable video file into the library; the asset, or nullopt
    // with the reason.
    static std::optional<PhotoAsset> saveVideo(const std::string& path, std::string* error = nullptr);
    // Stores a picture file (PNG, JPEG, …) as a JPEG in the library.
    static std::optional<PhotoAsset> saveImageFile(const std::string& path, std::string* error = nullptr);
    // Every asset, oldest first.
    static std::vector<PhotoAsset> assets(std::string* error = nullptr);
};

} // namespace platform
