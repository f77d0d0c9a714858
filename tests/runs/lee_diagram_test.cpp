// Lee diagrams on the real main window: New plot lays out three panels and fills one column per
// radius of the geometric sweep, Stop ends on the empty frame, and the redraw reads only the stores.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "mainwindow/form1.h"
#include "numerics/worker_pool.h"
#include "tests/platform/ui/ui_test_support.h"

namespace tessary {
namespace {

class LeeDiagramTest : public test::UiTest {
  protected:
    LeeDiagramTest() {
        runtime.setModalHook([](Form& f) { f.hide(); });
        runtime.setEndHandler([](int) {});
    }
    ~LeeDiagramTest() override { form.reset(); }

    // The main window after start-up, set to a Lee diagram of 1 -> 100 µm in 4 steps, 178-180°.
    Form1& lee() {
        form = std::make_unique<Form1>();
        form->load();
        form->graphCode = 20;
        form->cboGraph.setText("Lee diagram");
        form->cboStep.setText("0.05");
        form->txtXmin.setText("178");
        form->txtXmax.setText("180");
        form->txtRadius.setText("1");
        form->txtRmax.setText("100");
        form->txtRstep.setText("4");
        form->cboWave.setText("1");
        return *form;
    }

    std::unique_ptr<Form1> form;
};

TEST_F(LeeDiagramTest, NewPlotFillsEveryRowOfTheGeometricSweep) {
    Form1& f = lee();
    messages.clear();
    f.cmdNewPlot.click();
    EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
    EXPECT_FLOAT_EQ(f.sweepRatio, 3.1622777f);
    EXPECT_NEAR(f.radius, 100.000005, 1e-5);
    EXPECT_NEAR(f.Picture1.left(), 350, 15);  // whole pixels
    EXPECT_NEAR(f.Picture2.left(), 5350, 15);
    EXPECT_NEAR(f.Picture3.left(), 10350, 15);
    EXPECT_NEAR(f.Picture1.top(), 5600, 15);
    ASSERT_EQ(f.leeRed1.size(), 5u);
    for (int k = 0; k <= 4; ++k) EXPECT_GT(f.leeRowPeaks[1][static_cast<std::size_t>(k)], 0.0f) << k;
    EXPECT_EQ(f.lastPoint - f.firstPoint, 40);  // 178..180 at 0.05°
    EXPECT_FALSE(f.inputsLocked);

    // The redraw paints from the stores alone: the same row peaks.
    const auto peaks = f.leeRowPeaks;
    f.txtRstep.setText("7");  // an edited step count does not reach the redraw
    f.optSun.setValue(true);
    f.optPoint.setValue(true);
    f.PlotLee();
    for (std::size_t e = 1; e <= 3; ++e)
        for (std::size_t k = 0; k <= 4; ++k)
            EXPECT_NEAR(f.leeRowPeaks[e][k], peaks[e][k], 1e-5 * peaks[e][k]);
    EXPECT_FALSE(f.inputsLocked);
}

TEST_F(LeeDiagramTest, StopEndsOnTheEmptyFrameWithNothingToRedraw) {
    Form1& f = lee();
    int pumps = 0;
    runtime.setPumpHook([&] {
        if (++pumps == 5) f.runState = 4;
    });
    f.cmdNewPlot.click();
    runtime.setPumpHook({});
    EXPECT_EQ(f.leeGridLast, -1);
    EXPECT_FALSE(f.inputsLocked);
    EXPECT_EQ(f.resultsStale, 0);
}

TEST_F(LeeDiagramTest, DisperseComputesSingleSizeRowsAndSmoothsAcrossThem) {
    Form1& f = lee();
    f.txtRadius.setText("10");
    f.txtRstep.setText("40");
    f.optDisp.setValue(true);
    f.cboSD.setText("10");
    messages.clear();
    f.cmdNewPlot.click();
    EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
    EXPECT_NE(f.leeGridLast, -1);
    EXPECT_FLOAT_EQ(f.relStdDev, 0.1f);  // the distribution pass ran
    // The smoothed row mixes its neighbours: it differs from the stored single size.
    EXPECT_NE(f.leeRed3[20], f.leeRed1[20]);
    EXPECT_FALSE(f.inputsLocked);
}

TEST_F(LeeDiagramTest, StepCountsThatAreNotWholeAreRefused) {
    for (const char* steps : {"4.7", "1e-308"}) {
        Form1& f = lee();
        f.txtRstep.setText(steps);
        messages.clear();
        f.cmdNewPlot.click();
        ASSERT_FALSE(messages.shown().empty()) << steps;
        EXPECT_EQ(messages.last().prompt, "Number of steps not valid") << steps;
        EXPECT_EQ(f.leeGridLast, -1) << steps;  // nothing computed
    }
}

// Run by the parent in a child process with TESSARY_THREADS set: an RGB diagram of 5 -> 50 um in 6
// steps, 130-180 degrees at 0.05 (rows computed ahead on the pool, series over angle blocks), its
// stores and row peaks written raw where TESSARY_RESULTS_FILE says.
TEST_F(LeeDiagramTest, WriteStoresForTheParent) {
    const char* path = std::getenv("TESSARY_RESULTS_FILE");
    if (path == nullptr) GTEST_SKIP() << "runs as a child of LeeDiagramTest.SameStoresForAnyThreadCount";
    Form1& f = lee();
    f.txtRadius.setText("5");
    f.txtRmax.setText("50");
    f.txtRstep.setText("6");
    f.cboWave.setText("RGB");
    f.txtXmin.setText("130");
    f.txtXmax.setText("180");
    f.cmdNewPlot.click();
    ASSERT_EQ(f.leeGridLast, 3601);
    std::ofstream out(path, std::ios::binary);
    const int threads = SharedPool().Threads();
    out.write(reinterpret_cast<const char*>(&threads), sizeof threads);
    const auto put = [&](const std::vector<float>& v) {
        out.write(reinterpret_cast<const char*>(v.data()), static_cast<std::streamsize>(v.size() * sizeof(float)));
    };
    for (const auto* store : {&f.leeRed1, &f.leeGreen1, &f.leeBlue1, &f.leeRed2, &f.leeGreen2, &f.leeBlue2})
        for (const std::vector<float>& row : *store) put(row);
    for (std::size_t e = 1; e <= 3; ++e) put(f.leeRowPeaks[e]);
}

std::string RunChild(int threads) {
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    const std::string file = testing::TempDir() + "tessary_lee_" + std::to_string(getpid()) + "_" +
                             std::to_string(threads) + ".bin";
    const std::string command = "QT_QPA_PLATFORM=offscreen TESSARY_THREADS=" + std::to_string(threads) +
                                " TESSARY_RESULTS_FILE='" + file + "' '" +
                                std::string(self, static_cast<std::size_t>(n > 0 ? n : 0)) +
                                "' --gtest_filter=LeeDiagramTest.WriteStoresForTheParent >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in(file, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::remove(file.c_str());
    return bytes;
}

TEST_F(LeeDiagramTest, SameStoresForAnyThreadCount) {
    const std::string one = RunChild(1);
    const std::string four = RunChild(4);
    ASSERT_GT(one.size(), 6u * 7u * 1001u * sizeof(float));
    EXPECT_EQ(one[0], 1);
    EXPECT_EQ(four[0], 4);
    EXPECT_NE(one.find_first_not_of('\0', sizeof(int)), std::string::npos);  // colours were stored
    ASSERT_EQ(four.size(), one.size());
    EXPECT_TRUE(four.compare(sizeof(int), std::string::npos, one, sizeof(int), std::string::npos) == 0)
        << "4 threads store other bytes than one";
}

}  // namespace
}  // namespace tessary
