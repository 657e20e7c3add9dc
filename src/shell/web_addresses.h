#pragma once
// The product's addresses on the web and on this machine. Only the version file's address can
// be changed (key "VersionFile" of maroabc.ini), so a station can point it at its own server.
namespace web {
inline constexpr const char* kProductSite = "https://mvsmall.example.net/";
inline constexpr const char* kHelpPage = "https://mvsmall.example.net/help/";
inline constexpr const char* kVersionFile = "https://mvsmall.example.net/VersionMVS.txt";
inline constexpr const char* kMail = "mailto:maker@mvsmall.example.net?subject=%20MVSmall%20Program%20";
inline constexpr const char* kSponsorPage = "https://mvsmall.example.net/sponsor/";
inline constexpr const char* kDonationPages[] = {
    "https://mvsmall.example.net/donate/10", "https://mvsmall.example.net/donate/20",
    "https://mvsmall.example.net/donate/30", "https://mvsmall.example.net/donate/40",
    "https://mvsmall.example.net/donate/50"};
// The updater, in the program's data folder.
inline constexpr const char* kUpdater = "Dovrel";
// How long the version file may take before the check counts as failed.
inline constexpr int kVersionFetchSeconds = 10;
}  // namespace web
