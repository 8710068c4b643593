#pragma once
// Exports an asset (a movie file or a composition of one) to a new movie
// file, re-encoded with a preset's settings.
//
// Guarantees:
//  - exportAsynchronouslyWithCompletionHandler: returns at once; the export
//    runs on the media framework's export queue and the handler runs there
//    too, once, after status has become Completed, Failed or Cancelled.
//  - A failed or cancelled export leaves nothing at the output address; an
//    output address where something already is fails the export.
//  - The medium-quality preset is H.264 (x264 "medium", quality 23) with AAC
//    sound; optimised for network use puts the movie's index first.
//  - A composition whose sound track is empty exports its picture alone.

#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/NSError.h"
#include "platform/media/AVComposition.h"
#include "platform/media/AVVideoComposition.h"

#include <atomic>

namespace platform {

inline constexpr const char* AVAssetExportPresetLowQuality = "AVAssetExportPresetLowQuality";
inline constexpr const char* AVAssetExportPresetMediumQuality = "AVAssetExportPresetMediumQuality";
inline constexpr const char* AVAssetExportPresetHighestQuality = "AVAssetExportPresetHighestQuality";
inline constexpr const char* AVFileTypeQuickTimeMovie = "com.apple.quicktime-movie";

enum class AVAssetExportSessionStatus : long { Unknown = 0, Waiting = 1, Exporting = 2, Completed = 3, Failed = 4, Cancelled = 5 };

class AVAssetExportSession : public NSObject {
    OBJC_CLASS(AVAssetExportSession, NSObject)
public:
    AVAssetExportSession() = default;
    static void registerMethods(objc::ClassBuilder<AVAssetExportSession>&);

    // A session for the asset with a preset; nil for an unknown preset.
    static RefPtr<AVAssetExportSession> exportSessionWithAsset(AVAsset* asset, NSString* presetName);

    void setVideoComposition(AVMutableVideoComposition* c) { m_videoComposition = c; }
    RefPtr<AVMutableVideoComposition> videoComposition() const { return m_videoComposition; }
    void setOutputFileType(NSString* type) { m_outputFileType = type ? type->str() : std::string(); }
    RefPtr<NSString> outputFileType() const { return ns(m_outputFileType); }
    void setOutputURL(NSURL* url) { m_outputURL = url; }
    RefPtr<NSURL> outputURL() const { return m_outputURL; }
    void setShouldOptimizeForNetworkUse(bool on) { m_optimizeForNetworkUse = on; }
    bool shouldOptimizeForNetworkUse() const { return m_optimizeForNetworkUse; }

    void exportAsynchronouslyWithCompletionHandler(std::function<void()> handler);
    void cancelExport() { m_cancelRequested = true; }
    AVAssetExportSessionStatus status() const { return m_status.load(); }
    RefPtr<NSError> error() const;
    // The fraction done, 0 to 1.
    float progress() const { return m_progress.load(); }

    // The queue export completions run on.
    static DispatchQueue* exportQueue();

private:
    // Turns the asset, composition and preset into the engine's settings;
    // answers the reason when the asset cannot be exported.
    std::string settings(media::ExportSettings& out) const;
    void run(std::function<void()> handler);

    RefPtr<AVAsset> m_asset;
    std::string m_preset;
    RefPtr<AVMutableVideoComposition> m_videoComposition;
    std::string m_outputFileType;
    RefPtr<NSURL> m_outputURL;
    bool m_optimizeForNetworkUse { false };
    std::atomic<AVAssetExportSessionStatus> m_status { AVAssetExportSessionStatus::Unknown };
    std::atomic<bool> m_cancelRequested { false };
    std::atomic<float> m_progress { 0 };
    mutable std::mutex m_lock;
    RefPtr<NSError> m_error;
};

} // namespace platform
