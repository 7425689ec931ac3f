#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "base/Component.h"

namespace tolvar {

class TForm;

// The application object: its title, its forms, the event loop and the general error report.
// There is one per process (see Application()).
class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;
    std::string_view ClassName() const override { return "TApplication"; }

    HINSTANCE Instance() const { return instance_; }

    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

    // Makes a form owned by the application; the first one made becomes the main form. Its
    // OnCreate runs once it is whole, so that no form has to remember to run it.
    template <class T, class... Args>
    T* CreateForm(Args&&... args) {
        T* form = Own<T>(this, std::forward<Args>(args)...);
        if (!mainForm_) mainForm_ = form;
        form->DoCreate();
        return form;
    }
    TForm* MainForm() const { return mainForm_; }

    // The application's open forms, in the order they were made.
    const std::vector<TForm*>& Forms() const { return forms_; }
    void AddForm(TForm* form);
    void RemoveForm(TForm* form);

    // Shows the main form and runs the event loop until the application is terminated. When
    // the main form's window cannot be made, the error goes to the report and Run returns.
    void Run();
    // Handles every pending message, then returns. A quit request ends the loop.
    void ProcessMessages();
    // Waits for one message and handles it (or returns when the application is terminated).
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return terminated_; }

    // The general error report: every error that escapes an event handler comes here.
    // With OnException set, that handler gets it instead of the message box.
    void HandleException(const std::exception& e);
    void ShowException(const std::exception& e);
    std::function<void(const std::exception&)> OnException;

    // Modal message boxes of the program. Tests may take them over (they must not block).
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);
    int MessageBoxW(const std::wstring& text, const std::wstring& caption, UINT flags);
    std::function<int(const std::wstring& text, const std::wstring& caption, UINT flags)> OnMessageBox;

    // The hidden window that carries the timers' messages.
    HWND UtilityWindow();

private:
    bool ProcessMessage();
    // Key messages go to the shortcut handler of the form they are for before any window.
    bool IsShortCutMessage(const MSG& msg);

    HINSTANCE instance_;
    std::string title_;
    TForm* mainForm_ = nullptr;
    std::vector<TForm*> forms_;
    bool terminated_ = false;
    HWND utility_ = nullptr;
};

// The process's application object, made by the first call.
TApplication* Application();
// Ends it (frees the forms); for tests that run several applications one after another.
void DestroyApplication();

// The report text: the message with "." appended unless its last character sorts at or
// before ".".
std::string ErrorReportText(const std::string& message);

}  // namespace tolvar
