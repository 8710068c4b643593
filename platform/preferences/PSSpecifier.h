#pragma once
// One row of a settings page, as the Settings application's Preferences
// framework offers it to plug-ins: a cell type, a label, the row's
// properties (everything its row definition said: "key", "default",
// "defaults", "PostNotification", "footerText", "cellClass" ...), and the
// target that reads, writes and acts for it. Main thread.

#include "platform/foundation/NSValues.h"

namespace platform {

enum PSCellType : long {
    PSGroupCell = 0,
    PSLinkCell = 1,
    PSLinkListCell = 2,
    PSListItemCell = 3,
    PSTitleValueCell = 4,
    PSSliderCell = 5,
    PSSwitchCell = 6,
    PSStaticTextCell = 7,
    PSEditTextCell = 8,
    PSSegmentCell = 9,
    PSGiantIconCell = 10,
    PSGiantCell = 11,
    PSSecureEditTextCell = 12,
    PSButtonCell = 13,
    PSEditTextViewCell = 14,
};

// The cell type a row definition names ("PSSwitchCell" ...); -1 when unknown.
long PSCellTypeFromString(const std::string& name);

class PSSpecifier : public NSObject {
    OBJC_CLASS(PSSpecifier, NSObject)
public:
    PSSpecifier();
    ~PSSpecifier() override;
    static void registerMethods(objc::ClassBuilder<PSSpecifier>&);

    // A row with a label, a target, its setter and getter (nullptr for the
    // target's standard ones), a detail controller class and a cell type.
    static Ref<PSSpecifier> preferenceSpecifierNamed(NSString* name, id target, objc::SEL setter, objc::SEL getter,
        objc::Class detail, long cellType, long editPane);
    // A row built from one entry of a row-definition list; nil when the entry
    // is not a dictionary or names an unknown cell type.
    static RefPtr<PSSpecifier> specifierFromDefinition(id definition, id target);

    RefPtr<NSString> name() const { return m_name; }
    void setName(NSString* name) { m_name = name; }
    // The "id" property, else the label.
    RefPtr<NSString> identifier() const;
    void setIdentifier(NSString* identifier);
    long cellType() const { return m_cellType; }
    void setCellType(long type) { m_cellType = type; }
    RefPtr<Object> target() const { return m_target.lock(); }
    void setTarget(id target) { m_target = target; }
    objc::SEL setter() const { return m_setter; }
    objc::SEL getter() const { return m_getter; }
    // The action of a button row ("action" property), or nullptr.
    objc::SEL buttonAction() const { return m_action; }
    void setButtonAction(objc::SEL action) { m_action = action; }
    objc::Class detailControllerClass() const { return m_detail; }

    RefPtr<Object> propertyForKey(NSString* key) const;
    void setPropertyForKey(id value, NSString* key);
    void removePropertyForKey(NSString* key);
    Ref<NSDictionary> properties() const;
    // Convenience for the platform's own code.
    RefPtr<Object> property(const std::string& key) const { return m_properties->get(key); }
    std::string stringProperty(const std::string& key) const { return str(property(key).get()); }

private:
    RefPtr<NSString> m_name;
    long m_cellType { PSGroupCell };
    objc::WeakPtr<Object> m_target;
    objc::SEL m_setter { nullptr };
    objc::SEL m_getter { nullptr };
    objc::SEL m_action { nullptr };
    objc::Class m_detail { nullptr };
    Ref<NSMutableDictionary> m_properties;
};

} // namespace platform
