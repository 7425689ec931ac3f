#pragma once

namespace tolvar {

// The service directory holds the host program, its launch copy and the company logo.
inline constexpr const char* kServiceDirCreate = "C:\\Marvane\\TolvarService\\";
inline constexpr const char* kServiceDir = "c:\\Marvane\\TolvarService";
inline constexpr const char* kHostProgram = "c:\\Marvane\\TolvarService\\TolvarHost.exe";
inline constexpr const char* kHostLaunchCopy = "c:\\Marvane\\TolvarService\\TH.exe";
inline constexpr const char* kLogoDir = "c:\\Marvane\\TolvarService\\";

// Named relative to the current directory.
inline constexpr const char* kStagedClientName = "Sandrel.exe";
inline constexpr const char* kClientName = "TolvarClient.exe";

inline constexpr const char* kUpgradeListPath = "/FTPHome/TolvarService/UpGradeList.txt";

}  // namespace tolvar
