#include "SkinGauge.h"

namespace tolvar {

TskSkinGauge::TskSkinGauge(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 100, 20); }

void TskSkinGauge::Apply(TskGaugeValueModel::Repaint r) {
    switch (r) {
    case TskGaugeValueModel::Repaint::None: break;
    case TskGaugeValueModel::Repaint::Deferred: Invalidate(); break;
    case TskGaugeValueModel::Repaint::Immediate: Repaint(); break;
    }
}

void TskSkinGauge::Paint() { Canvas().FillRect({0, 0, Width(), Height()}, SystemColor(COLOR_INDEX_BTNFACE)); }

}  // namespace tolvar
