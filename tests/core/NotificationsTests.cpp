#include "core/InstagramSurface.h"
#include "core/Notifications.h"
#include "hosts/instagram/IGMainAppViewController.h"
#include "hosts/instagram/InstagramClasses.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/NSValues.h"
#include "tests/support/ChildProcess.h"
#include "tweak/Startup.h"

#include <gtest/gtest.h>

using namespace igtarvo;
using hosts::instagram::IGMainAppViewController;
using testsupport::inChildProcess;

namespace {

RefPtr<IGMainAppViewController> makeMainController()
{
    auto controller = objc::send<RefPtr<Object>>(objc::objc_getClass("IGMainAppViewController"), "alloc");
    auto result = objc::send<RefPtr<Object>(id)>(controller, "initWithMainFeedSource:", platform::ns("feed").get());
    return RefPtr<IGMainAppViewController>(static_cast<IGMainAppViewController*>(result.get()));
}

// Controllers of older and newer Instagram builds, for the camera fall-back order.
class StateCameraController : public Object {
    OBJC_CLASS(StateCameraController, Object)
public:
    static void registerMethods(objc::ClassBuilder<StateCameraController>& b)
    {
        b.method<&StateCameraController::presentCamera>("presentCameraWithMetadata:openWithState:");
    }
    void presentCamera(id metadata, long state) { states.push_back(state); metadataWasNil = metadata == nullptr; }
    std::vector<long> states;
    bool metadataWasNil = false;
};
OBJC_CLASS_DEFINE(StateCameraController)

class BothCamerasController : public StateCameraController {
    OBJC_CLASS(BothCamerasController, StateCameraController)
public:
    static void registerMethods(objc::ClassBuilder<BothCamerasController>& b)
    {
        b.method<&BothCamerasController::openToLibrary>("presentCameraWithMetadata:openToLibrary:");
    }
    void openToLibrary(id, bool library) { libraryOpens.push_back(library); }
    std::vector<bool> libraryOpens;
};
OBJC_CLASS_DEFINE(BothCamerasController)

}

TEST(LibraryObserver, EveryMainControllerOpensItsCameraOnTheLibraryOncePerNotification)
{
    EXPECT_TRUE(inChildProcess([] {
        hosts::instagram::registerInstagramClasses();
        startUpForProcess("Instagram");
        postLocalNotification(kShowLibraryNotification); // before any controller: nothing happens
        platform::RunLoop::runUntilIdle();

        auto first = makeMainController();
        auto second = makeMainController();
        postLocalNotification(kShowLibraryNotification);
        platform::RunLoop::runUntilIdle();
        EXPECT_EQ(first->cameraOpenedOnLibraryCount(), 1);
        EXPECT_EQ(second->cameraOpenedOnLibraryCount(), 1);
    }));
}

TEST(LibraryObserver, TheObserverKeepsItsControllerAlive)
{
    EXPECT_TRUE(inChildProcess([] {
        hosts::instagram::registerInstagramClasses();
        startUpForProcess("Instagram");
        objc::WeakPtr<IGMainAppViewController> weak;
        {
            auto controller = makeMainController();
            weak = controller;
        }
        auto alive = weak.lock();
        ASSERT_TRUE(alive);
        postLocalNotification(kShowLibraryNotification);
        platform::RunLoop::runUntilIdle();
        EXPECT_EQ(alive->cameraOpenedOnLibraryCount(), 1);
    }));
}

TEST(LibraryObserver, CameraPrefersOpenToLibraryThenOpenWithStateThenNothing)
{
    auto both = objc::make<BothCamerasController>();
    instagram::presentCameraOnPhotoLibrary(both.get());
    EXPECT_EQ(both->libraryOpens, std::vector<bool> { true });
    EXPECT_TRUE(both->states.empty());

    auto older = objc::make<StateCameraController>();
    instagram::presentCameraOnPhotoLibrary(older.get());
    EXPECT_EQ(older->states, std::vector<long> { 1 });
    EXPECT_TRUE(older->metadataWasNil);

    auto neither = objc::make<platform::NSString>("not a controller");
    instagram::presentCameraOnPhotoLibrary(neither.get()); // ignored
    instagram::presentCameraOnPhotoLibrary(nullptr);
}
