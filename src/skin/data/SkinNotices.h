#pragma once
#include <cstdint>
#include <vector>

namespace tolvar {

class TComponent;
class TskSkinData;

// The notices a skin data sends to the application's windows, as private window message
// numbers. Each goes with the skin data as first parameter and kSkinNoticeParam as second.
enum SkinNotice : uint32_t {
    BeforeChangeSkinData = 1225,    // a load starts; receivers still see the old skin
    ChangeSkinData = 1226,          // the new skin is complete
    AfterChangeSkinData = 1227,     // the change is over
    ResourceStrDataChanged = 1274,  // another resource-string component
    SkinnableFormChanged = 1294,
    LayeredBordersChanged = 1427,
    AeroBlurChanged = 1428,
};
constexpr int32_t kSkinNoticeParam = 1000;

// How notices reach the windows: the application framework installs one; the skin data
// decides the order and the parameters. Without one, notices go nowhere.
class TskSkinNoticeRoute {
public:
    virtual ~TskSkinNoticeRoute() = default;
    // The open windows, in the order of the application's window list.
    virtual std::vector<TComponent*> ApplicationWindows() = 0;
    // Is this component a window (form)?
    virtual bool IsWindow(const TComponent* c) = 0;
    // Delivers one notice synchronously: the window has handled it when this returns.
    virtual void Send(TComponent* window, uint32_t code, TskSkinData* data, int32_t param) = 0;
};

void SetSkinNoticeRoute(TskSkinNoticeRoute* route);
TskSkinNoticeRoute* SkinNoticeRoute();

}  // namespace tolvar
