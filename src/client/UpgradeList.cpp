// The upgrade list: fetched into the line queue, then interpreted line by line into the
// download queue, with its housekeeping commands carried out on the spot.
#include <string_view>

#include "DownLoad.h"
#include "LocalFiles.h"
#include "Paths.h"
#include "app/Application.h"
#include "base/ListLine.h"
#include "http/HttpClient.h"

namespace tolvar {

void TfmDownloading::FetchUpgradeList() {
    ListBox1.clear();
    try {
        const TextLines lines = TextToLines(FetchText(UpdateRoot + kUpgradeListPath));
        ListBox1.assign(lines.begin(), lines.end());
    } catch (const std::exception&) {
        // An unreachable or failing list is an empty one: the pass goes on to its finish.
    }
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
            serverPath = UpdateRoot + "/FTPHome" + argument;
            if (argument.empty() || argument.back() != '/') serverPath += '/';
        } else if (command == "CPATH") {
            clientPath = argument;
            if (argument.empty() || argument.back() != '\\') clientPath += '\\';
        } else if (command == "FILE") {
            TFileFields fields = SplitFileFields(argument);
            TFileRecord r;
            r.FileName = std::move(fields.FileName);
            r.Size = std::move(fields.Size);
            r.Date = std::move(fields.Date);
            r.Time = std::move(fields.Time);
            r.ServerPath = serverPath;
            r.ClientPath = clientPath;
            if (NeedsDownload(clientPath, r.FileName, r.Size, r.Date, r.Time)) FTPView.push_back(std::move(r));
        } else if (command == "DFILE") {
            DeleteMatchingFiles(argument);
        } else if (command == "MKDIR") {
            CreateDirPath(argument);
        }
        ListBox1.pop_front();
    }
}

}  // namespace tolvar
