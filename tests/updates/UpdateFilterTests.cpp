#include "hosts/itunesstored/SoftwareUpdateItem.h"
#include "hosts/itunesstored/SoftwareUpdatesStore.h"
#include "hosts/itunesstored/StoreClasses.h"
#include "platform/foundation/Device.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TemporaryDevice.h"
#include "tweak/Startup.h"
#include "updates/UpdateFilter.h"

#include <gtest/gtest.h>

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

void installFilter(const testsupport::HttpServer& server)
{
    hosts::itunesstored::registerStoreClasses();
    platform::Device::setSetting(platform::kSettingVersionServiceURL, platform::ns(server.url("/igversion.json")));
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
            platform::Device::setSetting(platform::kSettingVersionServiceURL, platform::ns(server->url("/igversion.json")));
            EXPECT_TRUE(mergeThroughFilter({ { "com.burbn.instagram", "7.17.1" } }).empty());
        }
        // Nobody listening at all.
        platform::Device::setSetting(platform::kSettingVersionServiceURL, platform::ns("http://127.0.0.1:1/igversion.json"));
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
