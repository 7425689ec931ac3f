#include "SystemMenu.h"

#include "skin/data/ResourceStrData.h"

namespace tolvar {

std::vector<SystemMenuItem> SystemMenuItems(const SystemMenuState& s, const TskResourceStrData* strings) {
    const auto caption = [strings](const char* resource, const char* builtIn) {
        return strings ? strings->GetResStr(resource) : std::string(builtIn);
    };
    const bool normal = !s.Minimized && !s.Maximized;
    std::vector<SystemMenuItem> items;
    if (!s.Minimized && s.CanMinimize)
        items.push_back({"SKF_MINITEM", caption("MI_MINCAPTION", "Mi&nimize"), "", SystemMenuCommand::Minimize});
    if (!s.Maximized && s.CanMaximize)
        items.push_back({"SKF_MAXITEM", caption("MI_MAXCAPTION", "Ma&ximize"), "", SystemMenuCommand::Maximize});
    if (!normal || s.RolledUp)
        items.push_back({"SKF_RESTORE", caption("MI_RESTORECAPTION", "&Restore"), "", SystemMenuCommand::Restore});
    if (!s.MaximizedMdiChild && !s.RolledUp && !s.Minimized && s.CanRollUp)
        items.push_back({"SKF_ROLLUP", caption("MI_ROLLUPCAPTION", "Ro&llUp"), "", SystemMenuCommand::RollUp});
    if (s.CanMinimizeToTray)
        items.push_back({"SKF_MINTOTRAY", caption("MI_MINTOTRAYCAPTION", "Minimize to &Tray"), "",
                         SystemMenuCommand::MinimizeToTray});
    if (!items.empty()) items.push_back({"", "-", "", SystemMenuCommand::None});
    items.push_back({"SKF_CLOSE", caption("MI_CLOSECAPTION", "&Close"), s.MdiChild ? "Ctrl+F4" : "Alt+F4",
                     SystemMenuCommand::Close});
    return items;
}

}  // namespace tolvar
