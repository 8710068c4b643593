// A settings page's row definitions from any bytes: the list reads as rows
// or as nothing, never a crash; every row the page keeps has a cell, its
// sections hold every row once, and a row found by its identifier is one of
// the page's rows.

#include "fuzz/FuzzCheck.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/foundation/PropertyList.h"
#include "platform/preferences/PSListController.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UITableViewCell.h"

#include <cstdint>
#include <vector>

using namespace platform;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto list = propertyListFromData(std::vector<uint8_t>(data, data + size));
    auto definitions = objc::dynamicCast<NSDictionary>(list.get());
    auto items = definitions ? objc::dynamicCast<NSArray>(definitions->get("items").get()) : nullptr;
    if (!items)
        return 0;

    auto page = objc::make<PSListController>();
    auto rows = NSMutableArray::create();
    for (auto& item : items->items()) {
        if (auto row = PSSpecifier::specifierFromDefinition(item.get(), page.get()))
            rows->addObject(row.get());
    }
    page->setSpecifiers(rows.get());

    size_t shown = 0;
    auto table = page->table();
    long sections = page->numberOfSectionsInTableView(table.get());
    for (long section = 0; section < sections; ++section) {
        page->tableViewTitleForHeaderInSection(table.get(), section);
        page->tableViewTitleForFooterInSection(table.get(), section);
        long count = page->tableViewNumberOfRowsInSection(table.get(), section);
        for (long row = 0; row < count; ++row) {
            auto place = NSIndexPath::indexPathForRow(row, section);
            FUZZ_CHECK(page->tableViewCellForRowAtIndexPath(table.get(), place.get()));
            page->tableViewHeightForRowAtIndexPath(table.get(), place.get());
            ++shown;
        }
    }
    // A group row heads a section instead of taking a row of it; every
    // other row is shown once.
    size_t groups = 0;
    for (auto& item : rows->items()) {
        auto row = static_cast<PSSpecifier*>(item.get());
        groups += row->cellType() == PSGroupCell;
        if (auto identifier = row->identifier())
            FUZZ_CHECK(page->specifierForID(identifier.get()));
    }
    FUZZ_CHECK(shown + groups == rows->count());
    return 0;
}
