#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <cstdint>
#include <optional>

#include "LayerWindow.h"
#include "LayeredImage.h"
#include "PlatformServices.h"
#include "base/Bitmap.h"
#include "skin/frame/LayerBorderModel.h"

namespace tolvar {

class TForm;
class TskSkinData;
class TskFormLayerBorder;

// The piece kinds, numbered as the piece windows know them.
enum class LayerPiece : int { Left = 0, Top = 1, Right = 2, Bottom = 3 };

// One piece of the soft border: a borderless, click-through, never activated layered window.
class TskFormLayerWindow {
public:
    TskFormLayerWindow(TskFormLayerBorder& border, TForm* form, LayerPiece kind, const Rect& at, bool clickThrough,
                       bool stayOnTop);
    HWND Handle() const { return window_.Get(); }
    LayerPiece Kind() const { return kind_; }

private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    TskFormLayerBorder& border_;
    TForm* form_;
    LayerPiece kind_;
    UniqueWindow window_;
};

// The soft border around the form: the skin's layer picture, translucent by its mask, cut into
// four pieces shown in four layered windows that follow the form. Recomposes only when the
// form's size or the look changes; a move just moves the windows.
class TskFormLayerBorder {
public:
    TskFormLayerBorder(TForm* form, const PlatformServices& platform);
    ~TskFormLayerBorder();

    // Takes the skin's layer frame; false (and nothing to show) without a usable one.
    bool Prepare(const TskSkinData* skin);
    bool Prepared() const { return prepared_; }
    void Show();
    void Update();
    void MoveTo(int32_t left, int32_t top);
    void MoveResizeTo(const Rect& form);
    void Hide();
    void ScaleOpacity(int32_t a, bool apply);
    void ApplyOpacity();
    void SetActiveLook(bool active, bool raise);
    void FadeIn();

    bool Shown() const { return shown_; }
    bool ActiveLook() const { return activeLook_; }
    // The constant opacity of the current look.
    uint8_t CurrentOpacity() const { return activeLook_ ? activeOpacity_ : inactiveOpacity_; }
    bool ClickThrough() const { return clickThrough_; }
    // How often pieces were composed (a move must not compose).
    int ComposeCount() const { return composeCount_; }
    HWND PieceWindow(LayerPiece kind) const;
    const LayerPieces& Pieces() const { return pieces_; }
    // Composed pieces for a form of the given size, without touching any window.
    LayerPieces ComposeFor(int32_t width, int32_t height) const;

private:
    Rect FormBounds() const;
    void ComposeAt(const Rect& form);
    void PlaceWindows(const Rect& form, bool apply, bool raise);
    const Bitmap& Source() const;

    TForm* form_;
    PlatformServices platform_;
    bool prepared_ = false;
    bool shown_ = false;
    bool activeLook_ = true;
    bool hasInactive_ = false;
    bool clickThrough_ = true;
    int32_t activeValue_ = 255, inactiveValue_ = 255;
    uint8_t activeOpacity_ = 255, inactiveOpacity_ = 255;
    LayerFrameInfo info_;
    Bitmap activeSource_, inactiveSource_;
    LayerPieces pieces_;
    std::optional<std::pair<Point, bool>> composedFor_;  // outer size and look of pieces_
    std::array<std::unique_ptr<TskFormLayerWindow>, 4> windows_;
    int composeCount_ = 0;
};

}  // namespace tolvar
