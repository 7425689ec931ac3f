#pragma once
#include "Canvas.h"
#include "WinControl.h"

namespace tolvar {

// A windowed control that paints itself: Paint runs with Canvas set to the paint's device
// context.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner) : TWinControl(owner) {}
    std::string_view ClassName() const override { return "TCustomControl"; }
    TCanvas& Canvas() { return canvas_; }

protected:
    virtual void Paint() {}
    void WndProc(TMessage& message) override;
    // The paint message: BeginPaint, Paint, EndPaint (or painting into the given device
    // context when the message carries one).
    virtual void WMPaint(TMessage& message);
    // Paint with the canvas on `dc`.
    void PaintTo(HDC dc);

private:
    TCanvas canvas_;
};

}  // namespace tolvar
