#include "platform/uikit/UITableViewController.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UITableView.h"

namespace platform {

OBJC_CLASS_LOAD(UITableViewController)

UITableViewController::UITableViewController() = default;
UITableViewController::~UITableViewController() = default;

Ref<UITableViewController> UITableViewController::create(long style)
{
    auto controller = objc::make<UITableViewController>();
    objc::send<RefPtr<UITableViewController>(long)>(controller, "initWithStyle:", style);
    return controller;
}

RefPtr<UITableViewController> UITableViewController::initWithStyle(long style)
{
    UIViewController::init();
    m_style = style;
    return RefPtr<UITableViewController>(this);
}

RefPtr<UIViewController> UITableViewController::init()
{
    return objc::send<RefPtr<UITableViewController>(long)>(this, "initWithStyle:", 0L);
}

RefPtr<UITableView> UITableViewController::tableView()
{
    auto view = objc::send<RefPtr<UIView>>(this, "view");
    if (!objc::object_isKindOfClass(view.get(), UITableView::staticClass()))
        return nullptr;
    return RefPtr<UITableView>(static_cast<UITableView*>(view.get()));
}

void UITableViewController::setTableView(UITableView* table)
{
    setView(table);
}

void UITableViewController::loadView()
{
    auto table = UITableView::create(UIScreen::mainScreen()->bounds(), m_style);
    table->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    table->setDataSource(this);
    table->setDelegate(this);
    setView(table.get());
}

void UITableViewController::viewWillAppear(bool)
{
    auto table = tableView();
    if (!table)
        return;
    table->numberOfSections(); // loads a table that never loaded
    if (m_clearsSelection) {
        if (auto selected = table->indexPathForSelectedRow())
            table->deselectRowAtIndexPath(selected.get(), false);
    }
}

void UITableViewController::registerMethods(objc::ClassBuilder<UITableViewController>& b)
{
    b.method<&UITableViewController::initWithStyle>("initWithStyle:")
        .method<&UITableViewController::init>("init")
        .method<&UITableViewController::tableView>("tableView")
        .method<&UITableViewController::setTableView>("setTableView:")
        .method<&UITableViewController::clearsSelectionOnViewWillAppear>("clearsSelectionOnViewWillAppear")
        .method<&UITableViewController::setClearsSelectionOnViewWillAppear>("setClearsSelectionOnViewWillAppear:")
        .method<&UITableViewController::loadView>("loadView")
        .method<&UITableViewController::viewWillAppear>("viewWillAppear:");
}

} // namespace platform
