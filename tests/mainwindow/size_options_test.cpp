// The size options on the main window: the distribution picture (axis, sample ticks, caption, the
// negative-radius message), the degenerate inputs it draws without a message, and the histogram menu
// command while no file reader exists.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "mainwindow/form1.h"
#include "platform/ui/file_dialogs.h"
#include "file_bytes.h"
#include "tests/platform/ui/ui_test_support.h"

namespace tessary {
namespace {

constexpr OleColor kRed = 255;

class SizeOptionsTest : public test::UiTest {
  protected:
    ScriptedFileDialogs fileDialogs;
    SizeOptionsTest() {
        runtime.setModalHook([](Form& d) { d.hide(); });
        runtime.setFileDialogs(&fileDialogs);  // an empty script cancels
        f.load();
        f.setRecording(true);
    }
    // The picture of a distribution as typed: the number of red sample ticks drawn.
    long picture(const std::string& kind, const std::string& sd, const std::string& n) {
        f.cboDistrib.setText(kind);
        f.cboSD.setText(sd);
        f.cboN.setText(n);
        f.optDisp.setValue(true);
        f.clearDrawLog();
        messages.clear();
        f.DistDisplay();
        return std::count_if(f.drawLog().begin(), f.drawLog().end(), [](const DrawOp& op) {
            return op.kind == DrawOp::Kind::Line && op.colour == kRed && op.y1 == 2050 && op.y2 == 1900;
        });
    }
    std::unique_ptr<Form1> form = std::make_unique<Form1>();
    Form1& f = *form;
};

TEST_F(SizeOptionsTest, AxisTicksCaptionAndNegativeRadius) {
    EXPECT_EQ(picture("Normal", "20", "50"), 50);  // radius 10 um
    EXPECT_EQ(f.dist.distAxisMin, 4);
    EXPECT_EQ(f.dist.distAxisMax, 16);
    const auto caption = [](const DrawOp& op) {
        return op.text == "50-point approximation of Normal distribution";
    };
    EXPECT_TRUE(std::any_of(f.drawLog().begin(), f.drawLog().end(), caption));
    for (const auto& [kind, n, shown] :
         {std::tuple{"Normal", "50", 1u}, {"Normal", "5", 0u}, {"Log-normal", "50", 0u}}) {
        f.cboSD.setBackColor(16777215);
        picture(kind, "50", n);
        ASSERT_EQ(messages.shown().size(), shown) << kind << n;
        if (shown == 0) continue;
        EXPECT_EQ(messages.last().prompt, "Reduce standard deviation to avoid negative values of radius");
        EXPECT_EQ(f.cboSD.backColor(), kRed);
    }
    // the red list left by N = 50 does not refuse N = 5: the check tests the sample itself
    picture("Normal", "50", "50");
    f.cboN.setText("5");
    messages.clear();
    f.cmdNewPlot.click();
    EXPECT_TRUE(messages.shown().empty());
}

// Radii near the largest Double: every radius label of the axis is a finite number, one per label
// step from the axis minimum to its maximum, and every line stays on the picture.
TEST_F(SizeOptionsTest, RadiiNearTheLargestDoubleGetFiniteLabels) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"1e308", {" 4E+307", " 6.4E+307", " 8.8E+307", " 1.12E+308", " 1.36E+308", " 1.6E+308"}},
        {"1e306", {" 4E+305", " 6.4E+305", " 8.8E+305", " 1.12E+306", " 1.36E+306", " 1.6E+306"}},
        {"10", {" 4", " 6", " 8", " 10", " 12", " 14", " 16"}},
    };
    for (const auto& [radius, labels] : cases) {
        for (const char* kind : {"Normal", "Log-normal"}) {
            SCOPED_TRACE(std::string(kind) + " " + radius);
            f.txtRadius.setText(radius);
            EXPECT_EQ(picture(kind, "20", "5"), 5);
            std::vector<std::string> printed;
            for (const DrawOp& op : f.drawLog())
                if (op.kind == DrawOp::Kind::Text && op.y1 == 2170) printed.push_back(op.text);
            EXPECT_EQ(printed, labels);
            for (const DrawOp& op : f.drawLog())
                EXPECT_EQ(op.text.find("Infinity"), std::string::npos) << op.text;
            EXPECT_EQ(f.droppedCommands(), 0);
            EXPECT_TRUE(messages.shown().empty());
        }
    }
}

TEST_F(SizeOptionsTest, DegenerateInputsDrawNoTicksAndShowNoMessage) {
    for (const auto& [sd, n, r0] : {std::tuple{"0", "5", "10"},
                                    {"-5", "5", "10"},
                                    {"20", "5", "0"},
                                    {"20", "7", "10"},
                                    {"20", "5", "1e-47"}}) {
        picture("Normal", "20", "5");  // a valid picture first: 5 samples
        f.txtRadius.setText(r0);
        EXPECT_EQ(picture("Normal", sd, n), 0) << sd << " " << n << " " << r0;
        EXPECT_TRUE(messages.shown().empty());
        EXPECT_EQ(f.dist.sampleCount, 5);  // N = 7 keeps the last valid count
        f.txtRadius.setText("10");
    }
    f.dist.sizeHistogram.histLoaded = 1;  // an empty histogram
    EXPECT_EQ(picture("Special", "20", "5"), 0);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(SizeOptionsTest, HistogramMenuCancelled) {
    f.mnuSizeDist_Click();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt, "No file was selected");
    EXPECT_EQ(f.cboDistrib.text(), "Log-normal");
    EXPECT_FALSE(f.optDisp.value());
    f.windowState.inputsLocked = true;  // during a run the command only beeps
    f.mnuSizeDist_Click();
    EXPECT_EQ(messages.shown().size(), 1u);
}

// A histogram read while a Lee diagram is chosen is refused once, however the list stood before (its
// new text runs the change handler; an unchanged one is run by the command).
TEST_F(SizeOptionsTest, HistogramMenuOnLeeDiagramRefusesOnce) {
    const test::TestFolder folder("tessary_size_menu_");
    test::WriteAll(folder.at("drops.dis"),
                   "Tessary 300\r\na\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\n"
                   "k\r\nl\r\num\r\nUniform\r\n3\r\n10,1\r\n20,2\r\n30,1\r\n");
    f.cboGraph.setText("Lee diagram");
    for (const char* before : {"Log-normal", "Special"}) {
        SCOPED_TRACE(before);
        f.cboDistrib.setText(before);
        fileDialogs.answer(folder.at("drops.dis"));
        messages.clear();
        f.mnuSizeDist_Click();
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt, "Special distributions are not available for Lee diagrams");
        EXPECT_EQ(f.cboDistrib.text(), "Special");
        EXPECT_EQ(f.cboDistrib.backColor(), kRed);
    }
}

}  // namespace
}  // namespace tessary
