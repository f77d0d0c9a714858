// The colours the simulation window paints: the simulation colour table filled from the colour sums of
// the run on show, as its record computed them, and why a run on show has none to paint.
#include <optional>
#include <string>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "runs/box_number.h"
#include "runs/results_on_show.h"
#include "runs/run_record.h"
#include "simulation/form2.h"

namespace tessary {

namespace {

constexpr const char* kRunThenSimulation = " Run New plot, then Simulation.";

}  // namespace

// Nothing when the run on show has colours to paint: a finished run of a graph against the scattering
// angle that formed colours (ColoursOnShow). Otherwise why not, as the message says it.
std::optional<std::string> Form1::SimulationRefusal() const {
    const RunRecord& r = runRecord;
    if (const ResultsInUse use = ResultsInUseOf(r); !use.any) return use.noResults + kRunThenSimulation;
    if (r.graphCode != kGraphAngle)
        return "The simulation paints the colours of one sphere size against the scattering angle, which the "
               "graph on show (" +
               r.graphText + ") does not hold." + kRunThenSimulation;
    if (!ColoursOnShow(*this))
        return "The run on show averages a size distribution at one wavelength, which forms no colours to paint. "
               "Choose Monodisperse or several wavelengths, run New plot, then Simulation.";
    return std::nullopt;
}

// Fills simColourTable from the colour sums of the run on show (PlotBow in simulation mode) at the brightness
// of the list, and notes which run and light source it holds; simulationMode is left as it was. A list on show
// must hold a positive number: otherwise nothing is filled, the list is red with the number entry's message,
// and the result is false. A list not on show (a one-wavelength run's, empty in a fresh window) stands for 1.
bool Form1::FillSimulationTable() {
    const bool offered = cboBright.visible();
    double brightness = 1.0;  // no minus sign
    int refused = 100;        // above 0
    if (offered) getval(cboBright, brightness, refused);
    if (refused == 1) return false;
    const int mode = codes.simulationMode;
    codes.simulationMode = 1;
    LockON();  // the 1 written below redraws nothing
    if (!offered && !BoxNumber(cboBright.text(), false, 100)) cboBright.setText("1");
    PlotBow(colourSums.colourSumPerp, colourSums.colourSumPara, CStr(colourSums.peakCommon));
    LockOFF();
    codes.simulationMode = mode;
    simTableRun = SimTableRun{runRecord.serial, runRecord.lightSource};
    return true;
}

// For a painting of the simulation window: true when simColourTable holds the colours of the run on show,
// filled now unless it held them already (the main window's graph and controls stay as they are); false
// after saying why the run on show has none, or that the brightness to fill them at is refused.
bool Form1::SimulationColoursForPainting() {
    if (const std::optional<std::string> refusal = SimulationRefusal()) {
        msgBox(*refusal, mb::kOkOnly, std::string("Simulation"));
        return false;
    }
    if (simTableRun && simTableRun->serial == runRecord.serial &&
        simTableRun->lightSource == runRecord.lightSource)
        return true;
    const GraphFrame frame = graph;
    const std::string norm = Label17.caption();
    const bool button = cmdSimulation.visible(), list = cboBright.visible(), label = Label18.visible();
    if (!FillSimulationTable()) return false;
    graph = frame;
    Label17.setCaption(norm);
    cmdSimulation.setVisible(button);
    cboBright.setVisible(list);
    Label18.setVisible(label);
    return true;
}

// After a command that may have put another run on show (New plot, Overplot, a data file read): a painting of
// the simulation window that is not the run on show is taken off its picture, and the window says so and what
// Show simulation paints now, or why it paints nothing. Painting the run on show anew takes as long as the
// first painting, with the inputs locked: it waits for Show simulation. The note follows the run on show
// until the next painting.
void Form1::SimulationFollowsRunOnShow() {
    Form2& s = *Form2_;
    const bool otherRun = s.paintedRun && *s.paintedRun != runRecord.serial;
    if (!otherRun && s.lblPaintedRun.caption().empty()) return;
    if (otherRun) s.mnuRestorePicture_Click();
    const std::optional<std::string> refusal = SimulationRefusal();
    s.lblPaintedRun.setCaption("The painting was of another run. " +
                               refusal.value_or("Show simulation paints the run on show."));
}

}  // namespace tessary
