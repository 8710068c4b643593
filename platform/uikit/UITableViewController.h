#pragma once
// A view controller whose view is a table, with itself as the table's data
// source and delegate. Subclasses answer the table's messages by
// registering them (see UITableView for their C++ signatures). When the
// controller is about to appear, the table loads if it never has and the
// selected row is cleared. Main thread.

#include "platform/uikit/UIViewController.h"

namespace platform {

class UITableView;

class UITableViewController : public UIViewController {
    OBJC_CLASS(UITableViewController, UIViewController)
public:
    UITableViewController();
    ~UITableViewController() override;
    static void registerMethods(objc::ClassBuilder<UITableViewController>&);
    // A controller of a table of this style (alloc + initWithStyle:).
    static Ref<UITableViewController> create(long style);

    RefPtr<UITableViewController> initWithStyle(long style);
    // A plain table.
    RefPtr<UIViewController> init();
    long tableStyle() const { return m_style; }
    // The table: the view, loaded on first use.
    RefPtr<UITableView> tableView();
    void setTableView(UITableView* table);
    bool clearsSelectionOnViewWillAppear() const { return m_clearsSelection; }
    void setClearsSelectionOnViewWillAppear(bool on) { m_clearsSelection = on; }

    void loadView();
    void viewWillAppear(bool animated);

private:
    long m_style { 0 };
    bool m_clearsSelection { true };
};

} // namespace platform
