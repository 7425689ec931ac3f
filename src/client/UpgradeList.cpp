// The upgrade list: fetched into the line queue, then interpreted line by line into the
// download queue, with its housekeeping commands carried out on the spot.
#include "DownLoad.h"
#include "LocalFiles.h"
#include "Paths.h"
#include "PumpingRequests.h"
#include "app/Application.h"
#include "app/PumpingCall.h"
#include "base/ListLine.h"

namespace tolvar {

void TfmDownloading::FetchUpgradeList() {
    ListBox1.clear();
    try {
        // A build with the vendor's key takes the list only as the vendor signed it; any other
        // list counts as one that could not be fetched.
        if (!Feed.LoadListManifest(UpdateRoot, *Proxy)) return;
        const std::string text = FetchTextPumping(UpdateRoot + kUpgradeListPath, *Proxy);
        // A list far beyond any real one is no list: nothing of it acts.
        if (LineCount(text) > kMaxUpgradeListLines) return;
        if (!Feed.AcceptList(UpdateRoot, text)) return;
        const TextLines lines = TextToLines(text);
        ListBox1.assign(lines.begin(), lines.end());
    } catch (const std::exception&) {
        // An unreachable or failing list is an empty one: the pass goes on to its finish.
    }
}

bool TfmDownloading::IsSignedOnDisk(const TFileRecord& r) {
    if (!Feed.Keyed()) return true;
    const std::optional<Sha256Digest> expected = Feed.SignedHash(TFeedFolder::List, r.ServerPath + r.FileName);
    if (!expected) return false;
    // Hashed off the window's thread: a large file must not freeze the gauge.
    const std::string path = r.ClientPath + r.FileName;
    const std::optional<Sha256Digest> actual = CallPumping([&path] { return Sha256OfLocalFile(path); });
    return actual == expected;
}

void TfmDownloading::ParseUpgradeList() {
    std::string serverPath, clientPath;
    ProgressBar1->SetValue(0);
    ProgressBar1->SetMaxValue(int32_t(ListBox1.size()));
    while (!ListBox1.empty()) {
        ProgressBar1->SetValue(ProgressBar1->Value() + 1);
        Application()->ProcessMessages();

        const auto [command, argument] = SplitListLine(ListBox1.front());
        if (command == "SPATH") {
            serverPath = UpdateRoot + ServerFolderOf(argument);
        } else if (command == "CPATH") {
            clientPath = argument;
            if (argument.empty() || argument.back() != '\\') clientPath += '\\';
        } else if (command == "FILE") {
            TFileFields f = SplitFileFields(argument);
            TFileRecord r{std::move(f.FileName), std::move(f.Size), std::move(f.Date),
                          std::move(f.Time),     serverPath,        clientPath};
            if (SameLocalPath(r.ClientPath + r.FileName, kHostProgram)) ListedHost = r;
            // A file that looks fresh by its size and time counts only when it is also the signed one.
            if (NeedsDownload(clientPath, r.FileName, r.Size, r.Date, r.Time) || !IsSignedOnDisk(r))
                FTPView.push_back(std::move(r));
        } else if (command == "DFILE") {
            DeleteMatchingFiles(argument);
        } else if (command == "MKDIR") {
            CreateDirPath(argument);
        }
        ListBox1.pop_front();
    }
}

}  // namespace tolvar
