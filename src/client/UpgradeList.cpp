// The upgrade list: fetched into the line queue, then interpreted line by line into the
// download queue, with its housekeeping commands carried out on the spot.
#include <string_view>

#include "DownLoad.h"
#include "LocalFiles.h"
#include "Paths.h"
#include "app/Application.h"
#include "http/HttpClient.h"

namespace tolvar {

namespace {

// The text before the first space, trimmed, and the rest after that space; with no space,
// the empty text and the rest unchanged.
std::string CutField(std::string& rest) {
    const size_t space = rest.find(' ');
    if (space == std::string::npos) return {};
    std::string field = Trim(std::string_view(rest).substr(0, space));
    rest.erase(0, space + 1);
    return field;
}

}  // namespace

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

        const std::string& line = ListBox1.front();
        const size_t space = line.find(' ');
        const std::string command = space == std::string::npos ? std::string() : UpperCaseAscii(line.substr(0, space));
        const std::string argument = space == std::string::npos ? std::string() : line.substr(space + 1);

        if (command == "SPATH") {
            serverPath = UpdateRoot + "/FTPHome" + argument;
            if (argument.empty() || argument.back() != '/') serverPath += '/';
        } else if (command == "CPATH") {
            clientPath = argument;
            if (argument.empty() || argument.back() != '\\') clientPath += '\\';
        } else if (command == "FILE") {
            TFileRecord r;
            std::string rest = argument;
            r.FileName = CutField(rest);
            r.Size = CutField(rest);
            r.Date = CutField(rest);
            r.Time = rest;
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
