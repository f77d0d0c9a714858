// The index the boxes show is the index a one-wavelength run computes with: a typed index in the
// convergence graph and the Lee diagram as in the angle graph, and an index the models refused is
// not run with the number the boxes kept from before (New plot refuses with the models' message
// until an index is shown or typed).
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "mainwindow/form1.h"
#include "platform/ui/file_dialogs.h"
#include "tests/platform/ui/ui_test_support.h"
#include "tests/support/rel_error.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;

constexpr OleColor kRed = 255;

class IndexUsedTest : public test::UiTest {
  protected:
    IndexUsedTest() {
        runtime.setModalHook([](Form& f) { f.hide(); });
        runtime.setEndHandler([](int) {});
        runtime.setFileDialogs(&fileDialogs);
        folder =
            fs::temp_directory_path() / ("tessary_index_used_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    ~IndexUsedTest() override {
        form.reset();
        fs::remove_all(folder);
    }
    // The main window after start-up: IAPWS water at 5 C in a vacuum, the angle graph at 0.65 um.
    Form1& started() {
        form = std::make_unique<Form1>();
        form->load();
        return *form;
    }

    // New plot of the graph with the index typed into the box, at 0.65 um and radius 10 um.
    void newPlot(Form1& f, const std::string& graph, const std::string& index) {
        f.cboGraph.setText(graph);
        f.txtRefractReal.setText(index);
        messages.clear();
        f.cmdNewPlot.click();
        EXPECT_TRUE(messages.shown().empty()) << graph << ": " << messages.last().prompt;
    }
    // Modal dialogs of type D answered by the script.
    template <class D>
    void onDialog(std::function<void(D&)> script) {
        runtime.setModalHook([script](Form& form) { script(dynamic_cast<D&>(form)); });
    }

    ScriptedFileDialogs fileDialogs;
    std::unique_ptr<Form1> form;
    fs::path folder;
};

TEST_F(IndexUsedTest, ConvergenceAndOneWavelengthLeeTakeTheTypedIndex) {
    Form1& f = started();
    ASSERT_EQ(f.txtRefractReal.text(), "1.33257035");  // IAPWS water at 5 C, 0.65 um
    newPlot(f, "Intensity v. scattering angle", "1.333");
    const double at178 = f.intensityPerp[1781];  // 0.1 degree steps
    EXPECT_NEAR(at178, 3279.91, 0.01);

    // The convergence graph at 178 degrees converges to the angle graph's |S1|^2.
    newPlot(f, "Convergence", "1.333");
    EXPECT_EQ(f.calcIndexRe, 1.333);
    EXPECT_REL_NEAR(f.intensityPerp[static_cast<std::size_t>(f.termCount)], at178, 1e-12);

    f.cboGraph.setText("Lee diagram");
    f.cboWave.setText("1");
    newPlot(f, "Lee diagram", "1.333");
    ASSERT_EQ(f.leeWaves.size(), 1u);
    EXPECT_EQ(f.leeWaves[0].wavelength, 0.65);
    EXPECT_EQ(f.leeWaves[0].mRe, 1.333);
    EXPECT_EQ(f.calcIndexRe, 1.333);
}

struct RefusedCase {
    const char* model;
    std::function<void(Form1&)> choose;
    const char* prompt;
    const char* title;
};

TEST_F(IndexUsedTest, ARefusedModelRefusesTheNextRunUntilAnIndexIsTyped) {
    const auto equalWavelengths = [](UserIndexRows& d) {
        d.txtRI_lambda1_2.setText(d.txtRI_lambda1_1.text());
    };
    const RefusedCase cases[] = {
        {"user sphere with two equal wavelengths",
         [&](Form1& f) {
             onDialog<dlogRI_User1>([&](dlogRI_User1& d) {
                 equalWavelengths(d);
                 d.OKButton.click();
             });
             f.mnuRI_User1.trigger();
         },
         "All x values must be different", "Error in input data"},
        {"user medium with two equal wavelengths",
         [&](Form1& f) {
             onDialog<dlogRI_User2>([&](dlogRI_User2& d) {
                 equalWavelengths(d);
                 d.OKButton.click();
             });
             f.mnuRI_User2.trigger();
         },
         "All x values must be different", "Error in input data"},
        {"air at 1e308 C",
         [this](Form1& f) {
             onDialog<dlogAir>([](dlogAir& d) {
                 d.txtAirTemp.setText("1e308");
                 d.OKButton.click();
             });
             f.mnuRI_Air1.trigger();
         },
         "Help! RI of sphere undefined", "Error"},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.model);
        Form1& f = started();
        messages.clear();
        c.choose(f);
        ASSERT_FALSE(messages.shown().empty());
        EXPECT_EQ(messages.last().prompt, c.prompt);       // the models' own refusal
        EXPECT_EQ(f.txtRefractReal.text(), "1.33257035");  // the earlier number stays in the box

        // New plot: the models' message again, the index box red, nothing computed.
        messages.clear();
        f.calcIndexRe = -1;
        f.cmdNewPlot.click();
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt, c.prompt);
        EXPECT_EQ(messages.last().title, c.title);
        EXPECT_EQ(f.txtRefractReal.backColor(), kRed);
        EXPECT_EQ(f.calcIndexRe, -1);

        // An index typed into the box is the user's and is computed with.
        f.txtRefractReal.setText("1.333");
        messages.clear();
        f.cmdNewPlot.click();
        EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
        EXPECT_EQ(f.calcIndexRe, 1.333);
    }
}

}  // namespace
}  // namespace tessary
