// The main window's codes, flags and window-wide state (members of Form1).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "graphs/graph_codes.h"
#include "runs/method_codes.h"

namespace tessary {

// The codes of what is shown and computed: the run state (RunState, runs/run_state.h), the graph type
// and its sub-code (and those before the last change), the method, the simulation mode and the save
// kind.
struct WindowCodes {
    int runState = 0;
    int graphCode = kNoGraph;
    int graphSubCode = kNoSubCode;
    int calcMethod = kMethodNone;
    int prevGraphCode = kNoGraph;
    int prevGraphSubCode = kNoSubCode;
    int simulationMode = 0;
    int saveFileType = 0;  // 1 data file, 2 text export, 3 batch report
};

// The option flags of the runs: input error, results out of date or from a file, default log scale.
struct RunFlags {
    int inputError = 0;
    int resultsStale = 0;
    int resultsFromFile = 0;
    int logScaleDefault = 0;
    bool runUnderWay = false;       // from the start to the end of New plot or Overplot
    bool overplotUnderWay = false;  // from the start to the end of the Overplot command's run
    // Set by the data-file reader while it loads: a New plot that Replot starts then keeps
    // resultsFromFile (any other New plot clears it).
    bool dataFileLoading = false;
    // While the wavelength box's change handler runs the input checks: the number entry reads the box
    // and leaves its text as the user types it (New plot tidies it).
    bool lambdaAsTyped = false;
    // The index boxes hold an index typed since the last change of wavelength or index model (by the user,
    // by a method check's refusal, which writes its 0, or read from a data file): a run takes it as it is.
    // Otherwise a run shows and takes its models' index at its wavelength when it starts.
    bool indexTyped = false;
    int indexBoxWrites = 0;  // code writing the index boxes (IndexBoxesWrite): no typing
    std::string lambdaText;  // the wavelength box's text when its handler last ran
};

// A count of the holders of a state, one more for each held (the guards below).
class CountHeld {
  public:
    explicit CountHeld(int& count) : m_count(count) { ++m_count; }
    ~CountHeld() { --m_count; }
    CountHeld(const CountHeld&) = delete;
    CountHeld& operator=(const CountHeld&) = delete;

  private:
    int& m_count;
};

// Held while code writes the index boxes: their change handlers then take the text for no typed index.
class IndexBoxesWrite : CountHeld {
  public:
    explicit IndexBoxesWrite(RunFlags& flags) : CountHeld(flags.indexBoxWrites) {}
};

// The window itself: command line, screen, hidden mode, the input lock and the redraw depth.
struct WindowState {
    std::string commandLine;
    int screenWidthPx = 0;
    int screenHeightPx = 0;
    int hiddenKeyArmed = 0;
    int hiddenKeyPos = 0;
    int hiddenModeState = 0;
    std::array<int, 4> hiddenKeyTable{};
    // True from LockON to LockOFF: commands that would start a run, load, save or redraw refuse.
    bool inputsLocked = false;
    // The enabled state of each of computationMenus() when LockON disabled them; LockOFF restores it.
    std::vector<bool> menusEnabledBeforeLock;
    int redrawDepth = 0;  // RedrawGuards held
};

// Redraw guard. A redraw from the stored results (Replot, the drawing of a run, a Lee diagram) pumps
// events; a display option chosen meanwhile may change its check marks but must not start a second
// redraw inside the first. Whoever redraws holds a RedrawGuard on the window's state for the whole
// redraw.
class RedrawGuard : CountHeld {
  public:
    explicit RedrawGuard(WindowState& state) : CountHeld(state.redrawDepth) {}
};

// The step list and its label as they were when logarithmic steps were ticked, with the graph and range
// they belonged to: unticking restores them while the graph and range are still the same.
struct LinearStep {
    std::string step, label, xMin, xMax;
    int graphCode = kNoGraph, graphSubCode = kNoSubCode;
};

}  // namespace tessary
