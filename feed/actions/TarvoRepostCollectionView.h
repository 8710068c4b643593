#pragma once
// The strip of five layout pictures in the actions menu's Repost row: no
// watermark, then the tab at the bottom, left, top and right edge. A tap on a
// picture records its index as the watermark position (repostIndex) and tells
// the tarvoDelegate. The strip is its own data source and delegate; it scrolls
// horizontally. Main thread.
//
// TarvoRepostCollectionViewDelegate (informal, answered through the runtime):
//   collectionView:didSelectRepostOption:   void(TarvoRepostCollectionView*, long)

#include "platform/uikit/UICollectionView.h"
#include "platform/uikit/UICollectionViewCell.h"
#include "platform/uikit/UICollectionViewFlowLayout.h"

namespace igtarvo {

using objc::id;
using objc::Ref;
using objc::RefPtr;

// The cells of the strip, and how many pictures it shows.
inline constexpr const char* kTarvoRepostCellIdentifier = "TarvoCollectionViewCell";
inline constexpr long kTarvoRepostOptionCount = 5;

class TarvoRepostCollectionView : public platform::UICollectionView {
    OBJC_CLASS(TarvoRepostCollectionView, platform::UICollectionView)
public:
    TarvoRepostCollectionView() = default;
    static void registerMethods(objc::ClassBuilder<TarvoRepostCollectionView>&);
    // A new strip (alloc + initWithFrame:).
    static Ref<TarvoRepostCollectionView> make(platform::CGRect frame);

    // The configured strip: its own horizontal flow layout (insets 0, 20, 0, -5).
    RefPtr<platform::UIView> initWithFrame(platform::CGRect frame);

    // The picture tapped last (0 after creation): the watermark position.
    long repostIndex() const { return m_repostIndex; }
    // Told of every tap on a picture; not retained.
    RefPtr<objc::Object> tarvoDelegate() const { return m_tarvoDelegate.lock(); }
    void setTarvoDelegate(id delegate) { m_tarvoDelegate = objc::WeakPtr<objc::Object>(delegate); }

    long numberOfSectionsInCollectionView(platform::UICollectionView*) { return 1; }
    long collectionViewNumberOfItemsInSection(platform::UICollectionView*, long) { return kTarvoRepostOptionCount; }
    RefPtr<platform::UICollectionViewCell> collectionViewCellForItemAtIndexPath(platform::UICollectionView* view, platform::NSIndexPath* indexPath);
    platform::CGSize collectionViewLayoutSizeForItemAtIndexPath(platform::UICollectionView*, platform::UICollectionViewLayout*, platform::NSIndexPath*);
    void collectionViewDidSelectItemAtIndexPath(platform::UICollectionView*, platform::NSIndexPath* indexPath);

private:
    objc::WeakPtr<objc::Object> m_tarvoDelegate;
    long m_repostIndex { 0 };
};

} // namespace igtarvo
