// The stand-in itunesstored: the store's update service with the system
// loaded into it.

#include "apps/hosts/HostProgram.h"
#include "hosts/itunesstored/StoreClasses.h"

int main(int argc, char** argv)
{
    return hosts::runHostProgram(argc, argv, {
        .registerClasses = hosts::itunesstored::registerStoreClasses,
        .launch = [] { },
    });
}
