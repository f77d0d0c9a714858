// The geometry and colours of the Lee panels and the colour strip, from plain numbers: panel places,
// cell spans, step labels, cell colours, the false-colour key and the strip's band boxes.
#include "colour/lee_plot_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tessary {
namespace {

TEST(LeePlotLayout, PanelsOfTheLargeLayout) {
    // W 5000, left 1000, frame 3400..9800: titles at (W + L) / 2 - 900, -600 + W, -400 + 2W.
    const LeePanels p = LeePanelLayout(5000, 1000, 3400.0f, 9800.0f, false);
    EXPECT_EQ(p.titleX, (std::array<double, 3>{2100, 7400, 12600}));
    EXPECT_EQ(p.titleY, 3200);
    EXPECT_EQ(p.pictureLeft, (std::array<double, 3>{300, 5300, 10300}));
    EXPECT_EQ(p.pictureTop, 5600);
    EXPECT_EQ(LeePanelLayout(5000, 1000, 3400.0f, 9800.0f, true).titleY, 3100);
}

TEST(LeePlotLayout, CellSpansJoinFromTopToBottom) {
    const std::vector<Segment> spans = LeeCellSpans(1, 3, 0, 100);  // half cells at both ends
    ASSERT_EQ(spans.size(), 3u);
    const double ends[][2] = {{0, 25}, {25, 75}, {75, 100}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(spans[i].x1, ends[i][0]) << i;
        EXPECT_EQ(spans[i].x2, ends[i][1]) << i;
    }
    EXPECT_TRUE(LeeCellSpans(4, 3, 0, 100).empty());
}

TEST(LeePlotLayout, StepLabelsAsPrinted) {
    struct Case {
        bool radius;
        int k;
        double value;
        const char* text;
    } cases[] = {
        {true, 3, 31.62277660168379, "Step:  3    Radius = 31.6228"},
        {true, 12, 1234.5, "Step:  12    Radius = 1,234.5"},
        {false, 0, 1.33, "Step:  0    Ref Index = 1.33"},
    };
    for (const Case& c : cases) EXPECT_EQ(LeeStepLabel(c.radius, c.k, c.value), c.text);
}

TEST(LeePlotLayout, CellColours) {
    // Levels 255 x value / norm x B; colour number red + 256 green + 65536 blue, halves to even.
    struct Case {
        std::array<double, 3> c;
        double norm, peak;
        bool saturated, falseColours;
        std::optional<SaturationMode> saturation;
        std::uint32_t colour;
    } cases[] = {
        {{1, 0.5, 0}, 1, 0, false, false, {}, 255 + 128 * 256},
        {{2, 1, 0}, 99, 0, true, false, {}, 255 + 128 * 256},            // by its own largest channel
        {{2, 1, 0}, 1, 0, false, false, SaturationMode::Photo, 0xFFFF},  // 510, 255: cut to 255
        {{2, 1, 0}, 1, 0, false, false, {}, 255 + 255 * 256},            // no saturation mode: as it is
        {{1, 2, 4}, 1, 4, false, true, {}, 0xFFFFFF},                    // log10(4 / 4) = 0: white
        {{1, 2, 4}, 1, 0, false, true, {}, 0},                           // no peak: black
    };
    for (const Case& c : cases) {
        LeeCellStyle style;
        style.brightness = 1;
        style.saturated = c.saturated;
        style.falseColours = c.falseColours;
        style.finish.saturation = c.saturation;
        float r = -1, g = -1, b = -1;
        EXPECT_EQ(LeeCellColour(c.c, c.norm, c.peak, style, r, g, b), c.colour) << c.c[0] << c.peak;
        if (c.falseColours) {
            EXPECT_EQ(r, -1);  // false colours leave the levels alone
        }
    }
}

TEST(LeePlotLayout, FalseColourKeyTicksAndLabels) {
    // Panel W 5000, left 1000: the key from X0 = 2W + L = 11000 over W - L = 4000 twips; decade t at
    // X0 + 4000 (-t) / (2.8 B); labels every decade down to -9, every third to -18, else every sixth.
    struct Case {
        double B;
        std::size_t ticks;
        std::vector<std::string> exponents;
    } cases[] = {
        {0, 0, {}},
        {1, 3 + 1, {"-1 ", "-2 "}},
        {4, 12 + 4, {"-3 ", "-6 ", "-9 "}},
        {7, 20 + 7, {"-6 ", "-12 ", "-18 "}},
    };
    for (const Case& c : cases) {
        const FalseColourKey key = FalseColourKeyLayout(5000, 1000, 3400.0f, false, c.B);
        ASSERT_EQ(key.band.size(), 6991u);
        EXPECT_DOUBLE_EQ(key.band.front()[0], 11000 + 4000 * 0.01 / 7);
        EXPECT_DOUBLE_EQ(key.band.back()[1], 0.4 * -7);
        EXPECT_EQ(key.bandTop, 3000);
        EXPECT_EQ(key.bandBottom, 3200);
        EXPECT_EQ(key.ticks.size(), c.ticks) << c.B;
        std::vector<std::string> exponents;
        for (const KeyLabel& label : key.labels)
            if (label.small) {
                exponents.push_back(label.text);
            } else {
                EXPECT_EQ(label.text, "10");
            }
        EXPECT_EQ(exponents, c.exponents) << c.B;
        EXPECT_EQ(key.start.text, "1");
        EXPECT_EQ(key.start.y, 2750);
    }
    // Decades closer than a twip: every k-th, a twip or more apart over the whole key (2.8 B = 16000: k = 4).
    for (const double B : {16000 / 2.8, 1e300}) {
        const FalseColourKey key = FalseColourKeyLayout(5000, 1000, 3400.0f, false, B);
        ASSERT_LE(key.ticks.size(), 4001u + 1334u) << B;
        const auto byX = [](const Rect& a, const Rect& b) { return a.x1 < b.x1; };
        EXPECT_NEAR(std::max_element(key.ticks.begin(), key.ticks.end(), byX)->x1, 15000, 1) << B;
    }
    // No decades where 2.8 B lies beyond a Double; at 2.8 B = 16000 every 24th is labelled.
    EXPECT_TRUE(FalseColourKeyLayout(5000, 1000, 3400.0f, false, 1e308).ticks.empty());
    EXPECT_EQ(FalseColourKeyLayout(5000, 1000, 3400.0f, false, 16000 / 2.8).labels[1].text, "-24 ");
    const FalseColourKey one = FalseColourKeyLayout(5000, 1000, 3400.0f, false, 1);
    ASSERT_GE(one.ticks.size(), 2u);
    ASSERT_FALSE(one.labels.empty());
    EXPECT_NEAR(one.ticks[1].x1, 12428.571, 1e-3);  // 11000 + 4000 / 2.8
    EXPECT_NEAR(one.labels[0].x, 12328.571, 1e-3);
}

TEST(LeePlotLayout, BowBandBoxes) {
    const Segment column{1500, 1600};
    const Segment s{200, 300};
    const std::array<Rect, 3> lee = BowBandBoxes(true, column, s, 5000);
    const std::array<Rect, 3> strip = BowBandBoxes(false, column, s, 5000);
    const double expected[2][3][4] = {
        {{1500, 200, 1600, 300}, {6500, 200, 6600, 300}, {11500, 200, 11600, 300}},  // one cell per panel
        {{200, 2800, 300, 2980}, {200, 2980, 300, 3160}, {200, 3160, 300, 3340}},    // stacked bands
    };
    for (std::size_t n = 0; n < 3; ++n) {
        const Rect* got[2] = {&lee[n], &strip[n]};
        for (std::size_t m = 0; m < 2; ++m) {
            EXPECT_EQ(got[m]->x1, expected[m][n][0]) << m << n;
            EXPECT_EQ(got[m]->y1, expected[m][n][1]) << m << n;
            EXPECT_EQ(got[m]->x2, expected[m][n][2]) << m << n;
            EXPECT_EQ(got[m]->y2, expected[m][n][3]) << m << n;
        }
    }
}

}  // namespace
}  // namespace tessary
