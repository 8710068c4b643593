#pragma once
// A view that shows an image (or its highlighted image while highlighted).
// Main thread.

#include "platform/uikit/UIView.h"

namespace platform {

class UIImage;

class UIImageView : public UIView {
    OBJC_CLASS(UIImageView, UIView)
public:
    UIImageView();
    ~UIImageView() override;
    static void registerMethods(objc::ClassBuilder<UIImageView>&);
    // A view sized to the image, at the origin.
    static Ref<UIImageView> create(UIImage* image);

    RefPtr<UIImageView> initWithImage(UIImage* image);
    RefPtr<UIImage> image() const;
    void setImage(UIImage* image);
    RefPtr<UIImage> highlightedImage() const;
    void setHighlightedImage(UIImage* image);
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool on) { m_highlighted = on; }
    // The image's size, or zero without an image.
    CGSize sizeThatFits(CGSize size) const;
    CGSize intrinsicContentSize() const;
    // Draws the image by the content mode (fill, aspect fit, aspect fill, centre).
    void drawRect(CGRect rect);

private:
    RefPtr<Object> m_image;
    RefPtr<Object> m_highlightedImage;
    bool m_highlighted { false };
};

} // namespace platform
