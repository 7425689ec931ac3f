#pragma once
// The grammar of the upgrade list's lines, apart from what the lines make the client do: a
// command word and its argument, and the fields of a FILE line. Kept free of the platform so
// that it is tested and fuzzed natively.
#include <cstddef>
#include <string>
#include <string_view>

namespace tolvar {

// The most lines an upgrade list may have. A real list has a few hundred; one of millions of
// (empty) lines would take the client's memory and hold up the pass for nothing, so a longer
// one counts as a list that could not be fetched, and the signer refuses to sign one.
inline constexpr size_t kMaxUpgradeListLines = 1000000;

struct TListLine {
    std::string Command;   // the text before the first space, in upper case
    std::string Argument;  // the text after that space, as written
};

// A line without a space has no command and no argument.
TListLine SplitListLine(std::string_view line);

struct TFileFields {
    std::string FileName, Size, Date, Time;
};

// FILE's argument: name, size and date each end at the next space and are trimmed; the time is
// the rest. Where a space is missing, that field and the ones after it before the rest are
// empty, and the rest is what is left.
TFileFields SplitFileFields(std::string_view argument);

// The server folder of an SPATH argument, below the update server root: "/FTPHome" and the
// argument, ending in "/". The signer reads a list with the same code, so that it signs the very
// paths the client will request.
std::string ServerFolderOf(std::string_view spathArgument);

}  // namespace tolvar
