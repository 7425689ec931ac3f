#include "ApplicationNoticeRoute.h"

#include <windows.h>

#include "app/Application.h"
#include "app/Form.h"
#include "skin/data/SkinNotices.h"

namespace tolvar {

namespace {

class ApplicationNoticeRoute : public TskSkinNoticeRoute {
public:
    std::vector<TComponent*> ApplicationWindows() override {
        std::vector<TComponent*> windows;
        for (TForm* form : Application()->Forms())
            if (form->HandleAllocated()) windows.push_back(form);
        return windows;
    }
    bool IsWindow(const TComponent* c) override { return dynamic_cast<const TForm*>(c) != nullptr; }
    void Send(TComponent* window, uint32_t code, TskSkinData* data, int32_t param) override {
        auto* form = dynamic_cast<TForm*>(window);
        // A window that does not exist yet has nothing to redraw; its controls read the skin
        // data when they are bound to it.
        if (!form || !form->HandleAllocated()) return;
        SendMessageA(form->Handle(), code, reinterpret_cast<WPARAM>(data), LPARAM(param));
    }
};

}  // namespace

void InstallApplicationSkinNoticeRoute() {
    static ApplicationNoticeRoute route;
    SetSkinNoticeRoute(&route);
}

}  // namespace tolvar
