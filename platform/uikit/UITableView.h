#pragma once
// A scrolling list of rows in sections, filled by its data source and
// steered by its delegate, both held weakly and both asked only through
// runtime messages, so a subclass or a hook that answers them takes effect.
// The messages and the C++ signatures their implementations must have
// (NSInteger is long, CGFloat double, BOOL bool; objects may be declared as
// id or as their class):
//
//   data source
//     numberOfSectionsInTableView:                  long(UITableView*)            optional, 1
//     tableView:numberOfRowsInSection:              long(UITableView*, long)
//     tableView:cellForRowAtIndexPath:              RefPtr<UITableViewCell>(UITableView*, NSIndexPath*)
//     tableView:titleForHeaderInSection:            RefPtr<NSString>(UITableView*, long)        optional
//     tableView:canEditRowAtIndexPath:              bool(UITableView*, NSIndexPath*)           optional, yes
//     tableView:commitEditingStyle:forRowAtIndexPath:  void(UITableView*, long, NSIndexPath*)  needed for swiping
//   delegate
//     tableView:heightForRowAtIndexPath:            double(UITableView*, NSIndexPath*)   optional, rowHeight
//     tableView:heightForHeaderInSection:           double(UITableView*, long)           optional
//     tableView:viewForHeaderInSection:             RefPtr<UIView>(UITableView*, long)   optional
//     tableView:willDisplayHeaderView:forSection:   void(UITableView*, UIView*, long)
//     tableView:willDisplayCell:forRowAtIndexPath:  void(UITableView*, UITableViewCell*, NSIndexPath*)
//     tableView:willSelectRowAtIndexPath:           RefPtr<NSIndexPath>(UITableView*, NSIndexPath*)
//     tableView:didSelectRowAtIndexPath:            void(UITableView*, NSIndexPath*)
//     tableView:didDeselectRowAtIndexPath:          void(UITableView*, NSIndexPath*)
//     tableView:editActionsForRowAtIndexPath:       RefPtr<NSArray>(UITableView*, NSIndexPath*)
//     tableView:editingStyleForRowAtIndexPath:      long(UITableView*, NSIndexPath*)
//     tableView:titleForDeleteConfirmationButtonForRowAtIndexPath:  RefPtr<NSString>(UITableView*, NSIndexPath*)
//     tableView:willBeginEditingRowAtIndexPath: / tableView:didEndEditingRowAtIndexPath:  void(UITableView*, NSIndexPath*)
//
// Geometry: the table header view on top, then per section a header (the
// delegate's height, else sectionHeaderHeight when the section has a title
// or a header view, else 0 in the plain style and 18 in the grouped one) and
// its rows (the delegate's height, else rowHeight), then the footer view.
// Only rows inside the bounds have cells; cells that scroll out go to the
// reuse pool. Row updates are checked against the data source as the
// platform checks them: a count that does not add up throws
// NSInternalInconsistencyException. Main thread.

#include "platform/uikit/UIScrollView.h"

#include <map>
#include <stdexcept>

namespace platform {

class NSIndexPath;
class UITableViewCell;
class UITableViewRowAction;

// A height the delegate answers for "the table's own choice".
inline constexpr double UITableViewAutomaticDimension = -1;

enum UITableViewStyle : long {
    UITableViewStylePlain = 0,
    UITableViewStyleGrouped = 1,
};

enum UITableViewRowAnimation : long {
    UITableViewRowAnimationFade = 0,
    UITableViewRowAnimationRight = 1,
    UITableViewRowAnimationLeft = 2,
    UITableViewRowAnimationTop = 3,
    UITableViewRowAnimationBottom = 4,
    UITableViewRowAnimationNone = 5,
    UITableViewRowAnimationMiddle = 6,
    UITableViewRowAnimationAutomatic = 100,
};

enum UITableViewScrollPosition : long {
    UITableViewScrollPositionNone = 0,
    UITableViewScrollPositionTop = 1,
    UITableViewScrollPositionMiddle = 2,
    UITableViewScrollPositionBottom = 3,
};

enum UITableViewCellSeparatorStyle : long {
    UITableViewCellSeparatorStyleNone = 0,
    UITableViewCellSeparatorStyleSingleLine = 1,
};

// A table update that does not match the data source, or a data source that
// answers no cell: a programming error, raised as the platform raises it.
class NSInternalInconsistencyException : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class UITableView : public UIScrollView {
    OBJC_CLASS(UITableView, UIScrollView)
public:
    UITableView();
    ~UITableView() override;
    static void registerMethods(objc::ClassBuilder<UITableView>&);
    static Ref<UITableView> create(CGRect frame, long style);

    RefPtr<UITableView> initWithFrameStyle(CGRect frame, long style);
    RefPtr<UIView> initWithFrame(CGRect frame);
    long style() const { return m_style; }
    RefPtr<Object> dataSource() const { return m_dataSource.lock(); }
    void setDataSource(id dataSource);
    void setDelegate(id delegate);
    double rowHeight() const { return m_rowHeight; }
    void setRowHeight(double height) { m_rowHeight = height; setNeedsLayout(); }
    double sectionHeaderHeight() const { return m_sectionHeaderHeight; }
    void setSectionHeaderHeight(double height) { m_sectionHeaderHeight = height; setNeedsLayout(); }
    RefPtr<UIView> tableHeaderView() const { return m_tableHeaderView; }
    void setTableHeaderView(UIView* view);
    RefPtr<UIView> tableFooterView() const { return m_tableFooterView; }
    void setTableFooterView(UIView* view);
    long separatorStyle() const { return m_separatorStyle; }
    void setSeparatorStyle(long style) { m_separatorStyle = style; }
    RefPtr<UIColor> separatorColor() const;
    void setSeparatorColor(UIColor* color);
    RefPtr<Object> separatorEffect() const { return m_separatorEffect; }
    void setSeparatorEffect(id effect) { m_separatorEffect = effect; }
    bool allowsSelection() const { return m_allowsSelection; }
    void setAllowsSelection(bool on) { m_allowsSelection = on; }
    bool isEditing() const { return m_editing; }
    // Leaving editing also closes a swiped row.
    void setEditing(bool editing);
    void setEditingAnimated(bool editing, bool animated) { setEditing(editing); }

    // Data --------------------------------------------------------------------
    // Asks the data source for everything again; visible cells go to the reuse pool.
    void reloadData();
    long numberOfSections();
    long numberOfRowsInSection(long section);
    // The cell shown for a row, or nil when the row is not on screen.
    RefPtr<UITableViewCell> cellForRowAtIndexPath(NSIndexPath* indexPath);
    RefPtr<NSArray> visibleCells();
    RefPtr<NSArray> indexPathsForVisibleRows();
    RefPtr<NSIndexPath> indexPathForCell(UITableViewCell* cell);
    RefPtr<NSIndexPath> indexPathForRowAtPoint(CGPoint point);
    CGRect rectForRowAtIndexPath(NSIndexPath* indexPath);
    CGRect rectForHeaderInSection(long section);
    RefPtr<UIView> headerViewForSection(long section);
    // A cell from the reuse pool (sent prepareForReuse), a new one of a
    // registered class, or nil.
    RefPtr<UITableViewCell> dequeueReusableCellWithIdentifier(NSString* identifier);
    RefPtr<UITableViewCell> dequeueReusableCellWithIdentifierForIndexPath(NSString* identifier, NSIndexPath* indexPath);
    void registerClassForCellReuseIdentifier(objc::Class cellClass, NSString* identifier);

    // Selection -----------------------------------------------------------------
    void selectRowAtIndexPath(NSIndexPath* indexPath, bool animated, long scrollPosition);
    void deselectRowAtIndexPath(NSIndexPath* indexPath, bool animated);
    RefPtr<NSIndexPath> indexPathForSelectedRow() const;
    void scrollToRowAtIndexPath(NSIndexPath* indexPath, long scrollPosition, bool animated);

    // Updates ---------------------------------------------------------------------
    void beginUpdates();
    // Applies the batch, checking every section's count against the data source.
    void endUpdates();
    void deleteRowsAtIndexPaths(NSArray* indexPaths, long animation);
    void insertRowsAtIndexPaths(NSArray* indexPaths, long animation);
    void reloadRowsAtIndexPaths(NSArray* indexPaths, long animation);
    void reloadSections(id sections, long animation) { reloadData(); }
    // The animation of the last row update, for observers that care.
    long lastRowAnimation() const { return m_lastAnimation; }

    void layoutSubviews();

    // What a user does (driven by UserInput) ----------------------------------------
    // A tap on a row: the delegate may redirect or refuse it; the row is
    // selected and the delegate told. Answers whether a row was selected.
    bool userTapRow(NSIndexPath* indexPath);
    // A swipe that opens the row's actions (none when the row cannot be edited).
    std::vector<Ref<UITableViewRowAction>> userSwipeRow(NSIndexPath* indexPath);
    // Chooses one of the open row's actions by title; false when there is none.
    bool userChooseRowAction(const std::string& title);
    // The row whose actions are open, or nil.
    RefPtr<NSIndexPath> swipedRow() const;

private:
    struct Section {
        double top = 0;
        double headerHeight = 0;
        std::vector<double> rowTops;
        std::vector<double> rowHeights;
    };
    using RowKey = std::pair<long, long>;
    id source() const;
    id tableDelegate() const;
    void loadIfNeeded();
    void loadCounts();
    void computeGeometry();
    double headerHeightFor(long section);
    Ref<UIView> makeHeader(long section);
    Ref<UITableViewCell> makeCell(const RowKey& key);
    void recycle(const Ref<UITableViewCell>& cell);
    void applyUpdates();
    void closeSwipe(bool tellDelegate);
    void changeSelection(NSIndexPath* indexPath);
    RowKey keyOf(NSIndexPath* indexPath) const;

    long m_style { UITableViewStylePlain };
    objc::WeakPtr<Object> m_dataSource;
    double m_rowHeight { 44 };
    double m_sectionHeaderHeight { 28 };
    RefPtr<UIView> m_tableHeaderView;
    RefPtr<UIView> m_tableFooterView;
    long m_separatorStyle { UITableViewCellSeparatorStyleSingleLine };
    RefPtr<Object> m_separatorColor;
    RefPtr<Object> m_separatorEffect;
    bool m_allowsSelection { true };
    bool m_editing { false };
    bool m_loaded { false };

    std::vector<long> m_rowCounts;
    std::vector<Section> m_sections;
    double m_contentHeight { 0 };
    std::map<RowKey, Ref<UITableViewCell>> m_cells;
    std::map<long, Ref<UIView>> m_headers;
    std::map<std::string, std::vector<Ref<UITableViewCell>>> m_reusePool;
    std::map<std::string, objc::Class> m_registeredClasses;
    RefPtr<NSIndexPath> m_selected;

    int m_updateDepth { 0 };
    std::vector<RowKey> m_pendingDeletes;
    std::vector<RowKey> m_pendingInserts;
    std::vector<RowKey> m_pendingReloads;
    long m_lastAnimation { UITableViewRowAnimationNone };

    RefPtr<NSIndexPath> m_swipedRow;
    std::vector<Ref<UITableViewRowAction>> m_swipeActions;
};

} // namespace platform
