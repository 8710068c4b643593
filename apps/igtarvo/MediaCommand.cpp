// igtarvo photos list [--json]
// igtarvo video save URL [--watermark-user NAME --position 1..4]
// igtarvo video watermark IN --user NAME [--profile-picture FILE_OR_URL] --position 1..4 [-o OUT.mov]
//
// The device's photo library as its database lists it, the saving of a
// video from an address into it — a real download with its progress (a bar
// on a terminal, a plain percentage per line otherwise, on standard error),
// the optional watermarked export, then the library save — and the
// watermarked export alone on a local file. Standard output carries only the
// answer: the list, the saved asset's file name, or the exported file.

#include "apps/igtarvo/Command.h"
#include "apps/igtarvo/RepostPoster.h"
#include "apps/simulator/DeviceLayout.h"
#include "feed/actions/WatermarkedVideoExport.h"
#include "platform/media/MediaEngine.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSPathUtilities.h"
#include "platform/net/NSURLSession.h"
#include "platform/photos/PhotoLibrary.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

using namespace igtarvo::cli;
using namespace platform;

namespace {

bool deviceExists(const Invocation& inv)
{
    std::error_code ec;
    return std::filesystem::is_directory(inv.root, ec);
}

int photosList(const std::vector<std::string>& args)
{
    bool json = false;
    for (auto& a : args) {
        if (a == "--json")
            json = true;
        else
            return fail("photos list: unknown argument '" + a + "'");
    }
    std::string error;
    auto assets = PhotoLibrary::assets(&error);
    if (!error.empty())
        return fail("photos list: " + error);
    if (json) {
        std::printf("[");
        for (size_t i = 0; i < assets.size(); ++i) {
            auto& a = assets[i];
            std::printf("%s{\"file\": %s, \"kind\": %s, \"width\": %d, \"height\": %d, \"duration\": %.3f}", i ? ", " : "",
                jsonString(a.fileName).c_str(), jsonString(a.kind).c_str(), a.width, a.height, a.duration);
        }
        std::printf("]\n");
        return 0;
    }
    for (auto& a : assets) {
        if (a.kind == "video")
            std::printf("%s  video  %dx%d  %.2f s\n", a.fileName.c_str(), a.width, a.height, a.duration);
        else
            std::printf("%s  photo  %dx%d\n", a.fileName.c_str(), a.width, a.height);
    }
    return 0;
}

int photosCommand(const Invocation& inv)
{
    if (inv.args.empty() || inv.args[0] != "list")
        return fail("photos: expected 'list'");
    if (!deviceExists(inv))
        return fail("photos: no device at " + inv.root + " (igtarvo device create makes one)");
    return photosList({ inv.args.begin() + 1, inv.args.end() });
}

// Shows a download's progress on standard error.
class ProgressPrinter : public NSObject {
    OBJC_CLASS(ProgressPrinter, NSObject)
public:
    static void registerMethods(objc::ClassBuilder<ProgressPrinter>& b)
    {
        b.method<&ProgressPrinter::didWriteData>("URLSession:downloadTask:didWriteData:totalBytesWritten:totalBytesExpectedToWrite:")
            .method<&ProgressPrinter::didFinish>("URLSession:downloadTask:didFinishDownloadingToURL:")
            .method<&ProgressPrinter::didComplete>("URLSession:task:didCompleteWithError:");
    }

    std::string keepAs;  // where the finished download is moved
    bool kept = false;
    bool done = false;
    std::string error;

private:
    void didWriteData(NSURLSession*, NSURLSessionDownloadTask*, int64_t, int64_t total, int64_t expected)
    {
        bool terminal = ::isatty(2);
        if (expected <= 0) {
            if (terminal)
                std::fprintf(stderr, "\rDownloading... %.1f MB", double(total) / 1e6);
            return;
        }
        double percent = double(total) / double(expected) * 100;
        if (terminal) {
            int filled = int(percent / 100 * 30);
            std::fprintf(stderr, "\r[%s%s] %6.2f%%", std::string(size_t(filled), '#').c_str(), std::string(size_t(30 - filled), ' ').c_str(), percent);
        } else if (int(percent) != m_lastWhole) {
            m_lastWhole = int(percent);
            std::fprintf(stderr, "%.2f%%\n", percent);
        }
    }
    void didFinish(NSURLSession*, NSURLSessionDownloadTask*, NSURL* location)
    {
        std::error_code ec;
        std::filesystem::rename(str(location->path().get()), keepAs, ec);
        if (ec) {
            std::filesystem::copy_file(str(location->path().get()), keepAs, ec);
        }
        kept = !ec;
        if (ec)
            error = "could not keep the download: " + ec.message();
    }
    void didComplete(NSURLSession*, NSURLSessionDownloadTask*, NSError* e)
    {
        if (::isatty(2))
            std::fprintf(stderr, "\n");
        if (e)
            error = e->text();
        done = true;
    }
    int m_lastWhole = -1;
};
OBJC_CLASS_DEFINE(ProgressPrinter)

// A folder of our own for the download, removed on every way out.
struct ScratchFolder {
    ScratchFolder()
    {
        char pattern[] = "/tmp/igtarvo-video-XXXXXX";
        if (::mkdtemp(pattern))
            path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        if (!path.empty())
            std::filesystem::remove_all(path, ec);
    }
    std::string path;
};

bool parsePosition(const std::string& text, long& out)
{
    if (text.size() != 1 || text[0] < '1' || text[0] > '4')
        return false;
    out = text[0] - '0';
    return true;
}

const char* const kPositionHelp = "takes 1 (bottom), 2 (left), 3 (top) or 4 (right)";

// Runs the watermarked export of `input` into `output` and waits for it;
// empty on success, else the reason. Nothing is left at `output` on failure.
std::string exportWatermarked(const std::string& input, id poster, long position, const std::string& output)
{
    auto session = igtarvo::watermarkedExportSession(input, poster, position, output);
    if (!session)
        return input + " is not a video";
    auto done = DispatchSemaphore::create(0);
    session->exportAsynchronouslyWithCompletionHandler([done] { done->signal(); });
    done->wait(std::chrono::hours(24));
    if (session->status() != AVAssetExportSessionStatus::Completed) {
        std::error_code ec;
        std::filesystem::remove(output, ec);
        return session->error() ? session->error()->text() : std::string("the export failed");
    }
    return {};
}

int videoWatermark(const Invocation& inv)
{
    std::string input, user, profilePicture, output;
    long position = 0;
    const auto& a = inv.args;
    for (size_t i = 1; i < a.size(); ++i) {
        bool hasValue = i + 1 < a.size();
        if (a[i] == "--user") {
            if (!hasValue) return fail("video watermark: --user needs a name");
            user = a[++i];
        } else if (a[i] == "--profile-picture") {
            if (!hasValue) return fail("video watermark: --profile-picture needs a file or an address");
            profilePicture = a[++i];
        } else if (a[i] == "--position") {
            if (!hasValue || !parsePosition(a[++i], position))
                return fail(std::string("video watermark: --position ") + kPositionHelp);
        } else if (a[i] == "-o" || a[i] == "--output") {
            if (!hasValue) return fail("video watermark: -o needs a file name");
            output = a[++i];
        } else if (!a[i].empty() && a[i][0] == '-') {
            return fail("video watermark: unknown option '" + a[i] + "'");
        } else if (input.empty()) {
            input = a[i];
        } else {
            return fail("video watermark: one video at a time ('" + a[i] + "' is extra)");
        }
    }
    if (input.empty())
        return fail("video watermark needs a video: video watermark IN --user NAME --position 1..4 [-o OUT.mov]");
    if (user.empty())
        return fail("video watermark needs the poster's name (--user NAME)");
    if (!position)
        return fail("video watermark needs a position (--position 1..4)");
    std::error_code ec;
    if (!std::filesystem::is_regular_file(input, ec))
        return fail("video watermark: cannot read " + input);
    std::string probeError;
    auto info = media::probe(input, &probeError);
    if (!info || !info->hasVideo)
        return fail("video watermark: " + input + " is not a video" + (probeError.empty() ? "" : " (" + probeError + ")"));
    if (!profilePicture.empty() && !looksLikeURL(profilePicture) && !std::filesystem::is_regular_file(profilePicture, ec))
        return fail("video watermark: cannot read the profile picture " + profilePicture);
    if (output.empty()) {
        std::filesystem::path p(input);
        output = (p.parent_path() / (p.stem().string() + "-repost.mov")).string();
    }
    if (std::filesystem::equivalent(input, output, ec))
        return fail("video watermark: the output would replace the input");

    // The tab's icon is one of the device's pictures.
    if (!igtarvo::simulator::deviceExists(inv.root)) {
        auto made = igtarvo::simulator::createDevice(inv.root);
        if (!made.ok)
            return fail("video watermark: " + made.error);
    }
    RepostPoster poster;
    std::string error;
    if (!poster.make(user, profilePicture, error))
        return fail("video watermark: " + error);

    // Exported next to the output and moved over it once whole. The media
    // framework takes file URLs, which name whole paths.
    std::filesystem::path out = std::filesystem::absolute(output, ec);
    std::string partial = (out.parent_path() / ("." + out.filename().string() + "." + std::to_string(::getpid()) + ".mov")).string();
    std::filesystem::remove(partial, ec);
    error = exportWatermarked(std::filesystem::absolute(input, ec).string(), poster.object(), position, partial);
    if (!error.empty())
        return fail("video watermark: " + error);
    std::filesystem::rename(partial, out, ec);
    if (ec) {
        std::filesystem::remove(partial, ec);
        return fail("video watermark: cannot write " + output);
    }
    auto written = media::probe(output);
    if (!written)
        return fail("video watermark: the export cannot be read back");
    std::printf("%s %.2f s %dx%d\n", output.c_str(), written->duration, written->width, written->height);
    return 0;
}

int videoSave(const Invocation& inv)
{
    std::string address, watermarkUser;
    long position = 0;
    const auto& a = inv.args;
    for (size_t i = 1; i < a.size(); ++i) {
        bool hasValue = i + 1 < a.size();
        if (a[i] == "--watermark-user") {
            if (!hasValue) return fail("video save: --watermark-user needs a name");
            watermarkUser = a[++i];
        } else if (a[i] == "--position") {
            if (!hasValue || !parsePosition(a[++i], position))
                return fail(std::string("video save: --position ") + kPositionHelp);
        } else if (address.empty() && a[i].rfind("-", 0) != 0) {
            address = a[i];
        } else {
            return fail("video save: unknown argument '" + a[i] + "'");
        }
    }
    if (address.empty())
        return fail("video save: expected an address");
    if (!watermarkUser.empty() && !position)
        return fail("video save: a watermark needs a position (--position 1..4)");
    if (watermarkUser.empty() && position)
        return fail("video save: --position goes with --watermark-user NAME");
    auto url = NSURL::create(address);
    if (!url || !url->scheme() || (str(url->scheme().get()) != "http" && str(url->scheme().get()) != "https"))
        return fail("video save: '" + address + "' is not an http or https address");
    if (!deviceExists(inv))
        return fail("video save: no device at " + inv.root + " (igtarvo device create makes one)");

    ScratchFolder scratch;
    if (scratch.path.empty())
        return fail("video save: cannot make a temporary folder");
    std::string name = lastPathComponent(str(url->path().get()));
    if (name.empty() || name == "/")
        name = "video.mov";

    auto printer = objc::make<ProgressPrinter>();
    printer->keepAs = scratch.path + "/" + name;
    auto session = NSURLSession::sessionWithConfiguration(NSURLSessionConfiguration::defaultSessionConfiguration().get(), printer.get(), NSOperationQueue::mainQueue().get());
    auto request = NSURLRequest::requestWithURL(url.get(), NSURLRequestCachePolicy::ReloadIgnoringLocalCacheData, 60);
    session->downloadTaskWithRequest(request.get())->resume();
    RunLoop::runUntil([&] { return printer->done; }, std::chrono::hours(24));
    session->finishTasksAndInvalidate();
    if (!printer->error.empty())
        return fail("video save: " + printer->error);
    if (!printer->kept)
        return fail("video save: the download did not arrive");

    std::string error;
    std::string saved = printer->keepAs;
    if (!watermarkUser.empty()) {
        RepostPoster poster;
        if (!poster.make(watermarkUser, "", error))
            return fail("video save: " + error);
        std::fprintf(stderr, "Adding Watermark...\n");
        saved = scratch.path + "/igtarvowatermarkedvideo.mov";
        error = exportWatermarked(printer->keepAs, poster.object(), position, saved);
        if (!error.empty())
            return fail("video save: " + error);
    }
    auto asset = PhotoLibrary::saveVideo(saved, &error);
    if (!asset)
        return fail("video save: " + error);
    std::printf("%s\n", asset->fileName.c_str());
    return 0;
}

int videoCommand(const Invocation& inv)
{
    if (!inv.args.empty() && inv.args[0] == "save")
        return videoSave(inv);
    if (!inv.args.empty() && inv.args[0] == "watermark")
        return videoWatermark(inv);
    return fail("video: expected 'save' or 'watermark'");
}

} // namespace

IGTARVO_COMMAND("photos",
    "  photos list [--json]              the device's photo library, from its database; --json gives\n"
    "                                    [{\"file\", \"kind\" (photo or video), \"width\", \"height\", \"duration\"}]",
    photosCommand);

IGTARVO_COMMAND("video",
    "  video save URL [--watermark-user NAME --position 1..4]\n"
    "                                    download a video (progress on standard error), optionally burn in\n"
    "                                    the repost watermark, and save it into the device's photo library;\n"
    "                                    prints the saved file's name\n"
    "  video watermark IN --user NAME [--profile-picture FILE_OR_URL] --position 1..4 [-o OUT.mov]\n"
    "                                    the repost watermark burnt into a video; prints the output\n"
    "                                    (default IN-repost.mov), its duration and its size",
    videoCommand);
