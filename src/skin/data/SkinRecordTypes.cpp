#include "SkinRecordTypes.h"

#include "skin/data/SkinValues.h"

namespace tolvar {

std::unique_ptr<TskDataSkinObject> CreateObjectRecord(std::string_view type, std::string name) {
    if (type == "userobject") return std::make_unique<TskDataUserObject>(std::move(name));
    if (type == "animate") return std::make_unique<TskDataSkinAnimate>(std::move(name));
    if (type == "caption") return std::make_unique<TskDataSkinCaption>(std::move(name));
    if (type == "menuitem") return std::make_unique<TskDataSkinMenuItem>(std::move(name));
    if (type == "mainmenubaritem") return std::make_unique<TskDataSkinMainMenuBarItem>(std::move(name));
    if (type == "button") return std::make_unique<TskDataSkinButton>(std::move(name));
    if (type == "stdbutton") return std::make_unique<TskDataSkinStdButton>(std::move(name));
    if (type == "mainmenubarbutton") return std::make_unique<TskDataSkinMainMenuBarButton>(std::move(name));
    return nullptr;
}

std::unique_ptr<TskDataSkinControl> CreateControlRecord(std::string_view type, std::string name) {
    if (type == "gauge") return std::make_unique<TskDataSkinGaugeControl>(std::move(name));
    if (type == "button") return std::make_unique<TskDataSkinButtonControl>(std::move(name));
    if (type == "menubutton") return std::make_unique<TskDataSkinMenuButtonControl>(std::move(name));
    if (type == "listbox") return std::make_unique<TskDataSkinListBox>(std::move(name));
    if (type == "checklistbox") return std::make_unique<TskDataSkinCheckListBox>(std::move(name));
    if (type == "edit") return std::make_unique<TskDataSkinEditControl>(std::move(name));
    if (type == "memo") return std::make_unique<TskDataSkinMemoControl>(std::move(name));
    if (type == "appmenu") return std::make_unique<TskDataSkinAppMenu>(std::move(name));
    if (type == "controlbar") return std::make_unique<TskDataSkinControlBar>(std::move(name));
    if (type == "updown") return std::make_unique<TskDataSkinUpDownControl>(std::move(name));
    if (type == "combobox") return std::make_unique<TskDataSkinComboBox>(std::move(name));
    if (type == "scrollbar") return std::make_unique<TskDataSkinScrollBarControl>(std::move(name));
    if (type == "spinedit") return std::make_unique<TskDataSkinSpinEditControl>(std::move(name));
    if (type == "label") return std::make_unique<TskDataSkinLabelControl>(std::move(name));
    if (type == "splitter") return std::make_unique<TskDataSkinSplitterControl>(std::move(name));
    if (type == "trackbar") return std::make_unique<TskDataSkinTrackBarControl>(std::move(name));
    if (type == "checkradio") return std::make_unique<TskDataSkinCheckRadioControl>(std::move(name));
    if (type == "scrollbox") return std::make_unique<TskDataSkinScrollBoxControl>(std::move(name));
    if (type == "panel") return std::make_unique<TskDataSkinPanelControl>(std::move(name));
    if (type == "expanel") return std::make_unique<TskDataSkinExPanelControl>(std::move(name));
    if (type == "bevel") return std::make_unique<TskDataSkinBevel>(std::move(name));
    if (type == "treeview") return std::make_unique<TskDataSkinTreeView>(std::move(name));
    if (type == "slider") return std::make_unique<TskDataSkinSlider>(std::move(name));
    if (type == "listview") return std::make_unique<TskDataSkinListView>(std::move(name));
    if (type == "richedit") return std::make_unique<TskDataSkinRichEdit>(std::move(name));
    if (type == "mainmenubar") return std::make_unique<TskDataSkinMainMenuBar>(std::move(name));
    if (type == "tab") return std::make_unique<TskDataSkinTabControl>(std::move(name));
    if (type == "grid") return std::make_unique<TskDataSkinGridControl>(std::move(name));
    if (type == "stdlabel") return std::make_unique<TskDataSkinStdLabelControl>(std::move(name));
    return nullptr;
}

// ---- the loading rules beyond plain key reading

namespace {

// A restore hint the skin leaves out follows from the button's own hint and command.
void DefaultRestoreHint(std::string& restorehint, const std::string& hint, ButtonCommand command) {
    if (!restorehint.empty()) return;
    if ((hint == "Maximize" && command == cmMaximize) || (hint == "Minimize" && command == cmMinimize) ||
        ((hint == "RollUp" || hint == "Roll Up") && command == cmRollUp))
        restorehint = "Restore";
}

}  // namespace

void TskDataSkinStdButton::LoadFromIni(const SkinDescription& d) {
    TskDataSkinButton::LoadFromIni(d);
    DefaultRestoreHint(restorehint, hint, command);
}

void TskDataSkinAnimate::LoadFromIni(const SkinDescription& d) {
    TskDataSkinObject::LoadFromIni(d);
    morphing = false;  // animated objects show frames, never a cross-fade
    DefaultRestoreHint(restorehint, hint, command);
}

void TskDataUserObject::LoadFromIni(const SkinDescription& d) {
    // The application draws user objects: only their place comes from the skin.
    skinrect = ReadRect(d, IDName, "skinrect");
}

void TskDataSkinUpDownControl::LoadFromIni(const SkinDescription& d) {
    TskDataSkinCustomControl::LoadFromIni(d);
    // Up-down buttons are drawn whole: their piece is never split.
    lefttoppoint = righttoppoint = leftbottompoint = rightbottompoint = Point{};
    clientrect = Rect{};
}

void TskDataSkinMenuItem::LoadFromIni(const SkinDescription& d) {
    TskDataSkinObject::LoadFromIni(d);
    if (IsEmptyRect(activecheckimagerect)) activecheckimagerect = checkimagerect;
    if (IsEmptyRect(activeradioimagerect)) activeradioimagerect = radioimagerect;
    if (IsEmptyRect(activearrowimagerect)) activearrowimagerect = arrowimagerect;
}

}  // namespace tolvar
