#include "hosts/itunesstored/StoreClasses.h"

namespace hosts::itunesstored {

void registerStoreClasses()
{
}

} // namespace hosts::itunesstored
