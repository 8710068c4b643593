#pragma once
// Instagram's main controller: created with the main feed source; opens the
// camera, on the photo library when asked.

#include "platform/foundation/NSValues.h"

namespace hosts::instagram {

using platform::NSString;
using objc::id;
using objc::RefPtr;

class IGMainAppViewController : public objc::Object {
    OBJC_CLASS(IGMainAppViewController, objc::Object)
public:
    static void registerMethods(objc::ClassBuilder<IGMainAppViewController>&);

    RefPtr<objc::Object> initWithMainFeedSource(id source);
    // Opens the camera; `library` opens it on the photo library.
    void presentCameraWithMetadata(id metadata, bool library);

    RefPtr<objc::Object> mainFeedSource() const { return m_source; }
    // How many times the camera was opened on the library.
    int cameraOpenedOnLibraryCount() const { return m_cameraOnLibrary; }

private:
    RefPtr<objc::Object> m_source;
    int m_cameraOnLibrary { 0 };
};

} // namespace hosts::instagram
