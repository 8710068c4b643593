#pragma once
// One update the App Store offers: the application's identifier and the
// store's description of the update ("offers": [{"version": {"display": …}}]).

#include "platform/foundation/NSValues.h"

namespace hosts::itunesstored {

using objc::RefPtr;
using platform::NSDictionary;
using platform::NSString;

class SoftwareUpdateItem : public objc::Object {
    OBJC_CLASS(SoftwareUpdateItem, objc::Object)
public:
    SoftwareUpdateItem() = default;
    SoftwareUpdateItem(RefPtr<NSString> bundleIdentifier, RefPtr<NSDictionary> updateDictionary)
        : m_bundleIdentifier(std::move(bundleIdentifier)), m_updateDictionary(std::move(updateDictionary)) { }
    static void registerMethods(objc::ClassBuilder<SoftwareUpdateItem>&);

    // An item offering `displayVersion` of the application (no offers when empty).
    static objc::Ref<SoftwareUpdateItem> offering(const std::string& bundleIdentifier, const std::string& displayVersion);

    RefPtr<NSString> bundleIdentifier() const { return m_bundleIdentifier; }
    RefPtr<NSDictionary> updateDictionary() const { return m_updateDictionary; }

private:
    RefPtr<NSString> m_bundleIdentifier;
    RefPtr<NSDictionary> m_updateDictionary;
};

} // namespace hosts::itunesstored
