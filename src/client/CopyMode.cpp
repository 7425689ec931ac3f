#include "CopyMode.h"

#include <windows.h>
#include <shellapi.h>

#include "LocalFiles.h"
#include "Paths.h"

namespace tolvar {

void RunCopyMode() {
    Sleep(1000);
    CopyFileA(InCurrentDir(kStagedClientName).c_str(), InCurrentDir(kClientName).c_str(), FALSE);
    ShellExecuteA(nullptr, "open", kClientName, nullptr, CurrentDir().c_str(), SW_SHOWNORMAL);
}

}  // namespace tolvar
