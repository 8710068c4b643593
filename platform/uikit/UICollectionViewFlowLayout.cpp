#include "platform/uikit/UICollectionViewFlowLayout.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/uikit/UICollectionView.h"

#include <algorithm>

namespace platform {

OBJC_CLASS_LOAD(UICollectionViewLayout)
OBJC_CLASS_LOAD(UICollectionViewFlowLayout)

UICollectionViewLayout::UICollectionViewLayout() = default;
UICollectionViewLayout::~UICollectionViewLayout() = default;

RefPtr<UICollectionView> UICollectionViewLayout::collectionView() const
{
    auto view = m_collectionView.lock();
    return RefPtr<UICollectionView>(static_cast<UICollectionView*>(view.get()));
}

void UICollectionViewLayout::setCollectionView(UICollectionView* view)
{
    m_collectionView = objc::WeakPtr<Object>(view);
}

void UICollectionViewLayout::invalidateLayout()
{
    if (auto view = collectionView())
        view->setNeedsLayout();
}

CGRect UICollectionViewLayout::frameForItem(long section, long item) const
{
    if (section < 0 || section >= long(m_frames.size()) || item < 0 || item >= long(m_frames[size_t(section)].size()))
        return CGRectZero;
    return m_frames[size_t(section)][size_t(item)];
}

long UICollectionViewLayout::itemCount(long section) const
{
    return section >= 0 && section < long(m_frames.size()) ? long(m_frames[size_t(section)].size()) : 0;
}

void UICollectionViewLayout::registerMethods(objc::ClassBuilder<UICollectionViewLayout>& b)
{
    b.method<&UICollectionViewLayout::collectionView>("collectionView")
        .method<&UICollectionViewLayout::invalidateLayout>("invalidateLayout")
        .method<&UICollectionViewLayout::prepareLayout>("prepareLayout")
        .method<&UICollectionViewLayout::collectionViewContentSize>("collectionViewContentSize");
}

UICollectionViewFlowLayout::UICollectionViewFlowLayout() = default;
UICollectionViewFlowLayout::~UICollectionViewFlowLayout() = default;

Ref<UICollectionViewFlowLayout> UICollectionViewFlowLayout::create()
{
    auto layout = objc::make<UICollectionViewFlowLayout>();
    objc::send<RefPtr<Object>>(layout, "init");
    return layout;
}

void UICollectionViewFlowLayout::setItemSize(CGSize size)
{
    m_itemSize = size;
    invalidateLayout();
}

void UICollectionViewFlowLayout::setMinimumLineSpacing(double spacing)
{
    m_lineSpacing = spacing;
    invalidateLayout();
}

void UICollectionViewFlowLayout::setMinimumInteritemSpacing(double spacing)
{
    m_interitemSpacing = spacing;
    invalidateLayout();
}

void UICollectionViewFlowLayout::setSectionInset(UIEdgeInsets insets)
{
    m_sectionInset = insets;
    invalidateLayout();
}

void UICollectionViewFlowLayout::setScrollDirection(long direction)
{
    m_scrollDirection = direction;
    invalidateLayout();
}

namespace {

// A size or a point seen along a line ("along") and across lines ("across"):
// the same computation serves both scrolling directions.
struct Axes {
    bool horizontal;
    double along(CGSize s) const { return horizontal ? s.height : s.width; }
    double across(CGSize s) const { return horizontal ? s.width : s.height; }
    CGRect rect(double alongPos, double acrossPos, CGSize s) const
    {
        return horizontal ? CGRectMake(acrossPos, alongPos, s.width, s.height) : CGRectMake(alongPos, acrossPos, s.width, s.height);
    }
};

} // namespace

void UICollectionViewFlowLayout::prepareLayout()
{
    m_frames.clear();
    m_contentSize = CGSizeZero;
    auto view = collectionView();
    if (!view)
        return;
    Axes axes { m_scrollDirection == UICollectionViewScrollDirectionHorizontal };
    CGSize bounds = view->bounds().size;
    id delegate = view->delegate().get();
    auto answers = [delegate](const char* selector) { return delegate && objc::respondsTo(delegate, selector); };
    bool askSize = answers("collectionView:layout:sizeForItemAtIndexPath:");
    bool askInset = answers("collectionView:layout:insetForSectionAtIndex:");
    bool askLine = answers("collectionView:layout:minimumLineSpacingForSectionAtIndex:");
    bool askInteritem = answers("collectionView:layout:minimumInteritemSpacingForSectionAtIndex:");
    Ref<UICollectionViewFlowLayout> keep(*this);

    double across = 0; // where the next section starts, across the lines
    long sections = view->numberOfSections();
    for (long s = 0; s < sections; ++s) {
        UIEdgeInsets inset = askInset ? objc::send<UIEdgeInsets(UICollectionView*, UICollectionViewLayout*, long)>(delegate, "collectionView:layout:insetForSectionAtIndex:", view.get(), this, s) : m_sectionInset;
        double lineSpacing = askLine ? objc::send<double(UICollectionView*, UICollectionViewLayout*, long)>(delegate, "collectionView:layout:minimumLineSpacingForSectionAtIndex:", view.get(), this, s) : m_lineSpacing;
        double itemSpacing = askInteritem ? objc::send<double(UICollectionView*, UICollectionViewLayout*, long)>(delegate, "collectionView:layout:minimumInteritemSpacingForSectionAtIndex:", view.get(), this, s) : m_interitemSpacing;
        double alongStart = axes.horizontal ? inset.top : inset.left;
        double alongEnd = (axes.horizontal ? bounds.height - inset.bottom : bounds.width - inset.right);
        double available = alongEnd - alongStart;
        across += axes.horizontal ? inset.left : inset.top;

        long items = view->numberOfItemsInSection(s);
        std::vector<CGSize> sizes;
        for (long i = 0; i < items; ++i) {
            CGSize size = m_itemSize;
            if (askSize) {
                auto path = NSIndexPath::indexPathForItem(i, s);
                size = objc::send<CGSize(UICollectionView*, UICollectionViewLayout*, NSIndexPath*)>(delegate, "collectionView:layout:sizeForItemAtIndexPath:", view.get(), this, path.get());
            }
            sizes.push_back(CGSizeMake(std::max(0.0, size.width), std::max(0.0, size.height)));
        }
        std::vector<CGRect> frames(static_cast<size_t>(items));
        size_t first = 0;
        bool anyLine = false;
        while (first < sizes.size()) {
            // Take items while they fit, at least one.
            size_t end = first + 1;
            double used = axes.along(sizes[first]);
            while (end < sizes.size() && used + itemSpacing + axes.along(sizes[end]) <= available) {
                used += itemSpacing + axes.along(sizes[end]);
                ++end;
            }
            size_t count = end - first;
            double depth = 0;
            double occupied = 0;
            for (size_t i = first; i < end; ++i) {
                depth = std::max(depth, axes.across(sizes[i]));
                occupied += axes.along(sizes[i]);
            }
            double pos = count == 1 ? alongStart + (available - occupied) / 2 : alongStart;
            double gap = count == 1 ? 0 : (available - occupied) / double(count - 1);
            if (count > 1 && gap < itemSpacing)
                gap = itemSpacing;
            for (size_t i = first; i < end; ++i) {
                double offsetAcross = (depth - axes.across(sizes[i])) / 2;
                frames[i] = axes.rect(pos, across + offsetAcross, sizes[i]);
                pos += axes.along(sizes[i]) + gap;
            }
            across += depth + lineSpacing;
            anyLine = true;
            first = end;
        }
        if (anyLine)
            across -= lineSpacing;
        across += axes.horizontal ? inset.right : inset.bottom;
        m_frames.push_back(std::move(frames));
    }
    m_contentSize = axes.horizontal ? CGSizeMake(across, bounds.height) : CGSizeMake(bounds.width, across);
}

void UICollectionViewFlowLayout::registerMethods(objc::ClassBuilder<UICollectionViewFlowLayout>& b)
{
    b.method<&UICollectionViewFlowLayout::itemSize>("itemSize")
        .method<&UICollectionViewFlowLayout::setItemSize>("setItemSize:")
        .method<&UICollectionViewFlowLayout::minimumLineSpacing>("minimumLineSpacing")
        .method<&UICollectionViewFlowLayout::setMinimumLineSpacing>("setMinimumLineSpacing:")
        .method<&UICollectionViewFlowLayout::minimumInteritemSpacing>("minimumInteritemSpacing")
        .method<&UICollectionViewFlowLayout::setMinimumInteritemSpacing>("setMinimumInteritemSpacing:")
        .method<&UICollectionViewFlowLayout::sectionInset>("sectionInset")
        .method<&UICollectionViewFlowLayout::setSectionInset>("setSectionInset:")
        .method<&UICollectionViewFlowLayout::scrollDirection>("scrollDirection")
        .method<&UICollectionViewFlowLayout::setScrollDirection>("setScrollDirection:")
        .method<&UICollectionViewFlowLayout::prepareLayout>("prepareLayout");
}

} // namespace platform
