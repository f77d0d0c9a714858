// The simulation window: a photograph on which the scattered colours are painted around the sun or
// the anti-solar point, with angle circles, a focal-length scale and quadrant selection. This is its
// design (controls, lists, menus); its procedures come with the simulation code.
#pragma once

#include "platform/ui/ui.h"

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
};

}  // namespace tessary
