#include "platform/uikit/UICollectionView.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/uikit/UICollectionViewCell.h"
#include "platform/uikit/UICollectionViewFlowLayout.h"
#include "platform/uikit/UITableView.h"

#include <algorithm>

namespace platform {

OBJC_CLASS_LOAD(UICollectionView)

namespace {
bool answers(id object, const char* selector)
{
    return object && objc::respondsTo(object, selector);
}
}

UICollectionView::UICollectionView() = default;
UICollectionView::~UICollectionView() = default;

Ref<UICollectionView> UICollectionView::create(CGRect frame, UICollectionViewLayout* layout)
{
    auto view = objc::make<UICollectionView>();
    objc::send<RefPtr<UICollectionView>(CGRect, UICollectionViewLayout*)>(view, "initWithFrame:collectionViewLayout:", frame, layout);
    return view;
}

RefPtr<UICollectionView> UICollectionView::initWithFrameCollectionViewLayout(CGRect frame, UICollectionViewLayout* layout)
{
    UIView::initWithFrame(frame);
    setCollectionViewLayout(layout);
    return RefPtr<UICollectionView>(this);
}

RefPtr<UIView> UICollectionView::initWithFrame(CGRect frame)
{
    auto layout = UICollectionViewFlowLayout::create();
    return objc::send<RefPtr<UICollectionView>(CGRect, UICollectionViewLayout*)>(this, "initWithFrame:collectionViewLayout:", frame, layout.get());
}

RefPtr<UICollectionViewLayout> UICollectionView::collectionViewLayout() const
{
    return RefPtr<UICollectionViewLayout>(static_cast<UICollectionViewLayout*>(m_layout.get()));
}

void UICollectionView::setCollectionViewLayout(UICollectionViewLayout* layout)
{
    if (auto old = collectionViewLayout(); old && old.get() != layout)
        old->setCollectionView(nullptr);
    m_layout = layout;
    if (layout)
        layout->setCollectionView(this);
    setNeedsLayout();
}

id UICollectionView::source() const
{
    return m_dataSource.lock().get();
}

void UICollectionView::setDataSource(id dataSource)
{
    m_dataSource = objc::WeakPtr<Object>(dataSource);
    m_loaded = false;
    setNeedsLayout();
}

void UICollectionView::setDelegate(id delegate)
{
    UIScrollView::setDelegate(delegate);
    setNeedsLayout();
}

// Cells ------------------------------------------------------------------------------------

void UICollectionView::registerClassForCellWithReuseIdentifier(objc::Class cellClass, NSString* identifier)
{
    if (cellClass)
        m_registeredClasses[str(identifier)] = cellClass;
    else
        m_registeredClasses.erase(str(identifier));
}

RefPtr<UICollectionViewCell> UICollectionView::dequeueReusableCellWithReuseIdentifierForIndexPath(NSString* identifier, NSIndexPath* indexPath)
{
    // The cell comes with its item's frame already applied, as the layout has it.
    auto placed = [this, indexPath](RefPtr<UICollectionViewCell> cell) {
        auto layout = collectionViewLayout();
        auto [s, i] = keyOf(indexPath);
        if (layout && i < layout->itemCount(s))
            objc::send<void(CGRect)>(cell, "setFrame:", layout->frameForItem(s, i));
        return cell;
    };
    std::string key = str(identifier);
    auto& pool = m_reusePool[key];
    if (!pool.empty()) {
        Ref<UICollectionViewCell> cell = pool.back();
        pool.pop_back();
        objc::send<void>(cell, "prepareForReuse");
        return placed(cell);
    }
    auto it = m_registeredClasses.find(key);
    if (it == m_registeredClasses.end())
        throw NSInternalInconsistencyException("could not dequeue a view of kind: UICollectionElementKindCell with identifier " + key + " - must register a nib or a class for the identifier");
    auto object = objc::class_createInstance(it->second);
    auto cell = objc::send<RefPtr<UIView>(CGRect)>(object, "initWithFrame:", CGRectZero);
    if (!cell || !objc::object_isKindOfClass(cell.get(), UICollectionViewCell::staticClass()))
        throw NSInternalInconsistencyException("the class registered for identifier " + key + " is not a UICollectionViewCell");
    auto result = RefPtr<UICollectionViewCell>(static_cast<UICollectionViewCell*>(cell.get()));
    result->setReuseIdentifier(identifier);
    return placed(result);
}

void UICollectionView::recycle(const Ref<UICollectionViewCell>& cell)
{
    cell->removeFromSuperview();
    cell->setSelected(false);
    cell->setHighlighted(false);
    std::string identifier = str(cell->reuseIdentifier().get());
    if (!identifier.empty())
        m_reusePool[identifier].push_back(cell);
}

// Data ---------------------------------------------------------------------------------------

void UICollectionView::reloadData()
{
    Ref<UICollectionView> keep(*this);
    loadCounts();
    setNeedsLayout();
    layoutIfNeeded();
}

void UICollectionView::loadCounts()
{
    for (auto& [key, cell] : std::map<ItemKey, Ref<UICollectionViewCell>>(m_cells))
        recycle(cell);
    m_cells.clear();
    m_itemCounts.clear();
    m_loaded = true; // first: a data source that asks the view back must not start a second load
    id ds = source();
    long sections = answers(ds, "numberOfSectionsInCollectionView:") ? objc::send<long(UICollectionView*)>(ds, "numberOfSectionsInCollectionView:", this) : (ds ? 1 : 0);
    for (long s = 0; s < sections; ++s) {
        long items = answers(ds, "collectionView:numberOfItemsInSection:") ? objc::send<long(UICollectionView*, long)>(ds, "collectionView:numberOfItemsInSection:", this, s) : 0;
        m_itemCounts.push_back(std::max(0L, items));
    }
    if (m_selected && (m_selected->section() >= long(m_itemCounts.size()) || m_selected->row() >= m_itemCounts[size_t(m_selected->section())]))
        m_selected = nullptr;
}

void UICollectionView::loadIfNeeded()
{
    if (!m_loaded)
        loadCounts();
}

long UICollectionView::numberOfSections()
{
    loadIfNeeded();
    return long(m_itemCounts.size());
}

long UICollectionView::numberOfItemsInSection(long section)
{
    loadIfNeeded();
    return section >= 0 && section < long(m_itemCounts.size()) ? m_itemCounts[size_t(section)] : 0;
}

UICollectionView::ItemKey UICollectionView::keyOf(NSIndexPath* indexPath) const
{
    return indexPath ? ItemKey { indexPath->section(), indexPath->item() } : ItemKey { -1, -1 };
}

RefPtr<UICollectionViewCell> UICollectionView::cellForItemAtIndexPath(NSIndexPath* indexPath)
{
    auto it = m_cells.find(keyOf(indexPath));
    return it == m_cells.end() ? nullptr : RefPtr<UICollectionViewCell>(it->second);
}

RefPtr<NSArray> UICollectionView::visibleCells()
{
    std::vector<Ref<Object>> cells;
    for (auto& [key, cell] : m_cells)
        cells.emplace_back(cell);
    return NSArray::create(std::move(cells));
}

RefPtr<NSArray> UICollectionView::indexPathsForVisibleItems()
{
    std::vector<Ref<Object>> paths;
    for (auto& [key, cell] : m_cells)
        paths.emplace_back(NSIndexPath::indexPathForItem(key.second, key.first));
    return NSArray::create(std::move(paths));
}

RefPtr<NSIndexPath> UICollectionView::indexPathForCell(UICollectionViewCell* cell)
{
    for (auto& [key, c] : m_cells) {
        if (c.get() == cell)
            return NSIndexPath::indexPathForItem(key.second, key.first);
    }
    return nullptr;
}

void UICollectionView::prepareLayout()
{
    loadIfNeeded();
    if (auto layout = collectionViewLayout()) {
        if (!layout->collectionView())
            layout->setCollectionView(this);
        objc::send<void>(layout, "prepareLayout");
    }
}

RefPtr<NSIndexPath> UICollectionView::indexPathForItemAtPoint(CGPoint point)
{
    prepareLayout();
    auto layout = collectionViewLayout();
    for (long s = 0; layout && s < layout->sectionCount(); ++s) {
        for (long i = 0; i < layout->itemCount(s); ++i) {
            if (CGRectContainsPoint(layout->frameForItem(s, i), point))
                return NSIndexPath::indexPathForItem(i, s);
        }
    }
    return nullptr;
}

CGRect UICollectionView::frameForItemAtIndexPath(NSIndexPath* indexPath)
{
    prepareLayout();
    auto layout = collectionViewLayout();
    auto [s, i] = keyOf(indexPath);
    return layout ? layout->frameForItem(s, i) : CGRectZero;
}

void UICollectionView::scrollToItemAtIndexPath(NSIndexPath* indexPath, unsigned long position, bool animated)
{
    CGRect item = frameForItemAtIndexPath(indexPath);
    if (item.size.width <= 0 && item.size.height <= 0)
        return;
    CGRect b = bounds();
    CGSize content = contentSize();
    CGPoint offset = b.origin;
    auto place = [](double current, double start, double length, double visible, bool toStart, bool toCentre, bool toEnd) {
        if (toStart)
            return start;
        if (toCentre)
            return start + length / 2 - visible / 2;
        if (toEnd)
            return start + length - visible;
        if (start + length > current + visible)
            current = start + length - visible;
        if (start < current)
            current = start;
        return current;
    };
    offset.x = place(offset.x, item.origin.x, item.size.width, b.size.width, position & UICollectionViewScrollPositionLeft,
        position & UICollectionViewScrollPositionCenteredHorizontally, position & UICollectionViewScrollPositionRight);
    offset.y = place(offset.y, item.origin.y, item.size.height, b.size.height, position & UICollectionViewScrollPositionTop,
        position & UICollectionViewScrollPositionCenteredVertically, position & UICollectionViewScrollPositionBottom);
    UIEdgeInsets inset = contentInset();
    offset.x = std::clamp(offset.x, -inset.left, std::max(-inset.left, content.width + inset.right - b.size.width));
    offset.y = std::clamp(offset.y, -inset.top, std::max(-inset.top, content.height + inset.bottom - b.size.height));
    objc::send<void(CGPoint, bool)>(this, "setContentOffset:animated:", offset, animated);
    layoutIfNeeded();
}

// Selection ---------------------------------------------------------------------------------

void UICollectionView::selectItemAtIndexPath(NSIndexPath* indexPath, bool animated, unsigned long scrollPosition)
{
    if (m_selected) {
        if (auto cell = cellForItemAtIndexPath(m_selected.get()))
            cell->setSelected(false);
    }
    m_selected = indexPath;
    if (!indexPath)
        return;
    if (scrollPosition != UICollectionViewScrollPositionNone)
        scrollToItemAtIndexPath(indexPath, scrollPosition, animated);
    if (auto cell = cellForItemAtIndexPath(indexPath))
        cell->setSelected(true);
}

void UICollectionView::deselectItemAtIndexPath(NSIndexPath* indexPath, bool)
{
    if (!indexPath || !m_selected || !m_selected->isEqual(indexPath))
        return;
    if (auto cell = cellForItemAtIndexPath(indexPath))
        cell->setSelected(false);
    m_selected = nullptr;
}

RefPtr<NSArray> UICollectionView::indexPathsForSelectedItems() const
{
    std::vector<Ref<Object>> paths;
    if (m_selected)
        paths.emplace_back(*m_selected);
    return NSArray::create(std::move(paths));
}

bool UICollectionView::userTapItem(NSIndexPath* indexPath)
{
    Ref<UICollectionView> keep(*this);
    if (!indexPath || !m_allowsSelection)
        return false;
    auto [s, i] = keyOf(indexPath);
    if (s < 0 || i < 0 || i >= numberOfItemsInSection(s))
        return false;
    id d = delegate().get();
    if (answers(d, "collectionView:shouldSelectItemAtIndexPath:")
        && !objc::send<bool(UICollectionView*, NSIndexPath*)>(d, "collectionView:shouldSelectItemAtIndexPath:", this, indexPath))
        return false;
    RefPtr<NSIndexPath> path(indexPath);
    if (m_selected && !m_selected->isEqual(indexPath)) {
        RefPtr<NSIndexPath> previous(m_selected);
        deselectItemAtIndexPath(previous.get(), false);
        if (answers(d, "collectionView:didDeselectItemAtIndexPath:"))
            objc::send<void(UICollectionView*, NSIndexPath*)>(d, "collectionView:didDeselectItemAtIndexPath:", this, previous.get());
    }
    selectItemAtIndexPath(path.get(), false, UICollectionViewScrollPositionNone);
    if (answers(d, "collectionView:didSelectItemAtIndexPath:"))
        objc::send<void(UICollectionView*, NSIndexPath*)>(d, "collectionView:didSelectItemAtIndexPath:", this, path.get());
    return true;
}

// Layout --------------------------------------------------------------------------------------

Ref<UICollectionViewCell> UICollectionView::makeCell(const ItemKey& key)
{
    auto path = NSIndexPath::indexPathForItem(key.second, key.first);
    id ds = source();
    RefPtr<UICollectionViewCell> cell;
    if (answers(ds, "collectionView:cellForItemAtIndexPath:"))
        cell = objc::send<RefPtr<UICollectionViewCell>(UICollectionView*, NSIndexPath*)>(ds, "collectionView:cellForItemAtIndexPath:", this, path.get());
    if (!cell || !objc::object_isKindOfClass(cell.get(), UICollectionViewCell::staticClass()))
        throw NSInternalInconsistencyException(std::string("the collection view's data source (") + objc::object_getClassName(ds)
            + ") did not return a valid cell from collectionView:cellForItemAtIndexPath: for index path " + str(path->description().get()));
    return cell.releaseNonNull();
}

void UICollectionView::layoutSubviews()
{
    Ref<UICollectionView> keep(*this);
    prepareLayout();
    auto layout = collectionViewLayout();
    if (!layout)
        return;
    setContentSize(objc::send<CGSize>(layout, "collectionViewContentSize"));
    CGRect visible = bounds();
    auto onScreen = [&](const ItemKey& key, CGRect* frame) {
        *frame = layout->frameForItem(key.first, key.second);
        return key.first < layout->sectionCount() && key.second < layout->itemCount(key.first)
            && frame->size.width > 0 && frame->size.height > 0 && CGRectIntersectsRect(*frame, visible);
    };
    // Items that left the screen give their cells to the pool first, so the
    // items that came in can reuse them.
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        CGRect frame;
        if (onScreen(it->first, &frame)) {
            ++it;
        } else {
            recycle(it->second);
            it = m_cells.erase(it);
        }
    }
    id d = delegate().get();
    std::map<ItemKey, Ref<UICollectionViewCell>> cells;
    for (long s = 0; s < layout->sectionCount(); ++s) {
        for (long i = 0; i < layout->itemCount(s); ++i) {
            ItemKey key { s, i };
            CGRect frame;
            if (!onScreen(key, &frame))
                continue;
            auto it = m_cells.find(key);
            bool fresh = it == m_cells.end();
            Ref<UICollectionViewCell> cell = fresh ? makeCell(key) : it->second;
            objc::send<void(CGRect)>(cell, "setFrame:", frame);
            auto path = NSIndexPath::indexPathForItem(i, s);
            cell->setSelected(m_selected && m_selected->isEqual(path.get()));
            if (fresh && answers(d, "collectionView:willDisplayCell:forItemAtIndexPath:"))
                objc::send<void(UICollectionView*, UICollectionViewCell*, NSIndexPath*)>(d, "collectionView:willDisplayCell:forItemAtIndexPath:", this, cell.get(), path.get());
            if (cell->superview().get() != this)
                insertSubview(cell.get(), 0);
            cells.emplace(key, cell);
        }
    }
    for (auto& [key, cell] : m_cells) {
        if (!cells.count(key) || cells.at(key).get() != cell.get())
            recycle(cell);
    }
    m_cells = std::move(cells);
}

void UICollectionView::registerMethods(objc::ClassBuilder<UICollectionView>& b)
{
    b.method<&UICollectionView::initWithFrameCollectionViewLayout>("initWithFrame:collectionViewLayout:")
        .method<&UICollectionView::initWithFrame>("initWithFrame:")
        .method<&UICollectionView::collectionViewLayout>("collectionViewLayout")
        .method<&UICollectionView::setCollectionViewLayout>("setCollectionViewLayout:")
        .method<&UICollectionView::dataSource>("dataSource")
        .method<&UICollectionView::setDataSource>("setDataSource:")
        .method<&UICollectionView::setDelegate>("setDelegate:")
        .method<&UICollectionView::allowsSelection>("allowsSelection")
        .method<&UICollectionView::setAllowsSelection>("setAllowsSelection:")
        .method<&UICollectionView::registerClassForCellWithReuseIdentifier>("registerClass:forCellWithReuseIdentifier:")
        .method<&UICollectionView::dequeueReusableCellWithReuseIdentifierForIndexPath>("dequeueReusableCellWithReuseIdentifier:forIndexPath:")
        .method<&UICollectionView::reloadData>("reloadData")
        .method<&UICollectionView::numberOfSections>("numberOfSections")
        .method<&UICollectionView::numberOfItemsInSection>("numberOfItemsInSection:")
        .method<&UICollectionView::cellForItemAtIndexPath>("cellForItemAtIndexPath:")
        .method<&UICollectionView::visibleCells>("visibleCells")
        .method<&UICollectionView::indexPathsForVisibleItems>("indexPathsForVisibleItems")
        .method<&UICollectionView::indexPathForCell>("indexPathForCell:")
        .method<&UICollectionView::indexPathForItemAtPoint>("indexPathForItemAtPoint:")
        .method<&UICollectionView::scrollToItemAtIndexPath>("scrollToItemAtIndexPath:atScrollPosition:animated:")
        .method<&UICollectionView::selectItemAtIndexPath>("selectItemAtIndexPath:animated:scrollPosition:")
        .method<&UICollectionView::deselectItemAtIndexPath>("deselectItemAtIndexPath:animated:")
        .method<&UICollectionView::indexPathsForSelectedItems>("indexPathsForSelectedItems")
        .method<&UICollectionView::layoutSubviews>("layoutSubviews");
}

} // namespace platform
