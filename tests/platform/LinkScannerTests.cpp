#include "platform/foundation/LinkScanner.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using platform::LinkMatch;
using platform::LinkScanner;

namespace {

std::vector<std::string> linksIn(const std::string& text)
{
    std::vector<std::string> found;
    for (const LinkMatch& m : LinkScanner::scan(text))
        found.push_back(text.substr(m.byteStart, m.byteLength));
    return found;
}

using Links = std::vector<std::string>;

}

TEST(LinkScanner, FindsAddressesWithASchemeBareWebAddressesAndEmailAddresses)
{
    EXPECT_EQ(linksIn("read https://example.com/a/b?c=d#e now"), Links { "https://example.com/a/b?c=d#e" });
    EXPECT_EQ(linksIn("Visit www.example.com today"), Links { "www.example.com" });
    EXPECT_EQ(linksIn("see example.com/path?q=1 please"), Links { "example.com/path?q=1" });
    EXPECT_EQ(linksIn("write to user.name+tag@mail.example.co.uk soon"), Links { "user.name+tag@mail.example.co.uk" });
    EXPECT_EQ(linksIn("mailto:someone@example.org"), Links { "mailto:someone@example.org" });
    EXPECT_EQ(linksIn("instagram://user?username=foo"), Links { "instagram://user?username=foo" });
    EXPECT_EQ(linksIn("www.example.com:8080/x and HTTP://EXAMPLE.COM/ABC"), (Links { "www.example.com:8080/x", "HTTP://EXAMPLE.COM/ABC" }));
}

TEST(LinkScanner, FindsEveryLinkOfAPostInTextOrder)
{
    auto text = "Shot at example.com, prints on https://shop.example.net/p/1 or mail me@example.org!";
    EXPECT_EQ(linksIn(text), (Links { "example.com", "https://shop.example.net/p/1", "me@example.org" }));
}

TEST(LinkScanner, LeavesTrailingPunctuationOut)
{
    EXPECT_EQ(linksIn("See example.com/path?q=1."), Links { "example.com/path?q=1" });
    EXPECT_EQ(linksIn("Go to http://example.com/x!?"), Links { "http://example.com/x" });
    EXPECT_EQ(linksIn("mail user@example.com, thanks"), Links { "user@example.com" });
    EXPECT_EQ(linksIn("'www.example.com';"), Links { "www.example.com" });
    EXPECT_EQ(linksIn("\"http://quoted.com/x\""), Links { "http://quoted.com/x" });
    EXPECT_EQ(linksIn("example.com's page"), Links { "example.com" });
}

TEST(LinkScanner, KeepsBalancedParenthesesAndDropsAnUnopenedClosingOne)
{
    EXPECT_EQ(linksIn("https://en.wikipedia.org/wiki/Foo_(bar) is it"), Links { "https://en.wikipedia.org/wiki/Foo_(bar)" });
    EXPECT_EQ(linksIn("(see http://x.com/a)"), Links { "http://x.com/a" });
    EXPECT_EQ(linksIn("(see http://x.com/a_(b))."), Links { "http://x.com/a_(b)" });
    EXPECT_EQ(linksIn("(example.com)"), Links { "example.com" });
    EXPECT_EQ(linksIn("[http://x.com/list[1]]"), Links { "http://x.com/list[1]" });
}

TEST(LinkScanner, DoesNotMatchInsideWords)
{
    EXPECT_EQ(linksIn("abcexample.comfoo"), Links {});
    EXPECT_EQ(linksIn("#example.com @example.com _example.com"), Links {});
    EXPECT_EQ(linksIn("caf\xC3\xA9www.example.com"), Links {});
    EXPECT_EQ(linksIn("www.example.com\xC3\xA9t\xC3\xA9"), Links {});
    EXPECT_EQ(linksIn("user@example.com@other"), Links {});
}

TEST(LinkScanner, IgnoresWordsThatOnlyLookLikeAddresses)
{
    EXPECT_EQ(linksIn("file.txt v1.2.3 192.168.0.1 e.g. i.e. 3.14"), Links {});
    EXPECT_EQ(linksIn("the end.So what"), Links {});
    EXPECT_EQ(linksIn("http:// nothing https://"), Links {});
    EXPECT_EQ(linksIn("user@@example.com foo@bar a@b.c"), Links {});
    EXPECT_EQ(linksIn("www.example"), Links {});
}

TEST(LinkScanner, StopsAtCharactersNoAddressHolds)
{
    EXPECT_EQ(linksIn("example.com\xE2\x80\x94now"), Links { "example.com" }); // an em dash
    EXPECT_EQ(linksIn("<http://example.com/a>"), Links { "http://example.com/a" });
    EXPECT_EQ(linksIn("http://example.com/a b"), Links { "http://example.com/a" });
}

TEST(LinkScanner, CountsRangesInUtf16UnitsAfterAnyCharacters)
{
    // "é" is one unit, "😀" two, an invalid byte one.
    std::string text = "\xC3\xA9 \xF0\x9F\x98\x80 \xFF example.com";
    auto matches = LinkScanner::scan(text);
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(matches[0].byteStart, 10u);
    EXPECT_EQ(matches[0].utf16Start, 7u);
    EXPECT_EQ(matches[0].utf16Length, 11u);
    EXPECT_EQ(matches[0].kind, LinkMatch::Kind::Web);
}

TEST(LinkScanner, AcceptsAnyBytesAndKeepsMatchesInOrderWithinTheText)
{
    std::mt19937 random(7);
    std::string noise(1 << 20, '\0');
    for (char& c : noise)
        c = char(random() % 256);
    // Seed the noise with address material so that many attempts start.
    const char* pieces[] = { "http://", "www.", ".com", "@", "(", ")", " ", "mailto:", "%", ".", "example" };
    for (size_t i = 0; i < noise.size(); i += 61) {
        std::string piece = pieces[random() % std::size(pieces)];
        noise.replace(i, piece.size(), piece);
    }
    size_t lastEnd = 0;
    size_t count = 0;
    for (const LinkMatch& m : LinkScanner::scan(noise)) {
        ASSERT_GE(m.byteStart, lastEnd);
        ASSERT_LE(m.byteStart + m.byteLength, noise.size());
        ASSERT_GT(m.byteLength, 0u);
        lastEnd = m.byteStart + m.byteLength;
        ++count;
    }
    EXPECT_GT(count, 0u);
}

TEST(LinkScanner, HandlesPathologicalRunsOfAddressCharacters)
{
    std::string closers = "http://x.com/" + std::string(1 << 20, ')');
    EXPECT_EQ(linksIn(closers), Links { "http://x.com/" });
    std::string schemes;
    for (int i = 0; i < 100000; ++i)
        schemes += "http://";
    EXPECT_EQ(linksIn(schemes + "\xC3\xA9"), Links {});
    std::string dots;
    for (int i = 0; i < 500000; ++i)
        dots += "a.";
    EXPECT_EQ(linksIn(dots), Links {});
    EXPECT_EQ(linksIn(std::string("a\0b example.com", 15)), Links { "example.com" });
}

TEST(LinkScanner, KnowsTopLevelDomainsInAnyLetterCase)
{
    EXPECT_TRUE(LinkScanner::isKnownTopLevelDomain("com"));
    EXPECT_TRUE(LinkScanner::isKnownTopLevelDomain("COM"));
    EXPECT_TRUE(LinkScanner::isKnownTopLevelDomain("uk"));
    EXPECT_FALSE(LinkScanner::isKnownTopLevelDomain("txt"));
    EXPECT_FALSE(LinkScanner::isKnownTopLevelDomain("zz"));
}
