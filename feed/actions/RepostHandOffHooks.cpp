#include "feed/actions/RepostHandOffHooks.h"
#include "core/InstagramFeedSurface.h"
#include "feed/actions/TarvoCaptionManger.h"
#include "feed/actions/TarvoRepost.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSJSONSerialization.h"
#include "platform/foundation/NSURL.h"

#include <optional>

namespace igtarvo {

using namespace platform;

namespace {

inline constexpr const char* kSettingsBundlePath = "/Library/PreferenceBundles/igTarvoSettings.bundle";

void applyPrefill(id cell)
{
    auto pending = TarvoCaptionManger::sharedManager()->take();
    if (auto text = prefillText(pending.caption, pending.username))
        instagram::setCaptionCellText(cell, *text);
}

Previous<RefPtr<Object>()> g_IGShareViewController_captionCell;

RefPtr<Object> IGShareViewController_captionCell(id self, SEL _cmd)
{
    RefPtr<Object> cell = g_IGShareViewController_captionCell(self, _cmd);
    applyPrefill(cell.get());
    return cell;
}

Previous<void(id)> g_IGShareViewController_setCaptionCell;

void IGShareViewController_setCaptionCell(id self, SEL _cmd, id cell)
{
    applyPrefill(cell);
    g_IGShareViewController_setCaptionCell(self, _cmd, cell);
}

Previous<void()> g_IGShareViewController_share;

void IGShareViewController_share(id self, SEL _cmd)
{
    TarvoCaptionManger::sharedManager()->take();
    g_IGShareViewController_share(self, _cmd);
}

Previous<bool(id, id, id, id)> g_AppDelegate_openURL;

bool AppDelegate_openURL(id self, SEL _cmd, id application, id url, id sourceApplication, id annotation)
{
    if (auto text = shareAddressText(url)) {
        auto bundle = NSBundle::bundleWithPath(Device::path(kSettingsBundlePath));
        auto path = bundle ? bundle->pathForResource(ns("instagram-image-share").get(), ns("igo").get()) : nullptr;
        if (path) {
            auto picture = NSURL::create("file://" + path->str());
            TarvoCaptionManger::sharedManager()->setPending(*text, std::nullopt);
            openDocumentInInstagram(picture.get(), self, nullptr);
        }
    }
    return g_AppDelegate_openURL(self, _cmd, application, url, sourceApplication, annotation);
}

const void* shareControllerKey() { return objc::sel_registerName("tarvo_shareController"); }

void AppDelegate_tarvo_setShareController(id self, SEL, id controller)
{
    objc::objc_setAssociatedObject(self, shareControllerKey(), controller, objc::AssociationPolicy::RetainNonatomic);
}

RefPtr<Object> AppDelegate_tarvo_shareController(id self, SEL)
{
    return objc::objc_getAssociatedObject(self, shareControllerKey());
}

} // namespace

std::optional<std::string> shareAddressText(id url)
{
    auto* address = objc::dynamicCast<NSURL>(url);
    if (!address || !address->scheme() || address->scheme()->str() != "instagram" || !address->query())
        return std::nullopt;
    auto query = address->query();
    if (!objc::respondsTo(query.get(), "base64decodedString"))
        return std::nullopt;
    auto decoded = objc::send<RefPtr<Object>>(query, "base64decodedString");
    if (!isString(decoded.get()))
        return std::nullopt;
    const std::string& json = str(decoded.get());
    auto object = objc::dynamicCast<NSDictionary>(NSJSONSerialization::JSONObjectWithData(std::vector<uint8_t>(json.begin(), json.end())));
    auto text = object ? object->get("text") : nullptr;
    if (!isString(text.get()))
        return std::nullopt;
    return str(text.get());
}

std::optional<std::string> prefillText(const std::optional<std::string>& caption, const std::optional<std::string>& username)
{
    if (!caption || caption->empty())
        return std::nullopt;
    if (username && !username->empty())
        return "#Repost @" + *username + ": " + *caption;
    return *caption;
}

HookRows repostHandOffRows()
{
    return {
        replaced<g_IGShareViewController_captionCell, &IGShareViewController_captionCell>(kInstagramProcess, "IGShareViewController", "captionCell"),
        replaced<g_IGShareViewController_setCaptionCell, &IGShareViewController_setCaptionCell>(kInstagramProcess, "IGShareViewController", "setCaptionCell:"),
        replaced<g_IGShareViewController_share, &IGShareViewController_share>(kInstagramProcess, "IGShareViewController", "share"),
        replaced<g_AppDelegate_openURL, &AppDelegate_openURL>(kInstagramProcess, "AppDelegate", "application:openURL:sourceApplication:annotation:"),
        added<&AppDelegate_tarvo_setShareController>(kInstagramProcess, "AppDelegate", "tarvo_setShareController:", "v@:@"),
        added<&AppDelegate_tarvo_shareController>(kInstagramProcess, "AppDelegate", "tarvo_shareController", "@@:"),
    };
}

} // namespace igtarvo
