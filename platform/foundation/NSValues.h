#pragma once
// The platform's value objects: strings, numbers, arrays, dictionaries, data
// and dates, as runtime objects so that they cross message sends. Each keeps
// its content in a plain C++ member for the platform's own code; the runtime
// methods registered for each are the ones the system and hosts send. Each
// class has a header of its own; this one brings them all.

#include "platform/foundation/NSArray.h"
#include "platform/foundation/NSData.h"
#include "platform/foundation/NSDate.h"
#include "platform/foundation/NSDictionary.h"
#include "platform/foundation/NSMutableArray.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/NSNumber.h"
#include "platform/foundation/NSObject.h"
#include "platform/foundation/NSString.h"
