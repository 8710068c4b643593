#pragma once
// The kit's calls that store into the device's photo library. A save runs on
// a global queue; then, on the main queue, the target is sent the completion
// selector with the saved path (or image), nil or the error, and the context
// pointer — as the platform's own calls do. The completion selectors take
//   video:didFinishSavingWithError:contextInfo:  (NSString*, NSError*, void*)
//   image:didFinishSavingWithError:contextInfo:  (UIImage*, NSError*, void*)

#include "platform/foundation/NSError.h"

namespace platform {

class UIImage;

// Whether the file at path (on this machine) is a video the library takes.
bool UIVideoAtPathIsCompatibleWithSavedPhotosAlbum(NSString* path);
// Copies the video at path into the library.
void UISaveVideoAtPathToSavedPhotosAlbum(NSString* path, id completionTarget, objc::SEL completionSelector, void* contextInfo);
// Stores the image as a JPEG in the library: the file it came from, or, for
// a picture made in memory, its pixels encoded as JPEG.
void UIImageWriteToSavedPhotosAlbum(UIImage* image, id completionTarget, objc::SEL completionSelector, void* contextInfo);

} // namespace platform
