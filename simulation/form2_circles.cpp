// The picture scale from the focal length, the reference direction of each reference-point mode and
// the circles of constant angular distance around it, drawn and erased in invert mode.
#include <cmath>
#include <limits>
#include <optional>

#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "simulation/form2.h"

namespace tessary {

void Form2::ScaleCalc() {
    // Text that is no number goes on as NaN, which the scale refuses.
    const double typed = BoxNumber(cboScale.text()).value_or(std::numeric_limits<double>::quiet_NaN());
    focalLength = static_cast<float>(typed);
    const sim::ScaleResult r = sim::ScaleCalc(picHalfWidth, picHalfHeight, typed);
    aspectRatio = r.aspectRatio;
    if (r.status != sim::ScaleStatus::Ok && r.status != sim::ScaleStatus::AspectWarning) {
        cboScale.setBackColor(kRed);
        msgBox(r.message, mb::kOkOnly, r.title);
        simInputError = 1;
        return;
    }
    cboScale.setBackColor(kWhite);
    simInputError = 0;
    if (r.status == sim::ScaleStatus::AspectWarning) {
        if (aspectWarned == 0) {
            msgBox(r.message, mb::kOkOnly, r.title);
            aspectWarned = 1;
        }
    } else {
        aspectWarned = 0;
    }
    simScale = r.scale;
}

void Form2::cmdCircle_Click() {
    CircleSteps();
    Picture1.setDrawMode(draw::kCopyPen);
    Picture1.setDrawStyle(draw::kSolid);
    // A run or a painting holds the main window's lock: it alone may release it.
    if (!form1().windowState.inputsLocked) form1().LockOFF();
}

void Form2::CircleSteps() {
    txtX1.setBackColor(kYellow);
    txtY1.setBackColor(kYellow);
    geometryRefused = 0;
    const bool drawing = cmdCircle.caption() == "Circles ON";
    const std::optional<double> typedStep = BoxNumber(cboRStep.text());
    const float step = !drawing ? circleStep : typedStep ? static_cast<float>(*typedStep) : 0.0f;
    picHalfWidth = static_cast<float>(Picture1.scaleWidth() / 2);
    picHalfHeight = static_cast<float>(Picture1.scaleHeight() / 2);
    // In "Arc" mode the boxes hold the last mouse position, marked as the other modes mark theirs.
    const std::optional<double> x = BoxNumber(txtX1.text()), y = BoxNumber(txtY1.text());
    bool markReference = x && y;
    if (markReference) {
        refPointX = static_cast<float>(*x);
        refPointY = static_cast<float>(*y);
    }
    ScaleCalc();
    if (simInputError == 1) return;
    if (!ReferenceDirection(markReference)) {
        geometryRefused = 1;
        return;
    }
    if (geometryOnly == 1) return;
    if (!(step >= 0.01f) || !std::isfinite(step)) {
        cboRStep.setBackColor(kRed);
        msgBox(drawing && !typedStep ? "Step between circles must be a number"
                                     : "Step between circles must be at least 0.01 degrees",
               mb::kOkOnly, std::string("Input error"));
        return;
    }
    cboRStep.setBackColor(kWhite);
    if (drawing) circleStep = step;
    {
        Picture1.setDrawMode(draw::kInvert);
        Picture1.setDrawStyle(draw::kDot);
        const sim::Direction reference{refElevation, refAzimuth};
        float lastX = 0, lastY = 0;
        for (float r = 0; r <= 80; r += step) {
            for (int b = 0; b <= 360; b += 5) {
                const auto p = sim::CirclePoint(frame(), reference, r * sim::kRadPerDegree, b);
                if (!p) continue;
                if (b == 0) lastX = p->x, lastY = p->y;
                Picture1.line(lastX, lastY, p->x, p->y);
                lastX = p->x;
                lastY = p->y;
            }
        }
        if (markReference) Picture1.pset(refPointX, refPointY);
        cmdCircle.setCaption(drawing ? "Circles OFF" : "Circles ON");
    }
}

std::optional<double> Form2::BoxNumber(const std::string& text) {
    const std::size_t last = text.find_last_not_of(' ');
    const std::string_view typed(text.data(), last == std::string::npos ? 0 : last + 1);
    const std::optional<ValResult> r = ParseTypedNumber(typed);
    if (!r) return std::nullopt;
    if (r->status == NumberStatus::Ok) return r->value;
    const bool negative = typed[typed.find_first_not_of(' ')] == '-';
    return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
}

// The number a box of the reference point holds, from -limit to limit; a box that holds none is red
// and refused with a message naming it: for an angle, or a number beyond the range, with the range.
std::optional<double> Form2::ReferenceBox(TextBox& box, const std::string& name, double limit) {
    const std::optional<double> v = BoxNumber(box.text());
    if (v && std::fabs(*v) <= limit) return v;
    box.setBackColor(kRed);
    const bool angle = limit < std::numeric_limits<float>::max();
    const std::string range = angle || v ? " from " + CStr(static_cast<float>(-limit)) + " to " +
                                               CStr(static_cast<float>(limit)) + (angle ? " degrees" : "")
                                         : "";
    msgBox(name + " must be a number" + range, mb::kOkOnly, std::string("Input error"));
    return std::nullopt;
}

bool Form2::NamesAnEntry(ComboBox& list, const std::string& what) {
    for (int i = 0; i < list.listCount(); ++i) {
        if (list.list(i) != list.text()) continue;
        if (list.backColor() == kRed) list.setBackColor(kWhite);
        return true;
    }
    list.setBackColor(kRed);
    msgBox("Unknown " + what, mb::kOkOnly, std::string("Error"));
    return false;
}

// The reference direction of the mode chosen in cboPoint from its boxes or marked points, and where
// the circles mark it; false, with a message and the direction kept, when they mean none (a text that names
// no mode among them).
bool Form2::ReferenceDirection(bool& markReference) {
    if (!NamesAnEntry(cboPoint, "reference point")) return false;
    const std::string mode = cboPoint.text();
    if (mode == "Anti-solar point" || mode == "Sun") {
        const double any = std::numeric_limits<float>::max();
        const std::optional<double> x = ReferenceBox(txtX1, "x value", any);
        const std::optional<double> y = x ? ReferenceBox(txtY1, "y value", any) : std::nullopt;
        if (!y) return false;
        refPointX = static_cast<float>(*x);
        refPointY = static_cast<float>(*y);
        const sim::Direction d = sim::CameraDirection(frame(), refPointX, refPointY);
        refElevation = d.elevation;
        refAzimuth = d.azimuth;
    }
    if (mode == "Altitude/Azimuth") {
        const std::optional<double> e = ReferenceBox(txtX1, "Elevation", 90);
        const std::optional<double> a = e ? ReferenceBox(txtY1, "Azimuth", 360) : std::nullopt;
        const std::optional<double> s =
            a ? ReferenceBox(txtSunElevation, "Elevation of sun", 90) : std::nullopt;
        if (!s) return false;
        txtSunElevation.setBackColor(kWhite);
        const sim::Direction d = sim::AltitudeAzimuthDirection(*e, *a, *s);
        refElevation = d.elevation;
        refAzimuth = d.azimuth;
        // The marker goes where the reference direction lies in the picture (none behind the camera).
        const auto at = sim::CirclePoint(frame(), d, 0, 0);
        markReference = at.has_value();
        if (at) refPointX = at->x, refPointY = at->y;
    }
    if (mode == "Arc") {
        // Two marked points and the bow's scattering angle are needed; a refusal keeps the previous
        // direction, and the angle's box is red while the angle it holds is refused.
        sim::ArcResult arc;
        arc.title = "Input error";
        const std::optional<double> theta = BoxNumber(txtSunElevation.text());
        if (arcMarkState != 3)
            arc.message = "Mark two different points on the arc";
        else if (!theta)
            arc.message = "Scattering angle must be a number";
        else
            arc = sim::ArcConstruction(frame(), arcX1, arcY1, arcX2, arcY2, *theta, mnuInvert.checked());
        const bool angleRefused = arcMarkState == 3 && !(theta && *theta > 0 && *theta < 180);
        txtSunElevation.setBackColor(angleRefused ? kRed : kWhite);
        if (!arc.direction) {
            msgBox(arc.message, mb::kOkOnly, arc.title);
            return false;
        }
        refElevation = arc.direction->elevation;
        refAzimuth = arc.direction->azimuth;
    }
    return true;
}

}  // namespace tessary
