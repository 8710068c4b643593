// Collection views with a flow layout: where items go in both directions,
// which cells exist, reuse, selection by a tap, and what gets drawn.

#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/graphics/CGContext.h"
#include "platform/uikit/CALayer.h"
#include "platform/uikit/UICollectionView.h"
#include "platform/uikit/UICollectionViewCell.h"
#include "platform/uikit/UICollectionViewFlowLayout.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"
#include "platform/uikit/UserInput.h"

#include <gtest/gtest.h>

#include <set>

using namespace platform;

namespace {

// Sections of coloured squares; item (1, 0) can be made wide; taps are logged.
class Swatches : public NSObject {
    OBJC_CLASS(Swatches, NSObject)
public:
    static void registerMethods(objc::ClassBuilder<Swatches>& b)
    {
        b.method<&Swatches::sections>("numberOfSectionsInCollectionView:")
            .method<&Swatches::items>("collectionView:numberOfItemsInSection:")
            .method<&Swatches::cell>("collectionView:cellForItemAtIndexPath:")
            .method<&Swatches::size>("collectionView:layout:sizeForItemAtIndexPath:")
            .method<&Swatches::shouldSelect>("collectionView:shouldSelectItemAtIndexPath:")
            .method<&Swatches::didSelect>("collectionView:didSelectItemAtIndexPath:")
            .method<&Swatches::didDeselect>("collectionView:didDeselectItemAtIndexPath:");
    }
    long sections(UICollectionView*) { return long(counts.size()); }
    long items(UICollectionView*, long section) { return counts[size_t(section)]; }
    RefPtr<UICollectionViewCell> cell(UICollectionView* view, NSIndexPath* path)
    {
        ++cellRequests;
        auto cell = view->dequeueReusableCellWithReuseIdentifierForIndexPath(ns("swatch").get(), path);
        cell->contentView()->setBackgroundColor((path->section() == 0 ? UIColor::redColor() : UIColor::blueColor()).get());
        cell->setTag(path->section() * 100 + path->item());
        distinct.insert(cell.get());
        return cell;
    }
    CGSize size(UICollectionView*, UICollectionViewLayout* layout, NSIndexPath* path)
    {
        if (wideFirstOfSecondSection && path->section() == 1 && path->item() == 0)
            return CGSizeMake(300, 80);
        return static_cast<UICollectionViewFlowLayout*>(layout)->itemSize();
    }
    bool shouldSelect(UICollectionView*, NSIndexPath* path) { return !(path->section() == 0 && path->item() == refused); }
    void didSelect(UICollectionView*, NSIndexPath* path) { log.push_back("select " + std::to_string(path->section()) + "." + std::to_string(path->item())); }
    void didDeselect(UICollectionView*, NSIndexPath* path) { log.push_back("deselect " + std::to_string(path->section()) + "." + std::to_string(path->item())); }

    std::vector<long> counts { 5, 3 };
    bool wideFirstOfSecondSection = false;
    long refused = -1;
    int cellRequests = 0;
    std::set<void*> distinct;
    std::vector<std::string> log;
};
OBJC_CLASS_DEFINE(Swatches)

class CollectionViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        layout = UICollectionViewFlowLayout::create();
        layout->setItemSize(CGSizeMake(100, 50));
        layout->setSectionInset(UIEdgeInsetsMake(10, 10, 10, 10));
        layout->setMinimumLineSpacing(5);
        layout->setMinimumInteritemSpacing(10);
        view = UICollectionView::create(CGRectMake(0, 0, 320, 200), layout.get());
        view->registerClassForCellWithReuseIdentifier(UICollectionViewCell::staticClass(), ns("swatch").get());
        source = objc::make<Swatches>();
        view->setDataSource(source.get());
        view->setDelegate(source.get());
    }
    CGRect frameOf(long section, long item)
    {
        return view->frameForItemAtIndexPath(NSIndexPath::indexPathForItem(item, section).get());
    }
    RefPtr<UICollectionViewCell> cellAt(long section, long item)
    {
        return view->cellForItemAtIndexPath(NSIndexPath::indexPathForItem(item, section).get());
    }
    RefPtr<UICollectionViewFlowLayout> layout;
    RefPtr<UICollectionView> view;
    RefPtr<Swatches> source;
};

} // namespace

TEST_F(CollectionViewTest, VerticalFlowFillsLinesWithinTheInsetsAndSpreadsThem)
{
    view->layoutIfNeeded();
    // 300 points between the insets take two 100-point items a line, spread to both ends.
    EXPECT_EQ(frameOf(0, 0), CGRectMake(10, 10, 100, 50));
    EXPECT_EQ(frameOf(0, 1), CGRectMake(210, 10, 100, 50));
    EXPECT_EQ(frameOf(0, 2), CGRectMake(10, 65, 100, 50));
    // A line of one item centres it.
    EXPECT_EQ(frameOf(0, 4), CGRectMake(110, 120, 100, 50));
    // The next section starts below this one's bottom inset and its own top inset.
    EXPECT_EQ(frameOf(1, 0), CGRectMake(10, 190, 100, 50));
    EXPECT_EQ(view->contentSize(), CGSizeMake(320, 190 + 50 + 5 + 50 + 10));

    // The delegate's size wins over itemSize; a deeper item makes its line deeper.
    source->wideFirstOfSecondSection = true;
    view->reloadData();
    EXPECT_EQ(frameOf(1, 0), CGRectMake(10, 190, 300, 80));
    EXPECT_EQ(frameOf(1, 1), CGRectMake(10, 275, 100, 50));
    EXPECT_EQ(frameOf(5, 0), CGRectZero);
}

TEST_F(CollectionViewTest, HorizontalFlowStacksColumnsToTheRight)
{
    layout->setScrollDirection(UICollectionViewScrollDirectionHorizontal);
    layout->setItemSize(CGSizeMake(60, 60));
    layout->setSectionInset(UIEdgeInsetsMake(0, 20, 0, -5));
    view->setFrame(CGRectMake(0, 0, 320, 100));
    source->counts = { 5 };
    view->reloadData();
    // One 60-point item fits the 100-point height: each column holds one, centred.
    EXPECT_EQ(frameOf(0, 0), CGRectMake(20, 20, 60, 60));
    EXPECT_EQ(frameOf(0, 1), CGRectMake(85, 20, 60, 60));
    EXPECT_EQ(frameOf(0, 4), CGRectMake(280, 20, 60, 60));
    EXPECT_EQ(view->contentSize(), CGSizeMake(20 + 5 * 60 + 4 * 5 - 5, 100));
    // Only what meets the bounds has a cell: the fifth item reaches past the edge and shows.
    EXPECT_EQ(view->visibleCells()->count(), 5u);
    view->setContentOffset(CGPointMake(90, 0));
    view->layoutIfNeeded();
    EXPECT_FALSE(cellAt(0, 0));
    EXPECT_TRUE(cellAt(0, 1));
}

TEST_F(CollectionViewTest, OnlyVisibleItemsHaveCellsAndScrolledOutCellsAreReused)
{
    source->counts = { 20 };
    view->reloadData();
    // Lines of two, 55 points apart from y = 10: lines 0 to 3 meet a 200-point-high bounds.
    EXPECT_EQ(view->visibleCells()->count(), 8u);
    auto first = cellAt(0, 0);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->superview().get(), view.get());
    EXPECT_EQ(first->frame(), CGRectMake(10, 10, 100, 50));
    EXPECT_EQ(first->contentView()->frame(), CGRectMake(0, 0, 100, 50));
    EXPECT_EQ(str(first->reuseIdentifier().get()), "swatch");
    EXPECT_EQ(view->indexPathForCell(first.get())->item(), 0);
    EXPECT_FALSE(cellAt(0, 9));

    view->scrollToItemAtIndexPath(NSIndexPath::indexPathForItem(19, 0).get(), UICollectionViewScrollPositionNone, false);
    // The least scroll that shows the last item: its bottom at the bottom edge.
    EXPECT_EQ(view->contentOffset().y, CGRectGetMaxY(frameOf(0, 19)) - 200);
    EXPECT_FALSE(cellAt(0, 0));
    auto last = cellAt(0, 19);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->tag(), 19);
    // Cells that left were handed out again rather than made anew.
    EXPECT_EQ(source->cellRequests, 16);
    EXPECT_EQ(source->distinct.size(), 8u);
    EXPECT_EQ(view->visibleCells()->count(), 8u);
    EXPECT_EQ(view->indexPathForItemAtPoint(CGPointMake(250, last->frame().origin.y + 1))->item(), 19);
}

TEST_F(CollectionViewTest, AMissingRegistrationOrCellIsAProgrammingError)
{
    EXPECT_THROW(view->dequeueReusableCellWithReuseIdentifierForIndexPath(ns("unknown").get(), NSIndexPath::indexPathForItem(0, 0).get()),
        NSInternalInconsistencyException);
    view->registerClassForCellWithReuseIdentifier(nullptr, ns("swatch").get());
    EXPECT_THROW(view->reloadData(), NSInternalInconsistencyException);
}

TEST_F(CollectionViewTest, TapsSelectThroughTheDelegateWhichMayRefuse)
{
    auto window = UIWindow::create(CGRectMake(0, 0, 320, 480));
    auto root = UIViewController::create();
    window->setRootViewController(root.get());
    window->makeKeyAndVisible();
    root->view()->addSubview(view.get());
    RunLoop::runUntilIdle();

    source->refused = 1;
    EXPECT_TRUE(UserInput::tapItem(view.get(), 0, 0));
    EXPECT_FALSE(UserInput::tapItem(view.get(), 0, 1));
    EXPECT_FALSE(UserInput::tapItem(view.get(), 3, 0)); // no such item
    // An item below the bounds is scrolled to first.
    EXPECT_FALSE(cellAt(1, 2));
    EXPECT_TRUE(UserInput::tapItem(view.get(), 1, 2));
    EXPECT_EQ(source->log, (std::vector<std::string> { "select 0.0", "deselect 0.0", "select 1.2" }));
    ASSERT_TRUE(cellAt(1, 2));
    EXPECT_TRUE(cellAt(1, 2)->isSelected());
    ASSERT_EQ(view->indexPathsForSelectedItems()->count(), 1u);

    // A tap on the screen goes through hit-testing to the cell under it.
    source->log.clear();
    view->setContentOffset(CGPointZero);
    view->layoutIfNeeded();
    CGRect third = cellAt(0, 2)->frame();
    UserInput::tap(window.get(), view->convertPointToView(CGPointMake(CGRectGetMidX(third), CGRectGetMidY(third)), nullptr));
    RunLoop::runUntilIdle();
    EXPECT_EQ(source->log, (std::vector<std::string> { "deselect 1.2", "select 0.2" }));
    window->setHidden(true);
}

TEST_F(CollectionViewTest, CellsAreDrawnWhereTheyAre)
{
    view->setBackgroundColor(UIColor::whiteColor().get());
    view->layoutIfNeeded();
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(320, 200), false, 1);
    view->layer()->renderInContext(UIGraphicsGetCurrentContext());
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    auto px = [&](long x, long y) { return image->CGImage()->pixelAt(x, y); };
    EXPECT_EQ(px(50, 30).r, 255);  // the first red square
    EXPECT_EQ(px(50, 30).b, 0);
    EXPECT_EQ(px(150, 30).b, 255); // the white gap between the squares
    EXPECT_EQ(px(150, 30).r, 255);
    EXPECT_EQ(px(150, 140).r, 255); // the centred fifth square
    EXPECT_EQ(px(150, 140).g, 0);
    // Scrolled down, the second section's blue squares show at the top.
    view->setContentOffset(CGPointMake(0, 180));
    view->layoutIfNeeded();
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(320, 200), false, 1);
    view->layer()->renderInContext(UIGraphicsGetCurrentContext());
    image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    EXPECT_EQ(px(50, 30).b, 255);
    EXPECT_EQ(px(50, 30).r, 0);
}
