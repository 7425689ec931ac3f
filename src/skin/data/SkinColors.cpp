#include "SkinColors.h"

#include "skin/data/SkinFieldVisitor.h"

namespace tolvar {

void TskSkinColors::VisitFields(SkinFieldVisitor& v) {
    v.Field("cbtnface", cbtnface, SystemColor(COLOR_INDEX_BTNFACE));
    v.Field("cbtntext", cbtntext, SystemColor(COLOR_INDEX_BTNTEXT));
    v.Field("cwindow", cwindow, SystemColor(COLOR_INDEX_WINDOW));
    v.Field("cwindowtext", cwindowtext, SystemColor(COLOR_INDEX_WINDOWTEXT));
    v.Field("chighlight", chighlight, SystemColor(COLOR_INDEX_HIGHLIGHT));
    v.Field("chighlighttext", chighlighttext, SystemColor(COLOR_INDEX_HIGHLIGHTTEXT));
    v.Field("cbtnhighlight", cbtnhighlight, SystemColor(COLOR_INDEX_BTNHIGHLIGHT));
    v.Field("cbtnshadow", cbtnshadow, SystemColor(COLOR_INDEX_BTNSHADOW));
}

void TskSkinColors::LoadFromIni(const SkinDescription& d) { LoadFields(*this, d, kSection); }
void TskSkinColors::SaveToIni(SkinDescription& d) { SaveFields(*this, d, kSection); }

void TskSkinColors::SetDefaults() {
    // Loading from an empty description gives every key its default.
    LoadFromIni(SkinDescription());
}

}  // namespace tolvar
