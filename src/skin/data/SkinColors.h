#pragma once
#include "base/Geometry.h"
#include "skin/data/SkinDescription.h"

namespace tolvar {

// [SKINCOLORS]: eight named colours, each defaulting to a system colour. All are 0 until the
// skin data's first clear sets the defaults.
class SkinFieldVisitor;

class TskSkinColors {
public:
    static constexpr std::string_view kSection = "SKINCOLORS";
    void LoadFromIni(const SkinDescription& d);
    void SaveToIni(SkinDescription& d);
    void SetDefaults();

    Color cbtnface = 0;
    Color cbtntext = 0;
    Color cwindow = 0;
    Color cwindowtext = 0;
    Color chighlight = 0;
    Color chighlighttext = 0;
    Color cbtnhighlight = 0;
    Color cbtnshadow = 0;

    void VisitFields(SkinFieldVisitor& v);
};

}  // namespace tolvar
