// The one translation unit that includes FFmpeg's headers.

#include "platform/media/MediaEngine.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace platform::media {

namespace {

struct InputDeleter { void operator()(AVFormatContext* f) const { avformat_close_input(&f); } };
struct OutputDeleter {
    void operator()(AVFormatContext* f) const
    {
        if (f->pb && !(f->oformat->flags & AVFMT_NOFILE))
            avio_closep(&f->pb);
        avformat_free_context(f);
    }
};
struct CodecDeleter { void operator()(AVCodecContext* c) const { avcodec_free_context(&c); } };
struct GraphDeleter { void operator()(AVFilterGraph* g) const { avfilter_graph_free(&g); } };
struct FrameDeleter { void operator()(AVFrame* f) const { av_frame_free(&f); } };
struct PacketDeleter { void operator()(AVPacket* p) const { av_packet_free(&p); } };
struct ScaleDeleter { void operator()(SwsContext* s) const { sws_freeContext(s); } };
struct FilterInOutDeleter { void operator()(AVFilterInOut* io) const { avfilter_inout_free(&io); } };

using Input = std::unique_ptr<AVFormatContext, InputDeleter>;
using Output = std::unique_ptr<AVFormatContext, OutputDeleter>;
using Codec = std::unique_ptr<AVCodecContext, CodecDeleter>;
using Graph = std::unique_ptr<AVFilterGraph, GraphDeleter>;
using Frame = std::unique_ptr<AVFrame, FrameDeleter>;
using Packet = std::unique_ptr<AVPacket, PacketDeleter>;

std::string errorText(int code)
{
    char buf[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, buf, sizeof buf);
    return buf;
}

void setError(std::string* error, const std::string& text)
{
    if (error)
        *error = text;
}

void quietLogsOnce()
{
    // Failures come back as values with their reason; the library's own
    // messages would only add lines to a program's error output.
    static const bool done = [] { av_log_set_level(AV_LOG_QUIET); return true; }();
    (void)done;
}

Input openInput(const std::string& path, std::string* error)
{
    quietLogsOnce();
    AVFormatContext* raw = nullptr;
    int rc = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (rc < 0) {
        setError(error, path + ": " + errorText(rc));
        return nullptr;
    }
    Input input(raw);
    rc = avformat_find_stream_info(raw, nullptr);
    if (rc < 0) {
        setError(error, path + ": " + errorText(rc));
        return nullptr;
    }
    return input;
}

bool isStillPictureFormat(const AVFormatContext* f)
{
    std::string name = f->iformat->name;
    return name == "image2" || (name.size() > 5 && name.compare(name.size() - 5, 5, "_pipe") == 0);
}

double streamDuration(const AVFormatContext* f, const AVStream* s)
{
    if (s->duration != AV_NOPTS_VALUE && s->duration > 0)
        return double(s->duration) * av_q2d(s->time_base);
    return f->duration != AV_NOPTS_VALUE ? double(f->duration) / AV_TIME_BASE : 0;
}

int streamRotation(const AVStream* s)
{
    const uint8_t* matrix = av_stream_get_side_data(s, AV_PKT_DATA_DISPLAYMATRIX, nullptr);
    if (!matrix)
        return 0;
    double angle = -av_display_rotation_get(reinterpret_cast<const int32_t*>(matrix));
    int degrees = int(std::lround(angle / 90.0)) * 90 % 360;
    return degrees < 0 ? degrees + 360 : degrees;
}

int videoStreamIndex(AVFormatContext* f)
{
    for (unsigned i = 0; i < f->nb_streams; ++i) {
        auto* s = f->streams[i];
        if (s->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !(s->disposition & AV_DISPOSITION_ATTACHED_PIC))
            return int(i);
    }
    return -1;
}

int audioStreamIndex(AVFormatContext* f)
{
    for (unsigned i = 0; i < f->nb_streams; ++i)
        if (f->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO)
            return int(i);
    return -1;
}

Codec openDecoder(const AVStream* stream, std::string* error)
{
    const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!decoder) {
        setError(error, std::string("no decoder for ") + avcodec_get_name(stream->codecpar->codec_id));
        return nullptr;
    }
    Codec ctx(avcodec_alloc_context3(decoder));
    avcodec_parameters_to_context(ctx.get(), stream->codecpar);
    ctx->thread_count = 0;
    ctx->pkt_timebase = stream->time_base;
    int rc = avcodec_open2(ctx.get(), decoder, nullptr);
    if (rc < 0) {
        setError(error, "cannot open the decoder: " + errorText(rc));
        return nullptr;
    }
    return ctx;
}

} // namespace

std::optional<MediaInfo> probe(const std::string& path, std::string* error)
{
    Input input = openInput(path, error);
    if (!input)
        return std::nullopt;
    MediaInfo info;
    info.container = input->iformat->name;
    int v = videoStreamIndex(input.get());
    int a = audioStreamIndex(input.get());
    if (v >= 0) {
        auto* s = input->streams[v];
        info.hasVideo = true;
        info.width = s->codecpar->width;
        info.height = s->codecpar->height;
        info.videoDuration = streamDuration(input.get(), s);
        info.frameRate = s->avg_frame_rate.den ? av_q2d(s->avg_frame_rate) : 0;
        info.rotation = streamRotation(s);
        info.videoCodec = avcodec_get_name(s->codecpar->codec_id);
    }
    if (a >= 0) {
        auto* s = input->streams[a];
        info.hasAudio = true;
        info.audioDuration = streamDuration(input.get(), s);
        info.audioCodec = avcodec_get_name(s->codecpar->codec_id);
    }
    info.duration = input->duration != AV_NOPTS_VALUE && input->duration > 0 ? double(input->duration) / AV_TIME_BASE
                                                                              : std::max(info.videoDuration, info.audioDuration);
    if (isStillPictureFormat(input.get()))
        info.duration = info.videoDuration = 0;
    return info;
}

bool isPlayableVideo(const std::string& path, std::string* error)
{
    Input input = openInput(path, error);
    if (!input)
        return false;
    int v = videoStreamIndex(input.get());
    if (v < 0 || isStillPictureFormat(input.get())) {
        setError(error, path + ": not a video");
        return false;
    }
    Codec decoder = openDecoder(input->streams[v], error);
    if (!decoder)
        return false;
    Packet packet(av_packet_alloc());
    Frame frame(av_frame_alloc());
    for (int packets = 0; packets < 1000; ++packets) {
        int rc = av_read_frame(input.get(), packet.get());
        bool end = rc < 0;
        if (!end && packet->stream_index != v) {
            av_packet_unref(packet.get());
            continue;
        }
        avcodec_send_packet(decoder.get(), end ? nullptr : packet.get());
        av_packet_unref(packet.get());
        if (avcodec_receive_frame(decoder.get(), frame.get()) == 0)
            return true;
        if (end)
            break;
    }
    setError(error, path + ": no picture of the video decodes");
    return false;
}

namespace {

// One filter graph: named buffer sources feeding a description, one sink.
struct FilterChain {
    Graph graph;
    std::vector<std::pair<std::string, AVFilterContext*>> sources;
    AVFilterContext* sink = nullptr;

    bool addSource(const char* filterName, const std::string& label, const std::string& args, std::string* error)
    {
        AVFilterContext* ctx = nullptr;
        int rc = avfilter_graph_create_filter(&ctx, avfilter_get_by_name(filterName), label.c_str(), args.c_str(), nullptr, graph.get());
        if (rc < 0) {
            setError(error, "cannot make the filter source " + label + ": " + errorText(rc));
            return false;
        }
        sources.emplace_back(label, ctx);
        return true;
    }

    bool build(const char* sinkName, const std::string& description, std::string* error)
    {
        int rc = avfilter_graph_create_filter(&sink, avfilter_get_by_name(sinkName), "out", nullptr, nullptr, graph.get());
        if (rc < 0) {
            setError(error, "cannot make the filter sink: " + errorText(rc));
            return false;
        }
        AVFilterInOut* rawInputs = nullptr;
        AVFilterInOut* rawOutputs = nullptr;
        rc = avfilter_graph_parse2(graph.get(), description.c_str(), &rawInputs, &rawOutputs);
        std::unique_ptr<AVFilterInOut, FilterInOutDeleter> inputs(rawInputs), outputs(rawOutputs);
        if (rc < 0) {
            setError(error, "bad filter description \"" + description + "\": " + errorText(rc));
            return false;
        }
        for (AVFilterInOut* in = inputs.get(); in; in = in->next) {
            AVFilterContext* source = nullptr;
            for (auto& [label, ctx] : sources)
                if (in->name && label == in->name)
                    source = ctx;
            if (!source || avfilter_link(source, 0, in->filter_ctx, unsigned(in->pad_idx)) < 0) {
                setError(error, std::string("cannot connect the filter input ") + (in->name ? in->name : "?"));
                return false;
            }
        }
        if (!outputs || outputs->next || avfilter_link(outputs->filter_ctx, unsigned(outputs->pad_idx), sink, 0) < 0) {
            setError(error, "the filter description must have exactly one output");
            return false;
        }
        rc = avfilter_graph_config(graph.get(), nullptr);
        if (rc < 0) {
            setError(error, "cannot configure the filters: " + errorText(rc));
            return false;
        }
        return true;
    }
};

std::string trimFilter(const ExportSettings& s, bool audio)
{
    if (s.start <= 0 && s.duration < 0)
        return {};
    char buf[128];
    if (s.duration >= 0)
        std::snprintf(buf, sizeof buf, "%strim=start=%.6f:duration=%.6f,%ssetpts=PTS-STARTPTS,", audio ? "a" : "", s.start, s.duration, audio ? "a" : "");
    else
        std::snprintf(buf, sizeof buf, "%strim=start=%.6f,%ssetpts=PTS-STARTPTS,", audio ? "a" : "", s.start, audio ? "a" : "");
    return buf;
}

// One track's road: decoder, filters, encoder, output stream.
struct Track {
    int inputIndex = -1;
    AVStream* inputStream = nullptr;
    Codec decoder;
    FilterChain filters;
    Codec encoder;
    AVStream* outputStream = nullptr;
    // Where the last decoded picture ends (its time plus its duration), in
    // the stream's time base: the filters must know, or the frame-rate step
    // drops the last picture.
    int64_t endPts = AV_NOPTS_VALUE;
    bool decoderDone = false;
    bool filtersDone = false;
    bool encoderDone = false;
};

class Exporter {
public:
    explicit Exporter(const ExportSettings& s) : m_settings(s) { }

    ExportResult run()
    {
        ExportResult result;
        if (::access(m_settings.output.c_str(), F_OK) == 0) {
            result.error = "a file is already at " + m_settings.output;
            return result;
        }
        std::string error;
        bool ok = prepare(&error) && transcode(&error);
        if (ok)
            result.ok = true;
        else
            result.error = error;
        result.cancelled = m_cancelled;
        if (m_output) {
            if (!ok && (m_output->pb))
                avio_closep(&m_output->pb);
            m_output.reset();
        }
        if (!ok && m_outputOpened)
            ::unlink(m_settings.output.c_str());
        return result;
    }

private:
    bool prepare(std::string* error)
    {
        m_input = openInput(m_settings.input, error);
        if (!m_input)
            return false;
        if (isStillPictureFormat(m_input.get())) {
            setError(error, m_settings.input + ": not a video");
            return false;
        }
        m_video.inputIndex = m_settings.includeVideo ? videoStreamIndex(m_input.get()) : -1;
        m_audio.inputIndex = m_settings.includeAudio ? audioStreamIndex(m_input.get()) : -1;
        if (m_settings.includeVideo && m_video.inputIndex < 0) {
            setError(error, m_settings.input + ": no video track");
            return false;
        }
        m_duration = m_input->duration != AV_NOPTS_VALUE ? double(m_input->duration) / AV_TIME_BASE : 0;
        if (m_settings.duration >= 0)
            m_duration = std::min(m_duration > 0 ? m_duration - m_settings.start : m_settings.duration, m_settings.duration);

        AVFormatContext* rawOutput = nullptr;
        int rc = avformat_alloc_output_context2(&rawOutput, nullptr, "mov", m_settings.output.c_str());
        if (rc < 0) {
            setError(error, "cannot make the movie file: " + errorText(rc));
            return false;
        }
        m_output.reset(rawOutput);
        if (m_video.inputIndex >= 0 && !prepareVideo(error))
            return false;
        if (m_audio.inputIndex >= 0 && !prepareAudio(error))
            return false;
        rc = avio_open(&m_output->pb, m_settings.output.c_str(), AVIO_FLAG_WRITE);
        if (rc < 0) {
            setError(error, m_settings.output + ": " + errorText(rc));
            return false;
        }
        m_outputOpened = true;
        AVDictionary* options = nullptr;
        if (m_settings.optimizeForNetworkUse)
            av_dict_set(&options, "movflags", "+faststart", 0);
        rc = avformat_write_header(m_output.get(), &options);
        av_dict_free(&options);
        if (rc < 0) {
            setError(error, "cannot write the movie header: " + errorText(rc));
            return false;
        }
        return true;
    }

    bool prepareVideo(std::string* error)
    {
        Track& t = m_video;
        t.inputStream = m_input->streams[t.inputIndex];
        t.decoder = openDecoder(t.inputStream, error);
        if (!t.decoder)
            return false;
        t.filters.graph.reset(avfilter_graph_alloc());
        AVRational sar = t.decoder->sample_aspect_ratio.num ? t.decoder->sample_aspect_ratio : AVRational { 1, 1 };
        char args[256];
        std::snprintf(args, sizeof args, "video_size=%dx%d:pix_fmt=%d:time_base=%d/%d:pixel_aspect=%d/%d",
            t.decoder->width, t.decoder->height, int(t.decoder->pix_fmt), t.inputStream->time_base.num, t.inputStream->time_base.den, sar.num, sar.den);
        if (!t.filters.addSource("buffer", "in", args, error))
            return false;
        std::string description = "[in]" + trimFilter(m_settings, false);
        char step[256];
        std::snprintf(step, sizeof step, "fps=%d/%d", m_settings.frameRateNumerator, m_settings.frameRateDenominator);
        description += step;
        int width = m_settings.renderWidth > 0 ? m_settings.renderWidth : t.decoder->width;
        int height = m_settings.renderHeight > 0 ? m_settings.renderHeight : t.decoder->height;
        width += width & 1;
        height += height & 1;
        if (width != t.decoder->width || height != t.decoder->height) {
            std::snprintf(step, sizeof step, ",scale=%d:%d", width, height);
            description += step;
        }
        description += "[v0]";
        int n = 0;
        for (auto& overlay : m_settings.overlays) {
            if (overlay.width <= 0 || overlay.height <= 0 || overlay.rgba.size() < size_t(overlay.width) * size_t(overlay.height) * 4)
                continue;
            std::string label = "ov" + std::to_string(n);
            std::snprintf(args, sizeof args, "video_size=%dx%d:pix_fmt=%d:time_base=1/30:pixel_aspect=1/1", overlay.width, overlay.height, int(AV_PIX_FMT_RGBA));
            if (!t.filters.addSource("buffer", label, args, error))
                return false;
            std::string picture = "[" + label + "]";
            int shownWidth = overlay.shownWidth > 0 ? overlay.shownWidth : overlay.width;
            int shownHeight = overlay.shownHeight > 0 ? overlay.shownHeight : overlay.height;
            if (shownWidth != overlay.width || shownHeight != overlay.height) {
                std::snprintf(step, sizeof step, ";%sscale=%d:%d[%ss]", picture.c_str(), shownWidth, shownHeight, label.c_str());
                description += step;
                picture = "[" + label + "s]";
            }
            std::snprintf(step, sizeof step, ";[v%d]%soverlay=x=%d:y=%d:eof_action=repeat[v%d]", n, picture.c_str(), overlay.x, overlay.y, n + 1);
            description += step;
            m_overlaySources.push_back({ t.filters.sources.back().second, &overlay });
            ++n;
        }
        description += ";[v" + std::to_string(n) + "]format=yuv420p";
        if (!t.filters.build("buffersink", description, error))
            return false;
        for (auto& [source, overlay] : m_overlaySources)
            if (!pushOverlay(source, *overlay, error))
                return false;

        const AVCodec* encoder = avcodec_find_encoder_by_name("libx264");
        if (!encoder) {
            setError(error, "the H.264 encoder is missing");
            return false;
        }
        t.encoder.reset(avcodec_alloc_context3(encoder));
        AVCodecContext* enc = t.encoder.get();
        enc->width = av_buffersink_get_w(t.filters.sink);
        enc->height = av_buffersink_get_h(t.filters.sink);
        enc->pix_fmt = AVPixelFormat(av_buffersink_get_format(t.filters.sink));
        enc->sample_aspect_ratio = av_buffersink_get_sample_aspect_ratio(t.filters.sink);
        enc->framerate = av_buffersink_get_frame_rate(t.filters.sink);
        enc->time_base = av_buffersink_get_time_base(t.filters.sink);
        if (m_output->oformat->flags & AVFMT_GLOBALHEADER)
            enc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        av_opt_set(enc->priv_data, "preset", m_settings.x264Preset.c_str(), 0);
        av_opt_set(enc->priv_data, "crf", std::to_string(m_settings.crf).c_str(), 0);
        av_opt_set(enc->priv_data, "profile", "high", 0);
        int rc = avcodec_open2(enc, encoder, nullptr);
        if (rc < 0) {
            setError(error, "cannot open the H.264 encoder: " + errorText(rc));
            return false;
        }
        t.outputStream = avformat_new_stream(m_output.get(), nullptr);
        avcodec_parameters_from_context(t.outputStream->codecpar, enc);
        t.outputStream->time_base = enc->time_base;
        t.outputStream->avg_frame_rate = enc->framerate;
        return true;
    }

    bool pushOverlay(AVFilterContext* source, const Overlay& overlay, std::string* error)
    {
        Frame frame(av_frame_alloc());
        frame->format = AV_PIX_FMT_RGBA;
        frame->width = overlay.width;
        frame->height = overlay.height;
        if (av_frame_get_buffer(frame.get(), 0) < 0) {
            setError(error, "out of memory for the overlay");
            return false;
        }
        for (int y = 0; y < overlay.height; ++y)
            std::memcpy(frame->data[0] + size_t(y) * size_t(frame->linesize[0]), overlay.rgba.data() + size_t(y) * size_t(overlay.width) * 4, size_t(overlay.width) * 4);
        frame->pts = 0;
        if (av_buffersrc_add_frame_flags(source, frame.get(), 0) < 0 || av_buffersrc_add_frame_flags(source, nullptr, 0) < 0) {
            setError(error, "cannot hand the overlay to the filters");
            return false;
        }
        return true;
    }

    bool prepareAudio(std::string* error)
    {
        Track& t = m_audio;
        t.inputStream = m_input->streams[t.inputIndex];
        t.decoder = openDecoder(t.inputStream, error);
        if (!t.decoder)
            return false;
        if (t.decoder->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
            av_channel_layout_default(&t.decoder->ch_layout, t.decoder->ch_layout.nb_channels);
        char layout[128] = {};
        av_channel_layout_describe(&t.decoder->ch_layout, layout, sizeof layout);
        t.filters.graph.reset(avfilter_graph_alloc());
        char args[512];
        std::snprintf(args, sizeof args, "time_base=%d/%d:sample_rate=%d:sample_fmt=%s:channel_layout=%s",
            t.inputStream->time_base.num, t.inputStream->time_base.den, t.decoder->sample_rate,
            av_get_sample_fmt_name(t.decoder->sample_fmt), layout);
        if (!t.filters.addSource("abuffer", "in", args, error))
            return false;
        std::string description = "[in]" + trimFilter(m_settings, true) + "aformat=sample_fmts=fltp";
        if (!t.filters.build("abuffersink", description, error))
            return false;

        const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_AAC);
        if (!encoder) {
            setError(error, "the AAC encoder is missing");
            return false;
        }
        t.encoder.reset(avcodec_alloc_context3(encoder));
        AVCodecContext* enc = t.encoder.get();
        enc->sample_fmt = AV_SAMPLE_FMT_FLTP;
        enc->sample_rate = av_buffersink_get_sample_rate(t.filters.sink);
        av_buffersink_get_ch_layout(t.filters.sink, &enc->ch_layout);
        enc->bit_rate = m_settings.audioBitRate;
        enc->time_base = AVRational { 1, enc->sample_rate };
        if (m_output->oformat->flags & AVFMT_GLOBALHEADER)
            enc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        int rc = avcodec_open2(enc, encoder, nullptr);
        if (rc < 0) {
            setError(error, "cannot open the AAC encoder: " + errorText(rc));
            return false;
        }
        av_buffersink_set_frame_size(t.filters.sink, unsigned(enc->frame_size));
        t.outputStream = avformat_new_stream(m_output.get(), nullptr);
        avcodec_parameters_from_context(t.outputStream->codecpar, enc);
        t.outputStream->time_base = enc->time_base;
        return true;
    }

    bool transcode(std::string* error)
    {
        Packet packet(av_packet_alloc());
        bool inputDone = false;
        while (!inputDone) {
            if (m_settings.cancelled && m_settings.cancelled()) {
                m_cancelled = true;
                setError(error, "the export was cancelled");
                return false;
            }
            int rc = av_read_frame(m_input.get(), packet.get());
            if (rc == AVERROR_EOF) {
                inputDone = true;
                break;
            }
            if (rc < 0) {
                setError(error, "cannot read " + m_settings.input + ": " + errorText(rc));
                return false;
            }
            Track* t = packet->stream_index == m_video.inputIndex ? &m_video : packet->stream_index == m_audio.inputIndex ? &m_audio : nullptr;
            bool ok = !t || decode(*t, packet.get(), error);
            av_packet_unref(packet.get());
            if (!ok)
                return false;
        }
        for (Track* t : { &m_video, &m_audio }) {
            if (t->inputIndex < 0)
                continue;
            if (!decode(*t, nullptr, error))
                return false;
        }
        int rc = av_write_trailer(m_output.get());
        if (rc < 0) {
            setError(error, "cannot finish the movie file: " + errorText(rc));
            return false;
        }
        if (m_settings.progress)
            m_settings.progress(1.0);
        return true;
    }

    // Sends one packet (nullptr: the end) through the track's decoder and on.
    bool decode(Track& t, AVPacket* packet, std::string* error)
    {
        int rc = avcodec_send_packet(t.decoder.get(), packet);
        if (rc < 0 && rc != AVERROR_EOF && rc != AVERROR(EAGAIN)) {
            // A damaged packet: skip it, as players do.
            return true;
        }
        Frame frame(av_frame_alloc());
        for (;;) {
            rc = avcodec_receive_frame(t.decoder.get(), frame.get());
            if (rc == AVERROR(EAGAIN))
                return true;
            if (rc == AVERROR_EOF)
                break;
            if (rc < 0) {
                setError(error, "cannot decode " + m_settings.input + ": " + errorText(rc));
                return false;
            }
            frame->pts = frame->best_effort_timestamp;
            if (t.decoder->codec_type == AVMEDIA_TYPE_VIDEO && frame->pts != AV_NOPTS_VALUE) {
                int64_t length = frame->pkt_duration;
                if (length <= 0 && t.inputStream->avg_frame_rate.num > 0)
                    length = av_rescale_q(1, av_inv_q(t.inputStream->avg_frame_rate), t.inputStream->time_base);
                t.endPts = std::max(t.endPts == AV_NOPTS_VALUE ? INT64_MIN : t.endPts, frame->pts + std::max<int64_t>(length, 0));
            }
            rc = av_buffersrc_add_frame_flags(t.filters.sources.front().second, frame.get(), AV_BUFFERSRC_FLAG_KEEP_REF);
            av_frame_unref(frame.get());
            if (rc < 0) {
                setError(error, "cannot filter a frame: " + errorText(rc));
                return false;
            }
            if (!filter(t, error))
                return false;
        }
        // The decoder is drained: end the filters and the encoder too.
        AVFilterContext* source = t.filters.sources.front().second;
        int ended = t.endPts != AV_NOPTS_VALUE ? av_buffersrc_close(source, t.endPts, AV_BUFFERSRC_FLAG_PUSH)
                                               : av_buffersrc_add_frame_flags(source, nullptr, 0);
        if (ended < 0) {
            setError(error, "cannot end the filters");
            return false;
        }
        return filter(t, error) && encode(t, nullptr, error);
    }

    bool filter(Track& t, std::string* error)
    {
        Frame frame(av_frame_alloc());
        for (;;) {
            int rc = av_buffersink_get_frame(t.filters.sink, frame.get());
            if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF)
                return true;
            if (rc < 0) {
                setError(error, "cannot filter a frame: " + errorText(rc));
                return false;
            }
            if (&t == &m_video) {
                frame->pict_type = AV_PICTURE_TYPE_NONE;
                reportProgress(double(frame->pts) * av_q2d(av_buffersink_get_time_base(t.filters.sink)));
            }
            bool ok = encode(t, frame.get(), error);
            av_frame_unref(frame.get());
            if (!ok)
                return false;
        }
    }

    bool encode(Track& t, AVFrame* frame, std::string* error)
    {
        if (t.encoderDone)
            return true;
        int rc = avcodec_send_frame(t.encoder.get(), frame);
        if (rc < 0 && rc != AVERROR_EOF) {
            setError(error, "cannot encode: " + errorText(rc));
            return false;
        }
        Packet packet(av_packet_alloc());
        for (;;) {
            rc = avcodec_receive_packet(t.encoder.get(), packet.get());
            if (rc == AVERROR(EAGAIN))
                return true;
            if (rc == AVERROR_EOF) {
                t.encoderDone = true;
                return true;
            }
            if (rc < 0) {
                setError(error, "cannot encode: " + errorText(rc));
                return false;
            }
            if (packet->duration == 0 && &t == &m_video && t.encoder->framerate.num)
                packet->duration = av_rescale_q(1, av_inv_q(t.encoder->framerate), t.encoder->time_base);
            av_packet_rescale_ts(packet.get(), t.encoder->time_base, t.outputStream->time_base);
            packet->stream_index = t.outputStream->index;
            rc = av_interleaved_write_frame(m_output.get(), packet.get());
            if (rc < 0) {
                setError(error, "cannot write " + m_settings.output + ": " + errorText(rc));
                return false;
            }
        }
    }

    void reportProgress(double seconds)
    {
        if (!m_settings.progress || m_duration <= 0)
            return;
        double fraction = std::clamp(seconds / m_duration, 0.0, 1.0);
        if (fraction - m_lastProgress >= 0.01) {
            m_lastProgress = fraction;
            m_settings.progress(fraction);
        }
    }

    const ExportSettings& m_settings;
    Input m_input;
    Output m_output;
    bool m_outputOpened = false;
    bool m_cancelled = false;
    double m_duration = 0;
    double m_lastProgress = 0;
    Track m_video;
    Track m_audio;
    std::vector<std::pair<AVFilterContext*, const Overlay*>> m_overlaySources;
};

} // namespace

ExportResult exportMovie(const ExportSettings& settings)
{
    quietLogsOnce();
    return Exporter(settings).run();
}

std::optional<PictureSize> convertPictureToJPEG(const std::string& inputPath, const std::string& outputPath, std::string* error)
{
    Input input = openInput(inputPath, error);
    if (!input)
        return std::nullopt;
    int v = videoStreamIndex(input.get());
    if (v < 0) {
        setError(error, inputPath + ": not a picture");
        return std::nullopt;
    }
    Codec decoder = openDecoder(input->streams[v], error);
    if (!decoder)
        return std::nullopt;
    Packet packet(av_packet_alloc());
    Frame frame(av_frame_alloc());
    bool decoded = false;
    while (!decoded) {
        int rc = av_read_frame(input.get(), packet.get());
        bool end = rc < 0;
        if (!end && packet->stream_index != v) {
            av_packet_unref(packet.get());
            continue;
        }
        avcodec_send_packet(decoder.get(), end ? nullptr : packet.get());
        av_packet_unref(packet.get());
        decoded = avcodec_receive_frame(decoder.get(), frame.get()) == 0;
        if (end)
            break;
    }
    if (!decoded) {
        setError(error, inputPath + ": the picture does not decode");
        return std::nullopt;
    }
    const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_MJPEG);
    Codec enc(avcodec_alloc_context3(encoder));
    enc->width = frame->width;
    enc->height = frame->height;
    enc->pix_fmt = AV_PIX_FMT_YUVJ420P;
    enc->time_base = AVRational { 1, 25 };
    enc->flags |= AV_CODEC_FLAG_QSCALE;
    enc->global_quality = FF_QP2LAMBDA * 3;
    if (avcodec_open2(enc.get(), encoder, nullptr) < 0) {
        setError(error, "cannot open the JPEG encoder");
        return std::nullopt;
    }
    Frame converted(av_frame_alloc());
    converted->format = AV_PIX_FMT_YUVJ420P;
    converted->width = frame->width;
    converted->height = frame->height;
    av_frame_get_buffer(converted.get(), 0);
    std::unique_ptr<SwsContext, ScaleDeleter> scaler(sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format),
        frame->width, frame->height, AV_PIX_FMT_YUVJ420P, SWS_BICUBIC, nullptr, nullptr, nullptr));
    if (!scaler) {
        setError(error, "cannot convert the picture's pixels");
        return std::nullopt;
    }
    sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, converted->data, converted->linesize);
    converted->pts = 0;
    Packet out(av_packet_alloc());
    if (avcodec_send_frame(enc.get(), converted.get()) < 0 || avcodec_receive_packet(enc.get(), out.get()) < 0) {
        setError(error, "cannot encode the picture");
        return std::nullopt;
    }
    FILE* file = std::fopen(outputPath.c_str(), "wbx");
    if (!file) {
        setError(error, outputPath + ": " + std::strerror(errno));
        return std::nullopt;
    }
    bool written = std::fwrite(out->data, 1, size_t(out->size), file) == size_t(out->size);
    written = std::fclose(file) == 0 && written;
    if (!written) {
        ::unlink(outputPath.c_str());
        setError(error, outputPath + ": could not write the picture (disk full?)");
        return std::nullopt;
    }
    return PictureSize { frame->width, frame->height };
}

} // namespace platform::media

namespace platform::media {

std::optional<Overlay> readPicture(const std::string& path, std::string* error)
{
    Input input = openInput(path, error);
    if (!input)
        return std::nullopt;
    int v = videoStreamIndex(input.get());
    if (v < 0) {
        setError(error, path + ": not a picture");
        return std::nullopt;
    }
    Codec decoder = openDecoder(input->streams[v], error);
    if (!decoder)
        return std::nullopt;
    Packet packet(av_packet_alloc());
    Frame frame(av_frame_alloc());
    bool decoded = false;
    for (int packets = 0; !decoded && packets < 1000; ++packets) {
        int rc = av_read_frame(input.get(), packet.get());
        bool end = rc < 0;
        if (!end && packet->stream_index != v) {
            av_packet_unref(packet.get());
            continue;
        }
        avcodec_send_packet(decoder.get(), end ? nullptr : packet.get());
        av_packet_unref(packet.get());
        decoded = avcodec_receive_frame(decoder.get(), frame.get()) == 0;
        if (end)
            break;
    }
    if (!decoded || frame->width <= 0 || frame->height <= 0) {
        setError(error, path + ": the picture does not decode");
        return std::nullopt;
    }
    Overlay picture;
    picture.width = frame->width;
    picture.height = frame->height;
    picture.rgba.resize(size_t(frame->width) * size_t(frame->height) * 4);
    std::unique_ptr<SwsContext, ScaleDeleter> scaler(sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format),
        frame->width, frame->height, AV_PIX_FMT_RGBA, SWS_POINT, nullptr, nullptr, nullptr));
    if (!scaler) {
        setError(error, "cannot convert the picture's pixels");
        return std::nullopt;
    }
    uint8_t* planes[4] = { picture.rgba.data(), nullptr, nullptr, nullptr };
    int strides[4] = { frame->width * 4, 0, 0, 0 };
    sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, planes, strides);
    return picture;
}

} // namespace platform::media
