#pragma once
// Where a collection view's items go. UICollectionViewLayout is the base a
// collection view holds; UICollectionViewFlowLayout puts the items of each
// section in lines, one after the other:
//
//   - scrolling vertically (direction 0) a line runs left to right and lines
//     stack downwards; horizontally (1) a line runs top to bottom and lines
//     follow to the right;
//   - a line takes items while they fit the collection view's bounds less the
//     section's insets with at least minimumInteritemSpacing between them; a
//     line of one item centres it, a line of several spreads them to both
//     ends; items are centred across the line, whose depth is its deepest item;
//   - lines are minimumLineSpacing apart, sections follow each other with
//     their insets around them.
//
// Each item's size is the collection view delegate's answer to
// collectionView:layout:sizeForItemAtIndexPath:, else itemSize; the delegate
// may also answer collectionView:layout:insetForSectionAtIndex:,
// collectionView:layout:minimumLineSpacingForSectionAtIndex: and
// collectionView:layout:minimumInteritemSpacingForSectionAtIndex:.
// Main thread.

#include "platform/uikit/UIGeometry.h"
#include "platform/foundation/NSValues.h"

#include <vector>

namespace platform {

class UICollectionView;

enum UICollectionViewScrollDirection : long {
    UICollectionViewScrollDirectionVertical = 0,
    UICollectionViewScrollDirectionHorizontal = 1,
};

class UICollectionViewLayout : public NSObject {
    OBJC_CLASS(UICollectionViewLayout, NSObject)
public:
    UICollectionViewLayout();
    ~UICollectionViewLayout() override;
    static void registerMethods(objc::ClassBuilder<UICollectionViewLayout>&);

    // The collection view that uses the layout (weak), or nil.
    RefPtr<UICollectionView> collectionView() const;
    void setCollectionView(UICollectionView* view);
    // Asks the collection view to lay its items out again.
    void invalidateLayout();

    // Computes every item's frame from the collection view's counts and bounds.
    void prepareLayout() { }
    CGSize collectionViewContentSize() const { return m_contentSize; }
    // The frame of an item after the last prepareLayout (zero when there is none).
    CGRect frameForItem(long section, long item) const;
    long sectionCount() const { return long(m_frames.size()); }
    long itemCount(long section) const;

protected:
    std::vector<std::vector<CGRect>> m_frames;
    CGSize m_contentSize;

private:
    objc::WeakPtr<Object> m_collectionView;
};

class UICollectionViewFlowLayout : public UICollectionViewLayout {
    OBJC_CLASS(UICollectionViewFlowLayout, UICollectionViewLayout)
public:
    UICollectionViewFlowLayout();
    ~UICollectionViewFlowLayout() override;
    static void registerMethods(objc::ClassBuilder<UICollectionViewFlowLayout>&);
    static Ref<UICollectionViewFlowLayout> create();

    CGSize itemSize() const { return m_itemSize; }
    void setItemSize(CGSize size);
    double minimumLineSpacing() const { return m_lineSpacing; }
    void setMinimumLineSpacing(double spacing);
    double minimumInteritemSpacing() const { return m_interitemSpacing; }
    void setMinimumInteritemSpacing(double spacing);
    UIEdgeInsets sectionInset() const { return m_sectionInset; }
    void setSectionInset(UIEdgeInsets insets);
    long scrollDirection() const { return m_scrollDirection; }
    void setScrollDirection(long direction);

    void prepareLayout();

private:
    CGSize m_itemSize { 50, 50 };
    double m_lineSpacing { 10 };
    double m_interitemSpacing { 10 };
    UIEdgeInsets m_sectionInset;
    long m_scrollDirection { UICollectionViewScrollDirectionVertical };
};

} // namespace platform
