// Addresses one program opens in another: the installed app that declares
// the scheme is found by its Info.plist, and its running process takes the
// address on its control channel; bad input there is refused.

#include "apps/hosts/OpenURLForwarding.h"
#include "tests/support/Hosts.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

TEST(OpenURLForwarding, TheAppDeclaringASchemeTakesItsAddresses)
{
    testsupport::TemporaryDevice device;
    EXPECT_EQ(hosts::processOpeningScheme("instagram"), "Instagram");
    EXPECT_EQ(hosts::processOpeningScheme("Instagram"), "Instagram");
    EXPECT_EQ(hosts::processOpeningScheme("https"), "");
    EXPECT_EQ(hosts::processOpeningScheme(""), "");

    auto instagram = testsupport::startHost("Instagram");
    ASSERT_NE(instagram.pid(), 0);
    EXPECT_EQ(testsupport::control("Instagram", "openurl instagram://app com.zr4.igtarvosettings"), "ok\n");
    EXPECT_EQ(testsupport::control("Instagram", "openurl").rfind("error:", 0), 0u);
    EXPECT_EQ(testsupport::control("Instagram", "openurl not-an-address").rfind("error:", 0), 0u);
    // The host still answers after what it was handed.
    EXPECT_FALSE(testsupport::control("Instagram", "pid").empty());
}
