// igtarvo photos list [--json]
// igtarvo video save URL
//
// The device's photo library as its database lists it, and the saving of a
// video from an address into it: a real download with its progress (a bar on
// a terminal, a plain percentage per line otherwise, on standard error), then
// the library save. Standard output carries only the answer: the list, or the
// saved asset's file name.

#include "apps/igtarvo/Command.h"
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

int videoSave(const Invocation& inv)
{
    std::string address;
    for (size_t i = 1; i < inv.args.size(); ++i) {
        if (address.empty() && inv.args[i].rfind("--", 0) != 0)
            address = inv.args[i];
        else
            return fail("video save: unknown argument '" + inv.args[i] + "'");
    }
    if (address.empty())
        return fail("video save: expected an address");
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
    auto asset = PhotoLibrary::saveVideo(printer->keepAs, &error);
    if (!asset)
        return fail("video save: " + error);
    std::printf("%s\n", asset->fileName.c_str());
    return 0;
}

int videoCommand(const Invocation& inv)
{
    if (!inv.args.empty() && inv.args[0] == "save")
        return videoSave(inv);
    return fail("video: expected 'save'");
}

} // namespace

IGTARVO_COMMAND("photos",
    "  photos list [--json]              the device's photo library, from its database; --json gives\n"
    "                                    [{\"file\", \"kind\" (photo or video), \"width\", \"height\", \"duration\"}]",
    photosCommand);

IGTARVO_COMMAND("video",
    "  video save URL                    download a video (progress on standard error) and save it into\n"
    "                                    the device's photo library; prints the saved file's name",
    videoCommand);
