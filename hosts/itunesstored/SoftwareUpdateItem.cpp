#include "hosts/itunesstored/SoftwareUpdateItem.h"

namespace hosts::itunesstored {

using namespace platform;

OBJC_CLASS_DEFINE(SoftwareUpdateItem)

void SoftwareUpdateItem::registerMethods(objc::ClassBuilder<SoftwareUpdateItem>& b)
{
    b.method<&SoftwareUpdateItem::bundleIdentifier>("bundleIdentifier").method<&SoftwareUpdateItem::updateDictionary>("updateDictionary");
}

objc::Ref<SoftwareUpdateItem> SoftwareUpdateItem::offering(const std::string& bundleIdentifier, const std::string& displayVersion)
{
    std::vector<objc::Ref<objc::Object>> offers;
    if (!displayVersion.empty())
        offers.push_back(NSDictionary::create({ { "version", NSDictionary::create({ { "display", ns(displayVersion) } }) } }));
    auto dictionary = NSDictionary::create({ { "offers", NSArray::create(std::move(offers)) } });
    return objc::make<SoftwareUpdateItem>(ns(bundleIdentifier), dictionary);
}

} // namespace hosts::itunesstored
