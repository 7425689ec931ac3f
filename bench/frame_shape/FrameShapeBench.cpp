// The window's shape and its soft border at the update window's size, 342 x 64, with the
// program's own skin: what a resize costs (mask strips and region rectangles; the four border
// pieces) and what a move costs (placing the pieces, nothing composed).
#include <benchmark/benchmark.h>

#include "base/Component.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/frame/FrameMask.h"
#include "skin/frame/LayerBorderModel.h"

using namespace tolvar;

namespace {

constexpr int32_t kWidth = 342, kHeight = 64;

struct Skin {
    TComponent owner;
    TskSkinData* data;
    Skin() {
        auto* stored = Own<TskCompressedStoredSkin>(&owner);
        stored->BuildFromDescription(std::string(TOLVAR_SKIN_DIR) + "/skin.ini");
        data = Own<TskSkinData>(&owner);
        data->SetCompressedStoredSkin(stored);
    }
};

const Skin& ProgramSkin() {
    static const Skin skin;
    return skin;
}

void MaskStripsAndRegion(benchmark::State& state) {
    const TskSkinData& s = *ProgramSkin().data;
    const FrameSkinInfo info = FrameSkinInfo::From(s);
    const FrameGeometry g = ComputeFrameGeometry(info, kWidth, kHeight);
    for (auto _ : state) {
        const FrameMask mask = ComposeFrameMask(info, g, s.MaskPicture, kWidth);
        std::vector<Rect> rects = mask.RegionRects();
        benchmark::DoNotOptimize(rects.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(MaskStripsAndRegion);

struct Layer {
    const TskSkinData& s = *ProgramSkin().data;
    const Bitmap& picture = *s.ActivePicture(s.LayerFrame.pictureindex);
    LayerFrameInfo info = LayerFrameInfo::From(s.LayerFrame, picture);
    Bitmap source = AlphaFromMask(picture, *s.ActivePicture(s.LayerFrame.maskpictureindex));
};

void BorderPieces(benchmark::State& state) {
    const Layer l;
    const Rect outer = LayerOuterRect(l.info, {100, 100, 100 + kWidth, 100 + kHeight});
    for (auto _ : state) {
        LayerPieces pieces = ComposeLayerPieces(l.info, l.source, RectWidth(outer), RectHeight(outer));
        benchmark::DoNotOptimize(pieces.Top.Data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BorderPieces);

void BorderPlacesAfterAMove(benchmark::State& state) {
    const Layer l;
    const LayerPieces pieces = ComposeLayerPieces(l.info, l.source, kWidth + 50, kHeight + 47);
    int32_t x = 0;
    for (auto _ : state) {
        x = (x + 7) & 1023;
        LayerPlaces places = PlaceLayerPieces(LayerOuterRect(l.info, {x, 100, x + kWidth, 100 + kHeight}), pieces);
        benchmark::DoNotOptimize(places);
    }
}
BENCHMARK(BorderPlacesAfterAMove);

void SourceImageFromMask(benchmark::State& state) {
    const Layer l;
    const Bitmap& mask = *l.s.ActivePicture(l.s.LayerFrame.maskpictureindex);
    for (auto _ : state) {
        Bitmap b = AlphaFromMask(l.picture, mask);
        benchmark::DoNotOptimize(b.Data());
    }
}
BENCHMARK(SourceImageFromMask);

}  // namespace
