// The main window's small commands: ending the program (also during a run), the information frame,
// the simulation window and switching between the two windows, help and the about box.
#include <optional>
#include <string>

#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"

namespace tessary {

namespace {

constexpr const char* kHelpFile = "Tessary.hlp";

}  // namespace

// True (after a beep) while the inputs are locked: a command that would start a run, load, save or redraw
// returns at once then, since the menus the lock leaves enabled stay live during a run.
bool Form1::RefuseWhileLocked() {
    if (!windowState.inputsLocked) return false;
    beep();
    return true;
}

// Exit needs no question: the end actions close the open files before the program ends.
void Form1::cmdExit_Click() { endProgram(0); }

void Form1::mnuExit_Click() { endProgram(0); }

void Form1::Form_Unload() {
    openWriters.AbandonAll();
    endProgram(0);
}

void Form1::cmdInfo_Click() {
    if (Frame6.visible()) {
        Frame6.setVisible(false);
        cmdInfo.setCaption("Information ON");
    } else {
        Frame6.setVisible(true);
        cmdInfo.setCaption("Information OFF");
    }
}

void Form1::cmdSimulation_Click() {
    // A second lock/unlock pair inside a run would unlock the inputs while it is still under way.
    if (RefuseWhileLocked()) return;
    if (fileState
            .batchRunning) {  // between the runs of a batch the inputs are free, but its results are not final
        beep();
        return;
    }
    // Only a finished run on show has colours to paint; the message says why there are none.
    if (const std::optional<std::string> refusal = SimulationRefusal()) {
        msgBox(*refusal, mb::kOkOnly, std::string("Simulation"));
        return;
    }
    cmdSimulation.setEnabled(false);
    mnuWindowSimulation.setEnabled(false);
    const bool filled = FillSimulationTable();  // refused at a brightness that is no positive number
    cmdSimulation.setEnabled(true);
    mnuWindowSimulation.setEnabled(true);
    if (!filled) return;
    codes.simulationMode = 1;
    if (!Form2_->visible() || Form2_->txtX1.backColor() == kGreen) Form2_->Form_Load();
    Form2_->show();
    Form2_->Picture1.setVisible(true);
}

void Form1::mnuWindowGraph_Click() {
    Form2_->setWindowState(1);
    setWindowState(2);
}

void Form1::mnuWindowSimulation_Click() {
    if (RefuseWhileLocked()) return;
    if (!Form2_->visible()) {
        Form2_->txtX1.setBackColor(kGreen);
        cmdSimulation_Click();
        if (!Form2_->visible()) return;  // nothing to paint, and the message has said why
    }
    Form2_->show();
    Form2_->Picture1.setVisible(true);
    setWindowState(1);
    Form2_->setWindowState(2);
}

void Form1::mnuHelp1_Click() { showHelp(kHelpFile, kHelpContents); }

void Form1::mnuHelpContents_Click() { showHelp(kHelpFile, kHelpFinder); }

void Form1::mnuAbout_Click() {
    msgBox(std::string("Tessary: light scattering by spheres") + kCR + "6 March 2005" + kCR + kCR +
               "Questions and reports: see the README of the Tessary project",
           mb::kInformation, std::string("Tessary v3.4.10s"));
}

}  // namespace tessary
