#include "ListRules.h"

#include <array>
#include <cstdio>
#include <ctime>
#include <vector>

#include "base/DateTime.h"
#include "base/Text.h"

namespace tolvar {

namespace {

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

// Characters no Windows file name holds; '#' and '%' break the raw request target (a fragment,
// an escape the server decodes) and '?' starts a query.
constexpr std::string_view kNotInNames = "<>:\"/\\|?*#%";

bool IsDeviceName(std::string_view name) {
    const std::string base = UpperCaseAscii(name.substr(0, name.find('.')));
    static constexpr std::array<std::string_view, 4> plain = {"CON", "PRN", "AUX", "NUL"};
    for (std::string_view device : plain)
        if (base == device) return true;
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '1' && base[3] <= '9';
}

// The rules a part of a local path shares with a file name, blanks allowed.
std::string LocalPartProblem(std::string_view part) {
    if (part.empty()) return "an empty folder name (\"\\\\\")";
    for (unsigned char c : part) {
        if (IsControl(c)) return "a control character";
        if (c >= 0x80) return "a byte outside ASCII";
        if (std::string_view("<>:\"/|?*").find(char(c)) != std::string_view::npos)
            return std::string("the character '") + char(c) + "', which Windows does not allow in a name";
    }
    if (part == "." || part == "..") return "a \".\" or \"..\" part";
    if (part.back() == '.' || part.back() == ' ') return "a name that ends in a dot or a blank, which Windows drops";
    return {};
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (size_t from = 0;;) {
        const size_t at = text.find(separator, from);
        parts.push_back(text.substr(from, at == std::string_view::npos ? std::string_view::npos : at - from));
        if (at == std::string_view::npos) return parts;
        from = at + 1;
    }
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    // Iterative, with one back-track point: linear enough for the short names of a list.
    size_t p = 0, n = 0, star = std::string_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p, ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

std::string FileNameProblem(std::string_view name, bool asciiOnly) {
    if (name.empty()) return "an empty name";
    for (unsigned char c : name) {
        if (c == ' ') return "a space (a FILE line's name ends at its first space)";
        if (IsControl(c)) return "a control character";
        if (asciiOnly && c >= 0x80) return "a byte outside ASCII (a workstation reads the list in its own code page)";
        if (kNotInNames.find(char(c)) != std::string_view::npos)
            return std::string("the character '") + char(c) +
                   "', which a file name on the server and the workstation cannot carry";
    }
    if (name.back() == '.') return "a name that ends in a dot, which Windows drops";
    if (IsDeviceName(name)) return "a device name of Windows";
    return {};
}

std::string ServerPathProblem(std::string_view path) {
    if (path.empty() || path[0] != '/') return "a server folder must start with \"/\"";
    std::string_view rest = path.substr(1);
    if (!rest.empty() && rest.back() == '/') rest.remove_suffix(1);
    if (rest.empty()) return {};
    for (std::string_view part : Split(rest, '/')) {
        if (part.empty()) return "an empty folder name (\"//\")";
        if (part == "." || part == "..") return "a \".\" or \"..\" part";
        if (std::string problem = FileNameProblem(part, false); !problem.empty()) return problem;
    }
    return {};
}

std::string LocalPathProblem(std::string_view path) {
    const bool drive = path.size() >= 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                       path[1] == ':' && path[2] == '\\';
    if (!drive) return "not an absolute local path (a drive letter, \":\" and \"\\\", as C:\\Marvane)";
    std::string_view rest = path.substr(3);
    if (!rest.empty() && rest.back() == '\\') rest.remove_suffix(1);
    if (rest.empty()) return {};
    for (std::string_view part : Split(rest, '\\'))
        if (std::string problem = LocalPartProblem(part); !problem.empty()) return problem;
    return {};
}

std::string MaskProblem(std::string_view mask) {
    const size_t cut = mask.rfind('\\');
    if (cut == std::string_view::npos)
        return "not an absolute local mask (a folder, \"\\\" and a name that may hold * and ?)";
    if (std::string problem = LocalPathProblem(mask.substr(0, cut + 1)); !problem.empty()) return problem;
    const std::string_view last = mask.substr(cut + 1);
    if (last.empty()) return "no name after the folder";
    for (unsigned char c : last) {
        if (IsControl(c)) return "a control character";
        if (std::string_view("<>:\"/|").find(char(c)) != std::string_view::npos)
            return std::string("the character '") + char(c) + "', which Windows does not allow in a name";
    }
    return {};
}

std::string LocalKey(std::string_view path) { return UpperCaseAscii(path); }

std::string WithBackslash(std::string_view folder) {
    std::string path(folder);
    if (path.empty() || path.back() != '\\') path += '\\';
    return path;
}

bool MaskMatches(std::string_view mask, std::string_view path) {
    const size_t maskCut = mask.rfind('\\'), pathCut = path.rfind('\\');
    if (maskCut == std::string_view::npos || pathCut == std::string_view::npos) return false;
    if (LocalKey(mask.substr(0, maskCut)) != LocalKey(path.substr(0, pathCut))) return false;
    std::string pattern = LocalKey(mask.substr(maskCut + 1));
    if (pattern == "*.*") pattern = "*";  // as Windows has it: names without a dot too
    return WildcardMatch(pattern, LocalKey(path.substr(pathCut + 1)));
}

std::optional<TListedTime> ListedTimeOf(int64_t unixSeconds) {
    const int64_t even = unixSeconds - (((unixSeconds % 2) + 2) % 2);
    const std::time_t t = std::time_t(even);
    std::tm utc{};
    if (!gmtime_r(&t, &utc)) return std::nullopt;
    const int year = utc.tm_year + 1900;
    if (year < 1980 || year > 2107) return std::nullopt;
    char date[16], time[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", year, utc.tm_mon + 1, utc.tm_mday);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", utc.tm_hour, utc.tm_min, utc.tm_sec);
    return TListedTime{date, time};
}

std::string ListedTimeProblem(const std::string& date, const std::string& time) {
    // The pass sets these before it reads the list; the conversions below are the client's.
    FormatSettings().ShortDateFormat = "yyyy-mm-dd";
    FormatSettings().DateSeparator = '-';
    const std::optional<DateTime> d = TryStrToDate(date);
    if (!d)
        return "the date '" + date + "' does not convert: a workstation that has the file ends its pass with an error";
    const std::optional<DateTime> t = TryStrToTime(time);
    if (!t)
        return "the time '" + time + "' does not convert: a workstation that has the file ends its pass with an error";
    if (d->Year < 1980 || d->Year > 2107)
        return "the date " + date +
               " is outside 1980 to 2107: no file time can hold it, so the file never counts as fresh";
    if (t->Second % 2 != 0)
        return "the time " + time +
               " has an odd second: a file time holds even seconds only, so a client that compares "
               "it to the second never finds the file fresh and fetches it on every start";
    return {};
}

std::string ListedSizeProblem(const std::string& size, int32_t& value) {
    const std::optional<int32_t> v = TryStrToInt(size);
    if (!v)
        return "the size '" + size + "' does not convert: a workstation that has the file ends its pass with an error";
    if (*v < 0) return "the size " + size + " is negative: no file has it";
    value = *v;
    return {};
}

}  // namespace tolvar
