#pragma once
// A whole pass as the https and proxy tests serve it: two listed files (a.dll installed in an
// older version) and the company's folder with its stop flag, version file and logo; and the
// host's start that ends it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "PassHarness.h"
#include "base/Text.h"
#include "client/HostLaunch.h"

namespace tolvar::test::served {

inline const char* const kAcme = "CompanyCode=ACME\r\n";
inline const std::string kAcmeFolder = "FTPHome/TolvarService/CompanyCode/ACME/";
// Packed DOS date and time of the list's stamp, 2007-05-01 12:00:00.
inline constexpr uint32_t kListedStamp = (uint32_t((2007 - 1980) << 9 | 5 << 5 | 1) << 16) | (12 << 11);
inline const std::string kOldA = "the installed a.dll";
inline const std::string kNewA = std::string(4997, 'a') + "end";

inline std::string InService(const std::string& name) { return std::string(kServiceDirectory) + name; }

// The list, its files and the company's folder on the server.
inline void ServeThePass(const PassHarness& pass, const std::string& newA) {
    pass.ServeUpgradeList({"SPATH /TolvarService", "CPATH C:\\Marvane\\TolvarService",
                           "FILE a.dll 5000 2007-05-01 12:00:00", "FILE b.dll 3 2007-05-01 12:00:00"});
    pass.ServeFile("FTPHome/TolvarService/a.dll", newA);
    pass.ServeFile("FTPHome/TolvarService/b.dll", "bbb");
    pass.ServeFile(kAcmeFolder + "StopCheck.txt", "stop");
    pass.ServeFile(kAcmeFolder + "vercheck.txt", "TolvarClient=1.0\r\n");
    pass.ServeFile(kAcmeFolder + "mark.png", "png");
}

// The host's launch copy started as the pass starts it, with the usual command line.
inline void ExpectTheHostStarted(const PassOutcome& out, bool stopFlag) {
    ASSERT_EQ(out.started.size(), 1u);
    const std::string& line = out.started[0];
    EXPECT_EQ(line.substr(0, line.find('|')), "TH.exe");
    EXPECT_EQ(line.substr(line.rfind('|') + 1), HostCommandLine(TextToLines(kAcme), stopFlag, Now()));
}

}  // namespace tolvar::test::served
