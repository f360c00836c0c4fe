#include "model/model_band.h"
#include "model/new_document.h"

#include <gtest/gtest.h>

namespace corvane::model {
namespace {

TEST(ModelBand, ModelNames)
{
    EXPECT_EQ(modelNameForCode("Z740E"), "ZT740-16");
    EXPECT_EQ(modelNameForCode(std::string("Z740E\0  ", 8)), "ZT740-16");
    EXPECT_EQ(modelNameForCode("Z740F"), "Z740F");
    EXPECT_EQ(modelNameForCode("AB   "), "AB");
    EXPECT_EQ(modelNameForCode(""), "");
}

TEST(ModelBand, BandTextForCodeMapsEverythingElseToUhf)
{
    EXPECT_EQ(bandTextForCode(0), "136 - 174 MHz");
    EXPECT_EQ(bandTextForCode(1), "200 - 260 MHz");
    for (int code : {2, 3, 255, -1, 32767}) {
        EXPECT_EQ(bandTextForCode(code), "400 - 480 MHz") << code;
    }
}

TEST(ModelBand, BandCodeForTextComparesExactly)
{
    EXPECT_EQ(bandCodeForText("136 - 174 MHz"), 0);
    EXPECT_EQ(bandCodeForText("200 - 260 MHz"), 1);
    EXPECT_EQ(bandCodeForText("400 - 480 MHz"), 2);
    for (const char* text : {"400-480 MHz", "", "400 - 480 mhz", " 400 - 480 MHz"}) {
        EXPECT_EQ(bandCodeForText(text), 0) << text;
    }
}

TEST(ModelBand, DataVersionOfModelCodes)
{
    EXPECT_EQ(dataVersionForModelCode("Z740E"), "Z300");
    EXPECT_EQ(dataVersionForModelCode(std::string("Z740F", 5)), "V200");
    EXPECT_EQ(dataVersionForModelCode("ABCDE"), std::nullopt);
}

TEST(ModelBand, BandLimitsFollowTheBandText)
{
    CurrentModel model;
    for (const auto& [band, low, high] : {std::tuple{"136 - 174 MHz", 136.0, 174.0},
                                         std::tuple{"200 - 260 MHz", 200.0, 260.0},
                                         std::tuple{"400 - 480 MHz", 400.0, 480.0}}) {
        model.currentBand = band;
        updateBandLimits(model);
        EXPECT_EQ(model.bandLowMHz, low);
        EXPECT_EQ(model.bandHighMHz, high);
    }
}

TEST(ModelBand, CurrentModelFromRadioTypeKeepsTheModelName)
{
    ModelState state;
    state.currentModel.currentModelName = "Custom";
    state.savedDocument.radioType.modelCode = " Z74";
    state.savedDocument.radioType.bandIndex = 1;
    restoreFromSnapshot(state);
    EXPECT_EQ(state.currentModel.currentModelCode, "Z74"); // blanks removed on both sides
    EXPECT_EQ(state.document.radioType.modelCode.value(), "Z74");
    EXPECT_EQ(state.currentModel.currentBand, "200 - 260 MHz");
    EXPECT_EQ(state.currentModel.bandLowMHz, 200);
    EXPECT_EQ(state.currentModel.bandHighMHz, 260);
    EXPECT_EQ(state.currentModel.currentModelName, "Custom");
}

TEST(ModelBand, RefreshRadioTypeFromCurrentModel)
{
    CurrentModel model;
    model.currentModelCode = "Z740E";
    model.currentBand = "136 - 174 MHz";
    RadioTypeRecord type;
    type.modelCode = "XXXXX";
    type.bandIndex = 2;
    refreshRadioType(type, model);
    EXPECT_EQ(type.modelCode.value(), "Z740E");
    EXPECT_EQ(type.bandIndex, 0);

    model.currentModelCode = "AB";
    refreshRadioType(type, model);
    const auto& bytes = type.modelCode.bytes();
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), std::string("AB\0  ", 5));
}

} // namespace
} // namespace corvane::model
