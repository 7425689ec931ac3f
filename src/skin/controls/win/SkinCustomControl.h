#pragma once
#include "SkinControl.h"
#include "skin/controls/SkinCustomControlLogic.h"

namespace tolvar {

// A skinned control with a default font and size for its unskinned look, its size fitted to
// the skin, the composed skin image, and a window shaped by the record's mask picture.
class TskSkinCustomControl : public TskSkinControl {
public:
    explicit TskSkinCustomControl(TComponent* owner);
    std::string_view ClassName() const override { return "TskSkinCustomControl"; }

    const TextFont& DefaultFont() const { return CustomLogic().DefaultFont(); }
    void SetDefaultFont(const TextFont& font) { CustomLogic().SetDefaultFont(font); }
    int32_t DefaultWidth() const { return CustomLogic().DefaultWidth(); }
    void SetDefaultWidth(int32_t width) { CustomLogic().SetDefaultWidth(width); }
    int32_t DefaultHeight() const { return CustomLogic().DefaultHeight(); }
    void SetDefaultHeight(int32_t height) { CustomLogic().SetDefaultHeight(height); }
    bool UseSkinFont() const { return CustomLogic().UseSkinFont(); }
    void SetUseSkinFont(bool use) { CustomLogic().SetUseSkinFont(use); }

    // Fits a requested size to the skin in place.
    void FitSize(int32_t& width, int32_t& height) { CustomLogic().FitSize(width, height); }
    // Applies or removes the shape the mask picture gives the control at its size.
    void UpdateRegion() override;
    // The region the window has from this control, or none. The window owns it.
    HRGN WindowRegion() const { return windowRegion_; }

protected:
    TskSkinCustomControl(TComponent* owner, const LogicFactory& makeLogic);
    SkinCustomControlLogic& CustomLogic() const { return static_cast<SkinCustomControlLogic&>(Logic()); }
    void CreateWnd() override;

private:
    HRGN windowRegion_ = nullptr;
};

}  // namespace tolvar
