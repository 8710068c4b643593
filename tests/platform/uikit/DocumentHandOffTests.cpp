// Addresses and documents handed to the running application: its own
// schemes and documents opened in it reach its delegate on the main queue,
// with itself as the source; nothing else does.

#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSURL.h"
#include "platform/foundation/PropertyList.h"
#include "platform/mobilecoreservices/LSApplicationProxy.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIDocumentInteractionController.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace platform;

namespace {

// An application delegate and a document controller's delegate that log what they hear.
class Receiver : public NSObject {
    OBJC_CLASS(Receiver, NSObject)
public:
    static void registerMethods(objc::ClassBuilder<Receiver>& b)
    {
        b.method<&Receiver::openURL>("application:openURL:sourceApplication:annotation:")
            .method<&Receiver::willSend>("documentInteractionController:willBeginSendingToApplication:")
            .method<&Receiver::didSend>("documentInteractionController:didEndSendingToApplication:");
    }
    bool openURL(id, NSURL* url, NSString* source, id)
    {
        log.push_back(url->text() + " from " + (source ? str(source) : std::string("nil")) + (RunLoop::isMainThread() ? "" : " off the main thread"));
        return true;
    }
    void willSend(UIDocumentInteractionController*, NSString* app) { log.push_back("will send to " + str(app)); }
    void didSend(UIDocumentInteractionController*, NSString* app) { log.push_back("sent to " + str(app)); }
    std::vector<std::string> log;
};
OBJC_CLASS_DEFINE(Receiver)

class DocumentHandOff : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/igtarvo-handoff-XXXXXX";
        folder = ::mkdtemp(pattern);
        std::filesystem::create_directories(folder + "/Example.app");
        auto schemes = NSArray::create({ ns("Example") });
        auto type = NSDictionary::create({ { "CFBundleURLSchemes", schemes } });
        auto info = NSDictionary::create({ { "CFBundleIdentifier", ns("com.example.app") }, { "CFBundleURLTypes", NSArray::create({ type }) } });
        ASSERT_TRUE(writePropertyListFile(info, folder + "/Example.app/Info.plist", PropertyListFormat::XML));
        NSBundle::setMainBundlePath(folder + "/Example.app");
        receiver = objc::make<Receiver>();
        UIApplication::sharedApplication()->setDelegate(receiver.get());
    }
    void TearDown() override
    {
        RunLoop::runUntilIdle();
        UIApplication::sharedApplication()->setDelegate(nullptr);
        NSBundle::setMainBundlePath("");
        std::filesystem::remove_all(folder);
    }
    std::string folder;
    RefPtr<Receiver> receiver;
};

} // namespace

TEST_F(DocumentHandOff, AnAddressOfTheAppsOwnSchemeReachesItsDelegate)
{
    auto* app = UIApplication::sharedApplication();
    EXPECT_EQ(UIApplication::bundleIdentifier(), "com.example.app");
    EXPECT_TRUE(app->openURL(NSURL::create("example://post?eyJ0ZXh0IjoiaGkifQ==").get()));
    EXPECT_TRUE(receiver->log.empty()); // on the main queue's next turn
    RunLoop::runUntilIdle();
    EXPECT_EQ(receiver->log, (std::vector<std::string> { "example://post?eyJ0ZXh0IjoiaGkifQ== from com.example.app" }));

    // Another app's address goes to the system, not to this app.
    receiver->log.clear();
    app->openURL(NSURL::create("https://www.example.com/").get());
    RunLoop::runUntilIdle();
    EXPECT_TRUE(receiver->log.empty());
    EXPECT_EQ(app->openedURLs().back()->text(), "https://www.example.com/");
}

TEST_F(DocumentHandOff, ADocumentOpenedInTheRunningAppReachesItsDelegate)
{
    std::string file = folder + "/picture.igo";
    std::ofstream(file) << "picture";
    auto controller = UIDocumentInteractionController::interactionControllerWithURL(NSURL::fileURLWithPath(ns(file).get()).get());
    controller->setDelegate(receiver.get());
    auto self = LSApplicationProxy::applicationProxyForIdentifier(ns("com.example.app").get());
    ASSERT_TRUE(self);
    EXPECT_EQ(str(self->applicationIdentifier().get()), "com.example.app");

    EXPECT_TRUE(objc::send<bool(LSApplicationProxy*)>(controller, "_openDocumentWithApplication:", self.get()));
    RunLoop::runUntilIdle();
    EXPECT_EQ(receiver->log, (std::vector<std::string> { "will send to com.example.app", "sent to com.example.app",
                                 "file://" + file + " from com.example.app" }));

    // Not to an application that does not run here, not a missing file, not a web address.
    receiver->log.clear();
    auto other = LSApplicationProxy::applicationProxyForIdentifier(ns("com.example.other").get());
    EXPECT_FALSE(controller->openDocumentWithApplication(other.get()));
    EXPECT_FALSE(controller->openDocumentWithApplication(nullptr));
    controller->setURL(NSURL::fileURLWithPath(ns(folder + "/missing.igo").get()).get());
    EXPECT_FALSE(controller->openDocumentWithApplication(self.get()));
    controller->setURL(NSURL::create("https://www.example.com/picture.igo").get());
    EXPECT_FALSE(controller->openDocumentWithApplication(self.get()));
    RunLoop::runUntilIdle();
    EXPECT_TRUE(receiver->log.empty());
}
