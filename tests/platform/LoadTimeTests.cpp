// Code that runs when a library is loaded: classes, their class-level load,
// categories. This test program is such a library: everything below ran
// before main.

#include "platform/foundation/NSValues.h"
#include "platform/objc/ClassBuilder.h"

#include <gtest/gtest.h>

using namespace objc;

namespace {

int g_vehicleLoads = 0;
int g_categoryRuns = 0;
bool g_vehicleRegisteredBeforeItsLoad = false;

class LoadedVehicle : public Object {
    OBJC_CLASS(LoadedVehicle, Object)
public:
    static void registerMethods(ClassBuilder<LoadedVehicle>&) { }
    static void load()
    {
        g_vehicleRegisteredBeforeItsLoad = objc_getClass("LoadedVehicle") != nullptr;
        ++g_vehicleLoads;
    }
};
OBJC_CLASS_LOAD(LoadedVehicle)

// Inherits its superclass's load but has none of its own.
class LoadedBicycle : public LoadedVehicle {
    OBJC_CLASS(LoadedBicycle, LoadedVehicle)
public:
    static void registerMethods(ClassBuilder<LoadedBicycle>&) { }
};
OBJC_CLASS_LOAD(LoadedBicycle)

class OnDemandBoat : public Object {
    OBJC_CLASS(OnDemandBoat, Object)
public:
    static void registerMethods(ClassBuilder<OnDemandBoat>&) { }
};
OBJC_CLASS_DEFINE(OnDemandBoat)

RefPtr<Object> honk(id, SEL) { return platform::ns("honk"); }

void addHonkCategory()
{
    ++g_categoryRuns;
    class_addMethod(LoadedVehicle::staticClass(), sel_registerName("honk"), reinterpret_cast<IMP>(&honk), impEncoding(&honk));
}
OBJC_CATEGORY_LOAD(VehicleHonk, &addHonkCategory)

}

TEST(LoadTime, AClassIsThereByNameOnceItsLibraryIsLoaded)
{
    EXPECT_NE(objc_getClass("LoadedVehicle"), nullptr);
    EXPECT_NE(objc_getClass("LoadedBicycle"), nullptr);
    EXPECT_EQ(class_getSuperclass(objc_getClass("LoadedBicycle")), objc_getClass("LoadedVehicle"));
}

TEST(LoadTime, AClassLevelLoadRunsOnceAfterItsClassIsRegisteredAndIsNotInherited)
{
    EXPECT_EQ(g_vehicleLoads, 1);
    EXPECT_TRUE(g_vehicleRegisteredBeforeItsLoad);
}

TEST(LoadTime, ACategoryIsInPlaceOnceItsLibraryIsLoaded)
{
    EXPECT_EQ(g_categoryRuns, 1);
    auto vehicle = make<LoadedBicycle>();
    EXPECT_EQ(platform::str(send<RefPtr<Object>>(vehicle.get(), "honk")), "honk");
}

TEST(LoadTime, AnOnDemandClassExistsOnlyOnceUsed)
{
    EXPECT_EQ(objc_getClass("OnDemandBoat"), nullptr);
    OnDemandBoat::staticClass();
    EXPECT_NE(objc_getClass("OnDemandBoat"), nullptr);
}

TEST(LoadTime, ThePlatformsOwnClassesAreThereWithoutBeingUsed)
{
    for (const char* name : { "NSString", "NSMutableDictionary", "NSURL", "NSIndexPath", "UIView", "UIAlertController", "UITableView", "NSFileManager" })
        EXPECT_NE(objc_getClass(name), nullptr) << name;
}
