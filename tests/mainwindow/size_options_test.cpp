// The size options on the main window: the distribution picture (axis, sample ticks, caption, the
// negative-radius message), the degenerate inputs it draws without a message, the option handlers
// and the histogram menu command while no file reader exists.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "mainwindow/form1.h"
#include "tests/platform/ui/ui_test_support.h"

namespace tessary {
namespace {

constexpr OleColor kRed = 255;

class SizeOptionsTest : public test::UiTest {
  protected:
    SizeOptionsTest() {
        runtime.setModalHook([](Form& f) { f.hide(); });
        runtime.setEndHandler([](int) {});
        form = std::make_unique<Form1>();
        form->load();
        form->setRecording(true);
        messages.clear();
    }
    ~SizeOptionsTest() override { form.reset(); }

    // Red sample ticks of the last picture: vertical lines from y 2050 to 1900.
    long redTicks() const {
        const auto& log = form->drawLog();
        return std::count_if(log.begin(), log.end(), [](const DrawOp& op) {
            return op.kind == DrawOp::Kind::Line && op.colour == kRed && op.y1 == 2050 && op.y2 == 1900;
        });
    }
    // Picture of a distribution as typed, drawn once.
    void picture(const std::string& kind, const std::string& sd, const std::string& n, const std::string& r0) {
        Form1& f = *form;
        f.cboDistrib.setText(kind);
        f.cboSD.setText(sd);
        f.cboN.setText(n);
        f.txtRadius.setText(r0);
        f.optDisp.setValue(true);
        form->clearDrawLog();
        messages.clear();
        f.DistDisplay();
    }
    std::unique_ptr<Form1> form;
};

TEST_F(SizeOptionsTest, AxisTicksAndCaption) {
    picture("Normal", "20", "50", "10");
    Form1& f = *form;
    EXPECT_EQ(f.distAxisMin, 4);
    EXPECT_EQ(f.distAxisMax, 16);
    EXPECT_EQ(redTicks(), 50);
    EXPECT_EQ(f.sampleCount, 50);
    const auto& log = f.drawLog();
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const DrawOp& op) {
        return op.kind == DrawOp::Kind::Text && op.text == "50-point approximation of Normal distribution";
    }));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(SizeOptionsTest, NegativeRadiusMessage) {
    struct Case {
        const char* kind;
        const char* n;
        bool message;
    };
    for (const Case c : {Case{"Normal", "50", true}, Case{"Normal", "5", false}, Case{"Log-normal", "50", false}}) {
        form->cboSD.setBackColor(16777215);
        picture(c.kind, "50", c.n, "10");
        EXPECT_EQ(messages.shown().size(), c.message ? 1u : 0u) << c.kind << c.n;
        if (!c.message) continue;
        EXPECT_EQ(messages.last().prompt, "Reduce standard deviation to avoid negative values of radius");
        EXPECT_EQ(messages.last().title, "Input error");
        EXPECT_EQ(form->cboSD.backColor(), kRed);
    }
    // the red list left by N = 50 does not refuse N = 5: the check tests the sample itself
    form->cboN.setText("5");
    messages.clear();
    form->cmdNewPlot.click();
    for (const auto& m : messages.shown()) EXPECT_NE(m.prompt, "Reduce the standard deviation");
}

TEST_F(SizeOptionsTest, DegenerateInputsDrawNoPictureAndNoMessage) {
    struct Case {
        const char* sd;
        const char* n;
        const char* r0;
    };
    for (const Case c : {Case{"0", "5", "10"}, Case{"-5", "5", "10"}, Case{"20", "5", "0"}, Case{"20", "7", "10"},
                         Case{"20", "5", "1e-47"}}) {
        picture("Normal", "20", "5", "10");  // a valid picture first: 5 samples
        picture("Normal", c.sd, c.n, c.r0);
        EXPECT_TRUE(messages.shown().empty()) << c.sd << " " << c.n << " " << c.r0;
        EXPECT_EQ(redTicks(), 0);
        EXPECT_EQ(form->sampleCount, 5);  // N = 7 keeps the last valid count
    }
    picture("Special", "20", "5", "10");  // no histogram read
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(SizeOptionsTest, OptionsShowTheirInputs) {
    Form1& f = *form;
    f.optDisp.setValue(true);
    EXPECT_TRUE(f.cboSD.visible());
    EXPECT_TRUE(f.cboN.visible());
    EXPECT_TRUE(f.cboDistrib.visible());
    EXPECT_EQ(f.optDisp.backColor(), 65535u);
    EXPECT_EQ(f.resultsStale, 1);
    f.optMono.setValue(true);
    EXPECT_FALSE(f.cboSD.visible());
    EXPECT_FALSE(f.cboDistrib.enabled());
    EXPECT_EQ(f.optMono.backColor(), 65535u);
}

TEST_F(SizeOptionsTest, HistogramMenuWithoutAReader) {
    Form1& f = *form;
    f.mnuSizeDist_Click();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt, "This version of Tessary cannot read size-distribution files yet.");
    EXPECT_EQ(f.cboDistrib.text(), "Log-normal");
    EXPECT_FALSE(f.optDisp.value());
    f.inputsLocked = true;  // during a run the command only beeps
    messages.clear();
    const int beeps = runtime.beepCount();
    f.mnuSizeDist_Click();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(runtime.beepCount(), beeps + 1);
    f.inputsLocked = false;
}

}  // namespace
}  // namespace tessary
