#include "hosts/instagram/IGShareViewController.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIScreen.h"

namespace hosts::instagram {

using namespace platform;

OBJC_CLASS_DEFINE(IGShareCaptionCell)
OBJC_CLASS_DEFINE(IGShareViewController)

void IGShareCaptionCell::registerMethods(objc::ClassBuilder<IGShareCaptionCell>& b)
{
    b.method<&IGShareCaptionCell::initWithFrame>("initWithFrame:")
        .method<&IGShareCaptionCell::text>("text")
        .method<&IGShareCaptionCell::setText>("setText:")
        .method<&IGShareCaptionCell::layoutSubviews>("layoutSubviews");
}

RefPtr<UIView> IGShareCaptionCell::initWithFrame(CGRect frame)
{
    UIView::initWithFrame(frame);
    setBackgroundColor(UIColor::whiteColor().get());
    m_label = UILabel::create(CGRectMake(10, 0, frame.size.width - 20, frame.size.height));
    m_label->setNumberOfLines(0);
    m_label->setFont(UIFont::systemFontOfSize(14).get());
    addSubview(m_label.get());
    setText(nullptr);
    return RefPtr<UIView>(this);
}

void IGShareCaptionCell::layoutSubviews()
{
    if (m_label)
        m_label->setFrame(CGRectMake(10, 0, bounds().size.width - 20, bounds().size.height));
}

void IGShareCaptionCell::setText(NSString* text)
{
    m_text = text ? text->str() : std::string();
    if (!m_label)
        return;
    m_label->setText(ns(m_text.empty() ? "Write a caption..." : m_text).get());
    m_label->setTextColor(m_text.empty() ? UIColor::colorWithWhite(0.7, 1).get() : UIColor::colorWithWhite(0.1, 1).get());
}

void IGShareViewController::registerMethods(objc::ClassBuilder<IGShareViewController>& b)
{
    b.method<&IGShareViewController::captionCell>("captionCell")
        .method<&IGShareViewController::setCaptionCell>("setCaptionCell:")
        .method<&IGShareViewController::share>("share")
        .method<&IGShareViewController::loadView>("loadView")
        .method<&IGShareViewController::viewDidLoad>("viewDidLoad");
}

Ref<IGShareViewController> IGShareViewController::create(UIImage* image)
{
    auto controller = objc::make<IGShareViewController>();
    objc::send<RefPtr<UIViewController>>(controller, "init");
    controller->m_image = image;
    controller->setTitle(ns("Share").get());
    return controller;
}

namespace {
Ref<IGShareCaptionCell> newCaptionCell()
{
    auto cell = objc::make<IGShareCaptionCell>();
    objc::send<RefPtr<UIView>(CGRect)>(cell, "initWithFrame:", CGRectMake(92, 76, UIScreen::mainScreen()->bounds().size.width - 100, 76));
    return cell;
}

std::vector<std::string>& shared()
{
    static std::vector<std::string> captions;
    return captions;
}
}

const std::vector<std::string>& IGShareViewController::sharedCaptions() { return shared(); }

RefPtr<IGShareCaptionCell> IGShareViewController::captionCell()
{
    // The cell is made once and handed to the screen through its setter.
    if (!m_captionCell)
        objc::send<void(IGShareCaptionCell*)>(this, "setCaptionCell:", newCaptionCell().get());
    return m_captionCell;
}

void IGShareViewController::setCaptionCell(IGShareCaptionCell* cell)
{
    if (m_captionCell && m_captionCell.get() != cell)
        m_captionCell->removeFromSuperview();
    m_captionCell = cell;
    if (cell && isViewLoaded())
        view()->addSubview(cell);
}

void IGShareViewController::loadView()
{
    CGRect screen = UIScreen::mainScreen()->bounds();
    auto root = UIView::create(screen);
    root->setBackgroundColor(UIColor::colorWithWhite(0.95, 1).get());
    auto bar = UIView::create(CGRectMake(0, 0, screen.size.width, 64));
    bar->setBackgroundColor(UIColor::colorWithRed(0.16, 0.35, 0.53, 1).get());
    auto title = UILabel::create(CGRectMake(0, 20, screen.size.width, 44));
    title->setText(ns("SHARE TO").get());
    title->setFont(UIFont::boldSystemFontOfSize(16).get());
    title->setTextColor(UIColor::whiteColor().get());
    title->setTextAlignment(NSTextAlignmentCenter);
    bar->addSubview(title.get());
    root->addSubview(bar.get());
    m_imageView = UIImageView::create(m_image.get());
    m_imageView->setFrame(CGRectMake(8, 76, 76, 76));
    m_imageView->setContentMode(UIViewContentModeScaleAspectFill);
    m_imageView->setClipsToBounds(true);
    root->addSubview(m_imageView.get());
    auto button = UIButton::buttonWithType(0);
    button->setFrame(CGRectMake(0, screen.size.height - 50, screen.size.width, 50));
    button->setBackgroundColor(UIColor::colorWithRed(0.24, 0.6, 0.93, 1).get());
    button->setTitle(ns("Share").get(), UIControlStateNormal);
    button->setTitleColor(UIColor::whiteColor().get(), UIControlStateNormal);
    button->addTarget(this, objc::sel_registerName("share"), UIControlEventTouchUpInside);
    root->addSubview(button.get());
    setView(root.get());
}

void IGShareViewController::viewDidLoad()
{
    // Instagram lays its caption cell out as the screen loads.
    auto cell = objc::send<RefPtr<IGShareCaptionCell>>(this, "captionCell");
    if (cell)
        view()->addSubview(cell.get());
}

std::string IGShareViewController::captionText() const
{
    return m_captionCell ? m_captionCell->textString() : std::string();
}

void IGShareViewController::share()
{
    m_shared = true;
    shared().push_back(captionText());
    if (presentingViewController())
        dismissViewControllerAnimated(true, nullptr);
}

} // namespace hosts::instagram
