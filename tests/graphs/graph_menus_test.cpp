// The graph-size, background-colour, logo, grid-line and line colour, style and width menus: the
// geometry and colours they set, one check mark per group, and the redraw they offer.
#include <gtest/gtest.h>

#include <vector>

#include "graphs/graph_codes.h"
#include "tests/graphs/frame_test_support.h"

namespace tessary::test {
namespace {

class GraphMenus : public FrameTest {
  protected:
    int checkedCount(const std::vector<Menu*>& group) const {
        int n = 0;
        for (const Menu* m : group) n += m->checked() ? 1 : 0;
        return n;
    }
    std::vector<Menu*> sizes() const {
        Form1& f = *form;
        return {&f.mnuVLarge, &f.mnuLarge, &f.mnuMedium, &f.mnuSmall, &f.mnuSizeSpecial};
    }
    std::vector<Menu*> schemes() const {
        Form1& f = *form;
        return {&f.mnuDefault, &f.mnuWhite, &f.mnuGrey, &f.mnuBlack};
    }
    std::vector<Menu*> lineColours() const {
        Form1& f = *form;
        return {&f.mnuTrueColour, &f.mnuBlackLine,  &f.mnuGreyLine, &f.mnuRedLine,     &f.mnuGreenLine,
                &f.mnuBlueLine,   &f.mnuYellowLine, &f.mnuCyanLine, &f.mnuMagentaLine, &f.mnuFalseColours};
    }
    // Results current: the redraw offer is Replot.
    void resultsCurrent() {
        form->runFlags.resultsStale = 0;
        form->cmdReplot.setEnabled(false);
        form->cmdReplot.setVisible(false);
        form->cmdNewPlot.setDefault(true);
    }
    void expectReplotOffered() {
        EXPECT_TRUE(form->cmdReplot.enabled());
        EXPECT_TRUE(form->cmdReplot.visible());
        EXPECT_TRUE(form->cmdReplot.isDefault());
    }
};

struct SizeCase {
    void (Form1::*handler)();
    float left, right, top, bottom;
    double cx, cy;
    int radius;
    float panel;
};

class GraphSizes : public GraphMenus, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(GraphSizes, SetTheBoxPolarGeometryAndPanelWidth) {
    const SizeCase c = GetParam();
    Form1& f = *form;
    f.codes.graphCode = kGraphLee;
    (f.*c.handler)();
    EXPECT_EQ(f.graph.graphLeft, c.left);
    EXPECT_EQ(f.graph.graphRight, c.right);
    EXPECT_EQ(f.graph.graphTop, c.top);
    EXPECT_EQ(f.graph.graphBottom, c.bottom);
    EXPECT_EQ(f.graph.polarCentreX, c.cx);
    EXPECT_EQ(f.graph.polarCentreY, c.cy);
    EXPECT_EQ(f.graph.polarRadius, c.radius);
    EXPECT_EQ(f.graph.leePanelWidth, c.panel);
    EXPECT_EQ(checkedCount(sizes()), 1);
}

INSTANTIATE_TEST_SUITE_P(
    FixedSizes, GraphSizes,
    ::testing::Values(SizeCase{&Form1::mnuSmall_Click, 1000, 6000, 3400, 6800, 3500, 5100, 1700, 3000},
                      SizeCase{&Form1::mnuMedium_Click, 1000, 8000, 3400, 7900, 3500, 5650, 2250, 5000},
                      SizeCase{&Form1::mnuLarge_Click, 1000, 15000, 3400, 9800, 5200, 6600, 3200, 5000}));

TEST_F(GraphMenus, VeryLargeOnA1280By1024Screen) {
    runtime.setScreen(ScreenMetrics{1280, 1024, 15, 15});
    Form1& f = *form;
    f.codes.graphCode = kGraphLee;
    f.mnuVLarge_Click();
    EXPECT_EQ(f.graph.graphLeft, 1000);
    EXPECT_EQ(f.graph.graphRight, 19200);
    EXPECT_EQ(f.graph.graphTop, 3400);
    EXPECT_EQ(f.graph.graphBottom, 12860);
    EXPECT_DOUBLE_EQ(f.graph.polarCentreX, 1000 + 38400.0 / 7);
    EXPECT_DOUBLE_EQ(f.graph.polarCentreY, 7624);
    EXPECT_EQ(f.graph.polarRadius, 4224);
    EXPECT_EQ(f.graph.leePanelWidth, 6400);
    EXPECT_NEAR(f.Frame7.top(), 13160, 15);
    EXPECT_TRUE(f.mnuVLarge.checked());
    EXPECT_EQ(checkedCount(sizes()), 1);
}

TEST_F(GraphMenus, VeryLargeRadiusIsWholeTwipsOnWideScreens) {
    runtime.setScreen(ScreenMetrics{10000, 5000, 15, 15});  // a radius beyond 16 bits
    form->mnuVLarge_Click();
    EXPECT_EQ(form->graph.polarRadius, 33000);
    runtime.setScreen(ScreenMetrics{15360, 8640, 15, 15});
    form->mnuVLarge_Click();
    EXPECT_EQ(form->graph.polarRadius, 50688);
}

TEST_F(GraphMenus, PanelWidthOnlyForLeeDiagramsAndMaps) {
    form->codes.graphCode = kGraphAngle;
    form->graph.leePanelWidth = 1234;
    form->mnuSmall_Click();
    EXPECT_EQ(form->graph.leePanelWidth, 1234);
}

TEST_F(GraphMenus, SpecialKeepsThePolarGeometryAndTestsTheListText) {
    Form1& f = *form;
    f.mnuMedium_Click();
    f.graph.leePanelWidth = 1234;
    f.codes.graphCode = kGraphLee;
    f.mnuSizeSpecial_click();
    EXPECT_EQ(f.graph.graphRight, 8000);
    EXPECT_EQ(f.graph.graphBottom, 9000);
    EXPECT_EQ(f.graph.polarCentreY, 5650);
    EXPECT_EQ(f.graph.polarRadius, 2250);
    EXPECT_EQ(f.graph.leePanelWidth, 1234);  // the list does not show "Lee diagram"
    f.cboGraph.setText("Lee diagram");
    f.mnuSizeSpecial_click();
    EXPECT_EQ(f.graph.leePanelWidth, 5000);
    EXPECT_TRUE(f.mnuSizeSpecial.checked());
    EXPECT_EQ(checkedCount(sizes()), 1);
}

TEST_F(GraphMenus, SizeOffersReplotWhenResultsAreCurrent) {
    resultsCurrent();
    form->mnuMedium_Click();
    expectReplotOffered();
}

TEST_F(GraphMenus, SizeMakesNewPlotTheDefaultAfterAnInputChange) {
    form->runFlags.resultsStale = 1;
    form->cmdReplot.setVisible(false);
    form->cmdReplot.setEnabled(false);
    form->cmdReplot.setDefault(true);
    form->mnuSmall_Click();
    EXPECT_TRUE(form->cmdNewPlot.isDefault());
    EXPECT_FALSE(form->cmdReplot.visible());
    EXPECT_FALSE(form->cmdReplot.enabled());
}

struct SchemeCase {
    void (Form1::*handler)();
    Menu Form1::*item;
    OleColor single, multi, logo;
};

class ColourSchemes : public GraphMenus, public ::testing::WithParamInterface<SchemeCase> {};

TEST_P(ColourSchemes, SetColoursAndCheckOneItem) {
    const SchemeCase c = GetParam();
    Form1& f = *form;
    f.mnuBlack_Click();
    (f.*c.handler)();
    EXPECT_EQ(f.graphColours.colourBackSingle, c.single);
    EXPECT_EQ(f.graphColours.colourBackMulti, c.multi);
    EXPECT_EQ(f.graphColours.logoColour, c.logo);
    EXPECT_TRUE((f.*c.item).checked());
    EXPECT_EQ(checkedCount(schemes()), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Schemes, ColourSchemes,
    ::testing::Values(SchemeCase{&Form1::mnuDefault_Click, &Form1::mnuDefault, rgb(255, 255, 224), 0,
                                 rgb(200, 200, 200)},
                      SchemeCase{&Form1::mnuWhite_Click, &Form1::mnuWhite, rgb(255, 255, 255),
                                 rgb(255, 255, 255), rgb(200, 200, 200)},
                      SchemeCase{&Form1::mnuGrey_Click, &Form1::mnuGrey, rgb(128, 128, 128),
                                 rgb(128, 128, 128), rgb(100, 100, 100)},
                      SchemeCase{&Form1::mnuBlack_Click, &Form1::mnuBlack, 0, 0, rgb(100, 100, 100)}));

TEST_F(GraphMenus, SchemesPaintTheLeePanelTitles) {
    Form1& f = *form;
    f.mnuWhite_Click();
    EXPECT_EQ(f.Picture2.backColor(), rgb(255, 255, 255));
    f.mnuGrey_Click();  // Grey and Black leave the pictures as they are
    EXPECT_EQ(f.Picture2.backColor(), rgb(255, 255, 255));
    f.mnuDefault_Click();
    for (PictureBox* p : {&f.Picture1, &f.Picture2, &f.Picture3}) EXPECT_EQ(p->backColor(), kButtonFace);
}

TEST_F(GraphMenus, SchemeOffersReplotOnlyForCurrentResults) {
    form->runFlags.resultsStale = 1;
    form->cmdReplot.setVisible(false);
    form->mnuGrey_Click();
    EXPECT_FALSE(form->cmdReplot.visible());  // no results to redraw yet
    EXPECT_TRUE(form->cmdNewPlot.isDefault());
    resultsCurrent();
    form->mnuWhite_Click();
    expectReplotOffered();
}

TEST_F(GraphMenus, HideLogoToggles) {
    form->mnuHideLogo_Click();
    EXPECT_TRUE(form->mnuHideLogo.checked());
    form->mnuHideLogo_Click();
    EXPECT_FALSE(form->mnuHideLogo.checked());
}

TEST_F(GraphMenus, MinorGridChecksTheMajorItemOfItsAxis) {
    Form1& f = *form;
    f.mnuMajorGridX.setChecked(false);
    f.mnuMajorGridY.setChecked(false);
    f.mnuMinorGridX_Click();
    EXPECT_TRUE(f.mnuMinorGridX.checked());
    EXPECT_TRUE(f.mnuMajorGridX.checked());
    EXPECT_FALSE(f.mnuMajorGridY.checked());
    f.mnuMinorGridX_Click();  // unchecking the minor item leaves the major one
    EXPECT_FALSE(f.mnuMinorGridX.checked());
    EXPECT_TRUE(f.mnuMajorGridX.checked());
    f.mnuMinorGridY_Click();
    EXPECT_TRUE(f.mnuMajorGridY.checked());
    f.mnuMajorGridY_Click();  // unchecking the major item leaves the minor one
    EXPECT_FALSE(f.mnuMajorGridY.checked());
    EXPECT_TRUE(f.mnuMinorGridY.checked());
    resultsCurrent();
    f.mnuMajorGridX_Click();
    expectReplotOffered();
}

TEST_F(GraphMenus, MenuItemsRunTheirHandlers) {
    Form1& f = *form;
    f.load();
    f.mnuSmall.trigger();
    EXPECT_TRUE(f.mnuSmall.checked());
    EXPECT_EQ(f.graph.graphRight, 6000);
    f.mnuGrey.trigger();
    EXPECT_EQ(f.graphColours.colourBackSingle, rgb(128, 128, 128));
    f.mnuRedLine.trigger();
    EXPECT_TRUE(f.mnuRedLine.checked());
    f.mnuDash.trigger();
    EXPECT_TRUE(f.mnuDash.checked());
    f.mnuDrawWidth2.trigger();
    EXPECT_TRUE(f.mnuDrawWidth2.checked());
}

struct LineColourCase {
    void (Form1::*handler)();
    Menu Form1::*item;
    OleColor main, dark;
};

class LineColours : public GraphMenus, public ::testing::WithParamInterface<LineColourCase> {};

TEST_P(LineColours, CheckedItemGivesColourAndCompanion) {
    const LineColourCase c = GetParam();
    Form1& f = *form;
    f.mnuTrueColour_Click();
    (f.*c.handler)();
    EXPECT_TRUE((f.*c.item).checked());
    EXPECT_EQ(checkedCount(lineColours()), 1);
    f.LineColour();
    EXPECT_EQ(f.foreColor(), c.main);
    EXPECT_EQ(f.graphColours.lineColourDark, c.dark);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, LineColours,
    ::testing::Values(
        LineColourCase{&Form1::mnuBlackLine_Click, &Form1::mnuBlackLine, 0, rgb(50, 50, 50)},
        LineColourCase{&Form1::mnuGreyLine_Click, &Form1::mnuGreyLine, rgb(128, 128, 128), rgb(72, 72, 72)},
        LineColourCase{&Form1::mnuRedLine_Click, &Form1::mnuRedLine, rgb(255, 0, 0), rgb(150, 0, 0)},
        LineColourCase{&Form1::mnuGreenLine_Click, &Form1::mnuGreenLine, rgb(0, 255, 0), rgb(0, 150, 0)},
        LineColourCase{&Form1::mnuBlueLine_Click, &Form1::mnuBlueLine, rgb(0, 0, 255), rgb(0, 0, 150)},
        LineColourCase{&Form1::mnuYellowLine_Click, &Form1::mnuYellowLine, rgb(255, 255, 0),
                       rgb(150, 150, 0)},
        LineColourCase{&Form1::mnuCyanLine_Click, &Form1::mnuCyanLine, rgb(0, 255, 255), rgb(0, 150, 150)},
        LineColourCase{&Form1::mnuMagentaLine_Click, &Form1::mnuMagentaLine, rgb(255, 0, 255),
                       rgb(150, 0, 150)}));

TEST_F(GraphMenus, TrueColourTakesTheWavelengthColourRounded) {
    Form1& f = *form;
    f.mnuTrueColour_Click();
    f.graphColours.waveRed = 127.5;  // halves to even: 128, and 0.6 x 127.5 = 76.5 gives 76
    f.graphColours.waveGreen = 200.4;
    f.graphColours.waveBlue = 10;
    f.LineColour();
    EXPECT_EQ(f.foreColor(), rgb(128, 200, 10));
    EXPECT_EQ(f.graphColours.lineColourDark, rgb(76, 120, 6));
}

TEST_F(GraphMenus, TrueColourWithoutAWavelengthColourKeepsTheColours) {
    Form1& f = *form;
    f.mnuTrueColour_Click();
    f.setForeColor(rgb(1, 2, 3));
    f.graphColours.lineColourDark = rgb(4, 5, 6);
    f.graphColours.waveRed = std::numeric_limits<double>::quiet_NaN();
    f.LineColour();
    EXPECT_EQ(f.foreColor(), rgb(1, 2, 3));
    EXPECT_EQ(f.graphColours.lineColourDark, rgb(4, 5, 6));
}

TEST_F(GraphMenus, FalseColoursLeaveTheColours) {
    Form1& f = *form;
    f.PlotLineColour();
    f.mnuFalseColours.setChecked(true);
    f.setForeColor(rgb(1, 2, 3));
    f.graphColours.lineColourDark = rgb(4, 5, 6);
    f.LineColour();
    EXPECT_EQ(f.foreColor(), rgb(1, 2, 3));
    EXPECT_EQ(f.graphColours.lineColourDark, rgb(4, 5, 6));
}

TEST_F(GraphMenus, LineColourOnAnAngleMapMakesTheLeeListUsable) {
    Form1& f = *form;
    f.cboLee.setEnabled(false);
    f.codes.graphCode = kGraphLee;
    f.mnuCyanLine_Click();
    EXPECT_FALSE(f.cboLee.enabled());  // the Lee diagram keeps its state
    f.codes.graphCode = kGraphMapIndex;
    f.mnuCyanLine_Click();
    EXPECT_TRUE(f.cboLee.enabled());
}

TEST_F(GraphMenus, LineColourRedrawOffer) {
    resultsCurrent();
    form->mnuBlueLine_Click();
    expectReplotOffered();
    form->runFlags.resultsStale = 1;
    form->cmdReplot.setVisible(false);
    form->mnuRedLine_Click();
    EXPECT_TRUE(form->cmdNewPlot.isDefault());
    EXPECT_FALSE(form->cmdReplot.visible());
}

TEST_F(GraphMenus, StylesAndWidthsAreExclusiveGroups) {
    Form1& f = *form;
    const std::vector<Menu*> styles{&f.mnuSolid, &f.mnuDot, &f.mnuDash};
    for (auto handler : {&Form1::mnuDot_Click, &Form1::mnuDash_Click, &Form1::mnuSolid_Click}) {
        (f.*handler)();
        EXPECT_EQ(checkedCount(styles), 1);
    }
    EXPECT_TRUE(f.mnuSolid.checked());
    f.mnuDrawwidth2_Click();
    EXPECT_TRUE(f.mnuDrawWidth2.checked());
    EXPECT_FALSE(f.mnuDrawWidth1.checked());
    f.mnuDrawwidth1_Click();
    EXPECT_TRUE(f.mnuDrawWidth1.checked());
    EXPECT_FALSE(f.mnuDrawWidth2.checked());
    resultsCurrent();
    f.mnuDot_Click();
    expectReplotOffered();
}

}  // namespace
}  // namespace tessary::test
