#pragma once
// Instagram's share screen: the picture about to be posted, its caption
// cell (a field that takes setText:) and the Share button. The screen asks
// for its caption cell through the runtime (captionCell) when its view
// loads; share posts the picture with the caption's text and closes the
// screen. Main thread.

#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIViewController.h"

#include <functional>

namespace hosts::instagram {

using objc::id;
using objc::Ref;
using objc::RefPtr;

// The caption field of the share screen: a text with a grey hint while empty.
class IGShareCaptionCell : public platform::UIView {
    OBJC_CLASS(IGShareCaptionCell, platform::UIView)
public:
    IGShareCaptionCell() = default;
    static void registerMethods(objc::ClassBuilder<IGShareCaptionCell>&);
    RefPtr<platform::UIView> initWithFrame(platform::CGRect frame);
    RefPtr<platform::NSString> text() const { return platform::ns(m_text); }
    void setText(platform::NSString* text);
    const std::string& textString() const { return m_text; }
    void layoutSubviews();

private:
    std::string m_text;
    RefPtr<platform::UILabel> m_label;
};

class IGShareViewController : public platform::UIViewController {
    OBJC_CLASS(IGShareViewController, platform::UIViewController)
public:
    IGShareViewController() = default;
    static void registerMethods(objc::ClassBuilder<IGShareViewController>&);
    // A share screen for a picture (nil: none).
    static Ref<IGShareViewController> create(platform::UIImage* image);

    RefPtr<platform::UIImage> image() const { return m_image; }
    // The caption cell, made on first use.
    RefPtr<IGShareCaptionCell> captionCell();
    void setCaptionCell(IGShareCaptionCell* cell);
    // Posts the picture with the caption and closes the screen.
    void share();

    void loadView();
    void viewDidLoad();
    // The caption as the screen shows it ("" before the view loaded).
    std::string captionText() const;
    bool didShare() const { return m_shared; }
    // What every share posted, in order (caption texts), for the process.
    static const std::vector<std::string>& sharedCaptions();

private:
    RefPtr<platform::UIImage> m_image;
    RefPtr<IGShareCaptionCell> m_captionCell;
    RefPtr<platform::UIImageView> m_imageView;
    bool m_shared { false };
};

} // namespace hosts::instagram
