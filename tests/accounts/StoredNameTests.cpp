#include "accounts/AccountNames.h"
#include "accounts/NSStringBase64.h"
#include "platform/foundation/NSValues.h"

#include <gtest/gtest.h>

using platform::ns;

namespace {

class StoredNames : public ::testing::Test {
protected:
    StoredNames() { igtarvo::addBase64CategoryToNSString(); }

    static objc::RefPtr<objc::Object> decoded(const std::string& text)
    {
        return objc::send<objc::RefPtr<objc::Object>>(ns(text), "base64decodedString");
    }
};

}

TEST_F(StoredNames, TheCategoryEncodesTheUTF8BytesAsPaddedBase64)
{
    auto encode = [](const std::string& text) { return platform::str(objc::send<objc::RefPtr<objc::Object>>(ns(text), "base64encodedString").get()); };
    EXPECT_EQ(encode("Default"), "RGVmYXVsdA==");
    EXPECT_EQ(encode("work"), "d29yaw==");
    EXPECT_EQ(encode("abc"), "YWJj");
    EXPECT_EQ(encode("Zoë 🎉"), "Wm/DqyDwn46J");
    EXPECT_EQ(encode(""), "");
    EXPECT_EQ(encode(std::string(100, 'x')).find('\n'), std::string::npos) << "no line breaks, however long";
    EXPECT_EQ(igtarvo::storedAccountName("Default"), "RGVmYXVsdA==");
}

TEST_F(StoredNames, DecodingGivesBackThePlainName)
{
    for (std::string name : { "Default", "work", "a", "ab", "abc", "Zoë 🎉", "with space", "x\ny" })
        EXPECT_EQ(igtarvo::plainAccountName(igtarvo::storedAccountName(name)), name);
    EXPECT_EQ(platform::str(decoded("Wm/DqyDwn46J").get()), "Zoë 🎉");
}

TEST_F(StoredNames, TextThatIsNotStrictBase64OrNotUTF8DecodesToNil)
{
    for (const char* text : { "RGVmYXVsdA", "RGVmYXVsdA=", "RGVm YXVsdA==", "RGVmYXVsdA==\n", "R=VmYXVsdA==", "RGVmYXVsdA=a", "!!!!", "/w==", "wMA=", "7aCA" })
        EXPECT_EQ(decoded(text), nullptr) << text;
    EXPECT_EQ(igtarvo::plainAccountName("not base64"), std::nullopt);
}

TEST_F(StoredNames, EachPlainNameHasExactlyOneStoredName)
{
    // "QQ==" is "A"; the same six bits followed by other unused bits are not.
    EXPECT_EQ(platform::str(decoded("QQ==").get()), "A");
    EXPECT_EQ(platform::str(decoded("QUI=").get()), "AB");
    for (const char* text : { "QR==", "QT==", "QUJ=", "QUL=", "RGVmYXVsdB==" })
        EXPECT_EQ(decoded(text), nullptr) << text;
    EXPECT_EQ(igtarvo::plainAccountName("RGVmYXVsdB=="), std::nullopt);
    EXPECT_EQ(igtarvo::plainAccountName("RGVmYXVsdA=="), "Default");
}

TEST_F(StoredNames, TheMethodsAreAddedOnceWithTheirEncodings)
{
    igtarvo::addBase64CategoryToNSString();
    for (const char* selector : { "base64encodedString", "base64decodedString" }) {
        objc::Method method = objc::class_getInstanceMethod(platform::NSString::staticClass(), objc::sel_registerName(selector));
        ASSERT_NE(method, nullptr) << selector;
        EXPECT_STREQ(objc::method_getTypeEncoding(method), "@@:") << selector;
    }
}

TEST(AccountNameForms, APlainNameMustBeOnePathComponent)
{
    for (std::string good : { std::string("Default"), std::string("a"), std::string("..."), std::string(".hidden"), std::string("Zoë 🎉"), std::string("a\\b"), std::string(255, 'x') })
        EXPECT_TRUE(igtarvo::isUsableAccountName(good)) << good;
    for (std::string bad : { std::string(), std::string("."), std::string(".."), std::string("a/b"), std::string("/"), std::string("x\0y", 3), std::string(256, 'x') })
        EXPECT_FALSE(igtarvo::isUsableAccountName(bad)) << bad;
}
