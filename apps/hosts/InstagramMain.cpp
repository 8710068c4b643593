// The stand-in Instagram: its classes, the system loaded into it, and its own
// start (the main controller created with the main feed source).

#include "apps/hosts/HostProgram.h"
#include "hosts/instagram/InstagramClasses.h"
#include "platform/foundation/NSValues.h"

int main(int argc, char** argv)
{
    static objc::RefPtr<objc::Object> mainController;
    return hosts::runHostProgram(argc, argv, {
        .registerClasses = hosts::instagram::registerInstagramClasses,
        .launch = [] {
            auto source = platform::ns("main feed");
            auto controller = objc::send<objc::RefPtr<objc::Object>>(objc::objc_getClass("IGMainAppViewController"), "alloc");
            mainController = objc::send<objc::RefPtr<objc::Object>(objc::id)>(controller, "initWithMainFeedSource:", source.get());
        },
    });
}
