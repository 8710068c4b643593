#include "platform/preferences/PSSpecifier.h"

#include <array>
#include <utility>

namespace platform {

OBJC_CLASS_LOAD(PSSpecifier)

namespace {
constexpr std::array<std::pair<const char*, long>, 15> kCellTypes { {
    { "PSGroupCell", PSGroupCell }, { "PSLinkCell", PSLinkCell }, { "PSLinkListCell", PSLinkListCell },
    { "PSListItemCell", PSListItemCell }, { "PSTitleValueCell", PSTitleValueCell }, { "PSSliderCell", PSSliderCell },
    { "PSSwitchCell", PSSwitchCell }, { "PSStaticTextCell", PSStaticTextCell }, { "PSEditTextCell", PSEditTextCell },
    { "PSSegmentCell", PSSegmentCell }, { "PSGiantIconCell", PSGiantIconCell }, { "PSGiantCell", PSGiantCell },
    { "PSSecureEditTextCell", PSSecureEditTextCell }, { "PSButtonCell", PSButtonCell }, { "PSEditTextViewCell", PSEditTextViewCell },
} };

objc::SEL selectorProperty(id definition, const char* key)
{
    std::string name = str(static_cast<NSDictionary*>(definition)->get(key).get());
    return name.empty() ? nullptr : objc::sel_registerName(name.c_str());
}
}

long PSCellTypeFromString(const std::string& name)
{
    for (auto& [text, type] : kCellTypes) {
        if (name == text)
            return type;
    }
    return -1;
}

PSSpecifier::PSSpecifier()
    : m_properties(NSMutableDictionary::create())
{
}

PSSpecifier::~PSSpecifier() = default;

Ref<PSSpecifier> PSSpecifier::preferenceSpecifierNamed(NSString* name, id target, objc::SEL setter, objc::SEL getter,
    objc::Class detail, long cellType, long)
{
    auto specifier = objc::make<PSSpecifier>();
    specifier->m_name = name;
    specifier->m_target = target;
    specifier->m_setter = setter;
    specifier->m_getter = getter;
    specifier->m_detail = detail;
    specifier->m_cellType = cellType;
    return specifier;
}

RefPtr<PSSpecifier> PSSpecifier::specifierFromDefinition(id definition, id target)
{
    if (!objc::object_isKindOfClass(definition, NSDictionary::staticClass()))
        return nullptr;
    auto* entry = static_cast<NSDictionary*>(definition);
    std::string cell = str(entry->get("cell").get());
    long type = cell.empty() ? PSGroupCell : PSCellTypeFromString(cell);
    if (type < 0)
        return nullptr;
    objc::Class detail = nullptr;
    if (std::string name = str(entry->get("detail").get()); !name.empty())
        detail = objc::objc_getClass(name.c_str());
    auto label = entry->get("label");
    auto specifier = preferenceSpecifierNamed(isString(label) ? static_cast<NSString*>(label.get()) : nullptr, target,
        selectorProperty(definition, "set"), selectorProperty(definition, "get"), detail, type, 0);
    for (auto& [key, value] : entry->entries())
        specifier->m_properties->set(key, value.get());
    specifier->m_action = selectorProperty(definition, "action");
    return specifier;
}

RefPtr<NSString> PSSpecifier::identifier() const
{
    auto id = m_properties->get("id");
    if (isString(id))
        return RefPtr<NSString>(static_cast<NSString*>(id.get()));
    return m_name;
}

void PSSpecifier::setIdentifier(NSString* identifier)
{
    m_properties->set("id", identifier);
}

RefPtr<Object> PSSpecifier::propertyForKey(NSString* key) const
{
    return key ? m_properties->get(key->str()) : nullptr;
}

void PSSpecifier::setPropertyForKey(id value, NSString* key)
{
    if (!key)
        return;
    if (value)
        m_properties->set(key->str(), value);
    else
        m_properties->remove(key->str());
}

void PSSpecifier::removePropertyForKey(NSString* key)
{
    if (key)
        m_properties->remove(key->str());
}

Ref<NSDictionary> PSSpecifier::properties() const
{
    return NSDictionary::create(m_properties->entries());
}

void PSSpecifier::registerMethods(objc::ClassBuilder<PSSpecifier>& b)
{
    b.method<&PSSpecifier::name>("name")
        .method<&PSSpecifier::setName>("setName:")
        .method<&PSSpecifier::identifier>("identifier")
        .method<&PSSpecifier::setIdentifier>("setIdentifier:")
        .method<&PSSpecifier::cellType>("cellType")
        .method<&PSSpecifier::setCellType>("setCellType:")
        .method<&PSSpecifier::target>("target")
        .method<&PSSpecifier::setTarget>("setTarget:")
        .method<&PSSpecifier::propertyForKey>("propertyForKey:")
        .method<&PSSpecifier::setPropertyForKey>("setProperty:forKey:")
        .method<&PSSpecifier::removePropertyForKey>("removePropertyForKey:")
        .method<&PSSpecifier::properties>("properties");
}

} // namespace platform
