#pragma once
// Test movies made with the ffmpeg command line, and reading back what an
// exported movie holds with ffprobe and ffmpeg: independent of the code under test.

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

inline std::string run(const std::string& command)
{
    std::string output;
    if (FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
            output.append(buf, n);
        ::pclose(pipe);
    }
    return output;
}

// A clip of a test pattern, or of one colour (with a 440 Hz tone unless
// `withSound` is false).
inline bool makeClip(const std::string& path, int width = 640, int height = 360, double seconds = 3, bool withSound = true, const std::string& colour = "")
{
    char command[1024];
    std::string source = colour.empty() ? "testsrc=" : "color=c=" + colour + ":";
    std::snprintf(command, sizeof command,
        "ffmpeg -nostdin -loglevel error -y -f lavfi -i %ssize=%dx%d:rate=30:duration=%g %s -c:v libx264 -preset ultrafast -pix_fmt yuv420p %s -shortest '%s'",
        source.c_str(), width, height, seconds,
        withSound ? ("-f lavfi -i sine=frequency=440:sample_rate=44100:duration=" + std::to_string(seconds)).c_str() : "",
        withSound ? "-c:a aac" : "", path.c_str());
    return std::system(command) == 0;
}

// A plain-coloured PNG picture.
inline bool makePicture(const std::string& path, int width, int height, const std::string& colour = "white")
{
    char command[512];
    std::snprintf(command, sizeof command, "ffmpeg -nostdin -loglevel error -y -f lavfi -i color=c=%s:s=%dx%d -frames:v 1 '%s'", colour.c_str(), width, height, path.c_str());
    return std::system(command) == 0;
}

// One entry of ffprobe's report on a stream ("codec_name", "width", …), or "".
inline std::string probeStream(const std::string& path, const std::string& selector, const std::string& entry)
{
    std::string out = run("ffprobe -v error -select_streams " + selector + " -show_entries stream=" + entry + " -of csv=p=0 '" + path + "'");
    while (!out.empty() && (out.back() == '\n' || out.back() == ','))
        out.pop_back();
    return out;
}

inline double probeDuration(const std::string& path)
{
    std::string out = run("ffprobe -v error -show_entries format=duration -of csv=p=0 '" + path + "'");
    return out.empty() ? -1 : std::atof(out.c_str());
}

// The frame at `seconds` as RGB rows.
struct RGBFrame {
    int width = 0;
    int height = 0;
    std::string pixels;
    // The pixel's red, green and blue.
    std::vector<int> at(int x, int y) const
    {
        size_t i = (size_t(y) * size_t(width) + size_t(x)) * 3;
        return { (unsigned char)pixels[i], (unsigned char)pixels[i + 1], (unsigned char)pixels[i + 2] };
    }
    bool isWhite(int x, int y) const
    {
        auto p = at(x, y);
        return p[0] > 235 && p[1] > 235 && p[2] > 235;
    }
};

inline RGBFrame frameAt(const std::string& path, double seconds, int width, int height)
{
    RGBFrame frame;
    frame.width = width;
    frame.height = height;
    frame.pixels = run("ffmpeg -nostdin -loglevel error -ss " + std::to_string(seconds) + " -i '" + path + "' -frames:v 1 -f rawvideo -pix_fmt rgb24 -");
    return frame;
}

} // namespace testsupport
