#include "tests/feed/FeedScreen.h"
#include "tests/support/ChildProcess.h"

#include "feed/actions/FeedItemActionsHooks.h"
#include "feed/actions/RepostHandOffHooks.h"
#include "feed/actions/TarvoCaptionManger.h"
#include "feed/actions/TarvoRepost.h"
#include "hosts/instagram/IGAlertBar.h"
#include "hosts/instagram/IGAlertHUD.h"
#include "hosts/instagram/IGShareViewController.h"
#include "platform/graphics/CGImage.h"
#include "platform/photos/PhotoLibrary.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UserInput.h"

#include <filesystem>
#include <fstream>

using namespace feedtest;
using testsupport::inChildProcess;

namespace {

RefPtr<UIButton> moreActionsButton(id cell)
{
    return objc::dynamicCast<UIButton>(objc::send<RefPtr<objc::Object>>(cell, "actionButton"));
}

// Taps a post's more-actions button; answers the menu it presented.
RefPtr<UIAlertController> openMenu(FeedScreen& screen, long post)
{
    auto cell = screen.actionCell(post);
    auto button = moreActionsButton(cell.get());
    if (!button)
        return nullptr;
    UserInput::tapControl(button.get());
    FeedScreen::settle();
    return objc::dynamicCast<UIAlertController>(screen.top());
}

std::vector<std::string> entriesOf(UIAlertController* menu)
{
    std::vector<std::string> titles;
    for (auto& action : menu->actionList())
        titles.push_back(str(action->title().get()));
    return titles;
}

std::string pasteboardString()
{
    auto pasteboard = objc::send<RefPtr<objc::Object>>(objc::objc_getClass("UIPasteboard"), "generalPasteboard");
    return str(objc::send<RefPtr<objc::Object>>(pasteboard, "string").get());
}

void setPasteboardString(const std::string& text)
{
    auto pasteboard = objc::send<RefPtr<objc::Object>>(objc::objc_getClass("UIPasteboard"), "generalPasteboard");
    objc::send<bool(id)>(pasteboard, "setString:", ns(text).get());
}

size_t libraryCount(const char* kind)
{
    size_t n = 0;
    for (auto& asset : PhotoLibrary::assets())
        n += asset.kind == kind;
    return n;
}

std::string alertBarText() { return IGAlertBar::sharedAlertBar()->text(); }

// An action row of Instagram's, made outside the feed's collection view and
// showing a post.
RefPtr<IGFeedItemActionCell> detachedActionCell(FeedScreen& screen, id item)
{
    auto cell = objc::make<IGFeedItemActionCell>();
    objc::send<RefPtr<objc::Object>(CGRect)>(cell, "initWithFrame:", CGRectMake(0, 0, 320, 46));
    objc::send<void(id)>(cell, "setFeedItem:", item);
    cell->setNavigationController(screen.feed()->navigationController().get());
    return cell;
}

// A post like the sample's photo post whose only photo address answers 404.
Ref<IGFeedItem> postWithMissingPhoto(FeedScreen& screen)
{
    auto item = IGFeedItem::create(0, 0);
    item->setUser(IGUser::create("lena.sails", "", "2001"));
    item->setMediaType(IGMediaTypePhoto);
    item->setCaption(IGCaption::create("gone"));
    auto version = NSMutableDictionary::create();
    version->set("url", ns(screen.service()->url("/media/missing.jpg")).get());
    item->setPhoto(IGPhoto::create(NSArray::create({ version })));
    return item;
}

} // namespace

TEST(FeedActions, TheMoreActionsButtonTakesTheSizeOfInstagramsMoreButtonJustLeftOfIt)
{
    EXPECT_TRUE(inChildProcess([] {
        FeedScreen screen;
        ASSERT_EQ(screen.feed()->items().size(), 6u);
        auto cell = screen.actionCell(OtherUsersPhoto);
        ASSERT_TRUE(cell);
        auto button = moreActionsButton(cell.get());
        ASSERT_TRUE(button);
        cell->layoutIfNeeded();
        CGRect more = cell->moreButton()->frame();
        CGRect mine = button->frame();
        EXPECT_DOUBLE_EQ(mine.size.width, more.size.width);
        EXPECT_DOUBLE_EQ(mine.size.height, more.size.height);
        EXPECT_DOUBLE_EQ(mine.origin.x + mine.size.width, cell->bounds().size.width - more.size.width);
        EXPECT_DOUBLE_EQ(mine.origin.y + mine.size.height / 2, more.origin.y + more.size.height / 2);
        EXPECT_FALSE(button->isHidden());
        EXPECT_TRUE(button->currentImage()) << "the bundle's menu picture";

        // A second request leaves the one button.
        size_t before = cell->subviewList().size();
        objc::send<void>(cell, "addTarvoMoreActionsButton");
        EXPECT_EQ(cell->subviewList().size(), before);
        EXPECT_EQ(moreActionsButton(cell.get()).get(), button.get());
    }));
}

TEST(FeedActions, AnAdvertisementShowsNoMoreActionsButtonAndTheSameRowShowsItAgainForAPost)
{
    EXPECT_TRUE(inChildProcess([] {
        FeedScreen screen;
        auto cell = screen.actionCell(SponsoredPhoto);
        ASSERT_TRUE(cell);
        cell->layoutIfNeeded();
        ASSERT_TRUE(moreActionsButton(cell.get()));
        EXPECT_TRUE(moreActionsButton(cell.get())->isHidden());
        // Instagram reuses the row for an ordinary post.
        objc::send<void(id)>(cell, "setFeedItem:", screen.item(OtherUsersPhoto));
        cell->setNeedsLayout();
        cell->layoutIfNeeded();
        EXPECT_FALSE(moreActionsButton(cell.get())->isHidden());
    }));
}

TEST(FeedActions, TheMenuOfAnotherUsersPostHasFourEntriesWithRepostSecondAndOnesOwnHasThree)
{
    EXPECT_TRUE(inChildProcess([] {
        FeedScreen screen;
        auto menu = openMenu(screen, OtherUsersPhoto);
        ASSERT_TRUE(menu);
        EXPECT_EQ(str(menu->title().get()), "igTarvo Actions");
        EXPECT_EQ(str(menu->message().get()), "Select an action below");
        EXPECT_EQ(entriesOf(menu.get()), (std::vector<std::string> { "Copy Caption", "Repost", "Save Media", "Cancel" }));
        EXPECT_EQ(menu->actionList().back()->style(), UIAlertActionStyleDestructive);
        EXPECT_FALSE(objc::send<bool>(menu, "isForCurrentUser"));
        ASSERT_TRUE(UserInput::chooseAlertAction(menu.get(), "Cancel"));
        FeedScreen::settle();
        EXPECT_FALSE(objc::dynamicCast<UIAlertController>(screen.top()));

        auto own = openMenu(screen, OwnPhoto);
        ASSERT_TRUE(own);
        EXPECT_EQ(entriesOf(own.get()), (std::vector<std::string> { "Copy Caption", "Save Media", "Cancel" }));
        EXPECT_TRUE(objc::send<bool>(own, "isForCurrentUser"));
    }));
}

TEST(FeedActions, SaveMediaOnAPhotoPutsTheServedPictureInTheLibraryOnce)
{
    EXPECT_TRUE(inChildProcess([] {
        FeedScreen screen;
        size_t photos = libraryCount("photo");
        auto menu = openMenu(screen, OtherUsersPhoto);
        ASSERT_TRUE(UserInput::chooseAlertAction(menu.get(), "Save Media"));
        EXPECT_TRUE(FeedScreen::runUntil([&] { return libraryCount("photo") == photos + 1 && !IGAlertBar::sharedAlertBar()->isShown(); }));
        FeedScreen::settle();
        EXPECT_EQ(libraryCount("photo"), photos + 1);
        auto assets = PhotoLibrary::assets();
        ASSERT_FALSE(assets.empty());
        EXPECT_EQ(assets.back().width, 640);
        EXPECT_EQ(assets.back().height, 480);
        EXPECT_EQ(IGAlertHUD::sharedHUD()->shownTexts().back(), "Saved Image!");
    }));
}

TEST(FeedActions, APhotoThatCannotBeFetchedSavesNothingAndTheBarSaysSoThenHides)
{
    EXPECT_TRUE(inChildProcess([] {
        FeedScreen screen;
        size_t photos = libraryCount("photo");
        // A row showing a post whose picture is gone.
        auto broken = postWithMissingPhoto(screen);
        auto cell = detachedActionCell(screen, broken.get());
        objc::send<void>(cell, "tarvo_moreActions");
        FeedScreen::settle();
        auto menu = objc::dynamicCast<UIAlertController>(screen.top());
        ASSERT_TRUE(menu);
        ASSERT_TRUE(UserInput::chooseAlertAction(menu.get(), "Save Media"));
        EXPECT_TRUE(FeedScreen::runUntil([] { return alertBarText() == "Error: Could not get image"; }));
        EXPECT_TRUE(IGAlertBar::sharedAlertBar()->hideAutomatically());
        EXPECT_TRUE(FeedScreen::runUntil([] { return !IGAlertBar::sharedAlertBar()->isShown(); }));
        EXPECT_EQ(libraryCount("photo"), photos);
    }));
}

TEST(FeedActions, ThePhotoAddressComesFromThePictureRowOnScreenElseFromTheLastPhotoVersion)
{
    EXPECT_TRUE(inChildProcess([] {
        FeedScreen screen;
        auto photo = screen.photoCell(OtherUsersPhoto);
        ASSERT_TRUE(photo);
        // The picture row shows a version of its own choosing.
        auto shown = NSURL::create(screen.service()->url("/media/harbour_small.jpg"));
        objc::send<void(NSURL*)>(photo->photoView(), "setImageURL:", shown.get());
        auto cell = screen.actionCell(OtherUsersPhoto);
        auto url = objc::dynamicCast<NSURL>(igtarvo::resolvePhotoURL(cell.get()));
        ASSERT_TRUE(url);
        EXPECT_EQ(url->text(), shown->text());

        // A row outside the collection view: the last version.
        auto detached = detachedActionCell(screen, screen.item(OtherUsersPhoto));
        url = objc::dynamicCast<NSURL>(igtarvo::resolvePhotoURL(detached.get()));
        ASSERT_TRUE(url);
        EXPECT_EQ(url->text(), screen.service()->url("/media/harbour.jpg"));
    }));
}

TEST(FeedActions, AHandOffFileThatCannotBeWrittenIsReportedAndNotHandedToInstagram)
{
    EXPECT_TRUE(inChildProcess([] {
        FeedScreen screen;
        // Instagram's temporary folder cannot hold files: a plain file stands in its place.
        std::string tmp = NSHomeDirectory() + "/tmp";
        std::filesystem::remove_all(tmp);
        std::ofstream(tmp) << "not a folder";
        auto menu = openMenu(screen, OtherUsersPhoto);
        ASSERT_TRUE(UserInput::chooseAlertAction(menu.get(), "Repost"));
        EXPECT_TRUE(FeedScreen::runUntil([] { return alertBarText() == igtarvo::kRepostWriteErrorText; }));
        FeedScreen::settle();
        EXPECT_FALSE(objc::dynamicCast<IGShareViewController>(screen.top().get()));
        EXPECT_TRUE(screen.delegate()->openedAddresses().empty());
        EXPECT_TRUE(IGAlertBar::sharedAlertBar()->hideAutomatically());
    }));
}

TEST(FeedActions, TheShareScreenTakesAWaitingCaptionOnceAndSharingDropsIt)
{
    EXPECT_TRUE(inChildProcess([] {
        FeedScreen screen;
        auto* holder = igtarvo::TarvoCaptionManger::sharedManager();
        holder->setPending(std::string("sunset"), std::string("kai_rides"));
        auto first = IGShareViewController::create(nullptr);
        first->view();
        EXPECT_EQ(first->captionText(), "#Repost @kai_rides: sunset");
        EXPECT_EQ(objc::send<RefPtr<objc::Object>>(first, "captionCell").get(), static_cast<objc::Object*>(first->captionCell().get()));
        EXPECT_EQ(first->captionText(), "#Repost @kai_rides: sunset") << "asking again keeps the text";

        holder->setPending(std::string("just the caption"), std::nullopt);
        auto second = IGShareViewController::create(nullptr);
        second->view();
        EXPECT_EQ(second->captionText(), "just the caption");

        holder->setPending(std::string("dropped"), std::string("x"));
        objc::send<void>(second, "share");
        EXPECT_FALSE(holder->captionText());
        EXPECT_FALSE(holder->repostUsername());
        EXPECT_EQ(IGShareViewController::sharedCaptions().back(), "just the caption");
    }));
}

TEST(FeedActions, HoldingAPhotoSavesItOnceEvenAfterTheViewLoadedAgain)
{
    EXPECT_TRUE(inChildProcess([] {
        FeedScreen screen;
        auto photo = screen.photoCell(OtherUsersPhoto);
        ASSERT_TRUE(photo);
        auto view = photo->photoView();
        ASSERT_TRUE(FeedScreen::runUntil([&] { return view->hasLoadedImage(); }));
        // Instagram loads a picture into the same view again, as when it reuses it.
        objc::send<void(NSURL*)>(view, "setImageURL:", view->imageURL().get());
        ASSERT_TRUE(FeedScreen::runUntil([&] { return view->hasLoadedImage(); }));
        EXPECT_EQ(view->gestureRecognizerList().size(), 1u);

        size_t photos = libraryCount("photo");
        CGPoint centre = view->superview()->convertPointToView(view->center(), screen.window());
        UserInput::pressAndHold(screen.window(), centre, std::chrono::milliseconds(700));
        EXPECT_TRUE(FeedScreen::runUntil([&] { return libraryCount("photo") > photos && !IGAlertBar::sharedAlertBar()->isShown(); }));
        FeedScreen::settle();
        EXPECT_EQ(libraryCount("photo"), photos + 1);
    }));
}

TEST(FeedActions, CopyCaptionPutsTheCaptionOnThePasteboardAndAPostWithoutOneSaysSo)
{
    EXPECT_TRUE(inChildProcess([] {
        FeedScreen screen;
        setPasteboardString("before");
        auto menu = openMenu(screen, PhotoWithoutCaption);
        ASSERT_TRUE(menu);
        ASSERT_TRUE(UserInput::chooseAlertAction(menu.get(), "Copy Caption"));
        FeedScreen::settle();
        EXPECT_EQ(pasteboardString(), "before");
        ASSERT_FALSE(IGAlertHUD::sharedHUD()->shownTexts().empty());
        EXPECT_EQ(IGAlertHUD::sharedHUD()->shownTexts().back(), "No Caption to copy");

        menu = openMenu(screen, OtherUsersPhoto);
        ASSERT_TRUE(UserInput::chooseAlertAction(menu.get(), "Copy Caption"));
        FeedScreen::settle();
        EXPECT_EQ(pasteboardString(), "Morning light over the harbour, ready to sail #sunrise");
        EXPECT_EQ(IGAlertHUD::sharedHUD()->shownTexts().back(), "Copied");
    }));
}


TEST(FeedActions, RepostingAPhotoWithTheLeftTabHandsASquarePictureAndTheCreditToTheShareScreenOnce)
{
    EXPECT_TRUE(inChildProcess([] {
        FeedScreen screen;
        auto menu = openMenu(screen, OtherUsersPhoto);
        ASSERT_TRUE(menu);
        auto strip = objc::dynamicCast<UICollectionView>(objc::send<RefPtr<objc::Object>>(menu, "collectionView"));
        ASSERT_TRUE(strip) << "the menu shows the layout strip";
        ASSERT_TRUE(UserInput::tapItem(strip.get(), 0, 2));
        auto* share = static_cast<IGShareViewController*>(nullptr);
        EXPECT_TRUE(FeedScreen::runUntil([&] {
            share = objc::dynamicCast<IGShareViewController>(screen.top().get());
            return share != nullptr;
        }));
        ASSERT_TRUE(share);
        EXPECT_EQ(share->captionText(), "#Repost @lena.sails: Morning light over the harbour, ready to sail #sunrise");

        // The hand-off file: named after the picture, square, the tab down the left edge.
        std::string file = NSTemporaryDirectory() + "harbour.igo";
        auto picture = UIImage::imageWithContentsOfHostFile(file);
        ASSERT_TRUE(picture) << file;
        auto bitmap = picture->CGImage();
        EXPECT_EQ(bitmap->width(), bitmap->height());
        EXPECT_EQ(IGAlertBar::sharedAlertBar()->isShown(), false);

        // A second share screen finds no caption waiting.
        auto again = IGShareViewController::create(picture.get());
        again->view();
        EXPECT_EQ(again->captionText(), "");
    }));
}


TEST(FeedActions, RepostingAPostWithoutCaptionLeavesTheShareScreensCaptionEmpty)
{
    EXPECT_TRUE(inChildProcess([] {
        FeedScreen screen;
        igtarvo::TarvoCaptionManger::sharedManager()->setPending(std::string("an older caption"), std::string("someone"));
        auto menu = openMenu(screen, PhotoWithoutCaption);
        ASSERT_TRUE(UserInput::chooseAlertAction(menu.get(), "Repost"));
        IGShareViewController* share = nullptr;
        EXPECT_TRUE(FeedScreen::runUntil([&] { return (share = objc::dynamicCast<IGShareViewController>(screen.top().get())) != nullptr; }));
        ASSERT_TRUE(share);
        EXPECT_EQ(share->captionText(), "");
        EXPECT_TRUE(std::filesystem::exists(NSTemporaryDirectory() + "mountains.igo"));
    }));
}


TEST(FeedActions, AnInstagramShareAddressOpensTheSettingsPictureWithItsTextAndOthersPassThrough)
{
    EXPECT_TRUE(inChildProcess([] {
        FeedScreen screen;
        auto application = UIApplication::sharedApplicationObject();
        // {"text":"Hello from igTarvo"}
        auto address = NSURL::create("instagram://post?eyJ0ZXh0IjoiSGVsbG8gZnJvbSBpZ1RhcnZvIn0=");
        EXPECT_TRUE(objc::send<bool(id, NSURL*, id, id)>(screen.delegate(), "application:openURL:sourceApplication:annotation:", application.get(), address.get(), nullptr, nullptr));
        IGShareViewController* share = nullptr;
        EXPECT_TRUE(FeedScreen::runUntil([&] { return (share = objc::dynamicCast<IGShareViewController>(screen.top().get())) != nullptr; }));
        ASSERT_TRUE(share);
        EXPECT_EQ(share->captionText(), "Hello from igTarvo");
        EXPECT_TRUE(share->image());

        // Not Base64, and no query: only Instagram's own handling.
        size_t opened = screen.delegate()->openedAddresses().size();
        for (const char* text : { "instagram://post?not-base64!", "instagram://camera" }) {
            auto other = NSURL::create(text);
            objc::send<bool(id, NSURL*, id, id)>(screen.delegate(), "application:openURL:sourceApplication:annotation:", application.get(), other.get(), nullptr, nullptr);
        }
        FeedScreen::settle();
        EXPECT_EQ(screen.delegate()->openedAddresses().size(), opened + 2);
        EXPECT_FALSE(igtarvo::TarvoCaptionManger::sharedManager()->captionText());
    }));
}


TEST(FeedActions, TheHandOffFileIsNamedAfterThePicture)
{
    EXPECT_EQ(igtarvo::handOffFileName("/media/abc.jpg"), "abc.igo");
    EXPECT_EQ(igtarvo::handOffFileName("/a/b.c/photo"), "photo.igo");
    EXPECT_EQ(igtarvo::handOffFileName("/"), "repost.igo");
    EXPECT_EQ(igtarvo::prefillText(std::string(""), std::string("someone")), std::nullopt);
}
