// "Show simulation": every point of the chosen quadrants takes the colour of the light scattered at
// its angle from the reference direction, on the chosen background; the quadrant buttons, Stop and
// the check of the background boxes.
#include <algorithm>
#include <cmath>

#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "simulation/form2.h"
#include "simulation/sim_lookup.h"

namespace tessary {

void Form2::ToggleQuadrant(int& flag, CommandButton& button) {
    if (flag == 1) {
        flag = 0;
        button.setBackColor(kButtonFace);
    } else {
        flag = 1;
        button.setBackColor(kYellow);
    }
}

void Form2::cmdQuadNE_Click() { ToggleQuadrant(quadNE, cmdQuadNE); }
void Form2::cmdQuadNW_Click() { ToggleQuadrant(quadNW, cmdQuadNW); }
void Form2::cmdQuadSE_Click() { ToggleQuadrant(quadSE, cmdQuadSE); }
void Form2::cmdQuadSW_Click() { ToggleQuadrant(quadSW, cmdQuadSW); }

// Each box's whole number is written back ("12,7" becomes "12"); text that is no number is kept and,
// like a number outside 0 - 255, refused with the box red during the message.
void Form2::ErrorRGB() {
    const std::pair<TextBox*, const char*> boxes[] = {
        {&txtBackRed, "red"}, {&txtBackGreen, "green"}, {&txtBackBlue, "blue"}};
    for (const auto& [box, name] : boxes) {
        const std::optional<double> typed = BoxNumber(box->text());
        const double v = typed ? Int(*typed) : 0;
        if (typed && std::isfinite(v)) box->setText(CStr(v));
        if (!typed || v < 0 || v > 255) {
            simInputError = 1;
            box->setBackColor(kRed);
            msgBox(typed ? std::string("Values must be in the range 0 - 255")
                         : "Background " + std::string(name) + " must be a number from 0 to 255",
                   mb::kOkOnly, std::string("Input error"));
            box->setBackColor(kWhite);
        }
    }
}

void Form2::cmdSimPlot_Click() {
    // A calculation holds the main window's lock: painting now would release it under the run.
    if (form1().windowState.inputsLocked) {
        beep();
        return;
    }
    PaintSteps();
    simPainting = false;
    LockOFF();
    cmdStopSim.setVisible(false);
    simStop = 0;
    aspectWarned = 0;
}

void Form2::PaintSteps() {
    simInputError = 0;
    // The painting takes the entries its lists name (case and blanks count): a text that names none would
    // paint with the entry chosen before.
    if (!NamesAnEntry(cboPoint, "reference point") || !NamesAnEntry(cboPolarisation, "light source") ||
        !NamesAnEntry(cboView, "viewing conditions"))
        return;
    ErrorRGB();
    if (simInputError == 1) return;
    // The colours of the run on show, as its record computed them; none, and the message says why.
    if (!form1().SimulationColoursForPainting()) return;
    {
        const sim::SimTableView table = sim::ViewOf(form1().simColourTable);
        if (!table.usable()) {
            msgBox("No colours to paint: run a calculation, then press Simulation in the main window",
                   mb::kOkOnly, std::string("Simulation"));
            return;
        }
    }
    cmdStopSim.setVisible(true);
    txtX1.setBackColor(kYellow);
    txtY1.setBackColor(kYellow);
    simStop = 0;
    geometryOnly = 1;
    cmdCircle_Click();
    geometryOnly = 0;
    if (simInputError == 1 || geometryRefused == 1) return;
    if (cmdCircle.caption() == "Circles OFF") {
        cmdCircle_Click();
        cmdCircle.setCaption("Circles ON");
    }
    LockON();
    simPainting = true;
    if (cboPolarisation.text() == "Unpolarised") sourcePolarisation = 0;
    if (cboPolarisation.text() == "Perpendicular") sourcePolarisation = 1;
    if (cboPolarisation.text() == "Parallel") sourcePolarisation = 2;
    if (cboView.text() == "Unpolarised") viewPolarisation = 0;
    if (cboView.text() == "Polarised") viewPolarisation = 1;
    ScaleCalc();
    if (simInputError == 1) return;
    {
        Form1& f1 = form1();
        // As ErrorRGB took them: whole numbers from 0 to 255.
        const auto background = [](const TextBox& box) { return Int(BoxNumber(box.text()).value_or(0)); };
        const double bgR = background(txtBackRed), bgG = background(txtBackGreen),
                     bgB = background(txtBackBlue);
        const double kR = (255 - bgR) / 255, kG = (255 - bgG) / 255, kB = (255 - bgB) / 255;

        if (quadNE != 1 && quadNW != 1 && quadSE != 1 && quadSW != 1) {
            msgBox("Select quadrant(s)", mb::kOkOnly, std::string("No quadrant selected"));
            return;
        }
        if (quadNW == 1 && quadSE == 1) {
            if (quadSW == 0) cmdQuadSW_Click();
            if (quadNE == 0) cmdQuadNE_Click();
        }
        if (quadNE == 1 && quadSW == 1) {
            if (quadSE == 0) cmdQuadSE_Click();
            if (quadNW == 0) cmdQuadNW_Click();
        }
        const std::string mode = cboPoint.text();
        const bool aroundPoint = mode == "Sun" || mode == "Anti-solar point";
        const bool fromAntiSolar = mode == "Arc" || mode == "Altitude/Azimuth" || mode == "Anti-solar point";
        // Around the point the boxes hold, as the geometry read it.
        const sim::PaintRect rect =
            sim::PaintRectangle(aroundPoint, {quadNE == 1, quadNW == 1, quadSE == 1, quadSW == 1}, refPointX,
                                refPointY, Picture1.scaleWidth(), Picture1.scaleHeight());
        if (rect.empty()) return;
        paintedRun = f1.runRecord.serial;  // the picture shows this run's colours from now on
        lblPaintedRun.setCaption("");

        for (float pixelX = static_cast<float>(rect.x0); pixelX <= rect.x1; pixelX += 1) {
            doEvents();
            // The angles the table holds colours for, at the step of the run that computed them (the
            // main window's angle boxes may have changed since): outside them a point stays black.
            // Taken after the events, which may have replaced the table.
            const sim::SimTableView table = sim::ViewOf(f1.simColourTable);
            double N = table.rows - 1;
            for (float pixelY = static_cast<float>(rect.y0); pixelY <= rect.y1; pixelY += 1) {
                const sim::Direction d = sim::CameraDirection(frame(), pixelX, pixelY);
                skyElevation = d.elevation;
                skyAzimuth = d.azimuth;
                const float pointAngleRad = static_cast<float>(
                    sim::AngularDistance(skyElevation, skyAzimuth, refElevation, refAzimuth));
                float pointAngle = static_cast<float>(pointAngleRad / sim::kRadPerDegree);
                if (fromAntiSolar) pointAngle = 180 - pointAngle;
                double red = 0, green = 0, blue = 0;
                // Outside the computed range, and an angle that is no number: black, not the background.
                if (table.covers(pointAngle)) {
                    sim::SimRow row = sim::RowOf(table, pointAngle);
                    if (viewPolarisation == 1) {
                        const double D = std::sin(pointAngleRad) * std::cos(refElevation);
                        const float c =
                            D == 0 ? 0.0f
                                   : static_cast<float>((std::sin(skyElevation) -
                                                         std::cos(pointAngleRad) * std::sin(refElevation)) /
                                                        D);
                        polWeightPerp = static_cast<float>(std::fabs(std::sin(sim::ArcCos(c))));
                        polWeightPara = std::fabs(c);
                    }
                    f1.SimPlot2(row.f, row.i, row.j, N, sourcePolarisation, viewPolarisation, polWeightPerp,
                                polWeightPara, red, green, blue);
                    red = bgR + std::max(red, 0.0) * kR;
                    green = bgG + std::max(green, 0.0) * kG;
                    blue = bgB + std::max(blue, 0.0) * kB;
                }
                const Checked<std::int32_t> colour = RGB(red, green, blue);
                Picture1.pset(pixelX, pixelY, static_cast<OleColor>(colour.value));
                if (simStop == 1) return;
            }
        }
    }
}

}  // namespace tessary
