#include "hosts/instagram/InstagramClasses.h"
#include "hosts/instagram/IGMainAppViewController.h"

namespace hosts::instagram {

void registerInstagramClasses()
{
    IGMainAppViewController::staticClass();
}

} // namespace hosts::instagram
