#pragma once
// Saving a feed photo to the photo library, as the menu's "Save Media" and
// the long press on a photo do it: "Downloading Image..." in Instagram's
// alert bar (it stays up), the picture fetched off the main thread, then on
// the main thread "Saved Image!" in the HUD over `feedbackView` and the
// library save, whose completion is sent to `target` as
// tarvo_image:didFinishSavingWithError:contextInfo: (it hides the bar).
//
// When the address gives no picture (a failed download, bytes that are not
// a picture, no address at all) nothing is saved and the bar's text becomes
// kPhotoDownloadFailedText, shown as an error that hides by itself.
// Main thread.

#include "core/Hooking.h"

namespace igtarvo {

inline constexpr const char* kPhotoDownloadFailedText = "Error: Could not get image";
inline constexpr const char* kPhotoSavedSelector = "tarvo_image:didFinishSavingWithError:contextInfo:";

void savePhotoToLibrary(RefPtr<Object> url, RefPtr<Object> feedbackView, RefPtr<Object> target);

} // namespace igtarvo
