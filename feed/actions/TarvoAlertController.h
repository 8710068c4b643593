#pragma once
// The actions menu of a feed post: an action sheet that, for someone else's
// post, turns its "Repost" entry (the second of four) into a taller row with
// the strip of layout pictures under its title. It takes over the sheet's
// private action list when the platform builds the sheet's view
// (_alertControllerView): from iOS 9 on it is the list's data source and
// delegate and makes the action cells itself; on iOS 8 it is only the
// delegate and inserts the strip into the platform's own row. A tap on a
// row dismisses the menu, then runs that action's handler; a tap on a
// picture dismisses it, then runs the handler of the action at index 1, which
// reads the chosen position from `collectionView`. For one's own post
// (isForCurrentUser) it is the plain sheet. Main thread.

#include "feed/actions/TarvoRepostCollectionView.h"
#include "platform/uikit/UIAlertController.h"

namespace igtarvo {

// The Repost row's height, and the strip's share of the list's height.
inline constexpr double kTarvoRepostRowHeight = 120;

class TarvoAlertController : public platform::UIAlertController {
    OBJC_CLASS(TarvoAlertController, platform::UIAlertController)
public:
    TarvoAlertController() = default;
    static void registerMethods(objc::ClassBuilder<TarvoAlertController>&);
    // A new menu (alertControllerWithTitle:message:preferredStyle: sent to this class).
    static Ref<TarvoAlertController> make(const std::string& title, const std::string& message, long preferredStyle);

    // For the signed-in user's own post: then the menu is a plain sheet.
    bool isForCurrentUser() const { return m_isForCurrentUser; }
    void setIsForCurrentUser(bool on) { m_isForCurrentUser = on; }
    // The strip of layout pictures, once the Repost row has shown it (else nil).
    RefPtr<TarvoRepostCollectionView> collectionView() const { return m_collectionView; }

    // The sheet's view, wired to this controller (the platform calls it when it builds the sheet).
    RefPtr<platform::UIView> alertControllerView();

    // The private action list's data source and delegate.
    long collectionViewNumberOfItemsInSection(platform::UICollectionView*, long section);
    RefPtr<platform::UICollectionViewCell> collectionViewCellForItemAtIndexPath(platform::UICollectionView* view, platform::NSIndexPath* indexPath);
    platform::CGSize collectionViewLayoutSizeForItemAtIndexPath(platform::UICollectionView* view, platform::UICollectionViewLayout* layout, platform::NSIndexPath* indexPath);
    void collectionViewDidSelectItemAtIndexPath(platform::UICollectionView*, platform::NSIndexPath* indexPath);
    // The strip's delegate: a picture was chosen.
    void collectionViewDidSelectRepostOption(TarvoRepostCollectionView* strip, long option);

private:
    bool showsRepostRow(long row) const;
    Ref<TarvoRepostCollectionView> makeStrip(platform::CGRect frame);
    void insertStripIntoOlderRow(platform::UICollectionView* view, platform::NSIndexPath* indexPath);
    void dismissThenRun(long actionIndex);

    RefPtr<TarvoRepostCollectionView> m_collectionView;
    bool m_isForCurrentUser { false };
};

} // namespace igtarvo
