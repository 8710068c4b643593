#include "apps/simulator/SampleFeed.h"

#include <cstdio>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace igtarvo::simulator {

namespace {

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        default:
            if (c < 0x20) {
                char esc[8];
                std::snprintf(esc, sizeof esc, "\\u%04x", c);
                out += esc;
            } else {
                out += char(c);
            }
        }
    }
    return out + "\"";
}

struct Poster {
    const char* pk;
    const char* username;
};

std::string user(const Poster& p)
{
    return std::string("{\"pk\": ") + quoted(p.pk) + ", \"username\": " + quoted(p.username)
        + ", \"profile_pic_url\": " + quoted(std::string("/profiles/") + p.username + ".jpg") + "}";
}

struct Post {
    const char* id;
    Poster poster;
    int mediaType;
    const char* caption; // nullptr: none
    const char* picture;  // media name without extension
    int width, height;
    double hoursAgo;
    long likes;
    bool hasAudio = false;
    bool sponsored = false;
};

std::string item(const Post& p, double now)
{
    std::string json = std::string("    {\"id\": ") + quoted(p.id) + ", \"media_type\": " + std::to_string(p.mediaType)
        + ", \"taken_at\": " + std::to_string(long(now - p.hoursAgo * 3600)) + ", \"like_count\": " + std::to_string(p.likes)
        + ",\n     \"user\": " + user(p.poster) + ",\n     \"caption\": "
        + (p.caption ? "{\"text\": " + quoted(p.caption) + "}" : std::string("null")) + ",\n     \"image_versions\": [";
    std::string media = std::string("/media/") + p.picture;
    if (p.mediaType == 1) {
        json += "{\"url\": " + quoted(media + "_small.jpg") + ", \"width\": " + std::to_string(p.width / 2) + ", \"height\": " + std::to_string(p.height / 2) + "}, ";
    }
    json += "{\"url\": " + quoted(media + ".jpg") + ", \"width\": " + std::to_string(p.width) + ", \"height\": " + std::to_string(p.height) + "}]";
    if (p.mediaType == 2) {
        json += ",\n     \"video_versions\": [{\"type\": 1, \"url\": " + quoted(media + ".mp4") + "}], \"has_audio\": "
            + (p.hasAudio ? "true" : "false");
    }
    if (p.sponsored)
        json += ",\n     \"sponsored\": {\"advertiser\": " + quoted(p.poster.username) + "}";
    return json + "}";
}

} // namespace

void layOutSampleFeed(const fs::path& folder, const fs::path& mediaSource, double now)
{
    const Poster me { kSampleViewerPk, kSampleViewer };
    const std::vector<Post> posts = {
        { "3101", { "2001", "lena.sails" }, 1, "Morning light over the harbour, ready to sail #sunrise", "harbour", 640, 480, 0.5, 128 },
        { "3102", me, 1, "My new desk, finally tidy", "desk", 640, 640, 2, 42 },
        { "3103", { "2002", "kai_rides" }, 2, "Downhill run with the new wheels", "downhill", 480, 480, 5, 311, true },
        { "3104", { "2003", "mira.makes" }, 2, "Timelapse of the workshop, no sound", "timelapse", 480, 360, 9, 77, false },
        { "3105", { "2004", "brewco" }, 1, "Try our new morning roast", "roast", 640, 640, 12, 1024, false, true },
        { "3106", { "2005", "oskar.north" }, 1, nullptr, "mountains", 640, 800, 26, 9 },
    };
    fs::create_directories(folder / "media");
    fs::create_directories(folder / "profiles");
    std::string json = "{\"viewer\": " + user(me) + ",\n \"items\": [\n";
    for (size_t i = 0; i < posts.size(); ++i) {
        json += item(posts[i], now) + (i + 1 < posts.size() ? ",\n" : "\n");
        const Post& p = posts[i];
        std::vector<std::string> names = { std::string(p.picture) + ".jpg" };
        if (p.mediaType == 1)
            names.push_back(std::string(p.picture) + "_small.jpg");
        else
            names.push_back(std::string(p.picture) + ".mp4");
        for (const std::string& name : names)
            fs::copy_file(mediaSource / "media" / name, folder / "media" / name, fs::copy_options::overwrite_existing);
        std::string profile = std::string(p.poster.username) + ".jpg";
        fs::copy_file(mediaSource / "profiles" / profile, folder / "profiles" / profile, fs::copy_options::overwrite_existing);
    }
    json += " ]}\n";
    std::ofstream out(folder / "feed.json", std::ios::binary | std::ios::trunc);
    out << json;
    if (!out)
        throw fs::filesystem_error("could not write the sample feed", folder / "feed.json", std::make_error_code(std::errc::io_error));
}

} // namespace igtarvo::simulator
