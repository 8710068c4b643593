#include "hosts/itunesstored/StoreClasses.h"
#include "hosts/itunesstored/SoftwareUpdateItem.h"
#include "hosts/itunesstored/SoftwareUpdatesStore.h"

namespace hosts::itunesstored {

void registerStoreClasses()
{
    SoftwareUpdatesStore::staticClass();
    SoftwareUpdateItem::staticClass();
}

} // namespace hosts::itunesstored
