// The actions menu's repost chooser on both sheet layouts: which rows the
// menu shows, the strip of layout pictures in the Repost row, and what a tap
// on a picture, a title or Cancel runs.

#include "feed/actions/TarvoAlertController.h"
#include "feed/actions/TarvoRepostCollectionView.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/graphics/CGContext.h"
#include "platform/uikit/CALayer.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"
#include "platform/uikit/UserInput.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace platform;
using igtarvo::TarvoAlertController;
using igtarvo::TarvoRepostCollectionView;

namespace {

constexpr double kRow = 57;

class RepostChooser : public ::testing::TestWithParam<bool> {
protected:
    static void SetUpTestSuite()
    {
        s_newer = new testsupport::TemporaryDevice();
        s_older = new testsupport::TemporaryDevice({ .iOS8 = true });
    }
    static void TearDownTestSuite()
    {
        delete s_newer;
        delete s_older;
    }
    void SetUp() override
    {
        Device::setRoot((older() ? s_older : s_newer)->root());
        ASSERT_EQ(NSFoundationVersionNumber() < NSFoundationVersionNumber_iOS_9_0, older());
        screen = UIScreen::mainScreen()->bounds();
        window = UIWindow::create(screen);
        root = UIViewController::create();
        window->setRootViewController(root.get());
        window->makeKeyAndVisible();
        RunLoop::runUntilIdle();
    }
    void TearDown() override
    {
        RunLoop::runUntilIdle();
        window->setHidden(true);
    }
    bool older() const { return GetParam(); }

    // The menu of a post, built as the feed builds it: Repost only for someone else's post.
    Ref<TarvoAlertController> menu(bool own, long style = 0)
    {
        auto m = TarvoAlertController::make("igTarvo Actions", "Select an action below", style);
        objc::WeakPtr<TarvoAlertController> weak(m.get());
        auto note = [this](std::string what) { return [this, what](UIAlertAction*) { log.push_back(what); }; };
        m->addAction(UIAlertAction::create("Copy Caption", UIAlertActionStyleDefault, note("copy")).get());
        if (!own) {
            m->addAction(UIAlertAction::create("Repost", UIAlertActionStyleDefault, [this, weak](UIAlertAction*) {
                auto strip = weak.lock() ? weak.lock()->collectionView() : nullptr;
                log.push_back("repost " + std::to_string(objc::send<long>(strip, "repostIndex")));
                log.push_back(std::string("menu up: ") + (root->presentedViewController() ? "yes" : "no"));
            }).get());
        }
        m->addAction(UIAlertAction::create("Save Media", UIAlertActionStyleDefault, note("save")).get());
        m->addAction(UIAlertAction::create("Cancel", UIAlertActionStyleDestructive).get());
        m->setIsForCurrentUser(own);
        return m;
    }
    void present(UIViewController* controller)
    {
        root->presentViewController(controller, true, {});
        RunLoop::runUntilIdle();
        window->layoutIfNeeded();
        RunLoop::runUntilIdle();
    }
    static RefPtr<UICollectionView> listOf(UIViewController* controller)
    {
        auto value = objc::send<RefPtr<objc::Object>(id)>(controller->view(), "valueForKey:", ns("_actionCollectionView").get());
        return objc::dynamicCast<UICollectionView>(value);
    }
    static double heightConstant(UICollectionView* list)
    {
        for (auto& c : list->constraintList())
            if (c->firstAttribute() == NSLayoutAttributeHeight)
                return c->constant();
        return -1;
    }
    static CGSize rowSize(UICollectionView* list, long row)
    {
        return list->frameForItemAtIndexPath(NSIndexPath::indexPathForItem(row, 0).get()).size;
    }
    static RefPtr<UICollectionViewCell> rowCell(UICollectionView* list, long row)
    {
        return list->cellForItemAtIndexPath(NSIndexPath::indexPathForItem(row, 0).get());
    }

    static testsupport::TemporaryDevice* s_newer;
    static testsupport::TemporaryDevice* s_older;
    CGRect screen;
    RefPtr<UIWindow> window;
    RefPtr<UIViewController> root;
    std::vector<std::string> log;
};

testsupport::TemporaryDevice* RepostChooser::s_newer = nullptr;
testsupport::TemporaryDevice* RepostChooser::s_older = nullptr;

} // namespace

TEST_P(RepostChooser, OnesOwnPostGetsThePlainThreeEntrySheet)
{
    auto m = menu(true);
    present(m.get());
    auto list = listOf(m.get());
    ASSERT_TRUE(list);
    EXPECT_NE(list->delegate().get(), m.get());
    EXPECT_NE(list->dataSource().get(), m.get());
    EXPECT_EQ(heightConstant(list.get()), 3 * kRow);
    for (long row = 0; row < 3; ++row)
        EXPECT_EQ(rowSize(list.get(), row).height, kRow);
    EXPECT_FALSE(m->collectionView());

    EXPECT_TRUE(UserInput::chooseAlertAction(m.get(), "Save Media"));
    RunLoop::runUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string> { "save" }));
    EXPECT_FALSE(root->presentedViewController());
}

TEST_P(RepostChooser, SomeoneElsesPostGetsATallRepostRowWithTheStrip)
{
    auto m = menu(false);
    present(m.get());
    auto list = listOf(m.get());
    ASSERT_TRUE(list);
    EXPECT_EQ(list->delegate().get(), m.get());
    // The menu makes the rows itself only on the newer sheet.
    EXPECT_EQ(list->dataSource().get() == m.get(), !older());
    EXPECT_EQ(heightConstant(list.get()), 3 * kRow + 120);
    EXPECT_EQ(list->frame().size.height, 3 * kRow + 120);
    EXPECT_EQ(rowSize(list.get(), 1), CGSizeMake(screen.size.width, 120));
    EXPECT_EQ(rowSize(list.get(), 0).height, kRow);
    EXPECT_EQ(rowSize(list.get(), 3).height, kRow);

    auto strip = m->collectionView();
    ASSERT_TRUE(strip);
    auto cell = rowCell(list.get(), 1);
    ASSERT_TRUE(cell);
    EXPECT_EQ(strip->superview().get(), cell->contentView().get());
    EXPECT_EQ(strip->tarvoDelegate().get(), m.get());
    EXPECT_EQ(strip->repostIndex(), 0);
    // The title sits at the top of the row, the strip under it.
    auto title = older() ? objc::dynamicCast<UILabel>(objc::send<RefPtr<objc::Object>(id)>(cell->contentView()->subviewList().front(), "valueForKey:", ns("label").get()))
                         : objc::dynamicCast<UILabel>(objc::send<RefPtr<objc::Object>>(objc::send<RefPtr<objc::Object>>(cell, "actionView"), "titleLabel"));
    ASSERT_TRUE(title);
    EXPECT_EQ(title->textString(), "Repost");
    CGRect titleInRow = title->convertRectToView(title->bounds(), cell.get());
    CGRect stripInRow = strip->convertRectToView(strip->bounds(), cell.get());
    EXPECT_EQ(titleInRow.origin.y, older() ? 10 : 5);
    EXPECT_EQ(stripInRow.origin.y, CGRectGetMaxY(titleInRow) + (older() ? 10 : -5));
    EXPECT_GT(stripInRow.size.height, 60);

    // Five pictures, each in a white cell.
    strip->layoutIfNeeded();
    ASSERT_EQ(strip->visibleCells()->count(), 5u);
    double side = older() ? screen.size.width / 5 - 15 : 60;
    for (long i = 0; i < 5; ++i) {
        auto picture = strip->cellForItemAtIndexPath(NSIndexPath::indexPathForItem(i, 0).get());
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->frame().size, CGSizeMake(side, side));
        ASSERT_EQ(picture->contentView()->subviewList().size(), 1u);
        auto imageView = objc::dynamicCast<UIImageView>(RefPtr<objc::Object>(picture->contentView()->subviewList().front()));
        ASSERT_TRUE(imageView && imageView->image()) << "picture " << i;
    }
}

TEST_P(RepostChooser, TappingTheThirdPictureRecordsTheLeftEdgeThenRepostsOnceTheMenuIsGone)
{
    auto m = menu(false);
    present(m.get());
    auto strip = m->collectionView();
    ASSERT_TRUE(strip);
    // A finger on the third picture, through the screen.
    auto third = strip->cellForItemAtIndexPath(NSIndexPath::indexPathForItem(2, 0).get());
    ASSERT_TRUE(third);
    CGRect onScreen = third->convertRectToView(third->bounds(), nullptr);
    UserInput::tap(window.get(), CGPointMake(CGRectGetMidX(onScreen), CGRectGetMidY(onScreen)));
    EXPECT_EQ(strip->repostIndex(), 2);
    EXPECT_TRUE(log.empty());
    RunLoop::runUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string> { "repost 2", "menu up: no" }));
}

TEST_P(RepostChooser, TheRepostTitleWithoutAPictureRepostsWithoutWatermarkAndCancelOnlyDismisses)
{
    auto m = menu(false);
    present(m.get());
    EXPECT_TRUE(UserInput::chooseAlertAction(m.get(), "Repost"));
    RunLoop::runUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string> { "repost 0", "menu up: no" }));

    log.clear();
    auto again = menu(false);
    present(again.get());
    ASSERT_TRUE(again->collectionView()); // every sheet gets its strip
    EXPECT_TRUE(UserInput::chooseAlertAction(again.get(), "Cancel"));
    RunLoop::runUntilIdle();
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(root->presentedViewController());
}

TEST_P(RepostChooser, WithoutThePrivateListTheMenuIsUnchangedAndRepostStillRuns)
{
    // An alert-style menu has no action list to take over.
    auto m = menu(false, 1);
    present(m.get());
    EXPECT_FALSE(listOf(m.get()));
    EXPECT_FALSE(m->collectionView());
    EXPECT_TRUE(UserInput::chooseAlertAction(m.get(), "Repost"));
    RunLoop::runUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string> { "repost 0", "menu up: no" }));
}

TEST_P(RepostChooser, TheMenuIsDrawnWithTheFivePicturesUnderTheRepostTitle)
{
    auto m = menu(false);
    present(m.get());
    auto strip = m->collectionView();
    ASSERT_TRUE(strip);
    UIGraphicsBeginImageContextWithOptions(screen.size, true, 1);
    window->layer()->renderInContext(UIGraphicsGetCurrentContext());
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    ASSERT_TRUE(image);
    if (const char* folder = std::getenv("IGTARVO_KEEP_SCREENS"))
        std::ofstream(std::string(folder) + "/repost-menu-" + (older() ? "older" : "newer") + ".png", std::ios::binary) << std::string(
            reinterpret_cast<const char*>(UIImagePNGRepresentation(image.get())->bytes().data()), UIImagePNGRepresentation(image.get())->bytes().size());
    // Each picture shows on screen: its green hill near the bottom right.
    for (long i = 0; i < 5; ++i) {
        auto cell = strip->cellForItemAtIndexPath(NSIndexPath::indexPathForItem(i, 0).get());
        ASSERT_TRUE(cell);
        CGRect box = cell->convertRectToView(cell->bounds(), nullptr);
        if (CGRectGetMaxX(box) > screen.size.width)
            continue; // scrolled off the edge
        auto hill = image->CGImage()->pixelAt(long(box.origin.x + 0.75 * box.size.width), long(box.origin.y + 0.85 * box.size.height));
        EXPECT_GT(hill.g, hill.r + 40) << "picture " << i;
        EXPECT_GT(hill.g, hill.b + 40) << "picture " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(BothSheetLayouts, RepostChooser, ::testing::Values(false, true),
    [](const auto& info) { return info.param ? std::string("Older") : std::string("Newer"); });
