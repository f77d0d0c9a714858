// Shared set-up of the graph-frame tests: a main window made but not loaded (so no start-up runs
// and no handler is raised), put in the state start-up leaves for the default graph (Large box,
// Default colours, logarithmic y from 10 to 100000, linear x from 0 to 180, major grid lines), with
// the recording canvas on; and queries over the recorded drawing commands.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "tests/platform/ui/ui_test_support.h"

namespace tessary::test {

inline constexpr OleColor kBlack = 0;
inline constexpr OleColor kGridSingle = rgb(128, 255, 255);
inline constexpr OleColor kCream = rgb(255, 255, 224);

class FrameTest : public UiTest {
  protected:
    FrameTest() : form(std::make_unique<Form1>()) {
        Form1& f = *form;
        f.codes.graphCode = kGraphAngle;
        f.codes.graphSubCode = kSubIntensity;
        f.calc.waveCount = 1;
        f.windowState.screenWidthPx = 1024;
        f.runFlags.resultsStale = 1;
        f.mnuDefault_Click();
        f.mnuLarge_Click();
        f.optLog.setValue(true);
        f.OptXLinear.setValue(true);
        f.Frame8.setVisible(false);
        f.mnuMajorGridX.setChecked(true);
        f.mnuMajorGridY.setChecked(true);
        f.mnuMinorGridX.setChecked(false);
        f.mnuMinorGridY.setChecked(false);
        f.graph.xMin = 0;
        f.graph.xMax = 180;
        f.graph.yAxisMin = 10;
        f.graph.yAxisMax = 100000;
        f.graph.yScaleMin = 0.1;
        f.graph.yScaleMax = 100000;
        f.setRecording(true);
    }

    // Draws the frame for the window's own box and ranges.
    void drawFrame() {
        Form1& f = *form;
        f.clearDrawLog();
        f.Grid(f.graph.graphLeft, f.graph.graphRight, f.graph.graphTop, f.graph.graphBottom, f.graph.xMin,
               f.graph.xMax, f.graph.yAxisMin, f.graph.yAxisMax);
    }

    std::vector<DrawOp> ops(DrawOp::Kind kind) const {
        std::vector<DrawOp> result;
        for (const DrawOp& op : form->drawLog())
            if (op.kind == kind) result.push_back(op);
        return result;
    }
    std::vector<DrawOp> texts() const { return ops(DrawOp::Kind::Text); }
    std::vector<DrawOp> lines(const std::function<bool(const DrawOp&)>& keep) const {
        std::vector<DrawOp> result;
        for (const DrawOp& op : ops(DrawOp::Kind::Line))
            if (keep(op)) result.push_back(op);
        return result;
    }
    // Number of texts equal to text printed at (x, y) (within a hundredth of a twip).
    int textsAt(const std::string& text, double x, double y) const {
        int n = 0;
        for (const DrawOp& op : texts())
            if (op.text == text && std::fabs(op.x1 - x) < 0.01 && std::fabs(op.y1 - y) < 0.01) ++n;
        return n;
    }
    int textCount(const std::string& text) const {
        int n = 0;
        for (const DrawOp& op : texts())
            if (op.text == text) ++n;
        return n;
    }
    // Ticks from y0 to y0 + 50 at the x positions, in drawing order.
    std::vector<double> tickXs(double y0, OleColor colour) const {
        std::vector<double> xs;
        for (const DrawOp& op : lines([&](const DrawOp& l) {
                 return l.x1 == l.x2 && l.y1 == y0 && l.y2 == y0 + 50 && l.colour == colour;
             }))
            xs.push_back(op.x1);
        return xs;
    }
    // Full-height vertical lines from top to bottom.
    std::vector<DrawOp> verticalGridLines() const {
        const Form1& f = *form;
        return lines([&](const DrawOp& l) {
            return l.x1 == l.x2 && l.y1 == f.graph.graphTop && l.y2 == f.graph.graphBottom;
        });
    }
    // Full-width horizontal lines at y (from left or left + 20 to right).
    std::vector<DrawOp> horizontalLines() const {
        const Form1& f = *form;
        return lines([&](const DrawOp& l) {
            return l.y1 == l.y2 && l.x2 == f.graph.graphRight && l.x1 >= f.graph.graphLeft;
        });
    }

    std::unique_ptr<Form1> form;
};

}  // namespace tessary::test
