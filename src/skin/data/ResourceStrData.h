#pragma once
#include <string>
#include <string_view>

#include "base/Component.h"
#include "base/Text.h"

namespace tolvar {

// Texts for menus, hints and the skinned dialogs, as NAME=text lines, filled with the
// defaults on creation.
class TskResourceStrData : public TComponent {
public:
    explicit TskResourceStrData(TComponent* owner = nullptr);
    std::string_view ClassName() const override { return "TskResourceStrData"; }

    TextLines ResStrings;
    int CharSet = 1;

    // The text after the first "=" of the line whose name matches without regard to case;
    // empty when no line has the name.
    std::string GetResStr(std::string_view name) const { return ValueOf(ResStrings, name); }

    static const TextLines& DefaultStrings();
};

}  // namespace tolvar
