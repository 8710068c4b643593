// The stand-in Instagram: its classes, the system loaded into it, and its own
// start (the main controller created with the main feed source).

#include "apps/hosts/HostProgram.h"
#include "apps/simulator/DeviceLayout.h"
#include "hosts/instagram/InstagramClasses.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSBundle.h"
#include "platform/uikit/UIImage.h"

int main(int argc, char** argv)
{
    static objc::RefPtr<objc::Object> mainController;
    return hosts::runHostProgram(argc, argv, {
        .registerClasses = [] {
            // The program runs from its bundle on the device: its Info.plist
            // and its pictures are the main bundle's.
            std::string bundle = igtarvo::simulator::instagramBundlePath();
            platform::NSBundle::setMainBundlePath(bundle);
            platform::UIImage::setMainBundlePath(platform::Device::devicePath(bundle));
            hosts::instagram::registerInstagramClasses();
        },
        .launch = [] {
            auto source = platform::ns("main feed");
            auto controller = objc::send<objc::RefPtr<objc::Object>>(objc::objc_getClass("IGMainAppViewController"), "alloc");
            mainController = objc::send<objc::RefPtr<objc::Object>(objc::id)>(controller, "initWithMainFeedSource:", source.get());
        },
    });
}
