#include "platform/uikit/UIWebView.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSURL.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UIScrollView.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace platform {

OBJC_CLASS_LOAD(UIWebView)

UIWebView::UIWebView() = default;

UIWebView::~UIWebView()
{
    if (!m_shownFile.empty())
        std::remove(m_shownFile.c_str());
}

Ref<UIWebView> UIWebView::create(CGRect frame)
{
    auto view = objc::make<UIWebView>();
    view->initWithFrame(frame);
    auto scroll = objc::make<UIScrollView>();
    scroll->initWithFrame(CGRectMake(0, 0, frame.size.width, frame.size.height));
    view->addSubview(scroll.get());
    view->m_scrollView = scroll;
    return view;
}

RefPtr<UIScrollView> UIWebView::scrollView() const
{
    return RefPtr<UIScrollView>(static_cast<UIScrollView*>(m_scrollView.get()));
}

RefPtr<NSURL> UIWebView::baseURL() const
{
    return RefPtr<NSURL>(static_cast<NSURL*>(m_baseURL.get()));
}

RefPtr<UIImage> UIWebView::shownImage() const
{
    auto* imageView = static_cast<UIImageView*>(m_imageView.get());
    return imageView ? imageView->image() : nullptr;
}

void UIWebView::loadData(NSData* data, NSString* MIMEType, NSString*, NSURL* baseURL)
{
    m_mime = MIMEType;
    m_baseURL = baseURL;
    if (m_imageView) {
        static_cast<UIView*>(m_imageView.get())->removeFromSuperview();
        m_imageView = nullptr;
    }
    if (!m_shownFile.empty()) {
        std::remove(m_shownFile.c_str());
        m_shownFile.clear();
    }
    std::string mime = MIMEType ? MIMEType->str() : "";
    if (!data || !data->length() || mime.rfind("image/", 0) != 0)
        return;
    // The picture is decoded from the loaded bytes themselves, kept in a
    // file of the device's temporary folder while shown.
    std::string folder = Device::path("/tmp");
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::string pattern = folder + "/webview-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0)
        return;
    bool written = ::write(fd, data->bytes().data(), data->length()) == ssize_t(data->length());
    ::close(fd);
    m_shownFile = name.data();
    if (!written)
        return;
    auto image = UIImage::imageWithContentsOfFile(ns(Device::devicePath(m_shownFile)).get());
    if (!image)
        return;
    auto imageView = UIImageView::create(image.get());
    if (auto scroll = scrollView())
        scroll->addSubview(imageView.get());
    m_imageView = imageView;
    setNeedsLayout();
}

void UIWebView::layoutSubviews()
{
    CGRect bounds = this->bounds();
    auto scroll = scrollView();
    if (scroll)
        scroll->setFrame(CGRectMake(0, 0, bounds.size.width, bounds.size.height));
    auto* imageView = static_cast<UIImageView*>(m_imageView.get());
    if (!imageView || !imageView->image())
        return;
    CGSize size = imageView->image()->size();
    if (m_scalesPageToFit && size.width > 0)
        size = CGSize { bounds.size.width, size.height * bounds.size.width / size.width };
    imageView->setFrame(CGRectMake(0, 0, size.width, size.height));
    if (scroll)
        scroll->setContentSize(size);
}

void UIWebView::registerMethods(objc::ClassBuilder<UIWebView>& b)
{
    b.method<&UIWebView::scrollView>("scrollView")
        .method<&UIWebView::scalesPageToFit>("scalesPageToFit")
        .method<&UIWebView::setScalesPageToFit>("setScalesPageToFit:")
        .method<&UIWebView::loadData>("loadData:MIMEType:textEncodingName:baseURL:")
        .method<&UIWebView::layoutSubviews>("layoutSubviews");
}

} // namespace platform
