#pragma once
// The main feed screen: its posts in one of two layouts (1 and 2), and a
// refresh button that Instagram hides once the feed is loaded and shows
// again when newer posts wait. Whether the button shows is asked through
// showRefreshButton each time. Main thread.

#include "platform/uikit/UIViewController.h"

namespace hosts::instagram {

using objc::Ref;
using objc::RefPtr;

class IGMainFeedViewController : public platform::UIViewController {
    OBJC_CLASS(IGMainFeedViewController, platform::UIViewController)
public:
    IGMainFeedViewController() = default;
    static void registerMethods(objc::ClassBuilder<IGMainFeedViewController>&);
    static Ref<IGMainFeedViewController> create();

    long feedLayout() const { return m_feedLayout; }
    void setFeedLayout(long layout) { m_feedLayout = layout; }
    bool showRefreshButton() const { return m_showRefreshButton; }
    void setShowRefreshButton(bool shown) { m_showRefreshButton = shown; }
    // Loads the feed, then hides the refresh button (set through the runtime).
    void viewDidLoad();
    // Counts its appearances.
    void viewWillAppear(bool animated) { ++m_appearances; }

    // Whether the refresh button is on screen now (asked through the runtime).
    bool isRefreshButtonVisible();
    unsigned long appearanceCount() const { return m_appearances; }

private:
    long m_feedLayout { 1 };
    bool m_showRefreshButton { true };
    unsigned long m_appearances { 0 };
};

} // namespace hosts::instagram
