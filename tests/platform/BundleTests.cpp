// Bundles at a path: their code loaded at run time, their principal class,
// their resources, and a missing or broken bundle as a readable value.

#include "platform/foundation/NSBundle.h"
#include "platform/foundation/PropertyList.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace platform;
namespace fs = std::filesystem;

namespace {

class Bundles : public ::testing::Test {
protected:
    Bundles()
    {
        char pattern[] = "/tmp/igtarvo-bundle-XXXXXX";
        m_dir = ::mkdtemp(pattern);
    }
    ~Bundles() override
    {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    // A bundle folder with an Info.plist naming executable and principal class.
    std::string makeBundle(const std::string& name, const std::string& executable, const std::string& principal)
    {
        std::string path = m_dir + "/" + name + ".bundle";
        fs::create_directories(path);
        std::map<std::string, Ref<Object>> info { { "CFBundleIdentifier", ns("com.example." + name) } };
        if (!executable.empty())
            info.emplace("CFBundleExecutable", ns(executable));
        if (!principal.empty())
            info.emplace("NSPrincipalClass", ns(principal));
        EXPECT_TRUE(writePropertyListFile(NSDictionary::create(info).get(), path + "/Info.plist", PropertyListFormat::XML));
        return path;
    }
    std::string m_dir;
};

long loadCount(objc::Class cls) { return objc::send<long>(cls, "loadCount"); }

}

TEST_F(Bundles, LoadingOpensTheCodeOnceAndItsClassesRegisterAsItLoads)
{
    std::string path = makeBundle("Probe", "Probe", "BundleProbePrincipal");
    fs::create_symlink(BUNDLE_PROBE_LIBRARY, path + "/Probe"); // one library file: loaded once per process
    auto bundle = NSBundle::bundleWithPath(path);
    ASSERT_TRUE(bundle);
    EXPECT_FALSE(bundle->isLoaded());

    EXPECT_TRUE(bundle->loadCode());
    EXPECT_TRUE(bundle->isLoaded());
    objc::Class principal = bundle->principalClass();
    ASSERT_TRUE(principal);
    EXPECT_STREQ(objc::class_getName(principal), "BundleProbePrincipal");
    EXPECT_EQ(principal, objc::objc_getClass("BundleProbePrincipal"));
    EXPECT_EQ(loadCount(principal), 1);

    // Again, and through another request for the same folder: one load.
    EXPECT_TRUE(bundle->loadCode());
    auto again = NSBundle::bundleWithPath(path + "/");
    EXPECT_EQ(again.get(), bundle.get());
    EXPECT_TRUE(objc::send<bool>(again, "load"));
    EXPECT_EQ(loadCount(principal), 1);
    EXPECT_EQ(bundle->loadError(), "");
    EXPECT_EQ(objc::send<RefPtr<objc::objc_class>>(bundle, "principalClass").get(), principal);
}

TEST_F(Bundles, AMissingOrBrokenBundleIsAValueAndNeverAThrow)
{
    EXPECT_FALSE(NSBundle::bundleWithPath(m_dir + "/Nothing.bundle"));

    auto unnamed = NSBundle::bundleWithPath(makeBundle("Unnamed", "", "Anything"));
    EXPECT_FALSE(unnamed->loadCode());
    EXPECT_NE(unnamed->loadError().find("names no executable"), std::string::npos);
    EXPECT_FALSE(unnamed->principalClass());

    auto missing = NSBundle::bundleWithPath(makeBundle("Missing", "Missing", "Anything"));
    EXPECT_FALSE(missing->loadCode());
    EXPECT_NE(missing->loadError().find("is missing"), std::string::npos);

    std::string brokenPath = makeBundle("Broken", "Broken", "Anything");
    testsupport::writeText(brokenPath + "/Broken", "not a library");
    auto broken = NSBundle::bundleWithPath(brokenPath);
    EXPECT_FALSE(broken->loadCode());
    EXPECT_FALSE(broken->isLoaded());
    EXPECT_NE(broken->loadError().find("does not load"), std::string::npos) << broken->loadError();
    EXPECT_FALSE(broken->principalClass());

    auto escaping = NSBundle::bundleWithPath(makeBundle("Escaping", "../Broken.bundle/Broken", "Anything"));
    EXPECT_FALSE(escaping->loadCode());
    EXPECT_NE(escaping->loadError().find("not a file of the bundle"), std::string::npos);
}

TEST_F(Bundles, APrincipalClassThatTheCodeDoesNotHoldIsNil)
{
    std::string path = makeBundle("Unknown", "Probe", "NoSuchClassAnywhere");
    fs::create_symlink(BUNDLE_PROBE_LIBRARY, path + "/Probe"); // one library file: loaded once per process
    auto bundle = NSBundle::bundleWithPath(path);
    EXPECT_FALSE(bundle->principalClass());
    EXPECT_TRUE(bundle->isLoaded());
}

TEST_F(Bundles, ResourcesAreFilesOfTheFolderAndNothingOutsideIt)
{
    std::string path = makeBundle("Resources", "", "");
    testsupport::writeText(path + "/heart.png", "png");
    testsupport::writeText(path + "/README", "text");
    testsupport::writeText(m_dir + "/secret.txt", "outside");
    fs::create_directories(path + "/folder.png");
    auto bundle = NSBundle::bundleWithPath(path);

    EXPECT_EQ(str(bundle->pathForResource(ns("heart").get(), ns("png").get())), path + "/heart.png");
    EXPECT_EQ(str(objc::send<RefPtr<NSString>>(bundle, "pathForResource:ofType:", ns("README").get(), static_cast<NSString*>(nullptr))), path + "/README");
    EXPECT_FALSE(bundle->pathForResource(ns("heart").get(), ns("jpg").get()));
    EXPECT_FALSE(bundle->pathForResource(ns("folder").get(), ns("png").get()));
    EXPECT_FALSE(bundle->pathForResource(ns("../secret").get(), ns("txt").get()));
    EXPECT_FALSE(bundle->pathForResource(ns("..").get(), nullptr));
    EXPECT_FALSE(bundle->pathForResource(nullptr, ns("png").get()));
}
