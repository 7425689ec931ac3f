#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "LoadPackage.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinRecordTypes.h"

namespace {

// A record saved, loaded again and saved again writes the same text.
template <class Record, class Create>
void CheckRoundTrip(Record& record, Create create, std::string_view type) {
    tolvar::SkinDescription first;
    record.SaveToIni(first);
    auto again = create(type, record.IDName);
    again->LoadFromIni(first);
    tolvar::SkinDescription second;
    again->SaveToIni(second);
    if (first.ToLines() != second.ToLines()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // Version 3, no fixed pictures, no active pictures, then the description.
    std::string package("\3\0\0\0\1\1\1\0\0\0\0", 11);
    package.append(text);
    LoadInflatedPackage(package);

    // Record classes read the first sections as if named after them.
    const tolvar::SkinDescription d = tolvar::SkinDescription::FromText(text);
    size_t sections = 0;
    for (const auto& section : d.Sections()) {
        if (++sections > 3) break;
        for (std::string_view type : {"caption", "stdbutton", "menuitem"}) {
            auto object = tolvar::CreateObjectRecord(type, section.name);
            try {
                object->LoadFromIni(d);
            } catch (const tolvar::Exception&) {
                continue;
            }
            CheckRoundTrip(*object, tolvar::CreateObjectRecord, type);
        }
        for (std::string_view type : {"gauge", "tab"}) {
            auto control = tolvar::CreateControlRecord(type, section.name);
            try {
                control->LoadFromIni(d);
            } catch (const tolvar::Exception&) {
                continue;
            }
            CheckRoundTrip(*control, tolvar::CreateControlRecord, type);
        }
    }
    return 0;
}
