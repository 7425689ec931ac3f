#include "CopyMode.h"

#include <windows.h>
#include <shellapi.h>

#include "LocalFiles.h"
#include "Paths.h"

namespace tolvar {

void RunCopyMode() {
    Sleep(1000);
    const std::string dir = CurrentDir();
    CopyFileA((dir + "\\" + kStagedClientName).c_str(), (dir + "\\" + kClientName).c_str(), FALSE);
    ShellExecuteA(nullptr, "open", kClientName, nullptr, dir.c_str(), SW_SHOWNORMAL);
}

}  // namespace tolvar
