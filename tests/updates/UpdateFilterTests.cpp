#include "hosts/itunesstored/SoftwareUpdateItem.h"
#include "hosts/itunesstored/SoftwareUpdatesStore.h"
#include "hosts/itunesstored/StoreClasses.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/Preferences.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TemporaryDevice.h"
#include "tweak/Startup.h"
#include "updates/UpdateFilter.h"
#include "updates/VersionQuery.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace igtarvo;
using hosts::itunesstored::SoftwareUpdateItem;
using hosts::itunesstored::SoftwareUpdatesStore;
using testsupport::inChildProcess;

namespace {

struct Offer {
    std::string bundleIdentifier;
    std::string display; // "" for an item without offers
};

// Merges the offers into a fresh store with the filter installed; answers the
// identifiers and versions the store then offers, as "id display".
std::vector<std::string> mergeThroughFilter(const std::vector<Offer>& offers)
{
    std::vector<objc::Ref<Object>> items;
    for (auto& o : offers)
        items.push_back(SoftwareUpdateItem::offering(o.bundleIdentifier, o.display));
    auto store = objc::make<SoftwareUpdatesStore>();
    int completions = 0;
    objc::send<void(id, StoreMergeCompletion)>(store, "_mergeAvailableUpdates:withCompletionBlock:",
        platform::NSArray::create(items).get(), StoreMergeCompletion([&](id) { ++completions; }));
    EXPECT_EQ(completions, 1);
    std::vector<std::string> result;
    for (auto& item : store->availableUpdates()->items()) {
        auto* update = static_cast<SoftwareUpdateItem*>(item.get());
        auto offersList = update->updateDictionary()->get("offers");
        auto* list = static_cast<platform::NSArray*>(offersList.get());
        std::string display = list->count() ? platform::str(static_cast<platform::NSDictionary*>(static_cast<platform::NSDictionary*>(list->firstObject().get())->get("version").get())->get("display")) : "";
        result.push_back(platform::str(update->bundleIdentifier()) + " " + display);
    }
    return result;
}

// An Instagram item whose first offer is `offer` (any dictionary).
objc::Ref<Object> instagramItemWithOffer(objc::Ref<Object> offer)
{
    auto dictionary = platform::NSDictionary::create({ { "offers", platform::NSArray::create({ std::move(offer) }) } });
    return objc::make<SoftwareUpdateItem>(platform::ns("com.burbn.instagram"), dictionary);
}

// Merges the items into a fresh store with the filter installed; answers how
// many of them the store then offers.
size_t keptOf(std::vector<objc::Ref<Object>> items)
{
    auto store = objc::make<SoftwareUpdatesStore>();
    objc::send<void(id, StoreMergeCompletion)>(store, "_mergeAvailableUpdates:withCompletionBlock:",
        platform::NSArray::create(std::move(items)).get(), StoreMergeCompletion([](id) { }));
    return store->availableUpdates()->count();
}

void installFilter(const testsupport::HttpServer& server)
{
    hosts::itunesstored::registerStoreClasses();
    platform::Device::setSetting(platform::kSettingVersionServiceURL, platform::ns(server.url("/igversion.json")).get());
    startUpForProcess("itunesstored");
}

}

TEST(UpdateFilter, KeepsExactlyTheSupportedVersionAndPassesOtherAppsThroughInOrder)
{
    testsupport::TemporaryDevice device;
    testsupport::HttpServer server;
    server.respond(200, R"({"igVersion": 71701, "igVersionReadable": "7.17.1"})");
    EXPECT_TRUE(inChildProcess([&] {
        installFilter(server);
        EXPECT_EQ(mergeThroughFilter({ { "com.example.maps", "2.0" }, { "com.burbn.instagram", "7.17.1" }, { "com.example.mail", "1.1" } }),
            (std::vector<std::string> { "com.example.maps 2.0", "com.burbn.instagram 7.17.1", "com.example.mail 1.1" }));
    }));
    EXPECT_EQ(server.requestCount(), 1);
    EXPECT_EQ(server.paths(), std::vector<std::string> { "/igversion.json" });
}

TEST(UpdateFilter, WithBlockingSwitchedOffEveryUpdateIsKeptAndNoServiceAsked)
{
    testsupport::TemporaryDevice device;
    testsupport::HttpServer server;
    server.respond(200, R"({"igVersion": 71701, "igVersionReadable": "7.17.1"})");
    ASSERT_TRUE(platform::CFPreferencesSetAppValue("kBlockUnsupportedUpdates", platform::NSNumber::numberWithBool(false).get(), "com.zr4.igtarvo"));
    EXPECT_TRUE(inChildProcess([&] {
        installFilter(server);
        EXPECT_EQ(mergeThroughFilter({ { "com.burbn.instagram", "8.0" }, { "com.example.mail", "1.1" } }),
            (std::vector<std::string> { "com.burbn.instagram 8.0", "com.example.mail 1.1" }));
    }));
    EXPECT_EQ(server.requestCount(), 0);
}

TEST(UpdateFilter, DropsANewerOrMerelySimilarVersionButKeepsItemsWithoutOffers)
{
    testsupport::TemporaryDevice device;
    testsupport::HttpServer server;
    server.respond(200, R"({"igVersion": 71701, "igVersionReadable": "7.17.1"})");
    EXPECT_TRUE(inChildProcess([&] {
        installFilter(server);
        EXPECT_EQ(mergeThroughFilter({ { "com.burbn.instagram", "7.18" }, { "com.example.maps", "2.0" } }),
            std::vector<std::string> { "com.example.maps 2.0" });
        EXPECT_TRUE(mergeThroughFilter({ { "com.burbn.instagram", "7.17.1.0" } }).empty());
        EXPECT_EQ(mergeThroughFilter({ { "com.burbn.instagram", "" } }), std::vector<std::string> { "com.burbn.instagram " });
    }));
}

TEST(UpdateFilter, ComparesDisplayVersionsExactlyIncludingLetterCase)
{
    testsupport::TemporaryDevice device;
    testsupport::HttpServer server;
    server.respond(200, R"({"igVersion": 71701, "igVersionReadable": "7.17.1b"})");
    EXPECT_TRUE(inChildProcess([&] {
        installFilter(server);
        EXPECT_TRUE(mergeThroughFilter({ { "com.burbn.instagram", "7.17.1B" } }).empty());
    }));
}

TEST(UpdateFilter, WithoutAnAnswerEveryOfferedInstagramUpdateIsDropped)
{
    testsupport::TemporaryDevice device;
    testsupport::HttpServer noReadable, failing, garbled;
    noReadable.respond(200, R"({"igVersion": 71701})");
    failing.respond(500, "oops", "text/plain");
    garbled.respond(200, "not json", "text/plain");
    EXPECT_TRUE(inChildProcess([&] {
        installFilter(noReadable);
        EXPECT_TRUE(mergeThroughFilter({ { "com.burbn.instagram", "7.17.1" } }).empty());
        for (auto* server : { &failing, &garbled }) {
            platform::Device::setSetting(platform::kSettingVersionServiceURL, platform::ns(server->url("/igversion.json")).get());
            EXPECT_TRUE(mergeThroughFilter({ { "com.burbn.instagram", "7.17.1" } }).empty());
        }
        // Nobody listening at all.
        platform::Device::setSetting(platform::kSettingVersionServiceURL, platform::ns("http://127.0.0.1:1/igversion.json").get());
        EXPECT_TRUE(mergeThroughFilter({ { "com.burbn.instagram", "7.17.1" } }).empty());
    }));
    EXPECT_EQ(failing.requestCount(), 1);
    EXPECT_EQ(garbled.requestCount(), 1);
}

TEST(UpdateFilter, AsksTheServiceOncePerInstagramItem)
{
    testsupport::TemporaryDevice device;
    testsupport::HttpServer server;
    server.respond(200, R"({"igVersion": 71701, "igVersionReadable": "7.17.1"})");
    EXPECT_TRUE(inChildProcess([&] {
        installFilter(server);
        mergeThroughFilter({ { "com.burbn.instagram", "7.17.1" }, { "com.example.maps", "2.0" }, { "com.burbn.instagram", "7.19" } });
    }));
    EXPECT_EQ(server.requestCount(), 2);
}

TEST(UpdateFilter, AnOfferWithoutADisplayVersionIsDroppedAlsoWhenNoSupportedVersionIsKnown)
{
    testsupport::TemporaryDevice device;
    testsupport::HttpServer supported, noReadable, readableNotText;
    supported.respond(200, R"({"igVersion": 71701, "igVersionReadable": "7.17.1"})");
    noReadable.respond(200, R"({"igVersion": 71701})");
    readableNotText.respond(200, R"({"igVersion": 71701, "igVersionReadable": 7.17})");
    using platform::NSDictionary;
    EXPECT_TRUE(inChildProcess([&] {
        installFilter(supported);
        auto noDisplay = [] { return instagramItemWithOffer(NSDictionary::create({ { "version", NSDictionary::create() } })); };
        auto noVersion = [] { return instagramItemWithOffer(NSDictionary::create()); };
        auto emptyDisplay = [] { return instagramItemWithOffer(NSDictionary::create({ { "version", NSDictionary::create({ { "display", platform::ns("") } }) } })); };
        EXPECT_EQ(keptOf({ noDisplay() }), 0u) << "a supported version matches no missing one";
        EXPECT_EQ(keptOf({ noVersion() }), 0u);

        for (auto* server : { &noReadable, &readableNotText }) {
            platform::Device::setSetting(platform::kSettingVersionServiceURL, platform::ns(server->url("/igversion.json")).get());
            EXPECT_EQ(keptOf({ noDisplay() }), 0u) << "nothing supported matches nothing offered";
            EXPECT_EQ(keptOf({ noVersion() }), 0u);
            EXPECT_EQ(keptOf({ emptyDisplay() }), 0u) << "an empty display version is still no supported one";
        }
        platform::Device::setSetting(platform::kSettingVersionServiceURL, platform::ns("http://127.0.0.1:1/igversion.json").get());
        EXPECT_EQ(keptOf({ noDisplay() }), 0u) << "no answer at all";
    }));
}

TEST(UpdateFilter, AServiceThatNeverAnswersHoldsTheStoresThreadNoLongerThanTheQueryTimeOutAndItsMargin)
{
    testsupport::TemporaryDevice device;
    // A service that takes the connection and then says nothing, ever.
    int silent = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(silent, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(silent, 8), 0);
    socklen_t length = sizeof address;
    ::getsockname(silent, reinterpret_cast<sockaddr*>(&address), &length);
    std::string url = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/igversion.json";

    EXPECT_TRUE(inChildProcess([&] {
        hosts::itunesstored::registerStoreClasses();
        platform::Device::setSetting(platform::kSettingVersionServiceURL, platform::ns(url).get());
        platform::Device::setSetting(platform::kSettingVersionQueryTimeout, platform::NSNumber::numberWithDouble(0.5).get());
        startUpForProcess("itunesstored");
        ASSERT_EQ(versionQueryTimeout(), std::chrono::milliseconds(500));

        auto started = std::chrono::steady_clock::now();
        EXPECT_TRUE(mergeThroughFilter({ { "com.example.maps", "2.0" }, { "com.burbn.instagram", "7.17.1" } })
                == std::vector<std::string> { "com.example.maps 2.0" });
        auto held = std::chrono::steady_clock::now() - started;
        EXPECT_GE(held, std::chrono::milliseconds(500)) << "the filter did wait for the service";
        EXPECT_LE(held, versionQueryTimeout() + kVersionQueryDeliveryMargin);
    }));
    ::close(silent);
}
