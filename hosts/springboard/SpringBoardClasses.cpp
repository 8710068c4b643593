#include "hosts/springboard/SpringBoardClasses.h"

namespace hosts::springboard {

void registerSpringBoardClasses()
{
}

} // namespace hosts::springboard
