#pragma once
// One row of a table: a content view holding a text label, a detail label
// (in the value and subtitle styles) and an image view, an accessory on the
// right, a reuse identifier and selection state. Its labels are laid out
// 15 points in from the edges (after the image when there is one): centred in
// the default style, stacked in the subtitle style, the detail right-aligned
// in the value-1 style. Main thread.

#include "platform/uikit/UIView.h"

namespace platform {

class UILabel;
class UIImageView;

enum UITableViewCellStyle : long {
    UITableViewCellStyleDefault = 0,
    UITableViewCellStyleValue1 = 1,
    UITableViewCellStyleValue2 = 2,
    UITableViewCellStyleSubtitle = 3,
};

enum UITableViewCellAccessoryType : long {
    UITableViewCellAccessoryNone = 0,
    UITableViewCellAccessoryDisclosureIndicator = 1,
    UITableViewCellAccessoryDetailDisclosureButton = 2,
    UITableViewCellAccessoryCheckmark = 3,
    UITableViewCellAccessoryDetailButton = 4,
};

enum UITableViewCellSelectionStyle : long {
    UITableViewCellSelectionStyleNone = 0,
    UITableViewCellSelectionStyleBlue = 1,
    UITableViewCellSelectionStyleGray = 2,
    UITableViewCellSelectionStyleDefault = 3,
};

enum UITableViewCellEditingStyle : long {
    UITableViewCellEditingStyleNone = 0,
    UITableViewCellEditingStyleDelete = 1,
    UITableViewCellEditingStyleInsert = 2,
};

class UITableViewCell : public UIView {
    OBJC_CLASS(UITableViewCell, UIView)
public:
    UITableViewCell();
    ~UITableViewCell() override;
    static void registerMethods(objc::ClassBuilder<UITableViewCell>&);
    // A cell of this style and reuse identifier (alloc + initWithStyle:reuseIdentifier:).
    static Ref<UITableViewCell> create(long style, const std::string& reuseIdentifier);

    RefPtr<UITableViewCell> initWithStyle(long style, NSString* reuseIdentifier);
    // A default-style cell without reuse identifier.
    RefPtr<UIView> initWithFrame(CGRect frame);

    RefPtr<NSString> reuseIdentifier() const { return m_reuseIdentifier; }
    long style() const { return m_style; }
    RefPtr<UIView> contentView() const { return m_contentView; }
    RefPtr<UILabel> textLabel() const;
    // nil in the default style.
    RefPtr<UILabel> detailTextLabel() const;
    RefPtr<UIImageView> imageView() const;
    long accessoryType() const { return m_accessoryType; }
    void setAccessoryType(long type);
    RefPtr<UIView> accessoryView() const { return m_accessoryView; }
    void setAccessoryView(UIView* view);
    long selectionStyle() const { return m_selectionStyle; }
    void setSelectionStyle(long style) { m_selectionStyle = style; }
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);
    void setSelectedAnimated(bool selected, bool animated) { setSelected(selected); }
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted) { m_highlighted = highlighted; }
    void setHighlightedAnimated(bool highlighted, bool animated) { m_highlighted = highlighted; }
    UIEdgeInsets separatorInset() const { return m_separatorInset; }
    void setSeparatorInset(UIEdgeInsets insets) { m_separatorInset = insets; }
    // Called before a reused cell is handed out again (nothing by default).
    void prepareForReuse() { }

    void layoutSubviews();
    // Points the accessory takes at the right edge.
    double accessoryWidth() const;

private:
    RefPtr<NSString> m_reuseIdentifier;
    long m_style { UITableViewCellStyleDefault };
    RefPtr<UIView> m_contentView;
    RefPtr<Object> m_textLabel;
    RefPtr<Object> m_detailTextLabel;
    RefPtr<Object> m_imageView;
    RefPtr<UIView> m_accessoryView;
    long m_accessoryType { UITableViewCellAccessoryNone };
    long m_selectionStyle { UITableViewCellSelectionStyleDefault };
    UIEdgeInsets m_separatorInset { 0, 15, 0, 0 };
    bool m_selected { false };
    bool m_highlighted { false };
};

} // namespace platform
