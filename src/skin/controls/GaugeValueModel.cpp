#include "GaugeValueModel.h"

namespace tolvar {

using Repaint = TskGaugeValueModel::Repaint;

Repaint TskGaugeValueModel::SetValue(int32_t v) {
    // The upper bound is tested first: with MaxValue below MinValue a value under both ends at
    // MinValue, above MaxValue.
    const int32_t next = v > max_ ? max_ : (v < min_ ? min_ : v);
    if (next == value_) return Repaint::None;
    value_ = next;
    return Repaint::Deferred;
}

Repaint TskGaugeValueModel::SetMinValue(int32_t v) {
    min_ = v;
    if (value_ < v) value_ = v;
    return Repaint::Immediate;
}

Repaint TskGaugeValueModel::SetMaxValue(int32_t v) {
    max_ = v;
    if (v < value_) value_ = v;
    return Repaint::Immediate;
}

Repaint TskGaugeValueModel::SetProgressText(std::string text) {
    text_ = std::move(text);
    return Repaint::Immediate;
}

Repaint TskGaugeValueModel::SetShowProgressText(bool show) {
    showText_ = show;
    return Repaint::Immediate;
}

Repaint TskGaugeValueModel::SetShowPercent(bool show) {
    showPercent_ = show;
    return Repaint::Immediate;
}

}  // namespace tolvar
