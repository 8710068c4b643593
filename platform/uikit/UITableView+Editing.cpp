// A table's selection, scrolling to rows, row updates and row actions.

#include "platform/foundation/NSIndexPath.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UITableViewCell.h"
#include "platform/uikit/UITableViewRowAction.h"

#include <algorithm>
#include <optional>

namespace platform {

namespace {
bool answers(id object, const char* selector)
{
    return object && objc::respondsTo(object, selector);
}

std::vector<std::pair<long, long>> keysOf(NSArray* paths)
{
    std::vector<std::pair<long, long>> keys;
    if (!paths)
        return keys;
    for (auto& item : paths->items()) {
        if (objc::object_isKindOfClass(item.get(), NSIndexPath::staticClass())) {
            auto* p = static_cast<NSIndexPath*>(item.get());
            keys.emplace_back(p->section(), p->row());
        }
    }
    return keys;
}
}

// Selection ---------------------------------------------------------------------------

RefPtr<NSIndexPath> UITableView::indexPathForSelectedRow() const
{
    return m_selected;
}

RefPtr<NSIndexPath> UITableView::swipedRow() const
{
    return m_swipedRow;
}

void UITableView::changeSelection(NSIndexPath* indexPath)
{
    if (m_selected) {
        if (auto cell = cellForRowAtIndexPath(m_selected.get()))
            cell->setSelected(false);
    }
    m_selected = indexPath;
    if (m_selected) {
        if (auto cell = cellForRowAtIndexPath(m_selected.get()))
            cell->setSelected(true);
    }
}

void UITableView::selectRowAtIndexPath(NSIndexPath* indexPath, bool animated, long scrollPosition)
{
    if (!indexPath) {
        changeSelection(nullptr);
        return;
    }
    if (indexPath->section() < 0 || indexPath->row() < 0 || indexPath->row() >= numberOfRowsInSection(indexPath->section()))
        return;
    changeSelection(NSIndexPath::indexPathForRow(indexPath->row(), indexPath->section()).get());
    if (scrollPosition != UITableViewScrollPositionNone)
        scrollToRowAtIndexPath(indexPath, scrollPosition, animated);
}

void UITableView::deselectRowAtIndexPath(NSIndexPath* indexPath, bool)
{
    if (m_selected && m_selected->isEqual(indexPath))
        changeSelection(nullptr);
}

void UITableView::scrollToRowAtIndexPath(NSIndexPath* indexPath, long scrollPosition, bool animated)
{
    CGRect row = rectForRowAtIndexPath(indexPath);
    if (CGRectIsEmpty(row))
        return;
    CGRect b = bounds();
    double y = b.origin.y;
    switch (scrollPosition) {
    case UITableViewScrollPositionTop: y = row.origin.y; break;
    case UITableViewScrollPositionMiddle: y = CGRectGetMidY(row) - b.size.height / 2; break;
    case UITableViewScrollPositionBottom: y = CGRectGetMaxY(row) - b.size.height; break;
    default:
        scrollRectToVisible(row, animated);
        layoutIfNeeded();
        return;
    }
    double maxY = std::max(0.0, contentSize().height - b.size.height);
    objc::send<void(CGPoint, bool)>(this, "setContentOffset:animated:", CGPointMake(b.origin.x, std::clamp(y, 0.0, maxY)), animated);
    layoutIfNeeded();
}

bool UITableView::userTapRow(NSIndexPath* indexPath)
{
    Ref<UITableView> keep(*this);
    if (!indexPath || !m_allowsSelection || indexPath->row() >= numberOfRowsInSection(indexPath->section()))
        return false;
    if (m_swipedRow) {
        closeSwipe(true); // a tap while a row shows its actions only closes them
        return false;
    }
    id d = tableDelegate();
    RefPtr<NSIndexPath> target(indexPath);
    if (answers(d, "tableView:willSelectRowAtIndexPath:")) {
        target = objc::send<RefPtr<NSIndexPath>(UITableView*, NSIndexPath*)>(d, "tableView:willSelectRowAtIndexPath:", this, indexPath);
        if (!target)
            return false;
    }
    if (m_selected && !m_selected->isEqual(target.get())) {
        RefPtr<NSIndexPath> previous = m_selected;
        changeSelection(nullptr);
        if (answers(d, "tableView:didDeselectRowAtIndexPath:"))
            objc::send<void(UITableView*, NSIndexPath*)>(d, "tableView:didDeselectRowAtIndexPath:", this, previous.get());
    }
    changeSelection(target.get());
    if (answers(d, "tableView:didSelectRowAtIndexPath:"))
        objc::send<void(UITableView*, NSIndexPath*)>(d, "tableView:didSelectRowAtIndexPath:", this, target.get());
    return true;
}

// Updates -------------------------------------------------------------------------------

void UITableView::beginUpdates()
{
    loadIfNeeded();
    ++m_updateDepth;
}

void UITableView::endUpdates()
{
    if (m_updateDepth == 0)
        return;
    if (--m_updateDepth == 0)
        applyUpdates();
}

void UITableView::deleteRowsAtIndexPaths(NSArray* indexPaths, long animation)
{
    loadIfNeeded();
    auto keys = keysOf(indexPaths);
    m_pendingDeletes.insert(m_pendingDeletes.end(), keys.begin(), keys.end());
    m_lastAnimation = animation;
    if (m_updateDepth == 0)
        applyUpdates();
}

void UITableView::insertRowsAtIndexPaths(NSArray* indexPaths, long animation)
{
    loadIfNeeded();
    auto keys = keysOf(indexPaths);
    m_pendingInserts.insert(m_pendingInserts.end(), keys.begin(), keys.end());
    m_lastAnimation = animation;
    if (m_updateDepth == 0)
        applyUpdates();
}

void UITableView::reloadRowsAtIndexPaths(NSArray* indexPaths, long animation)
{
    loadIfNeeded();
    auto keys = keysOf(indexPaths);
    m_pendingReloads.insert(m_pendingReloads.end(), keys.begin(), keys.end());
    m_lastAnimation = animation;
    if (m_updateDepth == 0)
        applyUpdates();
}

void UITableView::applyUpdates()
{
    Ref<UITableView> keep(*this);
    auto deletes = std::exchange(m_pendingDeletes, {});
    auto inserts = std::exchange(m_pendingInserts, {});
    auto reloads = std::exchange(m_pendingReloads, {});
    std::sort(deletes.begin(), deletes.end());
    deletes.erase(std::unique(deletes.begin(), deletes.end()), deletes.end());
    std::sort(inserts.begin(), inserts.end());
    inserts.erase(std::unique(inserts.begin(), inserts.end()), inserts.end());

    // Check the new counts against the data source, section by section.
    id ds = source();
    std::vector<long> counts = m_rowCounts;
    long sections = answers(ds, "numberOfSectionsInTableView:") ? objc::send<long(UITableView*)>(ds, "numberOfSectionsInTableView:", this) : (ds ? 1 : 0);
    if (sections != long(counts.size()))
        throw NSInternalInconsistencyException("Invalid update: invalid number of sections. The number of sections contained in the table view after the update ("
            + std::to_string(sections) + ") must be equal to the number of sections contained in the table view before the update (" + std::to_string(counts.size()) + ").");
    for (auto& [s, r] : deletes) {
        if (s < 0 || s >= sections || r < 0 || r >= m_rowCounts[size_t(s)])
            throw NSInternalInconsistencyException("attempt to delete row " + std::to_string(r) + " from section " + std::to_string(s) + " which only contains " + std::to_string(s >= 0 && s < sections ? m_rowCounts[size_t(s)] : 0) + " rows before the update");
    }
    for (long s = 0; s < sections; ++s) {
        long deleted = std::count_if(deletes.begin(), deletes.end(), [s](auto& k) { return k.first == s; });
        long inserted = std::count_if(inserts.begin(), inserts.end(), [s](auto& k) { return k.first == s; });
        long actual = answers(ds, "tableView:numberOfRowsInSection:") ? objc::send<long(UITableView*, long)>(ds, "tableView:numberOfRowsInSection:", this, s) : 0;
        long before = m_rowCounts[size_t(s)];
        if (actual != before - deleted + inserted)
            throw NSInternalInconsistencyException("Invalid update: invalid number of rows in section " + std::to_string(s) + ". The number of rows contained in an existing section after the update ("
                + std::to_string(actual) + ") must be equal to the number of rows contained in that section before the update (" + std::to_string(before)
                + "), plus or minus the number of rows inserted or deleted from that section (" + std::to_string(inserted) + " inserted, " + std::to_string(deleted) + " deleted).");
        counts[size_t(s)] = actual;
    }

    // Deleted rows give up their cells; the others move to their new places.
    auto moved = [&](RowKey key) -> std::optional<RowKey> {
        if (std::binary_search(deletes.begin(), deletes.end(), key))
            return std::nullopt;
        long row = key.second - std::count_if(deletes.begin(), deletes.end(), [&](auto& k) { return k.first == key.first && k.second < key.second; });
        for (auto& [s, r] : inserts) {
            if (s == key.first && r <= row)
                ++row;
        }
        return RowKey { key.first, row };
    };
    closeSwipe(true);
    std::map<RowKey, Ref<UITableViewCell>> cells;
    for (auto& [key, cell] : m_cells) {
        bool reloaded = std::find(reloads.begin(), reloads.end(), key) != reloads.end();
        auto to = moved(key);
        if (to && !reloaded)
            cells.emplace(*to, cell);
        else
            recycle(cell);
    }
    m_cells = std::move(cells);
    if (m_selected) {
        auto to = moved(keyOf(m_selected.get()));
        m_selected = to ? RefPtr<NSIndexPath>(NSIndexPath::indexPathForRow(to->second, to->first)) : nullptr;
    }
    m_rowCounts = std::move(counts);
    setNeedsLayout();
    layoutIfNeeded();
}

// Row actions ------------------------------------------------------------------------------

std::vector<Ref<UITableViewRowAction>> UITableView::userSwipeRow(NSIndexPath* indexPath)
{
    Ref<UITableView> keep(*this);
    if (!indexPath || m_editing || indexPath->row() >= numberOfRowsInSection(indexPath->section()))
        return {};
    closeSwipe(true);
    id ds = source();
    id d = tableDelegate();
    // Rows swipe open only when the data source takes edits.
    if (!answers(ds, "tableView:commitEditingStyle:forRowAtIndexPath:"))
        return {};
    if (answers(ds, "tableView:canEditRowAtIndexPath:") && !objc::send<bool(UITableView*, NSIndexPath*)>(ds, "tableView:canEditRowAtIndexPath:", this, indexPath))
        return {};
    long style = answers(d, "tableView:editingStyleForRowAtIndexPath:")
        ? objc::send<long(UITableView*, NSIndexPath*)>(d, "tableView:editingStyleForRowAtIndexPath:", this, indexPath)
        : long(UITableViewCellEditingStyleDelete);
    if (style == UITableViewCellEditingStyleNone)
        return {};
    std::vector<Ref<UITableViewRowAction>> actions;
    if (answers(d, "tableView:editActionsForRowAtIndexPath:")) {
        auto list = objc::send<RefPtr<NSArray>(UITableView*, NSIndexPath*)>(d, "tableView:editActionsForRowAtIndexPath:", this, indexPath);
        if (list) {
            for (auto& item : list->items()) {
                if (objc::object_isKindOfClass(item.get(), UITableViewRowAction::staticClass()))
                    actions.emplace_back(*static_cast<UITableViewRowAction*>(item.get()));
            }
        }
    }
    if (actions.empty()) {
        // The platform's own delete button: it commits the deletion and closes the row.
        std::string title = "Delete";
        if (answers(d, "tableView:titleForDeleteConfirmationButtonForRowAtIndexPath:")) {
            auto custom = objc::send<RefPtr<NSString>(UITableView*, NSIndexPath*)>(d, "tableView:titleForDeleteConfirmationButtonForRowAtIndexPath:", this, indexPath);
            if (custom)
                title = custom->str();
        }
        objc::WeakPtr<UITableView> weak(this);
        actions.push_back(UITableViewRowAction::create(UITableViewRowActionStyleDestructive, title, [weak](UITableViewRowAction*, NSIndexPath* path) {
            auto table = weak.lock();
            if (!table)
                return;
            RefPtr<NSIndexPath> row(path);
            table->closeSwipe(true);
            if (id source = table->source())
                objc::send<void(UITableView*, long, NSIndexPath*)>(source, "tableView:commitEditingStyle:forRowAtIndexPath:", table.get(), long(UITableViewCellEditingStyleDelete), row.get());
        }));
    }
    if (answers(d, "tableView:willBeginEditingRowAtIndexPath:"))
        objc::send<void(UITableView*, NSIndexPath*)>(d, "tableView:willBeginEditingRowAtIndexPath:", this, indexPath);
    m_swipedRow = NSIndexPath::indexPathForRow(indexPath->row(), indexPath->section());
    m_swipeActions = actions;
    return actions;
}

bool UITableView::userChooseRowAction(const std::string& title)
{
    if (!m_swipedRow)
        return false;
    auto actions = m_swipeActions;
    for (auto& action : actions) {
        if (str(action->title().get()) == title) {
            RefPtr<NSIndexPath> row = m_swipedRow;
            action->perform(row.get());
            return true;
        }
    }
    return false;
}

void UITableView::closeSwipe(bool tellDelegate)
{
    if (!m_swipedRow)
        return;
    RefPtr<NSIndexPath> row = m_swipedRow;
    m_swipedRow = nullptr;
    m_swipeActions.clear();
    id d = tableDelegate();
    if (tellDelegate && answers(d, "tableView:didEndEditingRowAtIndexPath:"))
        objc::send<void(UITableView*, NSIndexPath*)>(d, "tableView:didEndEditingRowAtIndexPath:", this, row.get());
}

} // namespace platform
