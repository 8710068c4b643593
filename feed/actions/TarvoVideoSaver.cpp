#include "feed/actions/TarvoVideoSaver.h"

#include "core/InstagramSurface.h"
#include "feed/actions/TarvoDownloader.h"
#include "feed/actions/WatermarkedVideoExport.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/NSPathUtilities.h"
#include "platform/media/AVAssetExportSession.h"
#include "platform/photos/SavedPhotosAlbum.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIScreen.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <numbers>
#include <unistd.h>

namespace igtarvo {

using namespace platform;

OBJC_CLASS_LOAD(TarvoVideoSaver)

namespace {

const char* const kSavedSelector = "tarvo_video:didFinishSavingWithError:contextInfo:";

std::string documentsDirectory()
{
    auto paths = NSSearchPathForDirectoriesInDomains(NSDocumentDirectory, NSUserDomainMask, true);
    return str(paths->firstObject().get());
}

// A file name taken from an address: its last path component, never one that
// would leave the folder or name nothing.
std::string downloadedFileName(NSURL* url)
{
    std::string name = lastPathComponent(str(url->path().get()));
    if (name.empty() || name == "/" || name == "." || name == ".." || name == TarvoVideoSaver::kWatermarkedFileName)
        name = "video.mp4";
    return name;
}

// Writes the data to path through a temporary file and a rename.
bool writeAtomically(const std::string& path, NSData* data)
{
    std::string temporary = path + ".tmp-" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data->bytes().data()), std::streamsize(data->length()));
        out.flush();
        if (!out) {
            out.close();
            ::unlink(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

void removeFile(const std::string& path)
{
    if (!path.empty())
        ::unlink(path.c_str()); // nothing there is fine
}

} // namespace

TarvoVideoSaver::TarvoVideoSaver()
{
    setFrame(UIScreen::mainScreen()->bounds());
    setBackgroundColor(UIColor::clearColor().get());
    setUserInteractionEnabled(false);
}

RefPtr<TarvoVideoSaver> TarvoVideoSaver::sharedVideoSaver()
{
    static std::once_flag once;
    static TarvoVideoSaver* shared = nullptr;
    std::call_once(once, [] { shared = objc::make<TarvoVideoSaver>().leak(); });
    return RefPtr<TarvoVideoSaver>(shared);
}

RefPtr<NSString> TarvoVideoSaver::lastVideoPath() const
{
    return m_lastVideoPath.empty() ? nullptr : RefPtr<NSString>(ns(m_lastVideoPath));
}

void TarvoVideoSaver::saveVideoWithCompletionHandler(id video, Completion completion)
{
    sharedVideoSaver()->start({ RefPtr<Object>(video), false, nullptr, 0, std::move(completion) });
}

void TarvoVideoSaver::saveVideoByAddingWatermark(id video, id poster, long position, Completion completion)
{
    sharedVideoSaver()->start({ RefPtr<Object>(video), true, RefPtr<Object>(poster), position, std::move(completion) });
}

void TarvoVideoSaver::start(Job job)
{
    // The slots below hold one save: a second one waits instead of mixing in.
    if (m_busy) {
        m_pending.push_back(std::move(job));
        return;
    }
    m_busy = true;
    m_callerCompletion = job.completion;
    m_shouldAddWatermark = job.watermark;
    if (job.watermark) {
        Ref<TarvoVideoSaver> self(*this);
        auto poster = job.poster;
        long position = job.position;
        m_completionHandler = [self, poster, position] { self->exportWatermarked(poster, position); };
    } else {
        m_completionHandler = job.completion;
    }
    objc::send<void(id)>(this, "saveVideo:", job.video.get());
}

void TarvoVideoSaver::saveVideo(id video)
{
    auto address = instagram::videoURL(video);
    if (!objc::object_isKindOfClass(address.get(), NSURL::staticClass())) {
        fail();
        return;
    }
    RefPtr<NSURL> url(static_cast<NSURL*>(address.get()));
    instagram::showAlertBar("Saving...", 1);
    instagram::setAlertBarHidesAutomatically(false);
    Ref<TarvoVideoSaver> self(*this);
    TarvoDownloader::downloadVideoAtURL(url.get(),
        [](double percent) {
            char text[64];
            std::snprintf(text, sizeof text, "Saving... %.2f%%", percent);
            instagram::setAlertBarText(text);
        },
        [self, url](NSData* data) { self->downloaded(url.get(), data); });
}

void TarvoVideoSaver::downloaded(NSURL* url, NSData* data)
{
    if (!data) {
        fail();
        return;
    }
    std::string folder = documentsDirectory();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    m_lastVideoPath = folder + "/" + downloadedFileName(url);
    if (!writeAtomically(m_lastVideoPath, data)) {
        fail();
        return;
    }
    if (m_shouldAddWatermark) {
        auto exportBlock = std::move(m_completionHandler);
        m_completionHandler = nullptr;
        if (exportBlock)
            exportBlock();
        return;
    }
    UISaveVideoAtPathToSavedPhotosAlbum(ns(m_lastVideoPath).get(), this, objc::sel_registerName(kSavedSelector), nullptr);
}

void TarvoVideoSaver::exportWatermarked(RefPtr<Object> poster, long position)
{
    m_shouldAddWatermark = false;
    dispatch_async(dispatch_get_main_queue(), [] { instagram::setAlertBarText("Adding Watermark..."); });

    std::string output = documentsDirectory() + "/" + kWatermarkedFileName;
    // What an interrupted save left there would make the export fail.
    removeFile(output);
    auto session = watermarkedExportSession(m_lastVideoPath, poster.get(), position, output);
    if (!session) {
        fail();
        return;
    }
    Ref<TarvoVideoSaver> self(*this);
    session->exportAsynchronouslyWithCompletionHandler([self, session, output] {
        bool ok = session->status() == AVAssetExportSessionStatus::Completed;
        // The saver's slots belong to the main thread: the rest happens there.
        dispatch_async(dispatch_get_main_queue(), [self, output, ok] { self->exported(output, ok); });
    });
}

void TarvoVideoSaver::exported(std::string output, bool ok)
{
    removeFile(m_lastVideoPath);
    if (!ok) {
        removeFile(output);
        fail();
        return;
    }
    m_lastVideoPath = output;
    m_completionHandler = m_callerCompletion;
    UISaveVideoAtPathToSavedPhotosAlbum(ns(output).get(), this, objc::sel_registerName(kSavedSelector), nullptr);
}

void TarvoVideoSaver::videoDidFinishSaving(NSString* path, NSError* error, void*)
{
    if (!m_shouldAddWatermark) {
        if (error) {
            instagram::showAlertBar(kFailureText, 2);
            instagram::setAlertBarHidesAutomatically(true);
        } else {
            instagram::hideAlertBar();
            instagram::showHUD("Saved Video!", superview().get());
        }
        removeFile(path ? path->str() : std::string());
    }
    if (m_completionHandler) {
        auto completion = std::move(m_completionHandler);
        m_completionHandler = nullptr;
        m_callerCompletion = nullptr;
        completion();
    }
    finish();
}

void TarvoVideoSaver::removeFiles()
{
    removeFile(m_lastVideoPath);
    removeFile(documentsDirectory() + "/" + kWatermarkedFileName);
}

void TarvoVideoSaver::fail()
{
    instagram::showAlertBar(kFailureText, 2);
    instagram::setAlertBarHidesAutomatically(true);
    removeFiles();
    m_shouldAddWatermark = false;
    m_completionHandler = nullptr;
    auto completion = std::move(m_callerCompletion);
    m_callerCompletion = nullptr;
    if (completion)
        completion();
    finish();
}

void TarvoVideoSaver::finish()
{
    m_busy = false;
    m_lastVideoPath.clear();
    if (m_pending.empty())
        return;
    Job next = std::move(m_pending.front());
    m_pending.pop_front();
    Ref<TarvoVideoSaver> self(*this);
    dispatch_async(dispatch_get_main_queue(), [self, next = std::move(next)]() mutable { self->start(std::move(next)); });
}

namespace {
void saveVideoWithCompletionHandlerMethod(id video, std::function<void()> completion)
{
    TarvoVideoSaver::saveVideoWithCompletionHandler(video, std::move(completion));
}
void saveVideoByAddingWatermarkMethod(id video, id poster, long position, std::function<void()> completion)
{
    TarvoVideoSaver::saveVideoByAddingWatermark(video, poster, position, std::move(completion));
}
}

void TarvoVideoSaver::registerMethods(objc::ClassBuilder<TarvoVideoSaver>& b)
{
    b.classMethod<&TarvoVideoSaver::sharedVideoSaver>("sharedVideoSaver")
        .classMethod<&saveVideoWithCompletionHandlerMethod>("saveVideo:withCompletionHandler:")
        .classMethod<&saveVideoByAddingWatermarkMethod>("saveVideo:byAddingWatermarkViewForUser:atPosition:withCompletionHandler:")
        .method<&TarvoVideoSaver::saveVideo>("saveVideo:")
        .method<&TarvoVideoSaver::videoDidFinishSaving>("tarvo_video:didFinishSavingWithError:contextInfo:")
        .method<&TarvoVideoSaver::shouldAddWatermark>("shouldAddWatermark")
        .method<&TarvoVideoSaver::setShouldAddWatermark>("setShouldAddWatermark:")
        .method<&TarvoVideoSaver::lastVideoPath>("lastVideoPath");
}

} // namespace igtarvo
