#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/VersionInfo.h"

namespace tsy {

inline constexpr const char* kUpdateProductCode = "TSY";
inline constexpr const char* kUpdateKeyPath = "\\SOFTWARE\\Orvelle\\Tessaly";
inline constexpr const char* kLastCheckValue = "AULastCheck";
inline constexpr const char* kVersionRequestFormat = "updates-check-%s.php";
inline constexpr const char* kDetailsMode = "details";
// Asks any proxy on the way for a fresh answer.
inline constexpr std::uint32_t kNoCacheFlag = 256;

inline constexpr const char* kLatestReleaseFormat = "You have the latest release of %s.";
inline constexpr const char* kUpdateMessageFormat =
    "An update to %s is available. Click below to download it.";
inline constexpr const char* kVisitSiteFormat = "Visit %s for details";
inline constexpr const char* kInvalidDownloadMessage =
    "The download address given by the update server is not valid.";
inline constexpr const char* kUpdateFailedMessage = "The update check failed.";

// The most an answer of the update server may hold, and how long its connection and each wait
// for its data may take, in milliseconds.
inline constexpr std::size_t kMostAnswerBytes = 64 * 1024;
inline constexpr std::uint32_t kConnectTimeout = 15000;
inline constexpr std::uint32_t kReceiveTimeout = 30000;

// A date and time as a day count since 30 December 1899, the time of day as the fraction.
using TDateTime = double;

TDateTime DateTimeFromCivil(int year, int month, int day, int hour, int minute, int second,
                            int millisecond = 0);
// The 8 raw bytes the registry holds; nothing for a value of another size or no number.
std::optional<TDateTime> DecodeDateTime(const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> EncodeDateTime(TDateTime value);

// Whether a check runs now: forced always; otherwise unless the last one lies within today.
// Without a last check, it counts as yesterday at midnight.
bool IsCheckDue(std::optional<TDateTime> lastCheck, TDateTime now, bool force);

// The server's version answer, untrimmed: four parts cut at dots, each a decimal number or 0.
TVersionRecord ParseVersion(std::string_view body);
bool IsNewerVersion(const TVersionRecord& latest, const TVersionRecord& running);

struct TUpdateDetails {
    std::string DownloadURL;
    std::string Description;
};
// The details answer: the address on the first line, the description after it.
TUpdateDetails SplitDetails(std::string_view body);

// The base URL, the format with the product code put in, and "&mode=" with the mode if any.
std::string BuildRequestURL(std::string_view baseURL, std::string_view format, std::string_view productCode,
                            std::string_view mode);

// The English reason text of an HTTP status code.
std::string HttpStatusText(std::int32_t status);

// The two lines comparing the running and the latest version.
std::string UpdateDetailsText(const TVersionRecord& running, const TVersionRecord& latest);

// Only https addresses may go to the shell: anything else from the server could name a local
// program or file, and a plain http download could be swapped on the way.
bool IsDownloadAddress(std::string_view url);

} // namespace tsy
