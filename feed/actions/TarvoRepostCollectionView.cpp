#include "feed/actions/TarvoRepostCollectionView.h"
#include "feed/actions/TarvoImageTools.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UIScreen.h"

namespace igtarvo {

using namespace platform;

OBJC_CLASS_LOAD(TarvoRepostCollectionView)

namespace {
// Marks the picture a cell shows, so a reused cell shows one picture only.
constexpr long kPictureTag = 0x7265706f;
}

Ref<TarvoRepostCollectionView> TarvoRepostCollectionView::make(CGRect frame)
{
    auto strip = objc::make<TarvoRepostCollectionView>();
    objc::send<RefPtr<UIView>(CGRect)>(strip, "initWithFrame:", frame);
    return strip;
}

RefPtr<UIView> TarvoRepostCollectionView::initWithFrame(CGRect frame)
{
    auto layout = UICollectionViewFlowLayout::create();
    layout->setSectionInset(UIEdgeInsetsMake(0, 20, 0, -5));
    layout->setScrollDirection(UICollectionViewScrollDirectionHorizontal);
    UICollectionView::initWithFrameCollectionViewLayout(frame, layout.get());
    objc::send<void(id)>(this, "setDelegate:", this);
    objc::send<void(id)>(this, "setDataSource:", this);
    registerClassForCellWithReuseIdentifier(UICollectionViewCell::staticClass(), ns(kTarvoRepostCellIdentifier).get());
    setBackgroundColor(UIColor::clearColor().get());
    m_repostIndex = 0;
    return RefPtr<UIView>(this);
}

RefPtr<UICollectionViewCell> TarvoRepostCollectionView::collectionViewCellForItemAtIndexPath(UICollectionView* view, NSIndexPath* indexPath)
{
    auto cell = view->dequeueReusableCellWithReuseIdentifierForIndexPath(ns(kTarvoRepostCellIdentifier).get(), indexPath);
    auto content = cell->contentView();
    if (auto old = content->viewWithTag(kPictureTag); old && old.get() != content.get())
        old->removeFromSuperview();
    auto imageView = objc::make<UIImageView>();
    objc::send<RefPtr<UIView>(CGRect)>(imageView, "initWithFrame:", content->frame());
    imageView->setTag(kPictureTag);
    auto bundle = NSBundle::bundleWithPath(Device::path(kTarvoBundlePath));
    auto name = ns("repost" + std::to_string(indexPath->item()) + "@2x");
    auto path = bundle ? bundle->pathForResource(name.get(), ns("jpg").get()) : nullptr;
    // The bundle answers a path of this machine; the image is read by its device path.
    if (auto image = path ? UIImage::imageWithContentsOfFile(ns(Device::devicePath(str(path.get()))).get()) : nullptr) {
        imageView->setImage(image.get());
        content->addSubview(imageView.get());
    }
    content->setBackgroundColor(UIColor::whiteColor().get());
    return cell;
}

CGSize TarvoRepostCollectionView::collectionViewLayoutSizeForItemAtIndexPath(UICollectionView*, UICollectionViewLayout* layout, NSIndexPath*)
{
    if (NSFoundationVersionNumber() >= NSFoundationVersionNumber_iOS_9_0)
        return CGSizeMake(60, 60);
    auto flow = objc::dynamicCast<UICollectionViewFlowLayout>(static_cast<id>(layout));
    UIEdgeInsets inset = flow ? flow->sectionInset() : UIEdgeInsetsMake(0, 20, 0, -5);
    double side = UIScreen::mainScreen()->bounds().size.width / double(kTarvoRepostOptionCount) - (inset.right + inset.left);
    return CGSizeMake(side, side);
}

void TarvoRepostCollectionView::collectionViewDidSelectItemAtIndexPath(UICollectionView*, NSIndexPath* indexPath)
{
    m_repostIndex = indexPath->item();
    auto delegate = tarvoDelegate();
    if (delegate && objc::respondsTo(delegate.get(), "collectionView:didSelectRepostOption:"))
        objc::send<void(TarvoRepostCollectionView*, long)>(delegate, "collectionView:didSelectRepostOption:", this, m_repostIndex);
}

void TarvoRepostCollectionView::registerMethods(objc::ClassBuilder<TarvoRepostCollectionView>& b)
{
    b.method<&TarvoRepostCollectionView::initWithFrame>("initWithFrame:")
        .method<&TarvoRepostCollectionView::repostIndex>("repostIndex")
        .method<&TarvoRepostCollectionView::tarvoDelegate>("tarvoDelegate")
        .method<&TarvoRepostCollectionView::setTarvoDelegate>("setTarvoDelegate:")
        .method<&TarvoRepostCollectionView::numberOfSectionsInCollectionView>("numberOfSectionsInCollectionView:")
        .method<&TarvoRepostCollectionView::collectionViewNumberOfItemsInSection>("collectionView:numberOfItemsInSection:")
        .method<&TarvoRepostCollectionView::collectionViewCellForItemAtIndexPath>("collectionView:cellForItemAtIndexPath:")
        .method<&TarvoRepostCollectionView::collectionViewLayoutSizeForItemAtIndexPath>("collectionView:layout:sizeForItemAtIndexPath:")
        .method<&TarvoRepostCollectionView::collectionViewDidSelectItemAtIndexPath>("collectionView:didSelectItemAtIndexPath:");
}

} // namespace igtarvo
