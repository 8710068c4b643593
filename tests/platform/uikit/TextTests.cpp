#include "platform/foundation/NSMutableAttributedString.h"
#include "platform/foundation/NSURL.h"
#include "platform/uikit/UIColor.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {
std::vector<std::pair<NSRange, std::string>> linkRuns(NSAttributedString* text)
{
    std::vector<std::pair<NSRange, std::string>> runs;
    text->enumerateAttribute(ns("URL").get(), NSMakeRange(0, text->length()), 0, [&](id value, NSRange range, bool*) {
        runs.emplace_back(range, value ? str(value) : "-");
    });
    return runs;
}
}

TEST(NSAttributedString, AddedAttributesSplitAndJoinRuns)
{
    auto text = NSMutableAttributedString::create("see www.example.com now");
    auto blue = UIColor::blueColor();
    objc::send<void(NSString*, id, NSRange)>(text, "addAttribute:value:range:", ns("URL").get(), ns("http://www.example.com").get(), NSMakeRange(4, 15));
    text->addAttribute(NSForegroundColorAttributeName, blue.get(), NSMakeRange(4, 15));
    text->addAttribute(NSUnderlineStyleAttributeName, NSNumber::numberWithInteger(NSUnderlineStyleSingle).get(), NSMakeRange(4, 15));

    NSRange range;
    auto attributes = objc::send<RefPtr<NSDictionary>(unsigned long, NSRange*)>(text, "attributesAtIndex:effectiveRange:", 10UL, &range);
    ASSERT_TRUE(attributes);
    EXPECT_EQ(range, NSMakeRange(4, 15));
    EXPECT_EQ(attributes->count(), 3u);
    EXPECT_EQ(str(attributes->get("URL").get()), "http://www.example.com");

    text->attributesAtIndex(0, &range);
    EXPECT_EQ(range, NSMakeRange(0, 4));
    text->attributesAtIndex(20, &range);
    EXPECT_EQ(range, NSMakeRange(19, 4));
    EXPECT_EQ(linkRuns(text.get()), (std::vector<std::pair<NSRange, std::string>> {
        { NSMakeRange(0, 4), "-" }, { NSMakeRange(4, 15), "http://www.example.com" }, { NSMakeRange(19, 4), "-" } }));
}

TEST(NSAttributedString, RangesCountUTF16Units)
{
    // "é" is one unit, the emoji two.
    auto text = NSMutableAttributedString::create("é😀x");
    EXPECT_EQ(text->length(), 4u);
    text->addAttribute("URL", ns("u").get(), NSMakeRange(3, 1));
    auto piece = text->attributedSubstringFromRange(NSMakeRange(1, 2));
    ASSERT_TRUE(piece);
    EXPECT_EQ(piece->text(), "😀");
    NSRange range;
    EXPECT_EQ(str(text->attribute("URL", 3, &range).get()), "u");
    EXPECT_EQ(range, NSMakeRange(3, 1));
}

TEST(NSAttributedString, OutOfRangeChangesAreRefused)
{
    auto text = NSMutableAttributedString::create("abc");
    text->addAttribute("URL", ns("u").get(), NSMakeRange(2, 5));
    text->replaceCharactersInRange(NSMakeRange(4, 1), ns("z").get());
    EXPECT_EQ(text->text(), "abc");
    EXPECT_EQ(text->attribute("URL", 2).get(), nullptr);
    EXPECT_EQ(text->attributedSubstringFromRange(NSMakeRange(1, 3)).get(), nullptr);
    EXPECT_EQ(text->attributesAtIndex(3, nullptr).get(), nullptr);
}

TEST(NSAttributedString, ReplacedCharactersTakeTheAttributesOfWhatTheyReplace)
{
    auto text = NSMutableAttributedString::create("12 likes");
    text->addAttribute(NSForegroundColorAttributeName, UIColor::redColor().get(), NSMakeRange(0, 8));
    text->replaceCharactersInRange(NSMakeRange(0, 8), ns("3 likes").get());
    EXPECT_EQ(text->text(), "3 likes");
    NSRange range;
    EXPECT_TRUE(platform::isEqual(text->attribute(NSForegroundColorAttributeName, 6, &range).get(), UIColor::redColor().get()));
    EXPECT_EQ(range, NSMakeRange(0, 7));

    auto tail = NSAttributedString::create("!", { { "URL", ns("x") } });
    text->appendAttributedString(tail.get());
    EXPECT_EQ(text->text(), "3 likes!");
    EXPECT_EQ(str(text->attribute("URL", 7).get()), "x");
    EXPECT_EQ(text->attribute("URL", 6).get(), nullptr);
}

TEST(NSAttributedString, EnumerationCanRunBackwardsAndStop)
{
    auto text = NSMutableAttributedString::create("abcdef");
    text->addAttribute("URL", ns("1").get(), NSMakeRange(0, 2));
    text->addAttribute("URL", ns("2").get(), NSMakeRange(4, 2));
    std::vector<NSRange> seen;
    text->enumerateAttribute(ns("URL").get(), NSMakeRange(1, 5), NSAttributedStringEnumerationReverse, [&](id, NSRange r, bool* stop) {
        seen.push_back(r);
        if (seen.size() == 2)
            *stop = true;
    });
    EXPECT_EQ(seen, (std::vector<NSRange> { NSMakeRange(4, 2), NSMakeRange(2, 2) }));
}

TEST(NSAttributedString, EqualityComparesTextAndAttributes)
{
    auto a = NSMutableAttributedString::create("abc");
    auto b = NSMutableAttributedString::create("abc");
    EXPECT_TRUE(a->isEqual(b.get()));
    a->addAttribute("URL", ns("x").get(), NSMakeRange(0, 1));
    EXPECT_FALSE(a->isEqual(b.get()));
    b->addAttribute("URL", ns("x").get(), NSMakeRange(0, 1));
    EXPECT_TRUE(a->isEqual(b.get()));
}

TEST(NSURL, ParsesTheParts)
{
    auto url = NSURL::create("https://user@www.example.com:8080/a%20b/c?x=1&y=2#top");
    ASSERT_TRUE(url);
    EXPECT_EQ(str(url->scheme().get()), "https");
    EXPECT_EQ(str(url->user().get()), "user");
    EXPECT_EQ(str(url->host().get()), "www.example.com");
    EXPECT_EQ(url->port()->integerValue(), 8080);
    EXPECT_EQ(str(url->path().get()), "/a b/c");
    EXPECT_EQ(str(url->query().get()), "x=1&y=2");
    EXPECT_EQ(str(url->fragment().get()), "top");
    EXPECT_EQ(str(url->absoluteString().get()), "https://user@www.example.com:8080/a%20b/c?x=1&y=2#top");
}

TEST(NSURL, AnAddressWithoutSchemeIsOnlyAPath)
{
    auto url = NSURL::URLWithString(ns("www.example.com/page").get());
    ASSERT_TRUE(url);
    EXPECT_EQ(url->scheme().get(), nullptr);
    EXPECT_EQ(url->host().get(), nullptr);
    EXPECT_EQ(str(url->path().get()), "www.example.com/page");

    auto mail = NSURL::create("mailto://someone@example.com");
    EXPECT_EQ(str(mail->scheme().get()), "mailto");
    EXPECT_EQ(str(mail->host().get()), "example.com");
    auto app = NSURL::create("instagram://post?caption");
    EXPECT_EQ(str(app->host().get()), "post");
    EXPECT_EQ(str(app->query().get()), "caption");
}

TEST(NSURL, TextThatIsNotAnAddressGivesNil)
{
    EXPECT_EQ(NSURL::URLWithString(nullptr).get(), nullptr);
    EXPECT_EQ(NSURL::create("").get(), nullptr);
    EXPECT_EQ(NSURL::create("http://exa mple.com").get(), nullptr);
    EXPECT_EQ(NSURL::create("http://example.com/100%").get(), nullptr);
    EXPECT_EQ(NSURL::create("http://example.com/<b>").get(), nullptr);
    EXPECT_EQ(NSURL::create("a#b#c").get(), nullptr);
    EXPECT_EQ(NSURL::create("http://exa_mple.みんな/").get(), nullptr) << "no valid host name";
    EXPECT_EQ(NSURL::create("http://-bad.рф/").get(), nullptr);
    EXPECT_EQ(NSURL::create("http://example.com/caf\xE9").get(), nullptr) << "not UTF-8";
    EXPECT_NE(NSURL::create("http://example.com/100%25").get(), nullptr);
}

TEST(NSURL, InternationalHostsTakeTheirASCIIFormAndOtherTextIsPercentEncoded)
{
    auto url = NSURL::create("http://foobar.みんな/Русские_слова?q=café#ß");
    ASSERT_TRUE(url);
    EXPECT_EQ(url->text(), "http://foobar.xn--q9jyb4c/%D0%A0%D1%83%D1%81%D1%81%D0%BA%D0%B8%D0%B5_%D1%81%D0%BB%D0%BE%D0%B2%D0%B0?q=caf%C3%A9#%C3%9F");
    EXPECT_EQ(str(url->host().get()), "foobar.xn--q9jyb4c");
    EXPECT_EQ(str(url->path().get()), "/Русские_слова");
    EXPECT_EQ(NSURL::create("https://user@президент.рф:8443/")->text(), "https://user@xn--d1abbgf6aiiy.xn--p1ai:8443/");
    EXPECT_EQ(NSURL::create("http://www.bürgerentscheid-krankenhäuser.de")->text(), "http://www.xn--brgerentscheid-krankenhuser-xkc78d.de");
    EXPECT_EQ(NSURL::create("http://ﻡﻮﻘﻋ.ﻭﺯﺍﺭﺓ-ﺍﻼﺘﺻﺍﻼﺗ.ﻢﺻﺭ/")->text(), "http://xn--4gbrim.xn----ymcbaaajlc6dj7bxne2c.xn--wgbh1c/");
    // A host given percent-encoded is read first, as a browser does.
    EXPECT_EQ(NSURL::create("http://foobar.%E3%81%BF%E3%82%93%E3%81%AA/x")->text(), "http://foobar.xn--q9jyb4c/x");
    // Without a scheme everything is path: encoded, never converted.
    auto bare = NSURL::create("héllo.com/\"quoted\"");
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->text(), "h%C3%A9llo.com/%22quoted%22");
    EXPECT_EQ(str(bare->path().get()), "héllo.com/\"quoted\"");
    EXPECT_EQ(NSURL::create("HTTP://Example.COM/A")->text(), "HTTP://Example.COM/A") << "ASCII addresses stay as written";
}

TEST(NSURL, AHostWithAPortIsNoScheme)
{
    auto url = NSURL::create("example.com:8080/path");
    ASSERT_TRUE(url);
    EXPECT_EQ(url->scheme().get(), nullptr);
    EXPECT_EQ(str(url->path().get()), "example.com:8080/path");
    EXPECT_FALSE(NSURL::create("www.example.com:443")->scheme());
    EXPECT_EQ(str(NSURL::create("localhost:8080/x")->scheme().get()), "localhost") << "a scheme as far as the text can tell";
    EXPECT_EQ(str(NSURL::create("com.example.app:callback")->scheme().get()), "com.example.app");
    EXPECT_EQ(str(NSURL::create("tel:5551234")->scheme().get()), "tel");
}

TEST(NSURL, FileAddressesEncodeTheirPath)
{
    auto url = NSURL::fileURLWithPath(ns("/var/mobile/my file.mov").get());
    ASSERT_TRUE(url);
    EXPECT_EQ(url->text(), "file:///var/mobile/my%20file.mov");
    EXPECT_TRUE(url->isFileURL());
    EXPECT_EQ(str(url->path().get()), "/var/mobile/my file.mov");
}
