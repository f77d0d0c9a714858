// The simulation window: a photograph on which the scattered colours are painted around the sun or
// the anti-solar point, with angle circles, a focal-length scale and quadrant selection. This is its
// design (controls, lists, menus); its procedures come with the simulation code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/ui/ui.h"
#include "simulation/sim_geometry.h"

namespace tessary {

class Form1;

class Form2 : public Form {
  public:
    explicit Form2(Form1& owner);

    Form1& form1() { return m_owner; }

  private:
    Form1& m_owner;

  public:
    // Quadrants painted by the simulation (1 = painted).
    int quadNE = 0;
    int quadNW = 0;
    int quadSE = 0;
    int quadSW = 0;

    Menu mnuFile{*this, "&File"};
    Menu mnuOpenPicture{mnuFile, "Open picture"};
    Menu mnuRestorePicture{mnuFile, "Restore picture"};
    Menu mnuExit2{mnuFile, "Exit"};
    Menu mnuWindow{*this, "Window"};
    Menu mnuWindowGraph{mnuWindow, "Graph"};
    Menu mnuWindowSimulation{mnuWindow, "Simulation"};
    Menu mnuAdvanced{*this, "Advanced"};
    Menu mnuInvert{mnuAdvanced, "Invert centre"};
    Menu mnuHelp{*this, "&Help"};
    Menu mnuHelp1{mnuHelp, "Introduction"};
    Menu mnuHelpContents{mnuHelp, "Contents"};
    Menu mnuAbout{mnuHelp, "About"};

    PictureBox Picture1{*this};
    CommandButton cmdCircle{*this, "Circles ON"};
    CommandButton cmdSimPlot{*this, "Show simulation"};
    CommandButton cmdStopSim{*this, "Stop simulation"};
    CommandButton cmdRestorePic{*this, "Restore picture"};
    CommandButton cmdExit2{*this, "Exit"};
    Label Label1{*this, "Light source"};
    ComboBox cboPolarisation{*this, ComboBox::Style::Editable};
    Label Label2{*this, "Viewing Conditions"};
    ComboBox cboView{*this, ComboBox::Style::Editable};
    ComboBox cboPoint{*this, ComboBox::Style::Editable};
    Label Label4{*this, "x value"};
    TextBox txtX1{*this};
    Label Label5{*this, "y value"};
    TextBox txtY1{*this};
    Label Label7{*this, "Elevation of sun"};
    TextBox txtSunElevation{*this};
    Label Label8{*this, "Degrees"};
    ComboBox cboRStep{*this, ComboBox::Style::Editable};
    Label Label3{*this, "Focal length  (mm)"};
    ComboBox cboScale{*this, ComboBox::Style::Editable};
    Label Label9{*this, "Quadrants"};
    CommandButton cmdQuadNW{*this, "NW"};
    CommandButton cmdQuadNE{*this, "NE"};
    CommandButton cmdQuadSW{*this, "SW"};
    CommandButton cmdQuadSE{*this, "SE"};
    Label Label10{*this, "Background colour"};
    Label Label11{*this, "Red         Green        Blue"};
    TextBox txtBackRed{*this, "0"};
    TextBox txtBackGreen{*this, "0"};
    TextBox txtBackBlue{*this, "0"};
    // Below the background colour: why the painting was taken off the picture (another run came on show),
    // and what Show simulation does now; empty while the picture shows no other run's painting.
    Label lblPaintedRun{*this};

    // Start-up, picture and menus (simulation/form2_startup.cpp)
    void Form_Load();
    void mnuOpenPicture_Click();
    void mnuRestorePicture_Click();
    void cmdRestorePic_Click() { mnuRestorePicture_Click(); }
    void mnuExit2_Click();
    void cmdExit2_Click() { mnuExit2_Click(); }
    void mnuWindowGraph_Click();
    void mnuWindowSimulation_Click();
    void mnuInvert_Click();
    void mnuHelpContents_Click();
    void mnuHelp1_Click();
    void mnuAbout_Click();
    void LockON();
    void LockOFF();
    // Whether the main window showed its Simulation button when this window's lock hid it: LockOFF
    // shows it again as it was.
    std::optional<bool> simulationButtonShown;
    // The built-in picture (576 x 432, drawn in code) and the one last loaded; the window is laid out
    // around the picture's size.
    static Picture BuiltInPicture();
    void ShowPicture(const Picture& picture);
    Picture loadedPicture;

    // Reference point and viewing geometry (simulation/form2_reference.cpp)
    void cboPoint_click();
    void picture1_mousedown(int button, int shift, double x, double y);
    void picture1_mousemove(int button, int shift, double x, double y);
    void cboRStep_Click();
    void cboView_Change();
    void cboScale_Change();
    void DrawCross(double x, double y);
    float refPointX = 0, refPointY = 0;
    float arcX1 = 0, arcY1 = 0, arcX2 = 0, arcY2 = 0;
    int arcMarkState = 0;
    int geometryOnly = 0;

    // Angle circles and picture scale (simulation/form2_circles.cpp)
    void ScaleCalc();
    void cmdCircle_Click();
    sim::PictureFrame frame() const { return {picHalfWidth, picHalfHeight, simScale}; }
    float picHalfWidth = 0, picHalfHeight = 0;
    float simScale = 0;
    float focalLength = 0, aspectRatio = 0;
    int aspectWarned = 0;
    int simInputError = 0;
    float refElevation = 0, refAzimuth = 0;
    float circleStep = 0;
    // 1 when the last cmdCircle_Click refused its geometry (the reference direction was kept).
    int geometryRefused = 0;
    float skyElevation = 0, skyAzimuth = 0;

    // Painting the simulation (simulation/form2_paint.cpp)
    void cmdSimPlot_Click();
    void cmdStopSim_Click() { simStop = 1; }
    void cmdQuadNE_Click();
    void cmdQuadNW_Click();
    void cmdQuadSE_Click();
    void cmdQuadSW_Click();
    void ErrorRGB();
    int simStop = 0;
    int sourcePolarisation = 0;
    int viewPolarisation = 0;
    float polWeightPerp = 0, polWeightPara = 0;
    // True while cmdSimPlot_Click paints (the main window's lock is then the painting's).
    bool simPainting = false;
    // The run (its record's serial) whose colours are painted on the picture; none when it shows no
    // painting (a picture opened or restored since).
    std::optional<std::uint64_t> paintedRun;

  private:
    void Wire();
    // The bodies of cmdCircle_Click and cmdSimPlot_Click; their callers run the end step on every exit.
    void CircleSteps();
    void PaintSteps();
    bool ReferenceDirection(bool& markReference);
    std::optional<double> ReferenceBox(TextBox& box, const std::string& name, double limit);
    // Whether the list's text is one of its entries (white again if it was refused); otherwise the list is red
    // and "Unknown <what>" says so, as the main window's method list does.
    static bool NamesAnEntry(ComboBox& list, const std::string& what);
    // The number a box of this window holds, read as the main window's boxes read one (a decimal comma
    // is the point), blanks before or after it ignored; a number beyond the Double range is the
    // infinity of its sign. None for text that is no number ("14abc", "nan", "").
    static std::optional<double> BoxNumber(const std::string& text);
    void ToggleQuadrant(int& flag, CommandButton& button);
    // Left of the picture column and top of the row below the picture, as designed for 576 x 432.
    std::vector<std::pair<Control*, double>> m_rightColumn;
    std::vector<std::pair<Control*, double>> m_belowRow;
    double m_exitTop = 0;
};

}  // namespace tessary
