#include "platform/preferences/PSListController.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/foundation/Preferences.h"
#include "platform/foundation/PropertyList.h"
#include "platform/notify/DarwinNotify.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/preferences/PSTableCell.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UISwitch.h"
#include "platform/uikit/UITableView.h"

namespace platform {

OBJC_CLASS_LOAD(PSListController)

PSListController::PSListController() = default;
PSListController::~PSListController() = default;

RefPtr<NSArray> PSListController::specifiers()
{
    return m_specifiers;
}

void PSListController::setSpecifiers(NSArray* specifiers)
{
    m_specifiers = specifiers;
    if (isViewLoaded())
        reloadSpecifiers();
}

RefPtr<NSArray> PSListController::loadSpecifiersFromPlistName(NSString* name, id target)
{
    auto owner = objc::send<RefPtr<NSBundle>>(this, "bundle");
    if (!owner || !name)
        return nullptr;
    auto path = owner->pathForResource(name, ns("plist").get());
    auto list = path ? readPropertyListFile(path->str()) : nullptr;
    if (!objc::object_isKindOfClass(list, NSDictionary::staticClass()))
        return nullptr;
    auto items = static_cast<NSDictionary*>(list.get())->get("items");
    if (!objc::object_isKindOfClass(items, NSArray::staticClass()))
        return nullptr;
    auto rows = NSMutableArray::create();
    for (auto& item : static_cast<NSArray*>(items.get())->items()) {
        if (auto specifier = PSSpecifier::specifierFromDefinition(item.get(), target))
            rows->addObject(specifier.get());
    }
    if (auto title = static_cast<NSDictionary*>(list.get())->get("title"); isString(title) && !this->title())
        setTitle(static_cast<NSString*>(title.get()));
    return rows;
}

RefPtr<NSBundle> PSListController::bundle()
{
    if (auto owner = NSBundle::bundleForClass(objc::object_getClass(this)))
        return owner;
    return NSBundle::mainBundle();
}

std::vector<PSListController::Section> PSListController::sections()
{
    std::vector<Section> result;
    auto rows = objc::send<RefPtr<NSArray>>(this, "specifiers");
    if (!rows)
        return result;
    for (auto& item : rows->items()) {
        if (!objc::object_isKindOfClass(item.get(), PSSpecifier::staticClass()))
            continue;
        Ref<PSSpecifier> specifier(*static_cast<PSSpecifier*>(item.get()));
        if (specifier->cellType() == PSGroupCell) {
            result.push_back(Section { specifier, {} });
            continue;
        }
        if (result.empty())
            result.push_back(Section {});
        result.back().rows.push_back(specifier);
    }
    return result;
}

RefPtr<PSSpecifier> PSListController::specifierAt(long section, long row)
{
    auto all = sections();
    if (section < 0 || size_t(section) >= all.size() || row < 0 || size_t(row) >= all[size_t(section)].rows.size())
        return nullptr;
    return all[size_t(section)].rows[size_t(row)];
}

RefPtr<NSIndexPath> PSListController::indexPathOf(PSSpecifier* specifier)
{
    auto all = sections();
    for (size_t s = 0; s < all.size(); ++s) {
        for (size_t r = 0; r < all[s].rows.size(); ++r) {
            if (all[s].rows[r].get() == specifier)
                return NSIndexPath::indexPathForRow(long(r), long(s));
        }
    }
    return nullptr;
}

RefPtr<PSSpecifier> PSListController::specifierForID(NSString* identifier)
{
    auto rows = objc::send<RefPtr<NSArray>>(this, "specifiers");
    if (!rows || !identifier)
        return nullptr;
    for (auto& item : rows->items()) {
        if (!objc::object_isKindOfClass(item.get(), PSSpecifier::staticClass()))
            continue;
        auto* specifier = static_cast<PSSpecifier*>(item.get());
        if (str(specifier->identifier().get()) == identifier->str())
            return RefPtr<PSSpecifier>(specifier);
    }
    return nullptr;
}

void PSListController::reloadSpecifierID(NSString* identifier)
{
    if (auto specifier = specifierForID(identifier))
        reloadSpecifier(specifier.get());
}

void PSListController::reloadSpecifier(PSSpecifier* specifier)
{
    if (!specifier || !isViewLoaded())
        return;
    auto tableView = table();
    if (!tableView)
        return;
    if (specifier->cellType() == PSGroupCell) {
        tableView->reloadData(); // its header or footer changed
        return;
    }
    if (auto path = indexPathOf(specifier))
        tableView->reloadRowsAtIndexPaths(NSArray::create({ Ref<Object>(*path) }).get(), UITableViewRowAnimationNone);
}

void PSListController::reloadSpecifiers()
{
    if (auto tableView = table())
        tableView->reloadData();
}

RefPtr<Object> PSListController::readPreferenceValue(PSSpecifier* specifier)
{
    if (!specifier)
        return nullptr;
    std::string domain = specifier->stringProperty("defaults");
    std::string key = specifier->stringProperty("key");
    RefPtr<Object> value;
    if (!domain.empty() && !key.empty())
        value = CFPreferencesCopyAppValue(key, domain);
    else
        value = specifier->property("value");
    return value ? value : specifier->property("default");
}

void PSListController::setPreferenceValue(id value, PSSpecifier* specifier)
{
    if (!specifier)
        return;
    std::string domain = specifier->stringProperty("defaults");
    std::string key = specifier->stringProperty("key");
    if (domain.empty() || key.empty()) {
        specifier->setPropertyForKey(value, ns("value").get());
        return;
    }
    CFPreferencesSetAppValue(key, value, domain);
    CFPreferencesAppSynchronize(domain);
    std::string notification = specifier->stringProperty("PostNotification");
    if (!notification.empty())
        notify_post(notification.c_str());
}

RefPtr<Object> PSListController::valueOf(PSSpecifier* specifier)
{
    auto target = specifier->target();
    if (specifier->getter() && target && objc::object_respondsToSelector(target.get(), specifier->getter()))
        return objc::send<RefPtr<Object>(PSSpecifier*)>(target.get(), specifier->getter(), specifier);
    return objc::send<RefPtr<Object>(PSSpecifier*)>(this, "readPreferenceValue:", specifier);
}

RefPtr<UITableView> PSListController::table()
{
    auto view = objc::send<RefPtr<UIView>>(this, "view");
    if (!objc::object_isKindOfClass(view.get(), UITableView::staticClass()))
        return nullptr;
    return RefPtr<UITableView>(static_cast<UITableView*>(view.get()));
}

void PSListController::loadView()
{
    CGSize size = contentSize();
    CGRect frame = size.width > 0 && size.height > 0 ? CGRectMake(0, 0, size.width, size.height) : UIScreen::mainScreen()->bounds();
    auto tableView = UITableView::create(frame, UITableViewStyleGrouped);
    tableView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    tableView->setDataSource(this);
    tableView->setDelegate(this);
    setView(tableView.get());
}

void PSListController::viewWillAppear(bool)
{
    reloadSpecifiers(); // values may have changed while the page was away
}

long PSListController::numberOfSectionsInTableView(UITableView*)
{
    return long(sections().size());
}

long PSListController::tableViewNumberOfRowsInSection(UITableView*, long section)
{
    auto all = sections();
    return section >= 0 && size_t(section) < all.size() ? long(all[size_t(section)].rows.size()) : 0;
}

void PSListController::showValue(UITableViewCell* cell, PSSpecifier* specifier)
{
    if (specifier->cellType() != PSSwitchCell || !objc::object_isKindOfClass(cell, PSTableCell::staticClass()))
        return;
    auto control = static_cast<PSTableCell*>(cell)->control();
    if (!control)
        return;
    control->setOn(boolValueOf(valueOf(specifier).get()));
    control->removeTarget(this, objc::sel_registerName("switchChanged:"), UIControlEventValueChanged);
    control->addTarget(this, objc::sel_registerName("switchChanged:"), UIControlEventValueChanged);
}

RefPtr<UITableViewCell> PSListController::tableViewCellForRowAtIndexPath(UITableView*, NSIndexPath* indexPath)
{
    auto specifier = indexPath ? specifierAt(indexPath->section(), indexPath->row()) : nullptr;
    if (!specifier)
        return UITableViewCell::create(UITableViewCellStyleDefault, "");
    objc::Class cellClass = PSTableCell::staticClass();
    if (std::string name = specifier->stringProperty("cellClass"); !name.empty()) {
        objc::Class named = objc::objc_getClass(name.c_str());
        if (named && objc::class_respondsToSelector(named, objc::sel_registerName("initWithStyle:reuseIdentifier:specifier:")))
            cellClass = named;
    }
    auto allocated = objc::class_createInstance(cellClass);
    auto cell = objc::send<RefPtr<UITableViewCell>(long, NSString*, PSSpecifier*)>(allocated, "initWithStyle:reuseIdentifier:specifier:",
        long(UITableViewCellStyleDefault), ns(objc::class_getName(cellClass)).get(), specifier.get());
    if (!cell)
        return UITableViewCell::create(UITableViewCellStyleDefault, "");
    showValue(cell.get(), specifier.get());
    return cell;
}

RefPtr<NSString> PSListController::tableViewTitleForHeaderInSection(UITableView*, long section)
{
    auto all = sections();
    if (section < 0 || size_t(section) >= all.size() || !all[size_t(section)].group)
        return nullptr;
    return all[size_t(section)].group->name();
}

RefPtr<NSString> PSListController::tableViewTitleForFooterInSection(UITableView*, long section)
{
    auto all = sections();
    if (section < 0 || size_t(section) >= all.size() || !all[size_t(section)].group)
        return nullptr;
    auto footer = all[size_t(section)].group->property("footerText");
    return isString(footer) ? RefPtr<NSString>(static_cast<NSString*>(footer.get())) : nullptr;
}

double PSListController::tableViewHeightForRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath)
{
    auto specifier = indexPath ? specifierAt(indexPath->section(), indexPath->row()) : nullptr;
    auto height = specifier ? specifier->property("height") : nullptr;
    if (objc::object_isKindOfClass(height, NSNumber::staticClass()) && static_cast<NSNumber*>(height.get())->doubleValue() > 0)
        return static_cast<NSNumber*>(height.get())->doubleValue();
    return tableView ? tableView->rowHeight() : 44;
}

void PSListController::tableViewDidSelectRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath)
{
    Ref<PSListController> keep(*this);
    auto specifier = indexPath ? specifierAt(indexPath->section(), indexPath->row()) : nullptr;
    if (tableView && indexPath)
        tableView->deselectRowAtIndexPath(indexPath, true);
    if (!specifier)
        return;
    if (objc::SEL action = specifier->buttonAction()) {
        auto target = specifier->target();
        id receiver = target ? target.get() : static_cast<id>(this);
        if (objc::object_respondsToSelector(receiver, action))
            objc::send<void(PSSpecifier*)>(receiver, action, specifier.get());
        return;
    }
    if (objc::Class detail = specifier->detailControllerClass()) {
        auto page = objc::class_createInstance(detail);
        if (objc::object_respondsToSelector(page.get(), objc::sel_registerName("initForContentSize:")))
            page = objc::send<RefPtr<Object>(CGSize)>(page, "initForContentSize:", preferredContentSize());
        else
            page = objc::send<RefPtr<Object>>(page, "init");
        if (objc::object_respondsToSelector(page.get(), objc::sel_registerName("setSpecifier:")))
            objc::send<void(PSSpecifier*)>(page, "setSpecifier:", specifier.get());
        if (auto navigation = navigationController(); navigation && objc::object_isKindOfClass(page.get(), UIViewController::staticClass()))
            navigation->pushViewController(static_cast<UIViewController*>(page.get()), true);
    }
}

void PSListController::switchChanged(UISwitch* sender)
{
    if (!sender)
        return;
    RefPtr<PSSpecifier> specifier;
    for (auto view = sender->superview(); view && !specifier; view = view->superview()) {
        if (objc::object_isKindOfClass(view.get(), PSTableCell::staticClass()))
            specifier = static_cast<PSTableCell*>(view.get())->specifier();
    }
    if (!specifier)
        return;
    auto value = NSNumber::numberWithBool(sender->isOn());
    auto target = specifier->target();
    if (specifier->setter() && target && objc::object_respondsToSelector(target.get(), specifier->setter()))
        objc::send<void(id, PSSpecifier*)>(target.get(), specifier->setter(), value.get(), specifier.get());
    else
        objc::send<void(id, PSSpecifier*)>(this, "setPreferenceValue:specifier:", value.get(), specifier.get());
}

bool PSListController::userTapRow(long section, long row)
{
    auto tableView = table();
    if (!tableView || !specifierAt(section, row))
        return false;
    auto path = NSIndexPath::indexPathForRow(row, section);
    tableView->scrollToRowAtIndexPath(path.get(), UITableViewScrollPositionNone, false);
    return tableView->userTapRow(path.get());
}

bool PSListController::userFlipSwitch(long section, long row)
{
    auto tableView = table();
    auto specifier = specifierAt(section, row);
    if (!tableView || !specifier || specifier->cellType() != PSSwitchCell)
        return false;
    auto path = NSIndexPath::indexPathForRow(row, section);
    tableView->scrollToRowAtIndexPath(path.get(), UITableViewScrollPositionNone, false);
    tableView->layoutIfNeeded();
    auto cell = tableView->cellForRowAtIndexPath(path.get());
    if (!objc::object_isKindOfClass(cell.get(), PSTableCell::staticClass()))
        return false;
    auto control = static_cast<PSTableCell*>(cell.get())->control();
    if (!control)
        return false;
    control->userToggle();
    return true;
}

std::string PSListController::describe()
{
    std::string out;
    auto all = sections();
    for (size_t s = 0; s < all.size(); ++s) {
        out += "section " + std::to_string(s) + ":";
        if (all[s].group && all[s].group->name())
            out += " " + all[s].group->name()->str();
        out += "\n";
        for (size_t r = 0; r < all[s].rows.size(); ++r) {
            auto& specifier = all[s].rows[r];
            out += "  " + std::to_string(r) + ": " + str(specifier->name().get());
            switch (specifier->cellType()) {
            case PSSwitchCell: out += boolValueOf(valueOf(specifier.get()).get()) ? " [on]" : " [off]"; break;
            case PSButtonCell: out += " [button]"; break;
            case PSLinkCell: out += " [link]"; break;
            default: break;
            }
            out += "\n";
        }
        if (auto footer = tableViewTitleForFooterInSection(nullptr, long(s)))
            out += "  footer: " + footer->str() + "\n";
    }
    return out;
}

void PSListController::registerMethods(objc::ClassBuilder<PSListController>& b)
{
    b.method<&PSListController::specifiers>("specifiers")
        .method<&PSListController::setSpecifiers>("setSpecifiers:")
        .method<&PSListController::loadSpecifiersFromPlistName>("loadSpecifiersFromPlistName:target:")
        .method<&PSListController::bundle>("bundle")
        .method<&PSListController::specifierForID>("specifierForID:")
        .method<&PSListController::reloadSpecifierID>("reloadSpecifierID:")
        .method<&PSListController::reloadSpecifier>("reloadSpecifier:")
        .method<&PSListController::reloadSpecifiers>("reloadSpecifiers")
        .method<&PSListController::readPreferenceValue>("readPreferenceValue:")
        .method<&PSListController::setPreferenceValue>("setPreferenceValue:specifier:")
        .method<&PSListController::table>("table")
        .method<&PSListController::loadView>("loadView")
        .method<&PSListController::viewWillAppear>("viewWillAppear:")
        .method<&PSListController::numberOfSectionsInTableView>("numberOfSectionsInTableView:")
        .method<&PSListController::tableViewNumberOfRowsInSection>("tableView:numberOfRowsInSection:")
        .method<&PSListController::tableViewCellForRowAtIndexPath>("tableView:cellForRowAtIndexPath:")
        .method<&PSListController::tableViewTitleForHeaderInSection>("tableView:titleForHeaderInSection:")
        .method<&PSListController::tableViewTitleForFooterInSection>("tableView:titleForFooterInSection:")
        .method<&PSListController::tableViewHeightForRowAtIndexPath>("tableView:heightForRowAtIndexPath:")
        .method<&PSListController::tableViewDidSelectRowAtIndexPath>("tableView:didSelectRowAtIndexPath:")
        .method<&PSListController::switchChanged>("switchChanged:");
}

} // namespace platform
