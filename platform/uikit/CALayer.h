#pragma once
// A layer: what a view looks like — background colour, rounded corners,
// masking to bounds, border, shadow, contents (a picture), opacity,
// transform and sublayers. Every view has one (its layer's geometry, colour,
// opacity and visibility are the view's own); plain layers stand alone.
// renderInContext: draws the layer tree into a context: each layer's own
// look, the view's drawRect: (labels, image views, a view's own drawing),
// then its sublayers and subviews back to front. Main thread.

#include "platform/graphics/CGContext.h"
#include "platform/uikit/UIGeometry.h"

namespace platform {

class UIColor;
class UIView;

class CALayer : public NSObject {
    OBJC_CLASS(CALayer, NSObject)
public:
    CALayer() = default;
    ~CALayer() override;
    static void registerMethods(objc::ClassBuilder<CALayer>&);
    static Ref<CALayer> layer();

    // The view whose layer this is, or nil for a plain layer.
    RefPtr<UIView> view() const;
    void setView(UIView* view);

    CGRect frame() const;
    void setFrame(CGRect frame);
    CGRect bounds() const;
    RefPtr<UIColor> backgroundColor() const;
    void setBackgroundColor(UIColor* color);
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius) { m_cornerRadius = radius < 0 ? 0 : radius; }
    bool masksToBounds() const { return m_masksToBounds; }
    void setMasksToBounds(bool on) { m_masksToBounds = on; }
    double borderWidth() const { return m_borderWidth; }
    void setBorderWidth(double width) { m_borderWidth = width < 0 ? 0 : width; }
    RefPtr<UIColor> borderColor() const;
    void setBorderColor(UIColor* color);
    RefPtr<UIColor> shadowColor() const;
    void setShadowColor(UIColor* color);
    CGSize shadowOffset() const { return m_shadowOffset; }
    void setShadowOffset(CGSize offset) { m_shadowOffset = offset; }
    double shadowOpacity() const { return m_shadowOpacity; }
    void setShadowOpacity(double opacity);
    double shadowRadius() const { return m_shadowRadius; }
    void setShadowRadius(double radius) { m_shadowRadius = radius < 0 ? 0 : radius; }
    double opacity() const;
    void setOpacity(double opacity);
    bool isHidden() const;
    void setHidden(bool hidden);
    // A UIImage or a CGImage shown filling the bounds, or nil.
    RefPtr<Object> contents() const { return m_contents; }
    void setContents(id contents) { m_contents = contents; }
    // The layer's transform about its centre (a view's layer uses the view's).
    CGAffineTransform affineTransform() const;
    void setAffineTransform(CGAffineTransform transform);

    // Plain sublayers (a view's layer also draws its subviews' layers).
    RefPtr<NSArray> sublayers() const;
    void addSublayer(CALayer* layer);
    void removeFromSuperlayer();
    RefPtr<CALayer> superlayer() const { return m_superlayer.lock(); }

    // Draws the layer and everything in it into the context, in the
    // context's current user space (the layer's bounds origin at the origin).
    void renderInContext(CGContext* context);

private:
    void render(CGContext* context, bool atOrigin);

    objc::WeakPtr<UIView> m_view;
    objc::WeakPtr<CALayer> m_superlayer;
    std::vector<Ref<CALayer>> m_sublayers;
    CGRect m_frame;
    RefPtr<Object> m_backgroundColor;
    RefPtr<Object> m_borderColor;
    RefPtr<Object> m_shadowColor;
    RefPtr<Object> m_contents;
    CGAffineTransform m_transform;
    CGSize m_shadowOffset { 0, -3 };
    double m_cornerRadius { 0 };
    double m_borderWidth { 0 };
    double m_shadowOpacity { 0 };
    double m_shadowRadius { 3 };
    double m_opacity { 1 };
    bool m_masksToBounds { false };
    bool m_hidden { false };
};

} // namespace platform
