#pragma once
// Stand-ins the skin engine's tests share: a skin packed from a description and pictures, text
// drawn as boxes whose metrics are known, and timers on a clock that moves only when told.
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Component.h"
#include "skin/controls/AnimationTimer.h"
#include "skin/controls/BitmapFill.h"
#include "skin/controls/TextRenderer.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPackage.h"
#include "skin/data/Streams.h"
#include "skin/data/ZlibStreams.h"

namespace tolvar::test {

// A package compressed as a stored skin carries it.
inline std::string CompressedPackage(const SkinPackage& p) {
    const std::string plain = WriteSkinPackage(p);
    TBytesStream source(plain);
    TMemoryStream packed;
    CompressStream(source, packed);
    return std::string(packed.Bytes());
}

// A skin data loaded from a package, as a stored skin would give it.
class TestSkin {
public:
    // A skin of control records (`controls`, sections of the description) over active pictures.
    explicit TestSkin(const std::string& controls, std::vector<Bitmap> pictures)
        : TestSkin(ControlsPackage(controls, std::move(pictures))) {}
    explicit TestSkin(const SkinPackage& p) {
        auto* stored = Own<TskCompressedStoredSkin>(&owner_);
        stored->ReadCompressedData(CompressedPackage(p));
        data_ = Own<TskSkinData>(&owner_);
        data_->SetCompressedStoredSkin(stored);
    }
    TskSkinData* Data() const { return data_; }
    TComponent& Owner() { return owner_; }

private:
    static SkinPackage ControlsPackage(const std::string& controls, std::vector<Bitmap> pictures) {
        SkinPackage p;
        p.activePictures = std::move(pictures);
        p.description = "[VERSION]\nskinname=test\n[PICTURES]\n[FORMINFO]\n[SKINOBJECTS]\ncount=0\n" + controls;
        return p;
    }

    TComponent owner_;
    TskSkinData* data_ = nullptr;
};

// Text as solid boxes: every character 6 pixels wide, the text as high as the font. A turned
// text's box stands upward from its starting point. Every call is recorded.
class BoxText : public TextRenderer {
public:
    static constexpr int32_t kCharWidth = 6;
    struct Call {
        TextFont font;
        Point at;
        std::string text;
    };
    std::vector<Call>* calls = nullptr;

    TextExtent Measure(const TextFont& font, std::string_view text) override {
        return {kCharWidth * int32_t(text.size()), font.Height};
    }
    void Draw(Bitmap& target, const TextFont& font, Point at, std::string_view text) override {
        if (calls) calls->push_back({font, at, std::string(text)});
        FillBitmapRect(target, Box(font, at, text), ColorToPixel(ResolveColor(font.Color)));
    }
    static Rect Box(const TextFont& font, Point at, std::string_view text) {
        const int32_t w = kCharWidth * int32_t(text.size()), h = font.Height;
        if (font.Escapement == 900) return {at.X, at.Y - w, at.X + h, at.Y};
        return {at.X, at.Y, at.X + w, at.Y + h};
    }
};

// Timers on a clock that only moves when the test says so. A tick comes every interval while
// enabled; enabling starts a fresh interval; ticks due at the same time come in creation order.
class FakeClock : public AnimationTimerFactory {
public:
    struct State {
        bool alive = true;
        bool enabled = false;
        uint32_t interval = 0;
        int64_t due = 0;
        int64_t serial = 0;
        std::function<void()> tick;
    };

    std::unique_ptr<AnimationTimer> CreateTimer(std::function<void()> onTick) override {
        auto state = std::make_shared<State>();
        state->tick = std::move(onTick);
        state->serial = ++created_;
        timers_.push_back(state);
        return std::make_unique<Timer>(*this, state);
    }

    int64_t Now() const { return now_; }
    int created() const { return int(created_); }
    int Alive() const {
        return int(std::count_if(timers_.begin(), timers_.end(), [](const auto& t) { return t->alive; }));
    }

    // Moves the clock on by `ms`, running every tick that falls due on the way, at its time.
    void Advance(int64_t ms) {
        const int64_t end = now_ + ms;
        for (;;) {
            std::shared_ptr<State> next;
            for (const auto& t : timers_)
                if (t->alive && t->enabled && t->interval > 0 && t->due <= end &&
                    (!next || t->due < next->due || (t->due == next->due && t->serial < next->serial)))
                    next = t;
            if (!next) break;
            now_ = next->due;
            const int64_t dueBefore = next->due;
            next->tick();
            // A tick that did not restart its timer leaves it to come round again.
            if (next->alive && next->enabled && next->due == dueBefore) next->due += next->interval;
        }
        now_ = end;
    }

private:
    class Timer : public AnimationTimer {
    public:
        Timer(FakeClock& clock, std::shared_ptr<State> s) : clock_(clock), s_(std::move(s)) {}
        ~Timer() override { s_->alive = false; }
        bool Enabled() const override { return s_->enabled; }
        void SetEnabled(bool enabled) override {
            if (enabled && !s_->enabled) s_->due = clock_.now_ + s_->interval;
            s_->enabled = enabled;
        }
        void SetInterval(uint32_t ms) override {
            if (ms == s_->interval) return;
            s_->interval = ms;
            s_->due = clock_.now_ + ms;
        }

    private:
        FakeClock& clock_;
        std::shared_ptr<State> s_;
    };

    int64_t now_ = 0;
    int64_t created_ = 0;
    std::vector<std::shared_ptr<State>> timers_;
};

}  // namespace tolvar::test
