#include "hosts/instagram/InstagramClasses.h"
#include "hosts/instagram/AppDelegate.h"
#include "hosts/instagram/IGAlertBar.h"
#include "hosts/instagram/IGAlertHUD.h"
#include "hosts/instagram/IGAttributedStringAdditions.h"
#include "hosts/instagram/IGAuthHelper.h"
#include "hosts/instagram/IGCoreTextView.h"
#include "hosts/instagram/IGDirectThreadStore.h"
#include "hosts/instagram/IGFeedItem.h"
#include "hosts/instagram/IGCaption.h"
#include "hosts/instagram/IGFeedItemActionCell.h"
#include "hosts/instagram/IGFeedItemHeader.h"
#include "hosts/instagram/IGFeedItemPhotoCell.h"
#include "hosts/instagram/IGFeedItemVideoView.h"
#include "hosts/instagram/IGFeedPhotoView.h"
#include "hosts/instagram/IGShareViewController.h"
#include "hosts/instagram/IGFeedItemTextCell.h"
#include "hosts/instagram/IGMainAppViewController.h"
#include "hosts/instagram/IGMainFeedViewController.h"
#include "hosts/instagram/IGSingleFeedViewController.h"
#include "hosts/instagram/IGStyledString.h"
#include "hosts/instagram/IGTabBarController.h"
#include "hosts/instagram/IGTimeStampHeaderView.h"
#include "hosts/instagram/IGUser.h"
#include "hosts/instagram/IGUserDetailViewController.h"
#include "hosts/instagram/IGVideo.h"

namespace hosts::instagram {

void registerInstagramClasses()
{
    IGMainAppViewController::staticClass();
    IGTabBarController::staticClass();
    // The feed and its display.
    registerAttributedStringAdditions();
    IGFeedItem::staticClass();
    IGCaption::staticClass();
    IGPhoto::staticClass();
    IGFeedPhotoView::staticClass();
    IGRemoteImageView::staticClass();
    IGFeedItemPhotoCell::staticClass();
    IGFeedItemVideoView::staticClass();
    IGFeedItemVideoCell::staticClass();
    IGFeedItemActionCell::staticClass();
    IGUser::staticClass();
    IGStyledString::staticClass();
    IGCoreTextView::staticClass();
    IGFeedItemTextCell::staticClass();
    IGFeedItemHeader::staticClass();
    IGTimeStampHeaderView::staticClass();
    IGMainFeedViewController::staticClass();
    IGUserDetailViewController::staticClass();
    IGSingleFeedViewController::staticClass();
    IGDirectThreadStore::staticClass();
    IGAuthHelper::staticClass();
    // Media: a post's video and the feedback of saves.
    IGVideo::staticClass();
    IGAlertBar::staticClass();
    IGAlertHUD::staticClass();
    // Sharing: the share screen and the application delegate that opens it.
    IGShareCaptionCell::staticClass();
    IGShareViewController::staticClass();
    AppDelegate::staticClass();
}

} // namespace hosts::instagram
