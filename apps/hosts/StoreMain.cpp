// The stand-in itunesstored: the store's update service with the system
// loaded into it. Offers reach it through its control channel:
//
//   merge BUNDLE_ID=DISPLAY_VERSION ...   the store merges these offers (on its
//                                         own thread) and answers what it now
//                                         offers, one "BUNDLE_ID DISPLAY" a line
//   available                             what it offers now

#include "apps/hosts/HostProgram.h"
#include "hosts/itunesstored/SoftwareUpdateItem.h"
#include "hosts/itunesstored/SoftwareUpdatesStore.h"
#include "hosts/itunesstored/StoreClasses.h"
#include "platform/dispatch/Dispatch.h"

#include <thread>

using namespace hosts::itunesstored;
using objc::RefPtr;

namespace {

RefPtr<SoftwareUpdatesStore> g_store;

std::string describe(platform::NSArray* updates)
{
    std::string out;
    for (auto& item : updates->items()) {
        auto* update = static_cast<SoftwareUpdateItem*>(item.get());
        auto offers = update->updateDictionary()->get("offers");
        std::string display;
        if (auto* list = static_cast<platform::NSArray*>(offers.get()); list && list->count()) {
            auto version = static_cast<platform::NSDictionary*>(list->firstObject().get())->get("version");
            display = platform::str(static_cast<platform::NSDictionary*>(version.get())->get("display"));
        }
        out += platform::str(update->bundleIdentifier()) + " " + display + "\n";
    }
    return out.empty() ? "(no updates)\n" : out;
}

std::string merge(const std::vector<std::string>& args)
{
    std::vector<objc::Ref<objc::Object>> items;
    for (auto& arg : args) {
        auto eq = arg.find('=');
        items.push_back(SoftwareUpdateItem::offering(arg.substr(0, eq), eq == std::string::npos ? "" : arg.substr(eq + 1)));
    }
    auto offered = platform::NSArray::create(std::move(items));
    // The store merges on a thread of its own, which the filter may block.
    std::thread([offered] {
        objc::send<void(objc::id, MergeCompletion)>(g_store, "_mergeAvailableUpdates:withCompletionBlock:", offered.get(), MergeCompletion([](objc::id) { }));
    }).join();
    return describe(g_store->availableUpdates().get());
}

}

int main(int argc, char** argv)
{
    return hosts::runHostProgram(argc, argv, {
        .registerClasses = registerStoreClasses,
        .launch = [] { g_store = objc::make<SoftwareUpdatesStore>(); },
        .commands = {
            { "merge", merge },
            { "available", [](const std::vector<std::string>&) { return describe(g_store->availableUpdates().get()); } },
        },
    });
}
