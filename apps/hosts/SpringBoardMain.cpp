// The stand-in SpringBoard: the home screen's classes and the system loaded
// into it.

#include "apps/hosts/HostProgram.h"
#include "hosts/springboard/SpringBoardClasses.h"

int main(int argc, char** argv)
{
    return hosts::runHostProgram(argc, argv, {
        .registerClasses = hosts::springboard::registerSpringBoardClasses,
        .launch = [] { },
    });
}
