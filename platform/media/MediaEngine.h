#pragma once
// The media engine under the media framework's classes: reading what a movie
// file holds, and re-encoding one with pictures composited over its frames.
// It stands on FFmpeg, whose headers stay inside MediaEngine.cpp.
//
// Every function may run on any thread; none keeps state between calls.
// Failures are values: an empty optional or a result with its error text.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform::media {

// What a movie file holds.
struct MediaInfo {
    bool hasVideo = false;
    bool hasAudio = false;
    int width = 0;            // the video's stored pixel size
    int height = 0;
    double duration = 0;      // seconds, the longest track
    double videoDuration = 0; // seconds
    double audioDuration = 0;
    double frameRate = 0;
    // The display rotation in degrees (0, 90, 180, 270) the file asks for.
    int rotation = 0;
    std::string videoCodec;   // "h264", …
    std::string audioCodec;   // "aac", …
    std::string container;    // the demuxer's names ("mov,mp4,m4a,3gp,3g2,mj2", …)
};

// What the file at `path` holds; nullopt (with the reason in `error`) when it
// is not a movie or picture file the engine can read.
std::optional<MediaInfo> probe(const std::string& path, std::string* error = nullptr);

// Whether the file is a video whose first picture decodes.
bool isPlayableVideo(const std::string& path, std::string* error = nullptr);

// A picture laid over every frame: straight (not premultiplied) RGBA rows,
// its top-left corner at (x, y) in the output's pixels, top-left origin.
struct Overlay {
    int x = 0;
    int y = 0;
    int width = 0;          // the picture's pixels
    int height = 0;
    std::vector<uint8_t> rgba;
    int shownWidth = 0;     // the size it covers in the output (0: its own)
    int shownHeight = 0;
};

// A picture file's pixels as straight RGBA rows; nullopt when it is not a
// picture the engine reads.
std::optional<Overlay> readPicture(const std::string& path, std::string* error = nullptr);

struct ExportSettings {
    std::string input;
    std::string output;            // refused when something is already there
    double start = 0;              // the range of the source taken, seconds
    double duration = -1;          // < 0: to the end
    bool includeVideo = true;
    bool includeAudio = true;      // a source without sound exports its picture alone
    int renderWidth = 0;           // 0: the source's size
    int renderHeight = 0;
    int frameRateNumerator = 30;   // the output frame rate (frames per second)
    int frameRateDenominator = 1;
    std::vector<Overlay> overlays;
    // The encoder: libx264 with this preset and quality, AAC audio.
    std::string x264Preset = "medium";
    int crf = 23;
    int audioBitRate = 128000;
    // QuickTime ("mov") output; moov first when optimised for the network.
    bool optimizeForNetworkUse = true;
    // Called now and then with the fraction done (0 to 1), on the exporting thread.
    std::function<void(double)> progress;
    // Answers true to stop the export (the output is then removed).
    std::function<bool()> cancelled;
};

struct ExportResult {
    bool ok = false;
    bool cancelled = false;
    std::string error;
};

// Re-encodes `settings.input` into `settings.output`. On failure nothing is
// left at the output path.
ExportResult exportMovie(const ExportSettings& settings);

// Re-encodes a still picture file (PNG, JPEG, …) as a JPEG file; answers the
// picture's pixel size, or nullopt with the reason.
struct PictureSize { int width = 0; int height = 0; };
std::optional<PictureSize> convertPictureToJPEG(const std::string& input, const std::string& output, std::string* error = nullptr);

} // namespace platform::media
