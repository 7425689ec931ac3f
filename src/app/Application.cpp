#include "Application.h"

#include <memory>

#include "CodePageText.h"
#include "Form.h"
#include "Timer.h"

namespace tolvar {

namespace {
std::unique_ptr<TApplication> g_application;

LRESULT CALLBACK UtilityWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
        try {
            TTimer::Dispatch(static_cast<UINT_PTR>(wParam));
        } catch (const std::exception& e) {
            Application()->HandleException(e);
        } catch (...) {
            Application()->HandleException(std::runtime_error("Unknown error"));
        }
        return 0;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}
}  // namespace

TApplication* Application() {
    if (!g_application) g_application = std::make_unique<TApplication>();
    return g_application.get();
}

void DestroyApplication() { g_application.reset(); }

std::string ErrorReportText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
        return message + ".";
    return message;
}

TApplication::TApplication() : instance_(GetModuleHandleA(nullptr)) {}

TApplication::~TApplication() {
    // The forms go first, while the application they report to is still whole.
    DestroyComponents();
    if (utility_) DestroyWindow(utility_);
}

HWND TApplication::UtilityWindow() {
    if (!utility_) {
        static const char* kClass = "TolvarUtilityWindow";
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = UtilityWindowProc;
        wc.hInstance = instance_;
        wc.lpszClassName = kClass;
        RegisterClassExA(&wc);  // fails harmlessly when already registered
        utility_ = CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, nullptr);
    }
    return utility_;
}

void TApplication::AddForm(TForm* form) { forms_.push_back(form); }

void TApplication::RemoveForm(TForm* form) {
    std::erase(forms_, form);
    if (mainForm_ == form) mainForm_ = nullptr;
}

bool TApplication::ProcessMessage() {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    if (IsShortCutMessage(msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

bool TApplication::IsShortCutMessage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(GetAncestor(msg.hwnd, GA_ROOT)));
    if (!form) return false;
    TWMKey key{msg.message, WORD(msg.wParam), msg.lParam};
    return form->IsShortCut(key);
}

void TApplication::ProcessMessages() {
    while (!terminated_ && ProcessMessage()) {
    }
}

void TApplication::HandleMessage() {
    if (!ProcessMessage() && !terminated_) WaitMessage();
}

void TApplication::Run() {
    // Without a main form (its creation failed and was reported) there is nothing to run.
    if (!mainForm_) return;
    // Its window is made only now. A window that cannot be made (the system refuses it, as a
    // desktop still winding down may) goes to the error report like every other error, and
    // with no window to close there is no loop to run.
    try {
        mainForm_->Show();
    } catch (const std::exception& e) {
        HandleException(e);
        return;
    }
    while (!terminated_) HandleMessage();
}

void TApplication::Terminate() {
    if (!terminated_) PostQuitMessage(0);
}

void TApplication::HandleException(const std::exception& e) {
    if (OnException) OnException(e);
    else ShowException(e);
}

void TApplication::ShowException(const std::exception& e) {
    MessageBox(ErrorReportText(e.what()), title_, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    return MessageBoxW(AnsiToWide(text), AnsiToWide(caption), flags);
}

int TApplication::MessageBoxW(const std::wstring& text, const std::wstring& caption, UINT flags) {
    if (OnMessageBox) return OnMessageBox(text, caption, flags);
    HWND owner = GetActiveWindow();
    return ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

}  // namespace tolvar
