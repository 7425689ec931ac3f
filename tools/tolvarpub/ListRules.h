#pragma once
// What an upgrade list can carry and a workstation can act on: names, server folders, local
// paths, masks and listed times. The publisher refuses what breaks these rules before anything
// is written; the check reports them in a list that a server serves.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tolvar {

// Why a name cannot be a FILE line's name (or a folder of one), or empty when it can. The
// client requests it raw, without percent-encoding, and writes it into a folder of Windows.
// With `asciiOnly`, bytes beyond ASCII are refused too: names read from a Linux file system
// are UTF-8, and a workstation reads the list in its own code page.
std::string FileNameProblem(std::string_view name, bool asciiOnly);

// Why an SPATH argument ("/TolvarService/sub") cannot name a server folder, or empty.
std::string ServerPathProblem(std::string_view path);

// Why a CPATH or MKDIR argument is not an absolute local path ("C:\Marvane\TolvarService"),
// or empty. Blanks inside folder names are allowed: the argument is the rest of its line.
std::string LocalPathProblem(std::string_view path);

// Why a DFILE argument is not a local mask: an absolute folder and a last part that may hold
// "*" and "?".
std::string MaskProblem(std::string_view mask);

// Whether a DFILE mask matches a local file path, as the workstation's file system matches it:
// without regard to ASCII case, "*" any run of characters, "?" one, "*.*" every name.
bool MaskMatches(std::string_view mask, std::string_view path);

// A local path as the workstation compares it: without regard to case.
std::string LocalKey(std::string_view path);

// A local folder with its final "\": the client path the client makes of a CPATH argument.
std::string WithBackslash(std::string_view folder);

// A FILE line's date and time for a modification time in seconds since 1970 (UTC): taken down
// to an even second, as a packed file time holds it. None outside 1980 to 2107, where no
// packed time exists.
struct TListedTime {
    std::string Date;  // yyyy-mm-dd
    std::string Time;  // hh:mm:ss
};
std::optional<TListedTime> ListedTimeOf(int64_t unixSeconds);

// Why a FILE line's date and time cannot match a workstation's file, or empty: read as the
// client reads them (with the short date format the pass sets).
std::string ListedTimeProblem(const std::string& date, const std::string& time);

// Why a FILE line's size cannot match, or empty; the size in `value` when it converts.
std::string ListedSizeProblem(const std::string& size, int32_t& value);

// The longest local path Windows opens without the long-path prefix.
inline constexpr size_t kMaxLocalPath = 259;

}  // namespace tolvar
