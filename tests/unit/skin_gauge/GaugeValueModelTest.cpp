#include <gtest/gtest.h>

#include "skin/controls/GaugeValueModel.h"

using namespace tolvar;
using Repaint = TskGaugeValueModel::Repaint;

namespace {

// One step of a scenario: which property is set to what, and what must follow.
struct Step {
    enum Prop { Value, Min, Max } prop;
    int32_t set;
    int32_t expectValue;
    Repaint expectRepaint;
};

void RunSteps(const std::vector<Step>& steps, int32_t startValue = 0) {
    TskGaugeValueModel g;
    g.SetValue(startValue);
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        Repaint r = s.prop == Step::Value ? g.SetValue(s.set)
                    : s.prop == Step::Min ? g.SetMinValue(s.set)
                                          : g.SetMaxValue(s.set);
        EXPECT_EQ(g.Value(), s.expectValue) << "step " << i;
        EXPECT_EQ(r, s.expectRepaint) << "step " << i;
    }
}

}  // namespace

TEST(GaugeValueModel, StartsWithTheCreationValues) {
    TskGaugeValueModel g;
    EXPECT_EQ(g.MinValue(), 0);
    EXPECT_EQ(g.MaxValue(), 100);
    EXPECT_EQ(g.Value(), 50);
    EXPECT_EQ(g.ProgressText(), "");
    EXPECT_FALSE(g.ShowProgressText());
    EXPECT_FALSE(g.ShowPercent());
}

TEST(GaugeValueModel, ValueIsClampedAndRepaintsOnlyWhenItChanges) {
    RunSteps({{Step::Value, 150, 100, Repaint::Deferred},
              {Step::Value, 100, 100, Repaint::None},
              {Step::Value, -5, 0, Repaint::Deferred},
              {Step::Value, 0, 0, Repaint::None},
              {Step::Value, 37, 37, Repaint::Deferred}});
}

TEST(GaugeValueModel, BoundsPushValueFromTheirOwnSideAndRepaintAtOnce) {
    RunSteps({{Step::Max, 10, 10, Repaint::Immediate}}, 50);
    RunSteps({{Step::Min, 20, 20, Repaint::Immediate}}, 10);
    RunSteps({{Step::Max, 100, 50, Repaint::Immediate}}, 50);  // unchanged, painted all the same
    // Bounds out of order: MinValue wins over MaxValue for a later MinValue.
    RunSteps({{Step::Max, 40, 40, Repaint::Immediate}, {Step::Min, 60, 60, Repaint::Immediate}}, 50);
}

TEST(GaugeValueModel, AnExpectedLengthOfMinusOneHoldsValueBelowMinValue) {
    // A download whose length probe found no length sets MaxValue to -1.
    RunSteps({{Step::Max, -1, -1, Repaint::Immediate},
              {Step::Value, 500, -1, Repaint::None},
              {Step::Value, -5, 0, Repaint::Deferred}});  // under both bounds: MinValue, above MaxValue
}

TEST(GaugeValueModel, TextAndSwitchesRepaintAtOnceEvenWhenUnchanged) {
    TskGaugeValueModel g;
    EXPECT_EQ(g.SetProgressText("a.dll"), Repaint::Immediate);
    EXPECT_EQ(g.SetProgressText("a.dll"), Repaint::Immediate);
    EXPECT_EQ(g.ProgressText(), "a.dll");
    EXPECT_EQ(g.SetShowProgressText(true), Repaint::Immediate);
    EXPECT_EQ(g.SetShowPercent(false), Repaint::Immediate);
    EXPECT_TRUE(g.ShowProgressText());
}
