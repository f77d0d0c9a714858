// The README's first steps as a newcomer follows them: from a fresh start, in order, each step's
// words (found in README.md) and what the window does when they are followed to the letter, with a
// check that it shows what the words promise.
#include <QImage>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using test::Choose;
using test::Press;
using test::Type;

// The text with every run of white space made one space (the README wraps its lines anywhere).
std::string OneLine(const std::string& text) {
    std::string line;
    for (const char c : text)
        if (!std::isspace(static_cast<unsigned char>(c)))
            line += c;
        else if (!line.empty() && line.back() != ' ')
            line += ' ';
    return line;
}

// The angle graph's intensity at an angle in degrees (angle index 1 is 0 degrees), of one
// polarisation (.intensityPerp or .intensityPara).
double At(const Form1& f, double angle,
          const std::vector<double> StoredResults::*curve = &StoredResults::intensityPerp) {
    return (f.results.*curve).at(static_cast<std::size_t>(std::lround(angle / Val(f.cboStep.text()))) + 1);
}
double Perp(const Form1& f, double angle) { return At(f, angle); }
// Both polarisations' mean over the angles from a to b.
double Mean(const Form1& f, int a, int b) {
    double sum = 0;
    int n = 0;
    for (double angle = a; angle <= b + 1e-9; angle += Val(f.cboStep.text()), ++n)
        sum += At(f, angle) + At(f, angle, &StoredResults::intensityPara);
    return sum / n;
}
// The angle of the largest perpendicular intensity from a to b.
double Brightest(const Form1& f, double a, double b) {
    double best = a;
    for (double angle = a; angle <= b + 1e-9; angle += Val(f.cboStep.text()))
        if (Perp(f, angle) > Perp(f, best)) best = angle;
    return best;
}

Form2& Sim(Form1& f) { return *f.Form2_; }
void Angles(Form1& f, const char* from, const char* to) { Type(f.txtXmin, from), Type(f.txtXmax, to); }

struct Step {
    const char* readme;  // the README's words for this step
    std::function<void(Form1&)> act;
    std::function<void(Form1&)> check;
};

class FirstStepsTest : public test::Form1Test {};

TEST_F(FirstStepsTest, EveryStepOfTheReadmeShowsWhatItSays) {
    const std::string readme = OneLine(test::ReadAll(TESSARY_README));
    QImage landscape;
    const Step steps[] = {
        {"the broad raised band from about 137 to 146 degrees is the rainbow", [](Form1&) {},
         [](Form1& f) {
             EXPECT_GT(Mean(f, 137, 146), 1.5 * Mean(f, 125, 135));
             EXPECT_GT(Mean(f, 137, 146), 1.5 * Mean(f, 147, 157));
         }},
        {"A rainbow: radius 100, minimum angle 130, maximum angle 150, New plot: the rainbow peaks near 139 "
         "degrees",
         [](Form1& f) { Type(f.txtRadius, "100"), Angles(f, "130", "150"), Press(f.cmdNewPlot); },
         [](Form1& f) { EXPECT_NEAR(Brightest(f, 130, 150), 139, 1); }},
        {"Then the method `Debye` with ray order 2 (in the list that appears beside the method), New plot: the "
         "rainbow light alone.",
         [](Form1& f) { Choose(f.cboType, "Debye"), Choose(f.cboRays, "2"), Press(f.cmdNewPlot); },
         [](Form1& f) {
             // The dark side of the bow without the light of the other orders.
             EXPECT_NEAR(Brightest(f, 130, 150), 139, 1);
             EXPECT_LT(Perp(f, 131), 1e-6 * Perp(f, Brightest(f, 130, 150)));
         }},
        {"A corona: the method `Mie` again, radius 10, wavelength 0.55, angles 0 to 10 with an angular "
         "resolution of 0.05, New plot: the bright forward peak and the dark rings around it, the first near 2 "
         "degrees.",
         [](Form1& f) {
             Choose(f.cboType, "Mie"), Type(f.txtRadius, "10"), Type(f.txtLambda, "0.55");
             Angles(f, "0", "10"), Choose(f.cboStep, "0.05"), Press(f.cmdNewPlot);
         },
         [](Form1& f) {
             // The diffraction peak of all the light: |S(0)|^2 = (x^2 Qext / 4)^2, about x^4 / 4 = 4e7 at
             // x = 114 with Qext near 2.
             EXPECT_EQ(Brightest(f, 0, 10), 0);
             EXPECT_GT(Perp(f, 0), 1e7);
             double first = 0;  // the first angle darker than both neighbours
             for (double a = 0.05; a < 10 && first == 0; a += 0.05)
                 if (Perp(f, a) < Perp(f, a - 0.05) && Perp(f, a) < Perp(f, a + 0.05)) first = a;
             EXPECT_NEAR(first, 2, 0.25);
         }},
        {"The colours of a bow: radius 250, number of wavelengths `Med.`, light source Sun, angles 130 to 150, "
         "New plot: the colours of the scattered light in strips above the graph.",
         [](Form1& f) {
             Type(f.txtRadius, "250"), Choose(f.cboWave, "Med."), f.optSun.setValue(true);
             Angles(f, "130", "150"), Press(f.cmdNewPlot);
         },
         [](Form1& f) { EXPECT_TRUE(f.cmdSimulation.visible()); }},
        {"Then Simulation opens the simulation window with a picture of a landscape; choose the focal length "
         "14 (mm) and press Show simulation: the bow is painted around the anti-solar point, in place of the "
         "picture (black where the scattering angle lies outside 130 to 150 degrees).",
         [&](Form1& f) {
             Press(f.cmdSimulation), landscape = Sim(f).Picture1.image().copy();
             Choose(Sim(f).cboScale, "14"), Press(Sim(f).cmdSimPlot);
         },
         [&](Form1& f) {
             const QImage painted = Sim(f).Picture1.image();
             ASSERT_EQ(painted.size(), landscape.size());
             // The anti-solar point (at more than 150 degrees) black; a red outer edge and a blue inner
             // one somewhere on the bow.
             EXPECT_EQ(painted.pixel(Val(Sim(f).txtX1.text()), Val(Sim(f).txtY1.text())) & 0xFFFFFFu, 0u);
             int lit = 0, red = 0, blue = 0;
             for (int y = 0; y < painted.height(); ++y)
                 for (int x = 0; x < painted.width(); ++x) {
                     const QColor c = painted.pixelColor(x, y);
                     lit += c.value() > 60;
                     red += c.red() > 150 && c.red() > c.blue() + 100;
                     blue += c.blue() > 120 && c.blue() > c.red() + 20;
                 }
             EXPECT_GT(lit, painted.width() * painted.height() / 5);
             EXPECT_GT(red, 500);
             EXPECT_GT(blue, 100);
         }},
        {"Restore picture brings the picture back.", [](Form1& f) { Press(Sim(f).cmdRestorePic); },
         [&](Form1& f) { EXPECT_EQ(Sim(f).Picture1.image(), landscape); }},
        {"choose the graph type `Lee diagram`. It starts as a diagram of the glory (angles 178 to 180 degrees, "
         "radii 5 to 20 um, 3 wavelengths)",
         [](Form1& f) { Choose(f.cboGraph, "Lee diagram"); },
         [](Form1& f) {
             EXPECT_EQ(f.txtXmin.text() + " " + f.txtXmax.text() + " " + f.txtRadius.text() + " " +
                           f.txtRmax.text() + " " + f.cboWave.text(),
                       "178 180 5 20 3");
         }},
        {"set the angles 130 to 150, minimum radius 20, maximum radius 320, number of steps 16 and number of "
         "wavelengths `Med.`, then New plot: the bow's colours against the radius",
         [](Form1& f) {
             Angles(f, "130", "150"), Type(f.txtRadius, "20"), Type(f.txtRmax, "320"), Type(f.txtRstep, "16");
             Choose(f.cboWave, "Med."), Press(f.cmdNewPlot);
         },
         [](Form1& f) { EXPECT_EQ(f.leeStores.leeRed1.size(), 17u); }},
    };
    Form1& f = started();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.readme);
        EXPECT_NE(readme.find(step.readme), std::string::npos) << "the README no longer says this";
        messages.clear();
        step.act(f);
        EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
        EXPECT_EQ(f.newPlotEnd, NewPlotEnd::Computed);
        step.check(f);
    }
}

}  // namespace
}  // namespace tessary
