#pragma once
#include <string>

namespace tolvar {

// The upgrade list's lines as the client reads them. The signer reads a list with the same
// code, so that it signs the very paths the client will request.

// A command word before the first space (compared in upper case) and its argument after that
// space; a line without a space has neither.
struct TListLine {
    std::string Command;  // upper-cased
    std::string Argument;
};
TListLine SplitListLine(const std::string& line);

// A FILE line's argument: the name, size and date are the trimmed texts before the next space
// each (empty once no space is left), and the time is what remains.
struct TListedFile {
    std::string FileName, Size, Date, Time;
};
TListedFile SplitFileArgument(std::string argument);

// The server folder of an SPATH argument, below the update server root: "/FTPHome" and the
// argument, ending in "/".
std::string ServerFolderOf(const std::string& spathArgument);

}  // namespace tolvar
