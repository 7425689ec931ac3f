#pragma once
#include <cstdint>
#include <string>

namespace tolvar {

// The values a progress gauge shows, and the setter rules that decide them. Each setter says
// what the gauge must do about its picture: nothing, a deferred repaint (painted when the loop
// next handles paint requests) or a repaint at once.
//
// The bounds are not kept in order: MaxValue may go below MinValue, and the setters then decide
// Value by their own rules.
class TskGaugeValueModel {
public:
    enum class Repaint { None, Deferred, Immediate };

    int32_t MinValue() const { return min_; }
    int32_t MaxValue() const { return max_; }
    int32_t Value() const { return value_; }
    const std::string& ProgressText() const { return text_; }
    bool ShowProgressText() const { return showText_; }
    bool ShowPercent() const { return showPercent_; }

    Repaint SetValue(int32_t v);
    Repaint SetMinValue(int32_t v);
    Repaint SetMaxValue(int32_t v);
    Repaint SetProgressText(std::string text);
    Repaint SetShowProgressText(bool show);
    Repaint SetShowPercent(bool show);

private:
    int32_t min_ = 0;
    int32_t max_ = 100;
    int32_t value_ = 50;
    std::string text_;
    bool showText_ = false;
    bool showPercent_ = false;
};

}  // namespace tolvar
