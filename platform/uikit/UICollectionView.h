#pragma once
// A scrolling grid of items in sections, placed by its layout (a flow layout
// unless told otherwise), filled by its data source and steered by its
// delegate; both are held weakly and asked only through runtime messages, so
// a subclass or a hook that answers them takes effect. The messages and the
// C++ signatures their implementations must have (NSInteger is long, CGFloat
// double, BOOL bool; objects may be declared as id or as their class):
//
//   data source
//     numberOfSectionsInCollectionView:              long(UICollectionView*)           optional, 1
//     collectionView:numberOfItemsInSection:         long(UICollectionView*, long)
//     collectionView:cellForItemAtIndexPath:         RefPtr<UICollectionViewCell>(UICollectionView*, NSIndexPath*)
//   delegate
//     collectionView:layout:sizeForItemAtIndexPath:  CGSize(UICollectionView*, UICollectionViewLayout*, NSIndexPath*)
//     (and the flow layout's other questions, see UICollectionViewFlowLayout.h)
//     collectionView:willDisplayCell:forItemAtIndexPath:  void(UICollectionView*, UICollectionViewCell*, NSIndexPath*)
//     collectionView:shouldSelectItemAtIndexPath:    bool(UICollectionView*, NSIndexPath*)   optional, yes
//     collectionView:didSelectItemAtIndexPath:       void(UICollectionView*, NSIndexPath*)
//     collectionView:didDeselectItemAtIndexPath:     void(UICollectionView*, NSIndexPath*)
//
// Only items whose frames meet the bounds (the visible rectangle: the
// content offset and the view's size) have cells; they are subviews of the
// collection view at their frames, so they are drawn and hit like any view.
// Cells that leave the visible rectangle go to the reuse pool of their
// identifier. A data source that answers no cell, or a dequeue for an
// identifier nobody registered, throws NSInternalInconsistencyException as on
// the platform. Main thread.

#include "platform/uikit/UIScrollView.h"

#include <map>

namespace platform {

class NSIndexPath;
class UICollectionViewCell;
class UICollectionViewLayout;

enum UICollectionViewScrollPosition : unsigned long {
    UICollectionViewScrollPositionNone = 0,
    UICollectionViewScrollPositionTop = 1 << 0,
    UICollectionViewScrollPositionCenteredVertically = 1 << 1,
    UICollectionViewScrollPositionBottom = 1 << 2,
    UICollectionViewScrollPositionLeft = 1 << 3,
    UICollectionViewScrollPositionCenteredHorizontally = 1 << 4,
    UICollectionViewScrollPositionRight = 1 << 5,
};

class UICollectionView : public UIScrollView {
    OBJC_CLASS(UICollectionView, UIScrollView)
public:
    UICollectionView();
    ~UICollectionView() override;
    static void registerMethods(objc::ClassBuilder<UICollectionView>&);
    // A new collection view (alloc + initWithFrame:collectionViewLayout:).
    static Ref<UICollectionView> create(CGRect frame, UICollectionViewLayout* layout);

    RefPtr<UICollectionView> initWithFrameCollectionViewLayout(CGRect frame, UICollectionViewLayout* layout);
    // With a new flow layout.
    RefPtr<UIView> initWithFrame(CGRect frame);

    RefPtr<UICollectionViewLayout> collectionViewLayout() const;
    void setCollectionViewLayout(UICollectionViewLayout* layout);
    RefPtr<Object> dataSource() const { return m_dataSource.lock(); }
    void setDataSource(id dataSource);
    void setDelegate(id delegate);
    bool allowsSelection() const { return m_allowsSelection; }
    void setAllowsSelection(bool on) { m_allowsSelection = on; }

    // Cells -----------------------------------------------------------------------
    // Cells for this identifier are made of this class (alloc + initWithFrame:); nil forgets it.
    void registerClassForCellWithReuseIdentifier(objc::Class cellClass, NSString* identifier);
    // A cell from the reuse pool (sent prepareForReuse) or a new one of the
    // registered class; throws when no class is registered for the identifier.
    RefPtr<UICollectionViewCell> dequeueReusableCellWithReuseIdentifierForIndexPath(NSString* identifier, NSIndexPath* indexPath);

    // Data --------------------------------------------------------------------------
    // Asks the data source for everything again; visible cells go to the reuse pool.
    void reloadData();
    long numberOfSections();
    long numberOfItemsInSection(long section);
    // The cell shown for an item, or nil when the item is not on screen.
    RefPtr<UICollectionViewCell> cellForItemAtIndexPath(NSIndexPath* indexPath);
    // The cells on screen, in index path order.
    RefPtr<NSArray> visibleCells();
    RefPtr<NSArray> indexPathsForVisibleItems();
    // The index path of a cell on screen, or nil.
    RefPtr<NSIndexPath> indexPathForCell(UICollectionViewCell* cell);
    // The item under a point of the content, or nil.
    RefPtr<NSIndexPath> indexPathForItemAtPoint(CGPoint point);
    // The item's frame in the content (zero for an item that does not exist).
    CGRect frameForItemAtIndexPath(NSIndexPath* indexPath);
    // Scrolls so the item is visible: aligned to the given edge or centre, or
    // by the least distance (none), within the content.
    void scrollToItemAtIndexPath(NSIndexPath* indexPath, unsigned long scrollPosition, bool animated);

    // Selection -----------------------------------------------------------------------
    void selectItemAtIndexPath(NSIndexPath* indexPath, bool animated, unsigned long scrollPosition);
    void deselectItemAtIndexPath(NSIndexPath* indexPath, bool animated);
    RefPtr<NSArray> indexPathsForSelectedItems() const;

    void layoutSubviews();

    // What a user does (driven by UserInput and by a tap on a cell) -------------------
    // A tap on an item: the delegate may refuse it; the item becomes the
    // selected one and the delegate is told. Answers whether it was selected.
    bool userTapItem(NSIndexPath* indexPath);

private:
    using ItemKey = std::pair<long, long>;
    id source() const;
    void loadCounts();
    void loadIfNeeded();
    void prepareLayout();
    Ref<UICollectionViewCell> makeCell(const ItemKey& key);
    void recycle(const Ref<UICollectionViewCell>& cell);
    ItemKey keyOf(NSIndexPath* indexPath) const;

    RefPtr<Object> m_layout;
    objc::WeakPtr<Object> m_dataSource;
    bool m_allowsSelection { true };
    bool m_loaded { false };
    std::vector<long> m_itemCounts;
    std::map<ItemKey, Ref<UICollectionViewCell>> m_cells;
    std::map<std::string, std::vector<Ref<UICollectionViewCell>>> m_reusePool;
    std::map<std::string, objc::Class> m_registeredClasses;
    RefPtr<NSIndexPath> m_selected;
};

} // namespace platform
