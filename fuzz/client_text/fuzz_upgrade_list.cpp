// The upgrade list as the interpreter reads it, short of the files it touches: the text into
// lines, each line into a command and its argument, a FILE line into its fields, and the
// fields' size, date and time converted as the freshness test converts them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/DateTime.h"
#include "base/Exceptions.h"
#include "base/ListLine.h"
#include "base/Text.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void CheckTrimmed(const std::string& field) {
    if (!field.empty() && (IsBlank(field.front()) || IsBlank(field.back()))) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool formats = [] {
        tolvar::FormatSettings().ShortDateFormat = "yyyy-mm-dd";
        tolvar::FormatSettings().DateSeparator = '-';
        return true;
    }();
    (void)formats;

    const std::string_view text(reinterpret_cast<const char*>(data), size);
    size_t total = 0;
    for (const std::string& line : tolvar::TextToLines(text)) {
        total += line.size();
        if (line.find_first_of("\r\n") != std::string::npos) __builtin_trap();
        const tolvar::TListLine parts = tolvar::SplitListLine(line);
        if (parts.Command.size() + parts.Argument.size() > line.size()) __builtin_trap();
        if (parts.Command != "FILE") continue;
        const tolvar::TFileFields f = tolvar::SplitFileFields(parts.Argument);
        for (const std::string* field : {&f.FileName, &f.Size, &f.Date}) CheckTrimmed(*field);
        try {
            tolvar::StrToInt(f.Size);
        } catch (const tolvar::Exception&) {
        }
        try {
            const tolvar::DateTime stamp =
                tolvar::CombineDateTime(tolvar::StrToDate(f.Date), tolvar::StrToTime(f.Time));
            if (const auto packed = tolvar::PackDosDateTime(stamp)) {
                // What packs unpacks again, to a time that packs the same.
                const auto back = tolvar::TryUnpackDosDateTime(*packed);
                if (!back || tolvar::PackDosDateTime(*back) != packed) __builtin_trap();
            }
        } catch (const tolvar::Exception&) {
        }
    }
    if (total > text.size()) __builtin_trap();
    return 0;
}
