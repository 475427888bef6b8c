#include "window/colours.h"

#include <gtest/gtest.h>

namespace karsobel::form {
namespace {

constexpr Rgb black{0, 0, 0};
constexpr Rgb white{255, 255, 255};
constexpr Rgb yellow{255, 255, 0};
constexpr Rgb grey{119, 119, 119};

TEST(Colours, ContrastRatiosOfTheFormsColours) {
    const struct {
        Rgb first;
        Rgb second;
        double ratio;
    } cases[] = {
        {black, white, 21.0},         {white, black, 21.0},
        {boxBackground, black, 9.30}, {boxBackground, white, 2.26},
        {buttonBackground, white, 3.26}, {buttonBackground, black, 6.45},
        {grey, grey, 1.0},
    };
    for (const auto& [first, second, ratio] : cases) {
        EXPECT_NEAR(contrastRatio(first, second), ratio, 0.005)
            << first.red << "," << first.green << "," << first.blue;
    }
}

TEST(Colours, TextKeepsThePlatformsColourOnlyWhereItReads) {
    const struct {
        Rgb background;
        Rgb preferred;
        Rgb text;
    } cases[] = {
        {boxBackground, black, black},    // the light default, as it always looked
        {boxBackground, white, black},    // a dark scheme's white text on teal
        {buttonBackground, white, black},
        {black, white, white},
        {black, {80, 80, 80}, white},
        {grey, {128, 128, 128}, black},   // neither reads: black reads better than white here
        {white, {0, 0, 255}, {0, 0, 255}},
    };
    for (const auto& [background, preferred, text] : cases) {
        EXPECT_TRUE(readableText(background, preferred) == text)
            << background.red << "," << background.green << "," << background.blue;
    }
}

TEST(Colours, HighContrastDrawsEverythingInTheSchemesColours) {
    const SystemColours light{white, black, {240, 240, 240}, black};
    const SystemColours dark{black, white, {32, 32, 32}, white};
    const SystemColours highContrast{black, white, {0, 0, 64}, yellow};
    const struct {
        const Control& control;
        SystemColours system;
        bool on;
        Colours colours;
    } cases[] = {
        {text1, light, false, {boxBackground, black}},
        {command1, light, false, {buttonBackground, black}},
        {text2, dark, false, {boxBackground, black}},
        {command1, dark, false, {buttonBackground, black}},
        {text1, highContrast, true, {black, white}},
        {text2, highContrast, true, {black, white}},
        {command1, highContrast, true, {{0, 0, 64}, yellow}},
    };
    for (const auto& [control, system, on, colours] : cases) {
        EXPECT_TRUE(controlColours(control, system, on) == colours)
            << std::string(control.name.begin(), control.name.end()) << (on ? " on" : " off");
    }
    EXPECT_TRUE(formBackground(highContrast, false) == background);
    EXPECT_TRUE(formBackground(highContrast, true) == highContrast.buttonFace);
}

} // namespace
} // namespace karsobel::form
