#pragma once
// Saves a post's video to the photo library, plain or with the repost
// watermark burnt into the picture: download (progress in Instagram's alert
// bar), the file in Documents, the optional watermarked export, the library
// save, "Saved Video!" in the saver's superview, the files removed.
//
// One instance per process: a view callers put into the cell they act for;
// it draws nothing. Main thread.
//
// One save at a time: a save asked for while another runs waits for it and
// starts when it ends. Every save ends by calling its caller's completion
// exactly once — after a failed download, a file that cannot be written, a
// video that cannot be opened, a failed export or a failed library save too
// (the bar then shows an error that hides by itself, and no file of the save
// is left in Documents).

#include "platform/foundation/NSError.h"
#include "platform/foundation/NSURL.h"
#include "platform/uikit/UIView.h"

#include <deque>
#include <functional>

namespace igtarvo {

using objc::id;
using objc::Ref;
using objc::RefPtr;
using platform::NSData;
using platform::NSError;
using platform::NSString;
using platform::NSURL;
using platform::UIView;

class TarvoVideoSaver : public UIView {
    OBJC_CLASS(TarvoVideoSaver, UIView)
public:
    using Completion = std::function<void()>;

    TarvoVideoSaver();
    static void registerMethods(objc::ClassBuilder<TarvoVideoSaver>&);

    static RefPtr<TarvoVideoSaver> sharedVideoSaver();
    static void saveVideoWithCompletionHandler(id video, Completion completion);
    static void saveVideoByAddingWatermark(id video, id poster, long position, Completion completion);

    // Starts download and save for the video object.
    void saveVideo(id video);
    // The photo library's completion.
    void videoDidFinishSaving(NSString* path, NSError* error, void* contextInfo);

    const Completion& completionHandler() const { return m_completionHandler; }
    void setCompletionHandler(Completion c) { m_completionHandler = std::move(c); }
    bool shouldAddWatermark() const { return m_shouldAddWatermark; }
    void setShouldAddWatermark(bool on) { m_shouldAddWatermark = on; }
    RefPtr<NSString> lastVideoPath() const;
    // Whether a save runs now, and how many wait behind it.
    bool isSaving() const { return m_busy; }
    size_t pendingSaves() const { return m_pending.size(); }

    // The text the bar shows when a save fails.
    static constexpr const char* kFailureText = "Could Not Save Video";
    // The watermarked export's file in Documents.
    static constexpr const char* kWatermarkedFileName = "igtarvowatermarkedvideo.mov";

private:
    struct Job {
        RefPtr<Object> video;
        bool watermark = false;
        RefPtr<Object> poster;
        long position = 0;
        Completion completion;
    };
    void start(Job job);
    void downloaded(NSURL* url, NSData* data);
    void exportWatermarked(RefPtr<Object> poster, long position);
    void exported(std::string output, bool ok);
    // Ends the current save with the error text in the bar, no files left,
    // and the caller's completion.
    void fail();
    // Ends the current save and starts the next one waiting.
    void finish();
    void removeFiles();

    Completion m_completionHandler;
    bool m_shouldAddWatermark { false };
    std::string m_lastVideoPath;
    bool m_busy { false };
    Completion m_callerCompletion;
    std::deque<Job> m_pending;
};

} // namespace igtarvo
