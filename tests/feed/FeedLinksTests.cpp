#include "feed/display/FeedLinks.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>

using namespace igtarvo;
using platform::ns;

namespace {

std::string opened(const std::string& tapped)
{
    auto url = addressToOpen(NSURL::URLWithString(ns(tapped).get()).get());
    return url ? url->text() : std::string("(nil)");
}

}

TEST(FeedLinks, TheEmailTestAgreesWithItsExpressionOnManyTexts)
{
    const std::regex expression(kEmailExpression, std::regex::icase);
    const std::string alphabet = "aZ09._%+-@.com";
    std::mt19937 random(11);
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        size_t length = random() % 14;
        for (size_t k = 0; k < length; ++k)
            text += alphabet[random() % alphabet.size()];
        ASSERT_EQ(matchesEmailExpression(text), std::regex_match(text, expression)) << "'" << text << "'";
    }
    for (const char* text : { "me@example.org", "ME@EXAMPLE.ORG", "a.b+c@d-e.co.uk", "me@example.museum", "me@example", "@example.org", "me@@example.org", "me@.org" })
        EXPECT_EQ(matchesEmailExpression(text), std::regex_match(std::string(text), expression)) << text;
}

TEST(FeedLinks, ATapOpensSchemelessAddressesCompletedAndOthersUnchanged)
{
    EXPECT_EQ(opened("www.example.com"), "http://www.example.com");
    EXPECT_EQ(opened("example.com/path?q=1"), "http://example.com/path?q=1");
    EXPECT_EQ(opened("me@example.org"), "mailto://me@example.org");
    EXPECT_EQ(opened("me@example.museum"), "http://me@example.museum"); // past the expression's four letters
    EXPECT_EQ(opened("https://example.com/a"), "https://example.com/a");
    EXPECT_EQ(opened("mailto:me@example.org"), "mailto:me@example.org");
    EXPECT_TRUE(isInstagramAddress(NSURL::URLWithString(ns("instagram://media?id=1").get()).get()));
    EXPECT_FALSE(isInstagramAddress(NSURL::URLWithString(ns("https://instagram.com").get()).get()));
}

TEST(FeedLinks, OnlyAnAddressThatStartsWithInstagramsSchemeIsInstagrams)
{
    auto is = [](const char* text) { return isInstagramAddress(NSURL::URLWithString(ns(text).get()).get()); };
    EXPECT_TRUE(is("instagram://user?username=foo"));
    EXPECT_FALSE(is("https://l.example.com/r?u=instagram://media?id=1"));
    EXPECT_FALSE(is("xinstagram://media"));
    EXPECT_FALSE(is("example.com/instagram://"));
    EXPECT_EQ(opened("https://l.example.com/r?u=instagram://media?id=1"), "https://l.example.com/r?u=instagram://media?id=1");
}

TEST(FeedLinks, ATapOpensInternationalAddressesWithTheirHostInASCII)
{
    EXPECT_EQ(opened("http://foobar.みんな/"), "http://foobar.xn--q9jyb4c/");
    EXPECT_EQ(opened("президент.рф"), "http://xn--d1abbgf6aiiy.xn--p1ai");
    EXPECT_EQ(opened("Google.Com"), "http://Google.Com");
    EXPECT_EQ(opened("example.com/café?q=ü"), "http://example.com/caf%C3%A9?q=%C3%BC");
    EXPECT_EQ(opened("example.com:8080/path"), "http://example.com:8080/path");
    EXPECT_EQ(opened("www.example.com:443"), "http://www.example.com:443");
}

TEST(FeedLinks, FindsTheLinksOfTheWorldsTextWithAddressesThatOpen)
{
    auto links = findFeedLinks("Visit http://foobar.みんな/ and Google.Com — 詳しくはexample.jp/案内。");
    ASSERT_EQ(links.size(), 3u);
    EXPECT_EQ(links[0].text, "http://foobar.みんな/");
    EXPECT_EQ(links[0].range, platform::NSMakeRange(6, 18));
    EXPECT_EQ(opened(links[0].text), "http://foobar.xn--q9jyb4c/");
    EXPECT_EQ(links[1].text, "Google.Com");
    EXPECT_EQ(links[2].text, "example.jp/案内");
    EXPECT_EQ(addressToOpen(links[2].address.get())->text(), "http://example.jp/%E6%A1%88%E5%86%85");
}

TEST(FeedLinks, LinksAreMadeFromTheTextAsItStandsAndCountedInUtf16)
{
    auto links = findFeedLinks("\xF0\x9F\x93\xB7 www.example.com and mailto:me@example.org");
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].text, "www.example.com");
    EXPECT_EQ(links[0].address->text(), "www.example.com"); // no scheme added
    EXPECT_EQ(links[0].range, platform::NSMakeRange(3, 15));
    EXPECT_EQ(links[1].address->text(), "mailto:me@example.org");
    EXPECT_TRUE(findFeedLinks("").empty());
    EXPECT_TRUE(findFeedLinks(std::string("\xFF\xFE\x00\xC3", 4)).empty());
}

TEST(FeedLinks, MarksSkipRangesThatDoNotFitTheText)
{
    auto text = platform::NSMutableAttributedString::create("see example.com");
    auto links = findFeedLinks("see example.com and more after it");
    links.push_back({ platform::NSMakeRange(40, 3), "x", NSURL::URLWithString(ns("x.com").get()).releaseNonNull() });
    markFeedLinks(text.get(), links);
    EXPECT_TRUE(text->attribute(kLinkAttributeName, 4));
    EXPECT_EQ(text->text(), "see example.com");
}
