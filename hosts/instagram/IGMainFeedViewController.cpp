#include "hosts/instagram/IGMainFeedViewController.h"
#include "hosts/instagram/IGFeedItem.h"
#include "hosts/instagram/IGFeedItemActionCell.h"
#include "hosts/instagram/IGFeedItemHeader.h"
#include "hosts/instagram/IGFeedItemPhotoCell.h"
#include "hosts/instagram/IGFeedItemTextCell.h"
#include "hosts/instagram/IGFeedItemVideoView.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/foundation/NSJSONSerialization.h"
#include "platform/net/HTTPClient.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UICollectionViewFlowLayout.h"
#include "platform/uikit/UIScreen.h"

#include <mutex>

namespace hosts::instagram {

using namespace platform;

OBJC_CLASS_DEFINE(IGMainFeedViewController)

namespace {
double numberOf(id value)
{
    auto* number = objc::dynamicCast<NSNumber>(value);
    return number ? number->doubleValue() : 0;
}

std::mutex g_serviceLock;
std::string g_serviceURL;

constexpr const char* kPhotoIdentifier = "IGFeedItemPhotoCell";
constexpr const char* kVideoIdentifier = "IGFeedItemVideoCell";
constexpr const char* kActionIdentifier = "IGFeedItemActionCell";
constexpr const char* kTextIdentifier = "IGFeedItemTextCell";
}

void IGMainFeedViewController::registerMethods(objc::ClassBuilder<IGMainFeedViewController>& b)
{
    b.method<&IGMainFeedViewController::feedLayout>("feedLayout")
        .method<&IGMainFeedViewController::setFeedLayout>("setFeedLayout:")
        .method<&IGMainFeedViewController::showRefreshButton>("showRefreshButton")
        .method<&IGMainFeedViewController::setShowRefreshButton>("setShowRefreshButton:")
        .method<&IGMainFeedViewController::loadView>("loadView")
        .method<&IGMainFeedViewController::viewDidLoad>("viewDidLoad")
        .method<&IGMainFeedViewController::viewWillAppear>("viewWillAppear:")
        .method<&IGMainFeedViewController::numberOfSectionsInCollectionView>("numberOfSectionsInCollectionView:")
        .method<&IGMainFeedViewController::collectionViewNumberOfItemsInSection>("collectionView:numberOfItemsInSection:")
        .method<&IGMainFeedViewController::collectionViewCellForItemAtIndexPath>("collectionView:cellForItemAtIndexPath:")
        .method<&IGMainFeedViewController::collectionViewLayoutSizeForItemAtIndexPath>("collectionView:layout:sizeForItemAtIndexPath:");
}

void IGMainFeedViewController::setFeedServiceURL(const std::string& url)
{
    std::lock_guard guard(g_serviceLock);
    g_serviceURL = url;
}

std::string IGMainFeedViewController::feedServiceURL()
{
    std::lock_guard guard(g_serviceLock);
    return g_serviceURL;
}

Ref<IGMainFeedViewController> IGMainFeedViewController::create()
{
    auto controller = objc::make<IGMainFeedViewController>();
    objc::send<RefPtr<platform::UIViewController>>(controller, "init");
    return controller;
}

void IGMainFeedViewController::loadView()
{
    CGRect screen = UIScreen::mainScreen()->bounds();
    auto layout = UICollectionViewFlowLayout::create();
    layout->setMinimumLineSpacing(0);
    layout->setMinimumInteritemSpacing(0);
    layout->setSectionInset(UIEdgeInsets { 0, 0, 12, 0 });
    m_collectionView = UICollectionView::create(screen, layout.get());
    m_collectionView->setBackgroundColor(UIColor::colorWithWhite(0.96, 1).get());
    m_collectionView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    m_collectionView->registerClassForCellWithReuseIdentifier(IGFeedItemPhotoCell::staticClass(), ns(kPhotoIdentifier).get());
    m_collectionView->registerClassForCellWithReuseIdentifier(IGFeedItemVideoCell::staticClass(), ns(kVideoIdentifier).get());
    m_collectionView->registerClassForCellWithReuseIdentifier(IGFeedItemActionCell::staticClass(), ns(kActionIdentifier).get());
    m_collectionView->registerClassForCellWithReuseIdentifier(IGFeedItemTextCell::staticClass(), ns(kTextIdentifier).get());
    m_collectionView->setDataSource(this);
    m_collectionView->setDelegate(this);
    setView(m_collectionView.get());
}

void IGMainFeedViewController::viewDidLoad()
{
    objc::send<void(bool)>(this, "setShowRefreshButton:", false);
    reloadFeed();
}

bool IGMainFeedViewController::isRefreshButtonVisible()
{
    return objc::send<bool>(this, "showRefreshButton");
}

void IGMainFeedViewController::setItems(std::vector<Ref<IGFeedItem>> items)
{
    m_items = std::move(items);
    if (m_collectionView)
        m_collectionView->reloadData();
}

void IGMainFeedViewController::reloadFeed()
{
    std::string service = feedServiceURL();
    if (service.empty())
        return;
    unsigned fetch = ++m_fetches;
    Ref<IGMainFeedViewController> self(*this);
    HTTPClient::get(service + "/feed.json", {}, [self, fetch, service](HTTPResponse response) {
        dispatch_async(dispatch_get_main_queue(), [self, fetch, service, response = std::move(response)] {
            if (fetch != self->m_fetches)
                return;
            self->m_loaded = true;
            auto json = response.ok ? NSJSONSerialization::JSONObjectWithData(response.body) : nullptr;
            auto* answer = objc::dynamicCast<NSDictionary>(json.get());
            auto* list = answer ? objc::dynamicCast<NSArray>(answer->get("items").get()) : nullptr;
            if (!list) {
                self->m_loadError = response.ok ? "the feed service's answer is not a feed" : "could not load the feed: " + response.error;
                return;
            }
            self->m_loadError.clear();
            std::vector<Ref<IGFeedItem>> items;
            for (unsigned long i = 0; i < list->count(); ++i) {
                if (auto item = IGFeedItem::itemWithDictionary(objc::dynamicCast<NSDictionary>(list->objectAtIndex(i).get()), service))
                    items.push_back(item.releaseNonNull());
            }
            self->setItems(std::move(items));
        });
    });
}

long IGMainFeedViewController::numberOfSectionsInCollectionView(UICollectionView*)
{
    return long(m_items.size());
}

long IGMainFeedViewController::collectionViewNumberOfItemsInSection(UICollectionView*, long section)
{
    return section >= 0 && size_t(section) < m_items.size() ? long(RowCount) : 0;
}

RefPtr<UICollectionViewCell> IGMainFeedViewController::collectionViewCellForItemAtIndexPath(UICollectionView* view, NSIndexPath* indexPath)
{
    IGFeedItem* item = m_items.at(size_t(indexPath->section())).get();
    const char* identifier = kTextIdentifier;
    switch (indexPath->item()) {
    case MediaRow: identifier = item->mediaType() == IGMediaTypeVideo ? kVideoIdentifier : kPhotoIdentifier; break;
    case ActionRow: identifier = kActionIdentifier; break;
    default: break;
    }
    auto cell = view->dequeueReusableCellWithReuseIdentifierForIndexPath(ns(identifier).get(), indexPath);
    if (auto* actions = objc::dynamicCast<IGFeedItemActionCell>(cell.get()))
        actions->setNavigationController(navigationController().get());
    if (auto* text = objc::dynamicCast<IGFeedItemTextCell>(cell.get())) {
        text->setDelegate(this);
        text->setCellType(0);
    }
    objc::send<void(id)>(cell, "setFeedItem:", item);
    return cell;
}

CGSize IGMainFeedViewController::collectionViewLayoutSizeForItemAtIndexPath(UICollectionView* view, id, NSIndexPath* indexPath)
{
    double width = view->bounds().size.width;
    IGFeedItem* item = m_items.at(size_t(indexPath->section())).get();
    switch (indexPath->item()) {
    case ActionRow: return CGSizeMake(width, 46);
    case TextRow: return CGSizeMake(width, 80);
    default: break;
    }
    // The picture's own proportions, from its largest version.
    auto photo = item->photo();
    auto versions = photo ? photo->imageVersions() : nullptr;
    auto* last = versions ? objc::dynamicCast<NSDictionary>(versions->lastObject().get()) : nullptr;
    double w = last ? numberOf(last->get("width").get()) : 0;
    double h = last ? numberOf(last->get("height").get()) : 0;
    return CGSizeMake(width, IGFeedItemHeader::kHeight + (w > 0 && h > 0 ? width * h / w : width));
}

} // namespace hosts::instagram
