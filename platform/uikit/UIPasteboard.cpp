#include "platform/uikit/UIPasteboard.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/PropertyList.h"

#include <filesystem>

namespace platform {

OBJC_CLASS_LOAD(UIPasteboard)

namespace {
constexpr const char* kStringKey = "public.utf8-plain-text";
constexpr const char* kChangeCountKey = "changeCount";

RefPtr<NSDictionary> contents()
{
    auto plist = readPropertyListFile(Device::path(kGeneralPasteboardPath));
    if (!objc::object_isKindOfClass(plist, NSDictionary::staticClass()))
        return nullptr;
    return RefPtr<NSDictionary>(static_cast<NSDictionary*>(plist.get()));
}
}

UIPasteboard* UIPasteboard::generalPasteboard()
{
    static RefPtr<UIPasteboard> general = objc::make<UIPasteboard>();
    return general.get();
}

RefPtr<NSString> UIPasteboard::string() const
{
    auto board = contents();
    auto value = board ? board->get(kStringKey) : nullptr;
    return isString(value) ? RefPtr<NSString>(static_cast<NSString*>(value.get())) : nullptr;
}

long UIPasteboard::changeCount() const
{
    auto board = contents();
    auto value = board ? board->get(kChangeCountKey) : nullptr;
    return objc::object_isKindOfClass(value, NSNumber::staticClass()) ? static_cast<NSNumber*>(value.get())->integerValue() : 0;
}

bool UIPasteboard::setString(NSString* text)
{
    std::string file = Device::path(kGeneralPasteboardPath);
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ec);
    auto board = NSMutableDictionary::create();
    if (text)
        board->set(kStringKey, text);
    board->set(kChangeCountKey, NSNumber::numberWithInteger(changeCount() + 1).get());
    return writePropertyListFile(board, file, PropertyListFormat::XML);
}

void UIPasteboard::registerMethods(objc::ClassBuilder<UIPasteboard>& b)
{
    b.classMethod<&UIPasteboard::generalPasteboard>("generalPasteboard")
        .method<&UIPasteboard::string>("string")
        .method<&UIPasteboard::setString>("setString:")
        .method<&UIPasteboard::changeCount>("changeCount");
}

} // namespace platform
