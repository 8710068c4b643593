#pragma once
// The shortcut-item library's manager: shortcut items added to application
// icons, and choosing one as the user would (its callback runs on the main
// thread).

#include "hosts/springboard/shortcutitems/LSIApplicationShortcutItem.h"

#include <map>
#include <string>
#include <vector>

namespace hosts::springboard {

class LSIManager : public objc::Object {
    OBJC_CLASS(LSIManager, objc::Object)
public:
    static void registerMethods(objc::ClassBuilder<LSIManager>&);
    static LSIManager* sharedManager();

    bool isRunningInsideSpringBoard() const;
    void addShortcutItem(LSIApplicationShortcutItem* item, NSString* applicationID);
    // The items of an application's icon, in the order added.
    std::vector<RefPtr<LSIApplicationShortcutItem>> shortcutItems(const std::string& applicationID) const;
    // The user chooses the item of this type on the application's icon;
    // answers whether there was one.
    bool chooseShortcutItem(const std::string& applicationID, const std::string& type);

private:
    std::map<std::string, std::vector<RefPtr<LSIApplicationShortcutItem>>> m_items;
};

} // namespace hosts::springboard
