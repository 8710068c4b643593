#include "platform/uikit/UITableView.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UITableViewCell.h"
#include "platform/uikit/UITableViewHeaderFooterView.h"
#include "platform/uikit/UITableViewRowAction.h"

#include <algorithm>

namespace platform {

OBJC_CLASS_LOAD(UITableView)

namespace {
bool answers(id object, const char* selector)
{
    return object && objc::respondsTo(object, selector);
}

constexpr double kGroupedSpacing = 18;
}

UITableView::UITableView() = default;
UITableView::~UITableView() = default;

Ref<UITableView> UITableView::create(CGRect frame, long style)
{
    auto table = objc::make<UITableView>();
    objc::send<RefPtr<UITableView>(CGRect, long)>(table, "initWithFrame:style:", frame, style);
    return table;
}

RefPtr<UITableView> UITableView::initWithFrameStyle(CGRect frame, long style)
{
    UIView::initWithFrame(frame);
    m_style = style;
    m_sectionHeaderHeight = style == UITableViewStyleGrouped ? 38 : 28;
    setBackgroundColor(style == UITableViewStyleGrouped ? UIColor::groupTableViewBackgroundColor().get() : UIColor::whiteColor().get());
    return RefPtr<UITableView>(this);
}

RefPtr<UIView> UITableView::initWithFrame(CGRect frame)
{
    return objc::send<RefPtr<UITableView>(CGRect, long)>(this, "initWithFrame:style:", frame, long(UITableViewStylePlain));
}

id UITableView::source() const
{
    return m_dataSource.lock().get();
}

id UITableView::tableDelegate() const
{
    return delegate().get();
}

void UITableView::setDataSource(id dataSource)
{
    m_dataSource = objc::WeakPtr<Object>(dataSource);
    m_loaded = false;
    setNeedsLayout();
}

void UITableView::setDelegate(id delegate)
{
    UIScrollView::setDelegate(delegate);
    setNeedsLayout();
}

void UITableView::setTableHeaderView(UIView* view)
{
    if (m_tableHeaderView)
        m_tableHeaderView->removeFromSuperview();
    m_tableHeaderView = view;
    if (view)
        addSubview(view);
    setNeedsLayout();
}

void UITableView::setTableFooterView(UIView* view)
{
    if (m_tableFooterView)
        m_tableFooterView->removeFromSuperview();
    m_tableFooterView = view;
    if (view)
        addSubview(view);
    setNeedsLayout();
}

RefPtr<UIColor> UITableView::separatorColor() const
{
    return RefPtr<UIColor>(static_cast<UIColor*>(m_separatorColor.get()));
}

void UITableView::setSeparatorColor(UIColor* color)
{
    m_separatorColor = color;
}

void UITableView::setEditing(bool editing)
{
    if (!editing)
        closeSwipe(true);
    m_editing = editing;
}

// Data -------------------------------------------------------------------------------

void UITableView::reloadData()
{
    Ref<UITableView> keep(*this);
    loadCounts();
    setNeedsLayout();
    layoutIfNeeded();
}

void UITableView::loadCounts()
{
    closeSwipe(false);
    for (auto& [key, cell] : std::map<RowKey, Ref<UITableViewCell>>(m_cells))
        recycle(cell);
    m_cells.clear();
    for (auto& [section, header] : m_headers)
        header->removeFromSuperview();
    m_headers.clear();
    m_rowCounts.clear();
    m_loaded = true; // first: a data source that asks the table back must not start a second load
    id ds = source();
    long sections = answers(ds, "numberOfSectionsInTableView:") ? objc::send<long(UITableView*)>(ds, "numberOfSectionsInTableView:", this) : (ds ? 1 : 0);
    for (long s = 0; s < sections; ++s) {
        long rows = answers(ds, "tableView:numberOfRowsInSection:") ? objc::send<long(UITableView*, long)>(ds, "tableView:numberOfRowsInSection:", this, s) : 0;
        m_rowCounts.push_back(std::max(0L, rows));
    }
    if (m_selected && (m_selected->section() >= long(m_rowCounts.size()) || m_selected->row() >= m_rowCounts[size_t(m_selected->section())]))
        m_selected = nullptr;
}

void UITableView::loadIfNeeded()
{
    if (!m_loaded)
        loadCounts();
}

long UITableView::numberOfSections()
{
    loadIfNeeded();
    return long(m_rowCounts.size());
}

long UITableView::numberOfRowsInSection(long section)
{
    loadIfNeeded();
    return section >= 0 && section < long(m_rowCounts.size()) ? m_rowCounts[size_t(section)] : 0;
}

UITableView::RowKey UITableView::keyOf(NSIndexPath* indexPath) const
{
    return indexPath ? RowKey { indexPath->section(), indexPath->row() } : RowKey { -1, -1 };
}

RefPtr<UITableViewCell> UITableView::cellForRowAtIndexPath(NSIndexPath* indexPath)
{
    auto it = m_cells.find(keyOf(indexPath));
    return it == m_cells.end() ? nullptr : RefPtr<UITableViewCell>(it->second);
}

RefPtr<NSArray> UITableView::visibleCells()
{
    std::vector<Ref<Object>> cells;
    for (auto& [key, cell] : m_cells)
        cells.emplace_back(cell);
    return NSArray::create(std::move(cells));
}

RefPtr<NSArray> UITableView::indexPathsForVisibleRows()
{
    std::vector<Ref<Object>> paths;
    for (auto& [key, cell] : m_cells)
        paths.emplace_back(NSIndexPath::indexPathForRow(key.second, key.first));
    return NSArray::create(std::move(paths));
}

RefPtr<NSIndexPath> UITableView::indexPathForCell(UITableViewCell* cell)
{
    for (auto& [key, c] : m_cells) {
        if (c.get() == cell)
            return NSIndexPath::indexPathForRow(key.second, key.first);
    }
    return nullptr;
}

RefPtr<NSIndexPath> UITableView::indexPathForRowAtPoint(CGPoint point)
{
    loadIfNeeded();
    computeGeometry();
    for (size_t s = 0; s < m_sections.size(); ++s) {
        auto& sec = m_sections[s];
        for (size_t r = 0; r < sec.rowTops.size(); ++r) {
            if (point.y >= sec.rowTops[r] && point.y < sec.rowTops[r] + sec.rowHeights[r] && point.x >= 0 && point.x < bounds().size.width)
                return NSIndexPath::indexPathForRow(long(r), long(s));
        }
    }
    return nullptr;
}

CGRect UITableView::rectForRowAtIndexPath(NSIndexPath* indexPath)
{
    loadIfNeeded();
    computeGeometry();
    auto [s, r] = keyOf(indexPath);
    if (s < 0 || s >= long(m_sections.size()) || r < 0 || r >= long(m_sections[size_t(s)].rowTops.size()))
        return CGRectZero;
    auto& sec = m_sections[size_t(s)];
    return CGRectMake(0, sec.rowTops[size_t(r)], bounds().size.width, sec.rowHeights[size_t(r)]);
}

CGRect UITableView::rectForHeaderInSection(long section)
{
    loadIfNeeded();
    computeGeometry();
    if (section < 0 || section >= long(m_sections.size()))
        return CGRectZero;
    auto& sec = m_sections[size_t(section)];
    return CGRectMake(0, sec.top, bounds().size.width, sec.headerHeight);
}

RefPtr<UIView> UITableView::headerViewForSection(long section)
{
    auto it = m_headers.find(section);
    return it == m_headers.end() ? nullptr : RefPtr<UIView>(it->second);
}

RefPtr<UITableViewCell> UITableView::dequeueReusableCellWithIdentifier(NSString* identifier)
{
    std::string key = str(identifier);
    auto& pool = m_reusePool[key];
    if (!pool.empty()) {
        Ref<UITableViewCell> cell = pool.back();
        pool.pop_back();
        objc::send<void>(cell, "prepareForReuse");
        return cell;
    }
    auto it = m_registeredClasses.find(key);
    if (it == m_registeredClasses.end())
        return nullptr;
    auto object = objc::class_createInstance(it->second);
    return objc::send<RefPtr<UITableViewCell>(long, NSString*)>(object, "initWithStyle:reuseIdentifier:", long(UITableViewCellStyleDefault), identifier);
}

RefPtr<UITableViewCell> UITableView::dequeueReusableCellWithIdentifierForIndexPath(NSString* identifier, NSIndexPath*)
{
    auto cell = dequeueReusableCellWithIdentifier(identifier);
    if (!cell)
        throw NSInternalInconsistencyException("unable to dequeue a cell with identifier " + str(identifier) + " - must register a class for the identifier");
    return cell;
}

void UITableView::registerClassForCellReuseIdentifier(objc::Class cellClass, NSString* identifier)
{
    if (cellClass)
        m_registeredClasses[str(identifier)] = cellClass;
    else
        m_registeredClasses.erase(str(identifier));
}

void UITableView::recycle(const Ref<UITableViewCell>& cell)
{
    cell->removeFromSuperview();
    cell->setSelected(false);
    cell->setHighlighted(false);
    std::string identifier = str(cell->reuseIdentifier().get());
    if (!identifier.empty())
        m_reusePool[identifier].push_back(cell);
}

// Geometry and layout ------------------------------------------------------------------

double UITableView::headerHeightFor(long section)
{
    id d = tableDelegate();
    if (answers(d, "tableView:heightForHeaderInSection:")) {
        double height = objc::send<double(UITableView*, long)>(d, "tableView:heightForHeaderInSection:", this, section);
        if (height != UITableViewAutomaticDimension)
            return std::max(0.0, height);
        // The automatic height: what the table gives without the delegate's answer.
    }
    id ds = source();
    bool titled = answers(ds, "tableView:titleForHeaderInSection:")
        && !str(objc::send<RefPtr<NSString>(UITableView*, long)>(ds, "tableView:titleForHeaderInSection:", this, section).get()).empty();
    if (titled || answers(d, "tableView:viewForHeaderInSection:"))
        return m_sectionHeaderHeight;
    return m_style == UITableViewStyleGrouped ? kGroupedSpacing : 0;
}

void UITableView::computeGeometry()
{
    id d = tableDelegate();
    bool askHeights = answers(d, "tableView:heightForRowAtIndexPath:");
    double y = m_tableHeaderView ? m_tableHeaderView->frame().size.height : 0;
    m_sections.assign(m_rowCounts.size(), Section {});
    for (size_t s = 0; s < m_rowCounts.size(); ++s) {
        Section& sec = m_sections[s];
        sec.top = y;
        sec.headerHeight = headerHeightFor(long(s));
        y += sec.headerHeight;
        for (long r = 0; r < m_rowCounts[s]; ++r) {
            double h = m_rowHeight;
            if (askHeights) {
                auto path = NSIndexPath::indexPathForRow(r, long(s));
                h = std::max(0.0, objc::send<double(UITableView*, NSIndexPath*)>(d, "tableView:heightForRowAtIndexPath:", this, path.get()));
            }
            sec.rowTops.push_back(y);
            sec.rowHeights.push_back(h);
            y += h;
        }
    }
    m_contentHeight = y + (m_tableFooterView ? m_tableFooterView->frame().size.height : 0);
}

Ref<UIView> UITableView::makeHeader(long section)
{
    id d = tableDelegate();
    RefPtr<UIView> view;
    if (answers(d, "tableView:viewForHeaderInSection:"))
        view = objc::send<RefPtr<UIView>(UITableView*, long)>(d, "tableView:viewForHeaderInSection:", this, section);
    if (!view) {
        auto header = UITableViewHeaderFooterView::create();
        id ds = source();
        if (answers(ds, "tableView:titleForHeaderInSection:")) {
            auto title = objc::send<RefPtr<NSString>(UITableView*, long)>(ds, "tableView:titleForHeaderInSection:", this, section);
            header->textLabel()->setText(title.get());
        }
        view = header;
    }
    return view.releaseNonNull();
}

Ref<UITableViewCell> UITableView::makeCell(const RowKey& key)
{
    auto path = NSIndexPath::indexPathForRow(key.second, key.first);
    id ds = source();
    RefPtr<UITableViewCell> cell;
    if (answers(ds, "tableView:cellForRowAtIndexPath:"))
        cell = objc::send<RefPtr<UITableViewCell>(UITableView*, NSIndexPath*)>(ds, "tableView:cellForRowAtIndexPath:", this, path.get());
    if (!cell || !objc::object_isKindOfClass(cell.get(), UITableViewCell::staticClass()))
        throw NSInternalInconsistencyException(std::string("UITableView (") + objc::object_getClassName(this) + ") failed to obtain a cell from its dataSource (" + objc::object_getClassName(ds) + ")");
    return cell.releaseNonNull();
}

void UITableView::layoutSubviews()
{
    Ref<UITableView> keep(*this);
    loadIfNeeded();
    computeGeometry();
    double width = bounds().size.width;
    setContentSize(CGSizeMake(width, m_contentHeight));
    if (m_tableHeaderView)
        m_tableHeaderView->setFrame(CGRectMake(0, 0, width, m_tableHeaderView->frame().size.height));
    if (m_tableFooterView)
        m_tableFooterView->setFrame(CGRectMake(0, m_contentHeight - m_tableFooterView->frame().size.height, width, m_tableFooterView->frame().size.height));

    CGRect visible = bounds();
    id d = tableDelegate();
    // Rows that left the screen give their cells to the pool first, so the
    // rows that came in can reuse them.
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        auto [s, r] = it->first;
        bool stays = s < long(m_sections.size()) && r < long(m_sections[size_t(s)].rowTops.size())
            && m_sections[size_t(s)].rowHeights[size_t(r)] > 0
            && CGRectIntersectsRect(CGRectMake(0, m_sections[size_t(s)].rowTops[size_t(r)], width, m_sections[size_t(s)].rowHeights[size_t(r)]), visible);
        if (stays) {
            ++it;
        } else {
            recycle(it->second);
            it = m_cells.erase(it);
        }
    }
    std::map<long, Ref<UIView>> headers;
    std::map<RowKey, Ref<UITableViewCell>> cells;
    for (size_t s = 0; s < m_sections.size(); ++s) {
        const Section& sec = m_sections[s];
        CGRect headerRect = CGRectMake(0, sec.top, width, sec.headerHeight);
        if (sec.headerHeight > 0 && CGRectIntersectsRect(headerRect, visible)) {
            auto it = m_headers.find(long(s));
            bool fresh = it == m_headers.end();
            Ref<UIView> header = fresh ? makeHeader(long(s)) : it->second;
            objc::send<void(CGRect)>(header, "setFrame:", headerRect);
            if (fresh && answers(d, "tableView:willDisplayHeaderView:forSection:"))
                objc::send<void(UITableView*, UIView*, long)>(d, "tableView:willDisplayHeaderView:forSection:", this, header.get(), long(s));
            if (header->superview().get() != this)
                addSubview(header.get());
            headers.emplace(long(s), header);
        }
        for (size_t r = 0; r < sec.rowTops.size(); ++r) {
            CGRect rowRect = CGRectMake(0, sec.rowTops[r], width, sec.rowHeights[r]);
            if (sec.rowHeights[r] <= 0 || !CGRectIntersectsRect(rowRect, visible))
                continue;
            RowKey key { long(s), long(r) };
            auto it = m_cells.find(key);
            bool fresh = it == m_cells.end();
            Ref<UITableViewCell> cell = fresh ? makeCell(key) : it->second;
            objc::send<void(CGRect)>(cell, "setFrame:", rowRect);
            auto path = NSIndexPath::indexPathForRow(key.second, key.first);
            cell->setSelected(m_selected && m_selected->isEqual(path.get()));
            if (fresh && answers(d, "tableView:willDisplayCell:forRowAtIndexPath:"))
                objc::send<void(UITableView*, UITableViewCell*, NSIndexPath*)>(d, "tableView:willDisplayCell:forRowAtIndexPath:", this, cell.get(), path.get());
            if (cell->superview().get() != this)
                insertSubview(cell.get(), 0);
            cells.emplace(key, cell);
        }
    }
    for (auto& [section, header] : m_headers) {
        if (!headers.count(section))
            header->removeFromSuperview();
    }
    for (auto& [key, cell] : m_cells) {
        if (!cells.count(key) || cells.at(key).get() != cell.get())
            recycle(cell);
    }
    m_headers = std::move(headers);
    m_cells = std::move(cells);
}

void UITableView::registerMethods(objc::ClassBuilder<UITableView>& b)
{
    b.method<&UITableView::initWithFrameStyle>("initWithFrame:style:")
        .method<&UITableView::initWithFrame>("initWithFrame:")
        .method<&UITableView::style>("style")
        .method<&UITableView::dataSource>("dataSource")
        .method<&UITableView::setDataSource>("setDataSource:")
        .method<&UITableView::setDelegate>("setDelegate:")
        .method<&UITableView::rowHeight>("rowHeight")
        .method<&UITableView::setRowHeight>("setRowHeight:")
        .method<&UITableView::sectionHeaderHeight>("sectionHeaderHeight")
        .method<&UITableView::setSectionHeaderHeight>("setSectionHeaderHeight:")
        .method<&UITableView::tableHeaderView>("tableHeaderView")
        .method<&UITableView::setTableHeaderView>("setTableHeaderView:")
        .method<&UITableView::tableFooterView>("tableFooterView")
        .method<&UITableView::setTableFooterView>("setTableFooterView:")
        .method<&UITableView::separatorStyle>("separatorStyle")
        .method<&UITableView::setSeparatorStyle>("setSeparatorStyle:")
        .method<&UITableView::separatorColor>("separatorColor")
        .method<&UITableView::setSeparatorColor>("setSeparatorColor:")
        .method<&UITableView::separatorEffect>("separatorEffect")
        .method<&UITableView::setSeparatorEffect>("setSeparatorEffect:")
        .method<&UITableView::allowsSelection>("allowsSelection")
        .method<&UITableView::setAllowsSelection>("setAllowsSelection:")
        .method<&UITableView::isEditing>("isEditing")
        .method<&UITableView::setEditing>("setEditing:")
        .method<&UITableView::setEditingAnimated>("setEditing:animated:")
        .method<&UITableView::reloadData>("reloadData")
        .method<&UITableView::numberOfSections>("numberOfSections")
        .method<&UITableView::numberOfRowsInSection>("numberOfRowsInSection:")
        .method<&UITableView::cellForRowAtIndexPath>("cellForRowAtIndexPath:")
        .method<&UITableView::visibleCells>("visibleCells")
        .method<&UITableView::indexPathsForVisibleRows>("indexPathsForVisibleRows")
        .method<&UITableView::indexPathForCell>("indexPathForCell:")
        .method<&UITableView::indexPathForRowAtPoint>("indexPathForRowAtPoint:")
        .method<&UITableView::rectForRowAtIndexPath>("rectForRowAtIndexPath:")
        .method<&UITableView::rectForHeaderInSection>("rectForHeaderInSection:")
        .method<&UITableView::headerViewForSection>("headerViewForSection:")
        .method<&UITableView::dequeueReusableCellWithIdentifier>("dequeueReusableCellWithIdentifier:")
        .method<&UITableView::dequeueReusableCellWithIdentifierForIndexPath>("dequeueReusableCellWithIdentifier:forIndexPath:")
        .method<&UITableView::registerClassForCellReuseIdentifier>("registerClass:forCellReuseIdentifier:")
        .method<&UITableView::selectRowAtIndexPath>("selectRowAtIndexPath:animated:scrollPosition:")
        .method<&UITableView::deselectRowAtIndexPath>("deselectRowAtIndexPath:animated:")
        .method<&UITableView::indexPathForSelectedRow>("indexPathForSelectedRow")
        .method<&UITableView::scrollToRowAtIndexPath>("scrollToRowAtIndexPath:atScrollPosition:animated:")
        .method<&UITableView::beginUpdates>("beginUpdates")
        .method<&UITableView::endUpdates>("endUpdates")
        .method<&UITableView::deleteRowsAtIndexPaths>("deleteRowsAtIndexPaths:withRowAnimation:")
        .method<&UITableView::insertRowsAtIndexPaths>("insertRowsAtIndexPaths:withRowAnimation:")
        .method<&UITableView::reloadRowsAtIndexPaths>("reloadRowsAtIndexPaths:withRowAnimation:")
        .method<&UITableView::reloadSections>("reloadSections:withRowAnimation:")
        .method<&UITableView::layoutSubviews>("layoutSubviews");
}

} // namespace platform
