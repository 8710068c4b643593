#include "hosts/springboard/SpringBoardClasses.h"
#include "hosts/springboard/BackBoardServices.h"
#include "hosts/springboard/FBApplicationProcess.h"
#include "hosts/springboard/SBApplication.h"
#include "hosts/springboard/SBApplicationController.h"

namespace hosts::springboard {

void registerSpringBoardClasses()
{
    SBApplicationController::staticClass();
    SBApplication::staticClass();
    FBApplicationProcess::staticClass();
    registerBackBoardServicesFunctions();
}

} // namespace hosts::springboard
