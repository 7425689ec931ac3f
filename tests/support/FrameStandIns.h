#pragma once
// Stand-ins for the skinned frame's tests: the program's own skin, and a window made of plain
// values that records what the frame asks of it.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "HostPaths.h"
#include "SkinStandIns.h"
#include "base/Component.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/frame/SkinFrameHost.h"

namespace tolvar::test {

// The program's skin folder as the running test reaches it (under Wine through drive Z:).
inline std::string ProgramSkinDir() { return LocalPath(TOLVAR_SKIN_DIR); }

// The skin the program carries, built from resources/skin as the build embeds it.
class ProgramSkin {
public:
    explicit ProgramSkin(const std::string& skinDir) {
        auto* stored = Own<TskCompressedStoredSkin>(&owner_);
        stored->BuildFromDescription(skinDir + "/skin.ini");
        data_ = Own<TskSkinData>(&owner_);
        data_->SetCompressedStoredSkin(stored);
    }
    TskSkinData* Data() const { return data_; }

private:
    TComponent owner_;
    TskSkinData* data_ = nullptr;
};

// A window of plain values. Frame paints, captures, closes and menus are recorded.
class FakeFrameHost : public SkinFrameHost {
public:
    int32_t Width = 342, Height = 64;
    Point Origin{100, 200};
    bool Active = true;
    bool Shown = true;
    std::string Text_ = "Update Checking...";
    FrameWindowState State = FrameWindowState::Normal;
    bool Sizeable = false, Tool = false, NoBorder = false, MainForm = true;
    Bitmap Icon{16, 16, MakePixel(1, 2, 3)};
    std::optional<Point> Cursor;  // screen point, while over the window
    std::vector<std::optional<Rect>> Paints;
    std::vector<bool> Captures;
    int Closes = 0;
    std::vector<std::vector<SystemMenuItem>> Menus;
    std::vector<Point> MenuPoints;
    std::optional<SystemMenuCommand> MenuAnswer;
    int Glows = 0, GlowsHidden = 0;
    std::vector<std::optional<std::vector<Rect>>> Regions;
    int FormRepaints = 0, ChildrenTold = 0;
    std::optional<TskBorderIcons> FormIcons;
    BoxText Boxes;

    int32_t WindowWidth() const override { return Width; }
    int32_t WindowHeight() const override { return Height; }
    Point WindowOrigin() const override { return Origin; }
    bool FormActive() const override { return Active; }
    bool Visible() const override { return Shown; }
    std::string Caption() const override { return Text_; }
    FrameWindowState WindowState() const override { return State; }
    bool IsMainForm() const override { return MainForm; }
    bool SizeableBorder() const override { return Sizeable; }
    bool ToolWindowBorder() const override { return Tool; }
    bool Borderless() const override { return NoBorder; }
    const Bitmap& SmallIcon() override { return Icon; }
    Point SmallIconSize() const override { return {16, 16}; }
    std::optional<Point> CursorOverWindow() const override { return Cursor; }
    void PaintFrameNow(const std::optional<Rect>& part) override { Paints.push_back(part); }
    void RepaintForm() override { ++FormRepaints; }
    void TellChildrenParentChanged() override { ++ChildrenTold; }
    void SetFormBorderIcons(TskBorderIcons icons) override { FormIcons = icons; }
    void SetWindowBounds(int32_t left, int32_t top, int32_t width, int32_t height) override {
        Origin = {left, top};
        Width = width;
        Height = height;
    }
    void SetMouseCapture(bool on) override { Captures.push_back(on); }
    void Close() override { ++Closes; }
    void SetWindowState(FrameWindowState s) override { State = s; }
    std::optional<SystemMenuCommand> PopupMenu(const std::vector<SystemMenuItem>& items, Point at) override {
        Menus.push_back(items);
        MenuPoints.push_back(at);
        return MenuAnswer;
    }
    void ApplyWindowRegion(const std::optional<std::vector<Rect>>& rects) override { Regions.push_back(rects); }
    void ShowGlow(TskActiveSkinObject&) override { ++Glows; }
    void HideGlows() override { ++GlowsHidden; }
    TextRenderer& Text() override { return Boxes; }
};

}  // namespace tolvar::test
