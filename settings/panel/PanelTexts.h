#pragma once
// The settings panel's fixed texts and addresses.

namespace igtarvo::panel {

inline constexpr const char* kSettingsBundlePath = "/Library/PreferenceBundles/igTarvoSettings.bundle";
inline constexpr const char* kVersion = "1.1";
inline constexpr const char* kVersionFooterFormat = "You are running igTarvo v%@";
// The product's web address, with its scheme and as a bare host name.
inline constexpr const char* kWebAddress = "http://igtarvo.example";
inline constexpr const char* kWebHost = "igtarvo.example";
// Where profiles open when no Twitter app is installed.
inline constexpr const char* kTwitterMobileSite = "https://mobile.twitter.com/";

inline constexpr const char* kHeaderLine = "igTarvo";
inline constexpr const char* kHeaderSubline = "Your daily frustrations of using Instagram are over";
inline constexpr const char* kHeaderThirdLine = "Save thousands of precious minutes per year\nwhen using Instagram with igTarvo";
inline constexpr const char* kHelpTitle = "igTarvo Help";

inline constexpr const char* kRestartTitle = "Changing Settings";
inline constexpr const char* kRestartMessage = "Changing this setting will require Instagram to be closed. Do you want to do this now?";

inline constexpr const char* kShareTitle = "Share igTarvo";
inline constexpr const char* kShareMessage = "Share igTarvo to";

inline constexpr const char* kTwitterText = "I just ended my suffering and also turbo boosted my Instagram experience via @igtarvo";
inline constexpr const char* kFacebookText = "Am using @igtarvo to end my Instagram suffering and to turbo boost my instagram experience";
inline constexpr const char* kWhatsAppPrefix = "whatsapp://send?text=Am%20using%20%40igtarvo%20to%20end%20my%20Instagram%20suffering%20and%20to%20turbo%20boost%20my%20instagram%20experience.%20Check%20out%20";
inline constexpr const char* kRecommendation = "Am using @igtarvo to end my Instagram suffering and to turbo boost my instagram experience. Check it out at ";
inline constexpr const char* kMailSubject = "@igtarvo for Instagram";
inline constexpr const char* kMessageSubject = "igTarvo";

} // namespace igtarvo::panel
