#pragma once
#include <string>
#include <vector>

namespace tolvar {

class TskResourceStrData;

// What an item of the frame's system menu does.
enum class SystemMenuCommand { Minimize, Maximize, Restore, RollUp, MinimizeToTray, Close, None };

struct SystemMenuItem {
    std::string Name;      // "SKF_CLOSE" ...
    std::string Caption;   // with its & accelerator; "-" for a separator
    std::string ShortCut;  // "Alt+F4"
    SystemMenuCommand Command = SystemMenuCommand::None;
    friend bool operator==(const SystemMenuItem&, const SystemMenuItem&) = default;
};

// The state the items depend on.
struct SystemMenuState {
    bool Minimized = false;
    bool Maximized = false;
    bool RolledUp = false;
    bool MaximizedMdiChild = false;
    bool MdiChild = false;
    bool CanMinimize = false;  // the border icons
    bool CanMaximize = false;
    bool CanRollUp = false;
    bool CanMinimizeToTray = false;
};

// The built-in system menu for a state, in order; captions from the resource strings when given.
std::vector<SystemMenuItem> SystemMenuItems(const SystemMenuState& s, const TskResourceStrData* strings = nullptr);

}  // namespace tolvar
