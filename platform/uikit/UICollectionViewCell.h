#pragma once
// One item of a collection view: a content view that fills the cell and
// holds what the item shows, a reuse identifier (given by the collection
// view that made the cell) and selection state. Main thread.

#include "platform/uikit/UIView.h"

namespace platform {

class UICollectionViewCell : public UIView {
    OBJC_CLASS(UICollectionViewCell, UIView)
public:
    UICollectionViewCell();
    ~UICollectionViewCell() override;
    static void registerMethods(objc::ClassBuilder<UICollectionViewCell>&);
    // A cell of this frame without reuse identifier (alloc + initWithFrame:).
    static Ref<UICollectionViewCell> create(CGRect frame = CGRectZero);

    RefPtr<UIView> initWithFrame(CGRect frame);

    // The view to add the item's subviews to; it fills the cell's bounds.
    RefPtr<UIView> contentView() const { return m_contentView; }
    RefPtr<NSString> reuseIdentifier() const { return m_reuseIdentifier; }
    // Set by the collection view when it makes the cell for an identifier.
    void setReuseIdentifier(NSString* identifier) { m_reuseIdentifier = identifier; }
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected) { m_selected = selected; }
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted) { m_highlighted = highlighted; }
    // Called before a reused cell is handed out again (nothing by default).
    void prepareForReuse() { }

    void layoutSubviews();

private:
    RefPtr<UIView> m_contentView;
    RefPtr<NSString> m_reuseIdentifier;
    bool m_selected { false };
    bool m_highlighted { false };
};

} // namespace platform
