#pragma once
// Reposting a feed post through Instagram's own posting flow, started by the
// actions menu's Repost with the post's action row and the menu (whose strip
// says which watermark position was chosen; 0 when none was).
//
// A photo: "Downloading Image..." in the alert bar; the picture fetched off
// the main thread; on the main thread "Adding Watermark..." and the picture
// squared or watermarked; written as a PNG named after the picture's address
// with ".igo" into Instagram's temporary folder; the caption holder filled
// ("" when the post has no caption) before the file is handed to Instagram
// through a document interaction controller kept with the row. No picture,
// a picture that cannot be made, or a file that cannot be written ends
// with an error in the bar that hides by itself, and nothing is handed on.
//
// A video: saved to the photo library (with the watermark for a non-zero
// position) by TarvoVideoSaver, the saver's view in the row; once saved,
// "com.zr4.igtarvo.showlibrary" asks Instagram to open its camera on the
// library, and a caption the post has waits in the holder.
//
// Main thread; the photo's background part waits on the main thread's
// watermark step, which always answers.

#include "core/Hooking.h"

#include <string>

namespace igtarvo {

inline constexpr const char* kRepostImageErrorText = "Error: Could not get image for reposting";
inline constexpr const char* kRepostWriteErrorText = "Error: Could not save image for reposting";
inline constexpr const char* kInstagramBundleIdentifier = "com.burbn.instagram";

void repostFeedItem(id actionCell, id menu);

// The hand-off file's name for a picture address: its last path component
// without extension, plus ".igo" ("abc.jpg" gives "abc.igo"; "repost.igo"
// when the address has no file name).
std::string handOffFileName(const std::string& pictureAddressPath);

// Hands a file to Instagram through a new document interaction controller
// (interactionControllerWithURL:, _openDocumentWithApplication: with the
// application proxy of Instagram), kept alive by `keeper`'s
// tarvo_setShareController:, with `delegate` as its delegate when given.
// Answers whether the controller could be made and handed on.
bool openDocumentInInstagram(id fileURL, id keeper, id delegate);

} // namespace igtarvo
