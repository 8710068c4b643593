#pragma once
// The view a table shows above a section that has a title: a text label
// inside a content view, laid out 15 points in and at the bottom.
// Main thread.

#include "platform/uikit/UIView.h"

namespace platform {

class UILabel;

class UITableViewHeaderFooterView : public UIView {
    OBJC_CLASS(UITableViewHeaderFooterView, UIView)
public:
    UITableViewHeaderFooterView();
    ~UITableViewHeaderFooterView() override;
    static void registerMethods(objc::ClassBuilder<UITableViewHeaderFooterView>&);
    static Ref<UITableViewHeaderFooterView> create(const std::string& reuseIdentifier = {});

    RefPtr<UITableViewHeaderFooterView> initWithReuseIdentifier(NSString* identifier);
    RefPtr<NSString> reuseIdentifier() const { return m_reuseIdentifier; }
    RefPtr<UILabel> textLabel() const;
    RefPtr<UIView> contentView() const { return m_contentView; }
    void layoutSubviews();

private:
    RefPtr<NSString> m_reuseIdentifier;
    RefPtr<UIView> m_contentView;
    RefPtr<Object> m_textLabel;
};

} // namespace platform
