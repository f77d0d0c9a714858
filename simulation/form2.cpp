// Design of the simulation window (positions in twips): the picture on the left, the commands and
// viewing conditions in a column on its right.
#include "simulation/form2.h"

namespace tessary {

Form2::Form2(Form1& owner) : Form("Simulation"), m_owner(owner) {
    // 576 x 432 pixels, the size of the built-in photograph.
    Picture1.move(0, 0, 8640, 6480);

    constexpr double kColumn = 8880;
    constexpr double kWide = 2400;
    cmdCircle.move(kColumn, 120, kWide, 345);
    cmdCircle.setToolTipText("Circles centred on the sun or on the anti-solar point");
    cmdSimPlot.move(kColumn, 540, kWide, 345);
    cmdSimPlot.setToolTipText("Replaces picture with simulation");
    cmdStopSim.move(kColumn, 960, kWide, 345);
    cmdStopSim.setToolTipText("Stop plotting current simulation");
    cmdRestorePic.move(kColumn, 1380, kWide, 345);

    Label1.move(kColumn, 1860, kWide, 225);
    cboPolarisation.move(kColumn, 2085, kWide, 315);
    cboPolarisation.setText("Unpolarised");
    Label2.move(kColumn, 2490, kWide, 225);
    cboView.move(kColumn, 2715, kWide, 315);
    cboView.setText("Unpolarised");
    cboPoint.move(kColumn, 3120, kWide, 315);
    cboPoint.setText("Anti-solar point");
    Label4.move(kColumn, 3510, 1140, 225);
    Label5.move(kColumn + 1260, 3510, 1140, 225);
    txtX1.move(kColumn, 3735, 1140, 285);
    txtY1.move(kColumn + 1260, 3735, 1140, 285);
    Label7.move(kColumn, 4110, 1500, 225);
    txtSunElevation.move(kColumn + 1500, 4080, 900, 285);

    Label8.move(kColumn, 4500, 1140, 225);
    cboRStep.move(kColumn + 1260, 4455, 1140, 315);
    cboRStep.setText("5");
    Label3.move(kColumn, 4890, 1290, 225);
    cboScale.move(kColumn + 1290, 4845, 1110, 315);
    cboScale.setText("54.5");
    cboScale.setToolTipText("Input focal length of lens (35mm film equivalent)");

    Label9.move(kColumn, 5280, kWide, 225);
    Label9.setToolTipText("Select areas of image to be replaced by simulation");
    cmdQuadNW.move(kColumn, 5505, 1140, 300);
    cmdQuadNE.move(kColumn + 1260, 5505, 1140, 300);
    cmdQuadSW.move(kColumn, 5835, 1140, 300);
    cmdQuadSE.move(kColumn + 1260, 5835, 1140, 300);
    for (auto* quadrant : {&cmdQuadNE, &cmdQuadNW, &cmdQuadSE, &cmdQuadSW})
        quadrant->setToolTipText("Specify which quadrant(s) should be replaced by the simulation");

    constexpr double kBelow = 6600;
    Label10.move(120, kBelow, 2400, 225);
    Label10.setToolTipText("Set the background colour for simulations (RGB values between 0 and 255)");
    Label11.move(2640, kBelow - 240, 3000, 225);
    txtBackRed.move(2640, kBelow, 780, 285);
    txtBackGreen.move(3540, kBelow, 780, 285);
    txtBackBlue.move(4440, kBelow, 780, 285);
    lblPaintedRun.move(120, kBelow + 360, 8400, 675);  // three lines
    cmdExit2.move(kColumn, kBelow, kWide, 345);
    cmdExit2.setToolTipText("Close Tessary program");

    setWidth(kColumn + kWide + 240);
    setHeight(kBelow + 1380);
    Wire();
}

}  // namespace tessary
