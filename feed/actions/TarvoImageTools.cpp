#include "feed/actions/TarvoImageTools.h"
#include "feed/actions/TarvoWatermarkView.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSPathUtilities.h"
#include "platform/graphics/CGContext.h"
#include "platform/uikit/CALayer.h"
#include "platform/uikit/UIBezierPath.h"

#include <cmath>
#include <mutex>

namespace igtarvo {

using namespace platform;

OBJC_CLASS_LOAD(TarvoImageTools)

namespace {
// The last tab image (rotated where the position turns it) and the last
// circular picture; replaced by the next call, on the main thread.
RefPtr<UIImage> g_tabImage;
RefPtr<UIImage> g_profilePicture;

RefPtr<UIImage> takeImage()
{
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

void writePNG(UIImage* image, const std::string& name)
{
    auto data = UIImagePNGRepresentation(image);
    if (data)
        writeBytesToHostFile(data->bytes(), NSDocumentsDirectoryPath() + "/" + name, true); // failures ignored
}
}

TarvoImageTools* TarvoImageTools::sharedTools()
{
    static TarvoImageTools* const tools = [] {
        auto made = objc::make<TarvoImageTools>();
        objc::send<RefPtr<Object>>(made, "init");
        return made.leak();
    }();
    return tools;
}

RefPtr<TarvoImageTools> TarvoImageTools::init()
{
    m_bundle = NSBundle::bundleWithPath(Device::path(kTarvoBundlePath));
    return RefPtr<TarvoImageTools>(this);
}

RefPtr<NSBundle> TarvoImageTools::igTarvoBundle() const
{
    return RefPtr<NSBundle>(static_cast<NSBundle*>(m_bundle.get()));
}

RefPtr<UIImage> TarvoImageTools::imageNamed(NSString* name)
{
    auto bundle = sharedTools()->igTarvoBundle();
    if (!bundle)
        return nullptr;
    return objc::send<RefPtr<UIImage>(NSString*, NSBundle*, id)>(UIImage::staticClass(),
        "imageNamed:inBundle:compatibleWithTraitCollection:", name, bundle.get(), nullptr);
}

RefPtr<UIImage> TarvoImageTools::imageWithImage(UIImage* image, CGSize size)
{
    UIGraphicsBeginImageContextWithOptions(size, false, 0);
    if (image)
        objc::send<void(CGRect)>(image, "drawInRect:", CGRectMake(0, 0, size.width, size.height));
    return takeImage();
}

RefPtr<UIImage> TarvoImageTools::rotateImage(UIImage* image, double radians)
{
    if (!image)
        return nullptr;
    CGSize size = image->size();
    auto box = UIView::create(CGRectMake(0, 0, size.width, size.height));
    box->setTransform(CGAffineTransformMakeRotation(radians));
    CGSize turned = box->frame().size;
    UIGraphicsBeginImageContextWithOptions(turned, false, 1);
    CGContextRef context = UIGraphicsGetCurrentContext();
    CGContextTranslateCTM(context, turned.width, turned.height);
    CGContextRotateCTM(context, radians);
    CGContextScaleCTM(context, 1, -1);
    CGContextDrawImage(context, CGRectMake(-size.width, -size.height, size.width, size.height), image->CGImage().get());
    return takeImage();
}

RefPtr<UIImage> TarvoImageTools::roundedProfilePictureForImage(UIImage* image, double diameter)
{
    CGRect square = CGRectMake(0, 0, diameter, diameter);
    UIGraphicsBeginImageContextWithOptions(square.size, false, 0);
    UIBezierPath::bezierPathWithOvalInRect(square)->addClip();
    if (image)
        objc::send<void(CGRect)>(image, "drawInRect:", square);
    g_profilePicture = takeImage();
    return g_profilePicture;
}

RefPtr<UIImage> TarvoImageTools::squareImageFromImage(UIImage* image)
{
    if (!image)
        return nullptr;
    double w = image->size().width, h = image->size().height;
    if (!(w > 0) || !(h > 0))
        return nullptr;
    double k = h / w;
    CGSize canvas;
    CGPoint at;
    if (w > h) {
        canvas = CGSizeMake(h, h);
        at = CGPointMake(0, (w - h) / 2);
    } else {
        canvas = CGSizeMake(k * h, k * h);
        at = CGPointMake((h - w) / 2, 0);
    }
    UIGraphicsBeginImageContextWithOptions(canvas, false, 0);
    CGContextConcatCTM(UIGraphicsGetCurrentContext(), CGAffineTransformMakeScale(k, k));
    objc::send<void(CGPoint)>(image, "drawAtPoint:", at);
    return takeImage();
}

RefPtr<UIImage> TarvoImageTools::generateWatermarkForImage(UIImage* image, id user, long position)
{
    if (!image)
        return nullptr;
    CGSize size = image->size();
    // The tab, rendered at screen scale.
    auto icon = objc::send<RefPtr<UIImage>(NSString*)>(staticClass(), "imageNamed:", ns("repost-icon").get());
    auto tabView = TarvoWatermarkView::make(icon.get(), user, size, position);
    RefPtr<UIImage> tab;
    if (tabView) {
        tabView->layer()->setCornerRadius(5);
        UIGraphicsBeginImageContextWithOptions(tabView->bounds().size, false, 0);
        if (CGContextRef context = UIGraphicsGetCurrentContext()) {
            objc::send<void(CGContext*)>(tabView->layer(), "renderInContext:", context);
            tab = takeImage();
        }
    }
    g_tabImage = tab;

    // The picture with the tab along the position's edge, the flat edges one point past the border.
    UIGraphicsBeginImageContextWithOptions(size, false, image->scale());
    objc::send<void(CGRect)>(image, "drawInRect:", CGRectMake(0, 0, size.width, size.height));
    if (tab) {
        if (position == 2 || position == 4) {
            tab = objc::send<RefPtr<UIImage>(UIImage*, double)>(staticClass(), "rotateImage:byRadians:", tab.get(), M_PI / 2);
            g_tabImage = tab;
        }
        CGSize t = tab ? tab->size() : CGSizeZero;
        switch (position) {
        case 1: objc::send<void(CGRect)>(tab, "drawInRect:", CGRectMake(0, size.height - t.height + 1, t.width, t.height + 1)); break;
        case 2: objc::send<void(CGRect)>(tab, "drawInRect:", CGRectMake(-1, 0, t.width, t.height + 1)); break;
        case 3: objc::send<void(CGRect)>(tab, "drawInRect:", CGRectMake(-1, 0, t.width, t.height + 1)); break;
        case 4: objc::send<void(CGRect)>(tab, "drawInRect:", CGRectMake(size.width - t.width + 1, 0, t.width, t.height)); break;
        default: break;
        }
    }
    auto composite = takeImage();
    if (!composite)
        return nullptr;
    writePNG(composite.get(), "result.png");
    auto squared = objc::send<RefPtr<UIImage>(UIImage*)>(sharedTools(), "squareImageFromImage:", composite.get());
    if (squared)
        writePNG(squared.get(), "squared.png");
    return squared;
}

RefPtr<NSData> TarvoImageTools::dataByAddingWatermarkForUser(id user, UIImage* image, long position)
{
    auto result = objc::send<RefPtr<UIImage>(UIImage*, id, long)>(sharedTools(), "generateWatermarkForImage:withUser:position:",
        image, user, position);
    return UIImagePNGRepresentation(result.get());
}

RefPtr<UIImage> TarvoImageTools::lastTabImage() { return g_tabImage; }
RefPtr<UIImage> TarvoImageTools::lastProfilePicture() { return g_profilePicture; }

void TarvoImageTools::registerMethods(objc::ClassBuilder<TarvoImageTools>& b)
{
    b.classMethod<&TarvoImageTools::sharedTools>("sharedTools")
        .classMethod<&TarvoImageTools::imageNamed>("imageNamed:")
        .classMethod<&TarvoImageTools::imageWithImage>("imageWithImage:scaledToSize:")
        .classMethod<&TarvoImageTools::rotateImage>("rotateImage:byRadians:")
        .classMethod<&TarvoImageTools::roundedProfilePictureForImage>("roundedProfilePictureForImage:withHeight:")
        .classMethod<&TarvoImageTools::dataByAddingWatermarkForUser>("dataByAddingWatermarkForUser:toImage:position:")
        .method<&TarvoImageTools::init>("init")
        .method<&TarvoImageTools::igTarvoBundle>("igTarvoBundle")
        .method<&TarvoImageTools::squareImageFromImage>("squareImageFromImage:")
        .method<&TarvoImageTools::generateWatermarkForImage>("generateWatermarkForImage:withUser:position:");
}

} // namespace igtarvo
