#pragma once
// The main feed screen: the posts of the feed service as a collection view,
// one section per post with three rows — the photo or video under the
// post's header (IGFeedItemPhotoCell, IGFeedItemVideoCell), the buttons
// (IGFeedItemActionCell) and the likes and caption (IGFeedItemTextCell) —
// in one of two layouts (1 and 2). A refresh button that Instagram hides
// once the feed is loaded and shows again when newer posts wait; whether
// the button shows is asked through showRefreshButton each time.
//
// The feed is fetched over HTTP from the feed service (setFeedServiceURL)
// when the view loads, off the main thread; the posts appear when the answer
// is in. Main thread.

#include "hosts/instagram/IGFeedItem.h"
#include "platform/uikit/UICollectionView.h"
#include "platform/uikit/UIViewController.h"

#include <string>
#include <vector>

namespace hosts::instagram {

using objc::id;
using objc::Ref;
using objc::RefPtr;

class IGMainFeedViewController : public platform::UIViewController {
    OBJC_CLASS(IGMainFeedViewController, platform::UIViewController)
public:
    IGMainFeedViewController() = default;
    static void registerMethods(objc::ClassBuilder<IGMainFeedViewController>&);
    static Ref<IGMainFeedViewController> create();

    // Where the feed service answers ("http://127.0.0.1:PORT"); the process's
    // feed screens fetch "/feed.json" from it. Empty: no feed is fetched.
    static void setFeedServiceURL(const std::string& url);
    static std::string feedServiceURL();

    long feedLayout() const { return m_feedLayout; }
    void setFeedLayout(long layout) { m_feedLayout = layout; }
    bool showRefreshButton() const { return m_showRefreshButton; }
    void setShowRefreshButton(bool shown) { m_showRefreshButton = shown; }
    void loadView();
    // Hides the refresh button (set through the runtime), then fetches the feed.
    void viewDidLoad();
    // Counts its appearances.
    void viewWillAppear(bool animated) { ++m_appearances; }

    // Whether the refresh button is on screen now (asked through the runtime).
    bool isRefreshButtonVisible();
    unsigned long appearanceCount() const { return m_appearances; }

    // The feed ----------------------------------------------------------------
    RefPtr<platform::UICollectionView> collectionView() const { return m_collectionView; }
    const std::vector<Ref<IGFeedItem>>& items() const { return m_items; }
    // Shows these posts (replacing any).
    void setItems(std::vector<Ref<IGFeedItem>> items);
    // Whether the last fetch has answered (with posts or with an error).
    bool isFeedLoaded() const { return m_loaded; }
    const std::string& loadError() const { return m_loadError; }
    // Fetches the feed again.
    void reloadFeed();

    // The rows of a post's section.
    enum Row : long { MediaRow = 0, ActionRow = 1, TextRow = 2, RowCount = 3 };

    // Data source and flow-layout delegate of the collection view.
    long numberOfSectionsInCollectionView(platform::UICollectionView* view);
    long collectionViewNumberOfItemsInSection(platform::UICollectionView* view, long section);
    RefPtr<platform::UICollectionViewCell> collectionViewCellForItemAtIndexPath(platform::UICollectionView* view, platform::NSIndexPath* indexPath);
    platform::CGSize collectionViewLayoutSizeForItemAtIndexPath(platform::UICollectionView* view, id layout, platform::NSIndexPath* indexPath);

private:
    long m_feedLayout { 1 };
    bool m_showRefreshButton { true };
    unsigned long m_appearances { 0 };
    RefPtr<platform::UICollectionView> m_collectionView;
    std::vector<Ref<IGFeedItem>> m_items;
    bool m_loaded { false };
    std::string m_loadError;
    unsigned m_fetches { 0 };
};

} // namespace hosts::instagram
