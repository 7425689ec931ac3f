// A stand-in for the host program of the service, for the demo: it shows the command line the
// update client started it with, field by field, and writes it beside itself to
// host-command-line.txt. It closes on a click, a key, or after a minute.
#include <windows.h>

#include <string>
#include <vector>

#include "app/Application.h"
#include "app/Form.h"
#include "app/Handles.h"
#include "app/ProgramArguments.h"
#include "app/Timer.h"

using namespace tolvar;

namespace {

const char* const kFieldNames[] = {"day code",       "placeholder",       "mode",         "company code",
                                   "domain address", "domain port",       "main address", "main port",
                                   "company name",   "company telephone", "home page"};

std::vector<std::string> Words(const std::string& s) {
    // Split at single spaces, as the client joined them: two spaces in a row mean an empty field.
    std::vector<std::string> words(1);
    for (char c : s) {
        if (c == ' ') words.emplace_back();
        else words.back() += c;
    }
    return words;
}

class THostWindow : public TForm {
public:
    explicit THostWindow(TComponent* owner) : TForm(owner), args_(ArgumentsAfterProgramName()) {
        SetCaption("Tolvar Service host (demo)");
        SetBorderStyle(TFormBorderStyle::bsSingle);
        SetBorderIcons(biSystemMenu);
        SetPosition(TPosition::poScreenCenter);
        SetClientSize(460, 60 + 20 * 12);
        closer_ = Own<TTimer>(this);
        closer_->SetInterval(60000);
        closer_->SetOnTimer([this](TComponent*) { Close(); });
        WriteRecord();
    }
    std::string_view ClassName() const override { return "TDemoHostWindow"; }

protected:
    void Paint() override {
        HDC dc = Canvas().Handle();
        RECT all{0, 0, ClientWidth(), ClientHeight()};
        UniqueGdiObject background(CreateSolidBrush(RGB(250, 250, 252)));
        FillRect(dc, &all, static_cast<HBRUSH>(background.Get()));
        UniqueFont title(
            CreateFontA(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, "Tahoma"));
        UniqueFont body(
            CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, "Tahoma"));
        SetBkMode(dc, TRANSPARENT);
        {
            SelectGuard f(dc, title.Get());
            SetTextColor(dc, RGB(30, 60, 110));
            RECT r{16, 12, ClientWidth() - 16, 36};
            DrawTextA(dc, "Started by the update client with:", -1, &r, DT_LEFT | DT_SINGLELINE);
        }
        SelectGuard f(dc, body.Get());
        const std::vector<std::string> words = Words(args_);
        int y = 44;
        for (size_t i = 0; i < words.size(); ++i, y += 20) {
            const std::string name = i < std::size(kFieldNames) ? kFieldNames[i] : "extra word";
            RECT left{16, y, 170, y + 20}, right{176, y, ClientWidth() - 16, y + 20};
            SetTextColor(dc, RGB(110, 110, 120));
            DrawTextA(dc, (std::to_string(i + 1) + ". " + name).c_str(), -1, &left, DT_LEFT | DT_SINGLELINE);
            SetTextColor(dc, RGB(20, 20, 20));
            const std::string shown = words[i].empty() ? "(empty)" : words[i];
            DrawTextA(dc, shown.c_str(), -1, &right, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
        }
    }
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_LBUTTONUP || m.Msg == WM_KEYDOWN) {
            Close();
            return;
        }
        TForm::WndProc(m);
    }

private:
    void WriteRecord() const {
        char exe[MAX_PATH];
        GetModuleFileNameA(nullptr, exe, MAX_PATH);
        std::string path = exe;
        path = path.substr(0, path.find_last_of('\\') + 1) + "host-command-line.txt";
        UniqueFile file(
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return;
        const std::string line = args_ + "\r\n";
        DWORD written;
        WriteFile(file.Get(), line.data(), DWORD(line.size()), &written, nullptr);
    }

    std::string args_;
    TTimer* closer_ = nullptr;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    TApplication* app = Application();
    app->SetTitle("TolvarHost");
    app->CreateForm<THostWindow>();
    app->Run();
    DestroyApplication();
    return 0;
}
