#include "SkinNotices.h"

namespace tolvar {

namespace {
TskSkinNoticeRoute* g_route = nullptr;
}

void SetSkinNoticeRoute(TskSkinNoticeRoute* route) { g_route = route; }
TskSkinNoticeRoute* SkinNoticeRoute() { return g_route; }

}  // namespace tolvar
