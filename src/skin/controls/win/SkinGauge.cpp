#include "SkinGauge.h"

#include "ComponentTimers.h"
#include "GdiTextRenderer.h"

namespace tolvar {

TskSkinGauge::TskSkinGauge(TComponent* owner)
    : TskSkinCustomControl(owner, [this](SkinControlHost& host) {
          return std::make_unique<SkinGaugeLogic>(host, std::make_unique<GdiTextRenderer>(),
                                                  std::make_unique<ComponentTimers>(this));
      }) {
    SetBounds(0, 0, 100, 20);
}

TskSkinGauge::~TskSkinGauge() {
    // The timers are components of the gauge: they go while it is whole.
    StopProgressAnimation();
}

void TskSkinGauge::EraseBackground(TMessage& m) {
    if (!InPaintMessage() && m.WParam) {
        TMessage paint{WM_PAINT, m.WParam, 0, 0};
        WMPaint(paint);
    }
    m.Result = 1;
}

}  // namespace tolvar
