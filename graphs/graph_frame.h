// The graph frame of the main window and the colours it is drawn in (members of Form1, filled by
// Grid, Display, Plot and the Lee axes).
#pragma once

#include <array>

#include "graphs/graph_codes.h"
#include "platform/ui/colour.h"

namespace tessary {

// The graph on show: its box, polar geometry, x and y ranges, the tick being drawn and the panels.
struct GraphFrame {
    double xMin = 0.0;
    double xMax = 0.0;
    double yAxisMin = 0.0;
    double yAxisMax = 0.0;
    double yScaleMin = 0.0;
    double yScaleMax = 0.0;
    float graphLeft = 0.0f;
    float graphRight = 0.0f;
    float graphTop = 0.0f;
    float graphBottom = 0.0f;
    double polarCentreX = 0.0;
    double polarCentreY = 0.0;
    int polarRadius = 0;
    int phasePanel = 0;
    int curvePolarisation = kCurveNone;
    float leePanelWidth = 0.0f;                 // width of each Lee-diagram or map panel
    double tickValueX = 0.0, tickValueY = 0.0;  // the value of the tick being drawn
    double drawX = 0.0, drawY = 0.0;            // its position
    float tickStep = 0.0f;                      // the angle tick interval of the last Lee axis
    // The upper panel's axis range, restored after the lower panel; its automatic data maximum.
    double drawnYMin = 0.0, drawnYMax = 0.0;
    double savedYScaleMax = 0.0;
    // The visible point range of x graphs; the x value of an x graph's first point.
    int plotFirstIndex = 0, plotLastIndex = 0;
    double dataXStart = 0.0;
    // The x axis of the frame on show (its left and right ends), on which an overplot is drawn.
    double frameXMin = 0.0, frameXMax = 0.0;
};

// The colours of the graph (RGB numbers r + 256 g + 65536 b): background, logo, the second curve's,
// the current wavelength's and each wavelength's of a run.
struct GraphColours {
    OleColor colourBackSingle = 0;  // plot box with one wavelength
    OleColor colourBackMulti = 0;   // plot box with several wavelengths
    OleColor logoColour = 0;
    OleColor lineColourDark = 0;  // darker companion of the line colour: the second curve
    double waveRed = 0.0, waveGreen = 0.0, waveBlue = 0.0;  // colour of the current wavelength, 0..255
    // The RGB number of each wavelength of a run (0..2001).
    std::array<float, 2002> colourPerWave{};
};

}  // namespace tessary
