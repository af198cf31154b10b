#pragma once

namespace tsy {

// Every web address of ours the program opens or asks, kept together so that a move of the
// site touches one file. The update requests are appended to the base URL directly.
inline constexpr const char* kMakerHomePage = "https://www.orvelle.example/";
inline constexpr const char* kProductHomePage = "https://www.orvelle.example/tessaly/";
inline constexpr const char* kDeveloperPage = "https://www.orvelle.example/tessaly/team/";
inline constexpr const char* kUpdateBaseURL = "https://updates.orvelle.example/tessaly/";

inline constexpr const char* kMakerName = "Orvelle";
inline constexpr const char* kProductName = "Tessaly";

} // namespace tsy
