#pragma once
// A web view, as far as the platform's pages use one: it shows loaded image
// data (PNG or JPEG) scaled to its width inside its scroll view. Other
// content is kept but shows nothing. Main thread.

#include "platform/uikit/UIView.h"

#include <vector>

namespace platform {

class NSURL;
class UIImage;
class UIImageView;
class UIScrollView;

class UIWebView : public UIView {
    OBJC_CLASS(UIWebView, UIView)
public:
    UIWebView();
    ~UIWebView() override;
    static void registerMethods(objc::ClassBuilder<UIWebView>&);
    static Ref<UIWebView> create(CGRect frame);

    RefPtr<UIScrollView> scrollView() const;
    bool scalesPageToFit() const { return m_scalesPageToFit; }
    void setScalesPageToFit(bool on) { m_scalesPageToFit = on; }
    // Loads bytes of a MIME type; an image type is decoded and shown.
    void loadData(NSData* data, NSString* MIMEType, NSString* textEncodingName, NSURL* baseURL);
    RefPtr<NSString> MIMEType() const { return m_mime; }
    RefPtr<NSURL> baseURL() const;
    // The picture shown, or nil.
    RefPtr<UIImage> shownImage() const;
    void layoutSubviews();

private:
    RefPtr<Object> m_scrollView;
    RefPtr<Object> m_imageView;
    RefPtr<NSString> m_mime;
    RefPtr<Object> m_baseURL;
    std::string m_shownFile;
    bool m_scalesPageToFit { false };
};

} // namespace platform
