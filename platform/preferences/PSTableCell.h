#pragma once
// A row's cell on a settings page: shows the row's label and, for a switch
// row, a switch as its accessory. Subclasses named by a row's "cellClass" are
// made with initWithStyle:reuseIdentifier:specifier:. Main thread.

#include "platform/uikit/UITableViewCell.h"

namespace platform {

class PSSpecifier;
class UISwitch;

class PSTableCell : public UITableViewCell {
    OBJC_CLASS(PSTableCell, UITableViewCell)
public:
    PSTableCell();
    ~PSTableCell() override;
    static void registerMethods(objc::ClassBuilder<PSTableCell>&);

    RefPtr<PSTableCell> initWithStyleReuseIdentifierSpecifier(long style, NSString* reuseIdentifier, PSSpecifier* specifier);
    RefPtr<PSSpecifier> specifier() const;
    void setSpecifier(PSSpecifier* specifier);
    // Shows the row's label (and makes the switch of a switch row).
    void refreshCellContentsWithSpecifier(PSSpecifier* specifier);
    // The switch of a switch row, or nil.
    RefPtr<UISwitch> control() const;

private:
    RefPtr<Object> m_specifier;
};

} // namespace platform
