// The program's entry: "copy" as the first argument selects copy mode; anything else runs the
// update window and its one pass.
#include <windows.h>

#include <cstdlib>

#include "CommandLine.h"
#include "CopyMode.h"
#include "DownLoad.h"
#include "app/Application.h"
#include "app/SystemColors.h"
#include "base/Bitmap.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace tolvar;
    std::vector<std::string> args;
    for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);
    SetProgramArguments(std::move(args));

    if (ParamStr(1) == "copy") {
        RunCopyMode();
        return 0;
    }

    SetSystemColorResolver(PlatformSystemColor);
    TApplication* app = Application();
    app->SetTitle("TolvarClient");
    try {
        app->CreateForm<TfmDownloading>();
    } catch (const std::exception& e) {
        app->HandleException(e);
    }
    app->Run();
    DestroyApplication();
    return 0;
}
