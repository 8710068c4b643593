#pragma once
// Pressing and holding a feed photo or video saves it to the photo library,
// without the menu. The photo view (IGFeedPhotoView) gets its long-press
// recognizer once its picture has loaded, the video view
// (IGFeedItemVideoView) once its video has loaded; a view Instagram reuses
// for other posts keeps one recognizer, so a press saves once, and saves
// what the view shows at the moment of the press. Only the press's start
// (state began) saves. Main thread.
//
//   IGFeedPhotoView progressImageView:didLoadImage:withDataLength:
//                        Instagram's, then the recognizer (once per view)
//   IGFeedPhotoView tarvo_handleLongPress:   saves the photo (PhotoSaving.h)
//   IGFeedPhotoView tarvo_image:didFinishSavingWithError:contextInfo:
//                        the library save's completion: hides the bar
//   IGFeedItemVideoView videoPlayer:didLoadVideoInView:
//                        Instagram's, then the recognizer (once per view)
//   IGFeedItemVideoView tarvo_handleLongPress:
//                        saves the video (TarvoVideoSaver), the saver's view
//                        over the video until it is done

#include "core/Hooking.h"

namespace igtarvo {

HookRows longPressSaveRows();

} // namespace igtarvo
