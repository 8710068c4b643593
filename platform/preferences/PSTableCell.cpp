#include "platform/preferences/PSTableCell.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UISwitch.h"

namespace platform {

OBJC_CLASS_LOAD(PSTableCell)

PSTableCell::PSTableCell() = default;
PSTableCell::~PSTableCell() = default;

RefPtr<PSTableCell> PSTableCell::initWithStyleReuseIdentifierSpecifier(long style, NSString* reuseIdentifier, PSSpecifier* specifier)
{
    objc::send<RefPtr<UITableViewCell>(long, NSString*)>(this, "initWithStyle:reuseIdentifier:", style, reuseIdentifier);
    m_specifier = specifier;
    refreshCellContentsWithSpecifier(specifier);
    return RefPtr<PSTableCell>(this);
}

RefPtr<PSSpecifier> PSTableCell::specifier() const
{
    return RefPtr<PSSpecifier>(static_cast<PSSpecifier*>(m_specifier.get()));
}

void PSTableCell::setSpecifier(PSSpecifier* specifier)
{
    m_specifier = specifier;
}

void PSTableCell::refreshCellContentsWithSpecifier(PSSpecifier* specifier)
{
    if (!specifier)
        return;
    if (auto label = textLabel())
        label->setText(specifier->name().get());
    switch (specifier->cellType()) {
    case PSSwitchCell:
        if (!control())
            setAccessoryView(UISwitch::create().get());
        setSelectionStyle(UITableViewCellSelectionStyleNone);
        break;
    case PSLinkCell:
        setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
        break;
    case PSStaticTextCell:
    case PSGroupCell:
        setSelectionStyle(UITableViewCellSelectionStyleNone);
        break;
    default:
        break;
    }
}

RefPtr<UISwitch> PSTableCell::control() const
{
    auto view = accessoryView();
    if (!objc::object_isKindOfClass(view.get(), UISwitch::staticClass()))
        return nullptr;
    return RefPtr<UISwitch>(static_cast<UISwitch*>(view.get()));
}

void PSTableCell::registerMethods(objc::ClassBuilder<PSTableCell>& b)
{
    b.method<&PSTableCell::initWithStyleReuseIdentifierSpecifier>("initWithStyle:reuseIdentifier:specifier:")
        .method<&PSTableCell::specifier>("specifier")
        .method<&PSTableCell::setSpecifier>("setSpecifier:")
        .method<&PSTableCell::refreshCellContentsWithSpecifier>("refreshCellContentsWithSpecifier:")
        .method<&PSTableCell::control>("control");
}

} // namespace platform
