#pragma once
#include <array>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/Text.h"

namespace tolvar {

// Where the manifests lie on the update server, and which files each one names. Paths are
// below the server root, as the client requests them.
inline constexpr std::string_view kUpgradeListFile = "/FTPHome/TolvarService/UpGradeList.txt";
inline constexpr std::string_view kListManifestFile = "/FTPHome/TolvarService/UpGradeList.sig";
inline constexpr std::string_view kCompanyFolders = "/FTPHome/TolvarService/CompanyCode/";
inline constexpr std::string_view kCompanyManifestName = "Company.sig";

// The files of a company folder that the client reads: the stop flag, the version file, the
// new client and the logos.
inline constexpr std::array<std::string_view, 8> kCompanyFiles = {
    "StopCheck.txt", "vercheck.txt", "Sandrel.exe", "mark.png", "mark.jpg", "mark.gif", "mark.bmp", "mark.ico"};

// The files an upgrade list makes the client fetch: the server folder of the last SPATH line
// and the name of each FILE line. A FILE line before any SPATH line names no server file.
struct TListedPaths {
    std::set<std::string> Paths;
    std::vector<std::string> WithoutFolder;  // names of FILE lines before any SPATH
};
TListedPaths ListedPaths(const TextLines& listLines);

// What the list's manifest names: the list itself and every file the list names, no more.
std::set<std::string> ListManifestScope(const TextLines& listLines);

// What a company folder's manifest may name: the folder's files of kCompanyFiles.
std::set<std::string> CompanyManifestScope(std::string_view folderPath);

}  // namespace tolvar
