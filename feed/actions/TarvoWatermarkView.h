#pragma once
// The repost watermark's tab: a white tab along one edge of a picture that
// reads, from its left end, 5 points, the repost icon, 5 points, the poster's
// circular profile picture, 5 points, the poster's user name. Its geometry
// follows the picture it goes onto (the reference size) relative to the main
// screen: the tab is 44 points tall on a picture as tall as the screen, and
// the name's font 12 points on one as wide. The free end of the white shape is
// rounded at the corner the position chooses (1, 2: top right; 3, 4: bottom
// right; any other: all four). Main thread: it reads the profile picture
// synchronously while it is made.

#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIView.h"

namespace igtarvo {

using objc::id;
using objc::Ref;
using objc::RefPtr;
using platform::CGRect;
using platform::CGSize;

class TarvoWatermarkView : public platform::UIView {
    OBJC_CLASS(TarvoWatermarkView, platform::UIView)
public:
    TarvoWatermarkView() = default;
    static void registerMethods(objc::ClassBuilder<TarvoWatermarkView>&);

    // initWithRepostImage:user:referenceSize:position: — icon, poster (answers
    // `username` and `profilePicURL`), the picture's size in points and the
    // watermark position (0-4) → a view of frame (0, 0, width, 44 · height /
    // screen height), laid out. Sent through the runtime by make().
    RefPtr<TarvoWatermarkView> initWithRepostImage(platform::UIImage* icon, id user, CGSize referenceSize, long position);
    // A new tab view (alloc + initWithRepostImage:user:referenceSize:position:).
    static RefPtr<TarvoWatermarkView> make(platform::UIImage* icon, id user, CGSize referenceSize, long position);

    // Fills the white tab: from the left edge to the user name's right edge.
    void drawRect(CGRect rect);

    RefPtr<platform::UIImageView> repostImageView() const;
    void setRepostImageView(platform::UIImageView* view);
    RefPtr<platform::UIImageView> profilePicImageView() const;
    void setProfilePicImageView(platform::UIImageView* view);
    RefPtr<platform::UILabel> repostUsernameLabel() const;
    void setRepostUsernameLabel(platform::UILabel* label);
    long watermarkPosition() const { return m_watermarkPosition; }
    void setWatermarkPosition(long position) { m_watermarkPosition = position; }

private:
    RefPtr<objc::Object> m_repostImageView;
    RefPtr<objc::Object> m_profilePicImageView;
    RefPtr<objc::Object> m_repostUsernameLabel;
    long m_watermarkPosition { 0 };
};

} // namespace igtarvo
