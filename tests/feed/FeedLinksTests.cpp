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
    links.push_back({ platform::NSMakeRange(40, 3), "x", objc::Ref<NSURL>(NSURL::URLWithString(ns("x.com").get()).get()) });
    markFeedLinks(text.get(), links);
    EXPECT_TRUE(text->attribute(kLinkAttributeName, 4));
    EXPECT_EQ(text->text(), "see example.com");
}
