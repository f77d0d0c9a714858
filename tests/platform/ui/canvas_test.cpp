// Persistent drawing on windows: commands land on the expected pixels at 15 twips per pixel, invert
// mode is undone by drawing again, the back colour does not erase, printing follows the current
// position, and NaN or huge coordinates neither draw nor hang.
#include <QFontMetricsF>
#include <QLabel>
#include <QTest>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <tuple>

#if defined(__x86_64__)
#include <cpuid.h>  // the vector state test
#endif
#include "platform/ui/form.h"
#include "tests/platform/ui/ui_test_support.h"

namespace tessary {
namespace {

constexpr OleColor kRed = rgb(255, 0, 0);
constexpr OleColor kBlue = rgb(0, 0, 255);
constexpr OleColor kWhite = rgb(255, 255, 255);
constexpr std::uint32_t kRedPx = 0xFF0000u;
constexpr std::uint32_t kWhitePx = 0xFFFFFFu;

class CanvasTest : public test::UiTest {
  protected:
    CanvasTest() {
        form.setWidth(15360);  // 1024 pixels, no menu bar: the inner width is the window's
        form.setHeight(11520);
        form.setBackColor(kWhite);
        form.load();
    }
    Form form;
};

TEST_F(CanvasTest, FilledBoxLandsOnTheExpectedPixels) {
    form.boxFilled(1500, 1500, 3000, 2250, kRed);
    for (int x : {100, 150, 200})
        for (int y : {100, 125, 150}) EXPECT_EQ(form.pixel(x, y), kRedPx) << x << "," << y;
    EXPECT_EQ(form.pixel(99, 120), kWhitePx);
    EXPECT_EQ(form.pixel(201, 120), kWhitePx);
    EXPECT_EQ(form.pixel(150, 99), kWhitePx);
    EXPECT_EQ(form.pixel(150, 151), kWhitePx);
    EXPECT_DOUBLE_EQ(form.currentX(), 3000);
    EXPECT_DOUBLE_EQ(form.currentY(), 2250);
}

TEST_F(CanvasTest, CornersInAnyOrderGiveTheSameBox) {
    form.boxFilled(3000, 2250, 1500, 1500, kRed);
    EXPECT_EQ(form.pixel(100, 100), kRedPx);
    EXPECT_EQ(form.pixel(200, 150), kRedPx);
}

TEST_F(CanvasTest, DashedAndDottedLinesFollowTheirPatterns) {
    form.setForeColor(kRed);
    form.setDrawStyle(draw::kDash);
    form.line(0, 1500, 1500, 1500);  // pixels x = 0 .. 100 of row 100: 18 on, 6 off
    form.setDrawStyle(draw::kDot);
    form.line(0, 3000, 1500, 3000);  // row 200: 3 on, 3 off
    for (int x = 0; x <= 100; ++x) {
        EXPECT_EQ(form.pixel(x, 100), x % 24 < 18 ? kRedPx : kWhitePx) << "dash at " << x;
        EXPECT_EQ(form.pixel(x, 200), x % 6 < 3 ? kRedPx : kWhitePx) << "dot at " << x;
    }
    EXPECT_EQ(form.pixel(101, 100), kWhitePx);
    EXPECT_EQ(form.pixel(50, 99), kWhitePx);
    EXPECT_EQ(form.pixel(50, 101), kWhitePx);
}

// A curve of 1800 short segments, each from where the last ended, is dashed along its length: the
// pattern runs on from segment to segment instead of starting again (which would look solid).
TEST_F(CanvasTest, ACurveOfShortSegmentsKeepsItsPattern) {
    // Draw style, and the least and most share of columns the curve leaves empty.
    for (const auto& [style, least, most] : {std::tuple{0, 0.0, 0.0}, {1, 0.15, 0.35}, {2, 0.3, 0.6}}) {
        form.cls();
        form.setDrawStyle(style);
        form.setCurrentY(4500);
        for (int i = 0; i <= 1800; ++i) form.lineTo(150 + i * 7.5, 4500 + 600 * std::sin(i / 300.0), kRed);
        int gaps = 0;
        for (int x = 12; x < 908; ++x) {
            bool on = false;
            for (int y = 250; y <= 350; ++y) on = on || form.pixel(x, y) == kRedPx;
            gaps += on ? 0 : 1;
        }
        EXPECT_GE(gaps / 896.0, least) << style;
        EXPECT_LE(gaps / 896.0, most) << style;
    }
}

TEST_F(CanvasTest, DrawWidthTwoAddsTheNextRowOrColumn) {
    form.setDrawWidth(2);
    form.line(0, 1500, 300, 1500, kRed);  // horizontal: rows 100 and 101
    form.line(1500, 0, 1500, 300, kRed);  // vertical: columns 100 and 101
    EXPECT_EQ(form.pixel(10, 100), kRedPx);
    EXPECT_EQ(form.pixel(10, 101), kRedPx);
    EXPECT_EQ(form.pixel(10, 99), kWhitePx);
    EXPECT_EQ(form.pixel(10, 102), kWhitePx);
    EXPECT_EQ(form.pixel(101, 10), kRedPx);
    EXPECT_EQ(form.pixel(102, 10), kWhitePx);
    form.setDrawWidth(2);
    form.setDrawStyle(draw::kDash);  // dashes keep their pattern at width 2
    form.line(0, 4500, 1500, 4500, kRed);
    EXPECT_EQ(form.pixel(10, 301), kRedPx);
    EXPECT_EQ(form.pixel(20, 301), kWhitePx);
}

TEST_F(CanvasTest, DiagonalLineHasOnePixelPerColumnAndBothEnds) {
    form.line(0, 0, 150, 75, kRed);  // (0, 0) to (10, 5)
    int lit = 0;
    for (int x = 0; x <= 10; ++x)
        for (int y = 0; y <= 5; ++y) lit += form.pixel(x, y) == kRedPx;
    EXPECT_EQ(lit, 11);
    EXPECT_EQ(form.pixel(0, 0), kRedPx);
    EXPECT_EQ(form.pixel(10, 5), kRedPx);
}

TEST_F(CanvasTest, InvertTwiceRestoresThePixels) {
    form.boxFilled(0, 0, 3000, 3000, rgb(10, 200, 30));
    form.boxFilled(600, 600, 1800, 1800, rgb(250, 250, 0));
    const QImage before = form.image().copy();
    const auto drawMarks = [&] {
        form.setDrawMode(draw::kInvert);
        form.line(1200 - 120, 1200, 1200 + 120, 1200);  // a cross of +-8 pixels
        form.line(1200, 1200 - 120, 1200, 1200 + 120);
        form.setDrawStyle(draw::kDot);
        form.circle(1500, 1500, 600);
        form.setDrawStyle(draw::kSolid);
        form.setDrawWidth(2);
        form.box(300, 300, 2700, 2700);
        form.setDrawWidth(1);
        form.pset(2000, 450);
        form.setDrawMode(draw::kCopyPen);
    };
    drawMarks();
    EXPECT_NE(form.image(), before);
    EXPECT_EQ(form.pixel(133, 30), 0xFFFFFFu ^ 0x0AC81Eu);  // the point, inverted
    drawMarks();
    EXPECT_EQ(form.image(), before);
}

TEST_F(CanvasTest, BackColourChangeKeepsTheDrawingAndClsUsesIt) {
    form.boxFilled(1500, 1500, 3000, 3000, kRed);
    form.setBackColor(kBlue);
    EXPECT_EQ(form.backColor(), kBlue);
    EXPECT_EQ(form.pixel(150, 150), kRedPx);
    EXPECT_EQ(form.pixel(10, 10), kWhitePx);
    form.setCurrentX(500);
    form.cls();
    EXPECT_EQ(form.pixel(150, 150), 0x0000FFu);
    EXPECT_EQ(form.pixel(10, 10), 0x0000FFu);
    EXPECT_DOUBLE_EQ(form.currentX(), 0);
    EXPECT_DOUBLE_EQ(form.currentY(), 0);
    form.setBackColor(kButtonFace);  // nothing drawn since the clear: the surface takes the new colour
    EXPECT_EQ(form.pixel(10, 10), toRgb32(kButtonFace));
    EXPECT_EQ(form.backColor(), kButtonFace);
}

// A clear fills only what was drawn since the last one: whatever drew (thick and XOR lines, boxes,
// discs, points, text across the edges), the whole surface is the back colour again.
TEST_F(CanvasTest, ClearLeavesNothingOfAnyDrawing) {
    const auto everyPixelIs = [&](std::uint32_t px) {
        const QImage& image = form.image();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFFu) != px) return false;
        return true;
    };
    // clang-format off
    const std::function<void()> drawings[] = {
        [&] { form.setDrawWidth(5); form.line(-300, 100, 16000, 11000, kRed); },
        [&] { form.setDrawMode(draw::kXorPen); form.line(0, 0, 15000, 0, kRed); },
        [&] { form.setFillStyle(draw::kSolid); form.box(3000, 3000, 6000, 6000, kRed); },
        [&] { form.boxFilled(14000, 11000, 20000, 20000, kRed); },
        [&] { form.setFillStyle(draw::kSolid); form.circle(7000, 5000, 2000, kRed); },
        [&] { form.pset(15345, 11505, kRed); },
        [&] { form.setFontName("Symbol"); form.setFontSize(24); form.setCurrentX(-100); form.setCurrentY(-100);
              form.print("Wjf/|"); form.setCurrentX(14800); form.print("Wjf"); },
    };
    // clang-format on
    for (std::size_t k = 0; k < std::size(drawings); ++k) {
        form.setForeColor(kRed);
        drawings[k]();
        form.setDrawWidth(1);
        form.setDrawMode(draw::kCopyPen);
        form.cls();
        EXPECT_TRUE(everyPixelIs(kWhitePx)) << "drawing " << k;
    }
    form.line(0, 0, 1500, 1500, kRed);
    form.setBackColor(kBlue);  // drawn on: the clear fills the whole surface with the new colour
    form.cls();
    EXPECT_TRUE(everyPixelIs(0x0000FFu));
}

TEST_F(CanvasTest, ButtonFaceIsADrawingColourForErasing) {
    form.boxFilled(0, 0, 1500, 1500, kRed);
    form.setForeColor(kButtonFace);
    form.boxFilled(0, 0, 1500, 1500);
    EXPECT_EQ(form.pixel(50, 50), toRgb32(kButtonFace));
}

TEST_F(CanvasTest, BoxOutlineAndFillStyle) {
    form.box(1500, 1500, 3000, 3000, kRed);
    EXPECT_EQ(form.pixel(100, 100), kRedPx);
    EXPECT_EQ(form.pixel(200, 150), kRedPx);
    EXPECT_EQ(form.pixel(150, 150), kWhitePx);  // transparent fill leaves the inside
    form.setFillStyle(draw::kSolid);
    form.setFillColor(kBlue);
    form.box(4500, 1500, 6000, 3000, kRed);
    EXPECT_EQ(form.pixel(300, 100), kRedPx);
    EXPECT_EQ(form.pixel(350, 150), 0x0000FFu);
}

TEST_F(CanvasTest, CircleOutlineAndDisc) {
    form.circle(1500, 1500, 150, kRed);  // centre (100, 100), radius 10 pixels
    EXPECT_EQ(form.pixel(110, 100), kRedPx);
    EXPECT_EQ(form.pixel(90, 100), kRedPx);
    EXPECT_EQ(form.pixel(100, 110), kRedPx);
    EXPECT_EQ(form.pixel(100, 90), kRedPx);
    EXPECT_EQ(form.pixel(100, 100), kWhitePx);
    EXPECT_EQ(form.pixel(112, 100), kWhitePx);
    form.setFillStyle(draw::kSolid);
    form.setFillColor(kBlue);
    form.circle(4500, 1500, 150, kRed);
    EXPECT_EQ(form.pixel(300, 100), 0x0000FFu);
    EXPECT_EQ(form.pixel(310, 100), kRedPx);
    EXPECT_DOUBLE_EQ(form.currentX(), 4500);
}

TEST_F(CanvasTest, PSetSetsOnePixel) {
    form.pset(1500, 1500, kRed);
    EXPECT_EQ(form.pixel(100, 100), kRedPx);
    EXPECT_EQ(form.pixel(101, 100), kWhitePx);
    EXPECT_EQ(form.pixel(100, 101), kWhitePx);
}

TEST_F(CanvasTest, TextWithANumberLandsAtThePositionWithThePrintForms) {
    form.setRecording(true);
    form.setForeColor(0);
    form.setCurrentX(1500);
    form.setCurrentY(750);
    form.print("Step: ", 3, "   Radius = ", "1.5");
    const std::string text = "Step:  3    Radius = 1.5";
    ASSERT_EQ(form.drawLog().size(), 1u);
    const DrawOp& op = form.drawLog().back();
    EXPECT_EQ(op.kind, DrawOp::Kind::Text);
    EXPECT_EQ(op.text, text);
    EXPECT_DOUBLE_EQ(op.x1, 1500);
    EXPECT_DOUBLE_EQ(op.y1, 750);
    EXPECT_EQ(op.font.name, "MS Sans Serif");
    EXPECT_DOUBLE_EQ(op.font.size, 8);
    // ";": the next print goes on after the text, on the same line.
    EXPECT_DOUBLE_EQ(form.currentX(), 1500 + form.textWidth(text));
    EXPECT_DOUBLE_EQ(form.currentY(), 750);
    // Ink lies right of and below the position, inside the text's box.
    const double w = form.textWidth(text) / 15, h = form.textHeight() / 15;
    int inside = 0, outside = 0;
    for (int y = 40; y < 80; ++y)
        for (int x = 90; x < 100 + static_cast<int>(w) + 10; ++x) {
            const bool ink = form.pixel(x, y) != kWhitePx;
            const bool inBox = x >= 100 && x < 100 + w + 1 && y >= 50 && y < 50 + h + 1;
            (inBox ? inside : outside) += ink;
        }
    EXPECT_GT(inside, 20);
    EXPECT_EQ(outside, 0);
    form.printLine(-0.25, 0.1f, 1e20);
    EXPECT_EQ(form.drawLog().back().text, "-.25  .1  1E+20 ");
    EXPECT_DOUBLE_EQ(form.currentX(), 0);  // a line ended: back to the left margin, one line down
    EXPECT_DOUBLE_EQ(form.currentY(), 750 + form.textHeight());
}

TEST_F(CanvasTest, TextWidthAndHeightAreInLogicalUnits) {
    const double width = form.textWidth("1000");
    const QFontMetricsF metrics(toQFont(FontSpec{}, 15));
    EXPECT_DOUBLE_EQ(width, metrics.horizontalAdvance("1000") * 15);
    EXPECT_DOUBLE_EQ(form.textHeight(), metrics.height() * 15);
    form.setFontName("Small Fonts");
    form.setFontSize(7);
    EXPECT_LT(form.textWidth("1000"), width);
    form.setFontBold(true);
    EXPECT_EQ(form.font(), (FontSpec{"Small Fonts", 7, true}));
}

TEST_F(CanvasTest, FontIsSavedAndRestoredAroundASuperscript) {
    form.setRecording(true);
    const FontSpec saved = form.font();
    form.setFontName("Small Fonts");
    form.setFontSize(7);
    form.setFontBold(false);
    form.print("2");
    form.setFont(saved);
    form.print("x");
    ASSERT_EQ(form.drawLog().size(), 2u);
    EXPECT_EQ(form.drawLog()[0].font.name, "Small Fonts");
    EXPECT_EQ(form.drawLog()[1].font, saved);
}

TEST_F(CanvasTest, RecordingLogsEveryCommandWithItsState) {
    form.setRecording(true);
    form.setDrawStyle(draw::kDot);
    form.setDrawWidth(2);
    form.setDrawMode(draw::kInvert);
    form.line(10, 20, 30, 40, kRed);
    form.setFillStyle(draw::kSolid);
    form.setFillColor(kBlue);
    form.circle(100, 200, 50);
    form.cls();
    ASSERT_EQ(form.drawLog().size(), 3u);
    const DrawOp& line = form.drawLog()[0];
    EXPECT_EQ(line.kind, DrawOp::Kind::Line);
    EXPECT_EQ(line.colour, kRed);
    EXPECT_EQ(line.drawStyle, draw::kDot);
    EXPECT_EQ(line.drawWidth, 2);
    EXPECT_EQ(line.drawMode, draw::kInvert);
    EXPECT_DOUBLE_EQ(line.x2, 30);
    const DrawOp& circle = form.drawLog()[1];
    EXPECT_EQ(circle.kind, DrawOp::Kind::Circle);
    EXPECT_EQ(circle.fillStyle, draw::kSolid);
    EXPECT_EQ(circle.fillColour, kBlue);
    EXPECT_DOUBLE_EQ(circle.x2, 50);
    EXPECT_EQ(form.drawLog()[2].kind, DrawOp::Kind::Cls);
}

TEST_F(CanvasTest, NaNAndInfiniteCoordinatesAreDropped) {
    form.setRecording(true);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    form.setCurrentX(100);
    form.line(nan, 0, 100, 100, kRed);
    form.boxFilled(0, 0, inf, 100, kRed);
    form.circle(100, 100, nan, kRed);
    form.pset(-inf, 5, kRed);
    form.setCurrentY(nan);
    form.print("x");
    EXPECT_EQ(form.droppedCommands(), 5);
    EXPECT_TRUE(form.drawLog().empty());
    EXPECT_DOUBLE_EQ(form.currentX(), 100);
    EXPECT_EQ(form.pixel(0, 0), kWhitePx);
}

TEST_F(CanvasTest, HugeCoordinatesSaturateAndDrawOnlyWhatIsVisible) {
    form.line(-1e300, 1500, 1e300, 1500, kRed);
    EXPECT_EQ(form.pixel(0, 100), kRedPx);
    EXPECT_EQ(form.pixel(1023, 100), kRedPx);
    form.boxFilled(-1e18, 3000, 1e18, 3015, kBlue);
    EXPECT_EQ(form.pixel(500, 200), 0x0000FFu);
    form.circle(0, 0, 1e12, kRed);  // a huge circle: drawn where it crosses the buffer, if at all
    form.circle(1e15, -1e15, 10, kRed);
    form.line(-1e9, -1e9, 1e9, 1e9, kRed);  // through the buffer's diagonal
    EXPECT_EQ(form.pixel(300, 300), kRedPx);
    EXPECT_EQ(form.droppedCommands(), 0);
}

TEST_F(CanvasTest, SamePixelRowFollowsTheRoundingOfTheFilledBox) {
    // 15 twips per pixel, rows rounded half up: 1492.5 -> 99.5 -> 100, 1507.4 -> 100.49 -> 100.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::tuple<double, double, bool> cases[] = {
        {1500, 1507, true}, {1500, 1508, false}, {1492.5, 1507.4, true}, {1492.4, 1500, false},
        {1507, 1500, true}, {nan, 1500, false},  {1500, inf, false},     {nan, nan, false},
    };
    for (const auto& [y1, y2, same] : cases) {
        EXPECT_EQ(form.samePixelRow(y1, y2), same) << y1 << " " << y2;
        if (!std::isfinite(y1) || !std::isfinite(y2)) continue;
        form.cls();
        form.boxFilled(1500, y1, 1515, y2, kRed);  // one row painted exactly when the rows agree
        EXPECT_EQ(form.pixel(100, 99) == kRedPx || form.pixel(100, 101) == kRedPx, !same) << y1 << " " << y2;
    }
}

TEST_F(CanvasTest, TheWindowScaleMapsLogicalUnitsToPixels) {
    form.setScaleWidth(15360);  // on 1024 pixels: 15 units per pixel
    EXPECT_DOUBLE_EQ(form.scaleWidth(), 15360);
    form.setScaleTop(-1500);
    form.setScaleHeight(23040);  // 768 pixels: 30 units per pixel
    form.pset(1500, -1500 + 3000, kRed);
    EXPECT_EQ(form.pixel(100, 100), kRedPx);
    EXPECT_EQ(form.toPixel(15000, 21540), QPoint(1000, 768));
    EXPECT_DOUBLE_EQ(form.fromPixelY(100), 1500);
    // Growing the window keeps the unit: the scale width grows with it.
    form.setWidth(15360 + 150);
    EXPECT_DOUBLE_EQ(form.scaleWidth(), 15360 + 150);
}

TEST_F(CanvasTest, DrawingPersistsOnScreenAndControlsSitAbove) {
    form.boxFilled(0, 0, 3000, 3000, kRed);
    Label label(form, "label");
    label.move(1500, 1500, 750, 750);
    label.setBackColor(kBlue);
    form.show();
    QImage shot = form.surface()->grab().toImage();
    EXPECT_EQ(shot.pixel(50, 50) & 0xFFFFFFu, kRedPx);       // the drawing, copied from the buffer
    EXPECT_EQ(shot.pixel(120, 120) & 0xFFFFFFu, 0x0000FFu);  // the label over it
    form.hide();
    form.show();  // covered and shown again: nothing lost
    shot = form.surface()->grab().toImage();
    EXPECT_EQ(shot.pixel(50, 50) & 0xFFFFFFu, kRedPx);
}

class PictureForm : public Form {
  public:
    PictureForm() {
        Picture1.move(150, 150, 1500, 1500);  // 100 x 100 pixels inside the form
        Picture1.onMouseDown = [this](int button, int shift, double x, double y) {
            log += "down " + std::to_string(button) + " " + std::to_string(shift) + " " +
                   std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)) + ";";
        };
    }
    std::string log;
    PictureBox Picture1{*this};
};

TEST_F(CanvasTest, PictureBoxDrawsInItsOwnPixelScale) {
    PictureForm pf;
    pf.load();
    EXPECT_DOUBLE_EQ(pf.Picture1.scaleWidth(), 100);
    EXPECT_DOUBLE_EQ(pf.Picture1.scaleHeight(), 100);
    pf.Picture1.setBackColor(kWhite);
    pf.Picture1.pset(5, 7, kRed);
    EXPECT_EQ(pf.Picture1.pixel(5, 7), kRedPx);
    pf.Picture1.setDrawMode(draw::kInvert);
    pf.Picture1.pset(5, 7);
    EXPECT_EQ(pf.Picture1.pixel(5, 7), 0x00FFFFu);
    pf.Picture1.setBorderStyle(1);
    EXPECT_LT(pf.Picture1.scaleWidth(), 100);
}

TEST_F(CanvasTest, PictureBoxMouseEventsAreInItsScale) {
    PictureForm pf;
    pf.load();
    pf.show();
    QTest::mouseClick(pf.Picture1.widget(), Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 40));
    QTest::mouseClick(pf.Picture1.widget(), Qt::RightButton, Qt::NoModifier, QPoint(3, 4));
    EXPECT_EQ(pf.log, "down 1 1 30 40;down 2 0 3 4;");
}

// Qt's image fill leaves the AVX upper halves set (XGETBV 1, bit 2): SSE code after it runs slowly.
TEST_F(CanvasTest, ClearingLeavesTheUpperVectorHalvesClear) {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    unsigned a = 0, b = 0, c = 0, d = 0, high = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & bit_OSXSAVE) || !(c & bit_AVX) ||
        !__get_cpuid_count(0xD, 1, &a, &b, &c, &d) || !(a & 4u))
        GTEST_SKIP() << "the processor does not report the vector state";
    form.cls();
    asm volatile("xgetbv" : "=a"(a), "=d"(high) : "c"(1));
    EXPECT_EQ(a & 4u, 0u);
#endif
}

}  // namespace
}  // namespace tessary
