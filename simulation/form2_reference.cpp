// The reference point of the simulation: its mode, the boxes that hold it (their back colour is its
// state: white or cyan tracking the mouse, yellow fixed), the mouse on the picture with the crosses
// that mark arc points, and the step, viewing and focal-length lists.
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "simulation/form2.h"

namespace tessary {

namespace {

void Paint(TextBox& a, TextBox& b, OleColor colour) {
    a.setBackColor(colour);
    b.setBackColor(colour);
}

}  // namespace

void Form2::cboPoint_click() {
    const std::string& mode = cboPoint.text();
    if (mode == "Altitude/Azimuth") {
        txtX1.setText("26");
        txtY1.setText("162");
        Paint(txtX1, txtY1, kYellow);
        txtSunElevation.setText("15");
        txtSunElevation.setBackColor(kWhite);
        txtSunElevation.setVisible(true);
        Label4.setCaption("Elevation");
        Label5.setCaption("Azimuth");
        Label7.setCaption("Elevation of sun");
        Label7.setVisible(true);
    }
    if (mode == "Sun" || mode == "Anti-solar point") {
        txtX1.setText(CStr(picHalfWidth / 2));
        txtY1.setText(CStr(picHalfHeight / 2));
        txtSunElevation.setVisible(false);
        Label4.setCaption("x value");
        Label5.setCaption("y value");
        Label7.setVisible(false);
    }
    if (mode == "Arc") {
        txtSunElevation.setText("139");
        txtSunElevation.setBackColor(kWhite);
        txtSunElevation.setVisible(true);
        Label7.setCaption("Scattering angle");
        Label7.setVisible(true);
        Label4.setCaption("x value");
        Label5.setCaption("y value");
        Paint(txtX1, txtY1, kWhite);
        arcMarkState = 0;
        msgBox("Mark a point on the arc (left click with mouse)", mb::kOkOnly, std::string("First point"));
        geometryOnly = 0;
    }
}

// Two lines in invert mode: drawing the cross again erases it.
void Form2::DrawCross(double x, double y) {
    Picture1.line(x - 8, y, x + 8, y);
    Picture1.line(x, y - 8, x, y + 8);
}

void Form2::picture1_mousedown(int button, int /*shift*/, double x, double y) {
    // A painting reads the reference point for every point it paints: it stays as the painting began.
    if (simPainting) return;
    // In "Altitude/Azimuth" the boxes hold the camera's angles, which no picture position is.
    const bool angles = cboPoint.text() == "Altitude/Azimuth";
    Picture1.setDrawMode(draw::kInvert);
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    if (!angles) {
        txtX1.setText(CStr(fx));
        txtY1.setText(CStr(fy));
    }
    if (button == 1 && cboPoint.text() == "Arc") {
        if (arcMarkState == 1) {
            Paint(txtX1, txtY1, kYellow);
            arcX2 = fx;
            arcY2 = fy;
            DrawCross(arcX2, arcY2);
            arcMarkState = 3;
            msgBox("Input scattering angle", mb::kOkOnly, std::string());
        } else if (arcMarkState == 0) {
            Paint(txtX1, txtY1, kCyan);
            arcX1 = fx;
            arcY1 = fy;
            DrawCross(arcX1, arcY1);
            arcMarkState = 1;
            msgBox("Mark a point on the arc (left click with mouse)", mb::kOkOnly,
                   std::string("Second point"));
        }
    } else if (button == 1) {
        if (!angles) {
            Paint(txtX1, txtY1, kYellow);
            refPointX = fx;
            refPointY = fy;
            geometryOnly = 1;
            cmdCircle_Click();
            geometryOnly = 0;
        }
    } else {
        if (!angles) Paint(txtX1, txtY1, kWhite);
        if (arcMarkState >= 2) DrawCross(arcX2, arcY2);
        if (arcMarkState >= 1) DrawCross(arcX1, arcY1);
        arcMarkState = 0;
    }
    Picture1.setDrawMode(draw::kCopyPen);
}

void Form2::picture1_mousemove(int /*button*/, int /*shift*/, double x, double y) {
    if (txtX1.backColor() != kWhite && txtX1.backColor() != kCyan) return;
    if (cboPoint.text() == "Altitude/Azimuth") return;
    txtX1.setText(CStr(static_cast<float>(x)));
    txtY1.setText(CStr(static_cast<float>(y)));
}

void Form2::cboRStep_Click() {
    if (cmdCircle.caption() == "Circles OFF") cmdCircle_Click();
}

void Form2::cboView_Change() {
    geometryOnly = 1;
    cmdCircle_Click();
    geometryOnly = 0;
}

void Form2::cboScale_Change() {
    geometryOnly = 1;
    if (const std::optional<double> focal = BoxNumber(cboScale.text()); focal && *focal > 0)
        cmdCircle_Click();
    geometryOnly = 0;
}

}  // namespace tessary
