#pragma once
// The private views of an alert controller, as the platform ships them:
//
//   _UIAlertControllerView       the controller's view (it dims the screen);
//                                for an action sheet it holds the list of
//                                actions, "_actionCollectionView", and is that
//                                list's data source and delegate
//   _UIAlertControllerCollectionViewCell
//                                a row of the list, dequeued with
//                                "_UIAlertCollectionViewCellReuseIdentifier";
//                                its `actionView` fills its content view
//   _UIAlertControllerActionView `action` and the `titleLabel` (also read as
//                                "label") that shows the action's title
//
// The list is a vertical collection view with a flow layout whose items are
// as wide as the sheet and 57 points tall; its height is the constant of its
// own height constraint (rows × item height), which the sheet follows. Code
// that takes the list over (delegate, data source, that constraint) changes
// what the sheet shows, as on the phone. Main thread.

#include "platform/uikit/UICollectionView.h"
#include "platform/uikit/UICollectionViewCell.h"

namespace platform {

class UIAlertAction;
class UIAlertController;
class UICollectionViewFlowLayout;
class UILabel;
class NSLayoutConstraint;

inline constexpr const char* kUIAlertCellReuseIdentifier = "_UIAlertCollectionViewCellReuseIdentifier";
inline constexpr double kUIAlertSheetRowHeight = 57;

class UIAlertControllerActionView : public UIView {
    OBJC_CLASS(UIAlertControllerActionView, UIView)
public:
    UIAlertControllerActionView();
    ~UIAlertControllerActionView() override;
    static void registerMethods(objc::ClassBuilder<UIAlertControllerActionView>&);

    RefPtr<UIAlertAction> action() const;
    // Shows the action's title in its style (bold for cancel, red for destructive).
    void setAction(UIAlertAction* action);
    RefPtr<UILabel> titleLabel() const;

    // Centres the title while it is the view's own subview, once per size,
    // so a title someone moved stays where it was put.
    void layoutSubviews();

private:
    RefPtr<Object> m_action;
    RefPtr<Object> m_label;
    CGSize m_laidOutSize { -1, -1 };
};

class UIAlertControllerCollectionViewCell : public UICollectionViewCell {
    OBJC_CLASS(UIAlertControllerCollectionViewCell, UICollectionViewCell)
public:
    UIAlertControllerCollectionViewCell();
    ~UIAlertControllerCollectionViewCell() override;
    static void registerMethods(objc::ClassBuilder<UIAlertControllerCollectionViewCell>&);

    RefPtr<UIAlertControllerActionView> actionView() const;

private:
    RefPtr<Object> m_actionView;
};

class UIAlertControllerView : public UIView {
    OBJC_CLASS(UIAlertControllerView, UIView)
public:
    UIAlertControllerView();
    ~UIAlertControllerView() override;
    static void registerMethods(objc::ClassBuilder<UIAlertControllerView>&);
    // The view of a controller; an action sheet's view also makes its list.
    static Ref<UIAlertControllerView> create(UIAlertController* controller, bool sheet);

    // The list of an action sheet's actions, or nil for an alert.
    RefPtr<UICollectionView> actionCollectionView() const { return m_actionCollectionView; }
    RefPtr<UICollectionViewFlowLayout> actionLayout() const;
    // The list's height: the constant of its first height constraint.
    double actionListHeight() const;
    // Sets the list's height constraint to fit every row.
    void fitActionListToRows(long rows);

    long collectionViewNumberOfItemsInSection(UICollectionView*, long section);
    RefPtr<UICollectionViewCell> collectionViewCellForItemAtIndexPath(UICollectionView* view, NSIndexPath* indexPath);
    void collectionViewDidSelectItemAtIndexPath(UICollectionView*, NSIndexPath* indexPath);

private:
    objc::WeakPtr<UIAlertController> m_controller;
    RefPtr<UICollectionView> m_actionCollectionView;
};

} // namespace platform
