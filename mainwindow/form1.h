// The main window: the whole application state, every input, list, button and menu, and the
// procedures of every subsystem as members (each defined in its subsystem's folder). Positions of
// controls on the window are in its scale units (about twips), inside frames in twips. The inputs
// stay in the band x 0..9000, y 0..2800 above the drawn areas: legend strip and graph box from
// y 2800, the run captions at x 9000..12000, y 450..2000, and the data box, distribution picture and
// progress bar from x 12000.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "colour/colour_render.h"
#include "colour/colour_state.h"
#include "colour/lee_plot_layout.h"
#include "files/files_state.h"
#include "graphs/graph_codes.h"
#include "graphs/graph_frame.h"
#include "mainwindow/dlog_options.h"
#include "mainwindow/window_state.h"
#include "media/dlog_index.h"
#include "media/dlog_spectrum.h"
#include "media/media_state.h"
#include "media/refrel.h"
#include "platform/text/clock.h"
#include "media/size_distribution.h"
#include "platform/text/text_file.h"
#include "platform/ui/ui.h"
#include "runs/method_codes.h"
#include "runs/run_record.h"
#include "runs/run_state.h"
#include "scattering/debye_gaussian.h"
#include "scattering/debye.h"
#include "scattering/mie.h"
#include "scattering/mie_ahead.h"
#include "scattering/mie_gaussian.h"
#include "scattering/series_state.h"
#include "simulation/form2.h"

namespace tessary {

// Integer and Long window variables are int and std::int32_t; sizes in twips are int so that very
// wide screens cannot overflow them. Single is float, Double double.
class Form1 : public Form {
  public:
    Form1();
    ~Form1() override;

    // ---------------------------------------------------------------------------------------------
    // Main window: start-up, defaults, locking, window, help, file and exit commands
    void Form_Load();
    void Form_Unload();
    void cmdDefault_Click();
    void LockON();
    void LockOFF();
    // The menu items whose marks or dialogs change what a run computes (method options and beams,
    // index models, spectrum, size entry, colour steps): LockON disables them with the inputs, and a
    // choice of one while the inputs are locked is refused.
    std::vector<Menu*> computationMenus();
    void cmdExit_Click();
    void mnuExit_Click();
    void cmdInfo_Click();
    void cmdSimulation_Click();
    void mnuWindowGraph_Click();
    void mnuWindowSimulation_Click();
    void mnuHelp1_Click();
    void mnuHelpContents_Click();
    void mnuAbout_Click();
    // Fills the built-in spectra, water and metal tables.
    void FillSunTables();
    void FillIndexTables();
    // True (after a beep) while the inputs are locked: a command that would start a run, load, save or
    // redraw returns at once then, since the menus the lock leaves enabled stay live during a run.
    bool RefuseWhileLocked();

    // Graphs: frame, ticks, sizes, colour schemes, line colours (procedures)
    // The empty frame of a graph in the box left..right x top..bottom (twips, y downwards) for x from
    // xLow to xHigh and y from yMin to yMax. Writes back xLow = 0 (a linear axis from near 0) and
    // yMin = 0.0001 for 0 on a logarithmic axis. Start-up calls it once before the first run.
    void Grid(float& left, float& right, float& top, float& bottom, double& xLow, double& xHigh, double& yMin,
              double& yMax);
    void GridXLabel();
    void GridYLabel();
    std::string AxisNumberText(double x, int n);
    // Grid step of a linear axis over [xLow, xHigh]; false (step 0) when the range is not above 0.
    bool GridxStep(double xLow, double xHigh, double& step, double& range, double& labelStep);
    bool GridxStep(double xLow, double xHigh, double& step, double& range);
    void GridLeeTicks(double start, double end, double step, double min, double max, float left, float right,
                      float y);
    void mnuVLarge_Click();
    void mnuLarge_Click();
    void mnuMedium_Click();
    void mnuSmall_Click();
    void mnuSizeSpecial_click();
    void BackgroundColour();
    void mnuDefault_Click();
    void mnuWhite_Click();
    void mnuGrey_Click();
    void mnuBlack_Click();
    void mnuHideLogo_Click();
    void mnuMajorGridX_Click();
    void mnuMinorGridX_Click();
    void mnuMajorGridY_Click();
    void mnuMinorGridY_Click();
    void LineColour();
    void PlotLineColour();
    void PlotLineStyle();
    void PlotDrawWidth();
    void mnuTrueColour_Click();
    void mnuBlackLine_Click();
    void mnuGreyLine_Click();
    void mnuRedLine_Click();
    void mnuGreenLine_Click();
    void mnuBlueLine_Click();
    void mnuYellowLine_Click();
    void mnuCyanLine_Click();
    void mnuMagentaLine_Click();
    void mnuSolid_Click();
    void mnuDot_Click();
    void mnuDash_Click();
    void mnuDrawwidth1_Click();
    void mnuDrawwidth2_Click();
    // Replot offered (enabled, shown, default) while the results are current, else New plot as default.
    void OfferRedraw();

    // Graph-type selection and presets (procedures)
    void cboGraph_Click();
    void cboGraph_Change();
    // Steps of cboGraph_Click: the codes and menus of the chosen entry; redraw or mark out of date
    // (with the angle presets); the preset of the new type; what all types share afterwards.
    void selectGraphType();
    void decideRedraw();
    void applyAnglePreset(bool resetPolarisation);
    void applyGraphTypePreset();
    void applyGraphPresetTail();
    struct GraphPresetWriter;

    // Graphs: result display, curves, legends and readout
    // Draws the curves that cboPol asks for from three arrays indexed by point from 1 (element 0
    // unused): works out the y range, has Grid draw the frame when a new one is due, then Plot per
    // curve. With phasePanel 1 it draws the lower panel from avgPerp, avgPara, avgUnpol instead.
    void Display(std::span<const double> perp, std::span<const double> para, std::span<const double> unpol);
    // Round axis ends for a data maximum and minimum (may replace the data value; GridYmin writes
    // txtY1min). Always finite, the maximum above 0 and, on a log axis, the minimum above 0.
    void GridYmax(double& dataMax, double& axisMax);
    void GridYmin(double& dataMin, double& axisMin);
    // The coarsest angle grid (90/N, N <= 9000) that holds the angle of txtAngle: writes angleCount
    // and angleIndex, or paints txtAngle red and keeps them.
    void AngleDelta();
    // One curve of values (indexed from 1) in the box left..right x top..bottom for the given x and y
    // ranges, in the current drawing colour; count is angleCount, written back for angle graphs.
    void Plot(std::int32_t& count, std::span<const double> values, float left, float right, float top,
              float bottom, double xFrom, double xTo, double yFrom, double yTo);
    // Legend above the graph; data box and the line of values under the graph.
    void PolarLabel();
    void VisibleData();

    // Media: wavelength input, relative index, sun disc
    void txtLambda_change();
    // With the IAPWS sphere and one wavelength, a wavelength outside 0.15-2 um (which has no index):
    // txtLambda red, the band message, true.
    bool LambdaOutsideSphereWindow();
    // Reads the checked sphere and medium menu items and the model dialogs into indexModels (the
    // index files' tables stay). False when no sphere item is checked.
    bool ReadIndexModels();
    // Re(m) at lambda (um) from the checked models; Im(m) in relIndexIm, the indices in sphereRe,
    // sphereIm, mediumRe, mediumIm. A wavelength <= 0, or outside 0.15-2 um with the IAPWS sphere,
    // returns the number in txtRefractReal and changes nothing. nullopt when there is no index: the
    // message is shown (once per run: not again while a run is already stopped), during a run
    // runState becomes 4, and no index variable changes.
    // (Inside Form1 the pure engine is tessary::refrel.)
    std::optional<double> refrel(double lambda);
    // The checked models' m at lambda (um) with nothing in the window changed and no message shown
    // (the models are read into indexModels); no sphere item checked is an undefined sphere.
    RefrelResult CheckedModelsIndex(double lambda);
    // Sun-disc weights for the step in cboStep: sizeOrStep, sunDiscSteps, sunDiscWeights (0..n+1),
    // sunDiscWeightSum. A step that is not above 0 gives the single centre weight 1.
    void SunCorrection();

    // Media: refractive-index model menus and dialogs
    // Each handler makes its item the one checked item of its group, names the material, asks for
    // the model's parameters (no dialog while resultsFromFile is 1, except the user-defined ones),
    // shows the new m through txtLambda_change and writes lblSphere or lblRI_Medium. Cancel in a
    // dialog leaves the previous choice as it was, as does a cancelled or refused index file.
    void ClearMenuRI();
    void ClearMenuRI2();
    void mnuRI_IAPWS_Click();
    void mnuRI_Cowley_Click();
    void mnuRI_Segelstein_Click();
    void mnuRI_Ray_Click();
    void mnuRI_Lynch_Click();
    void mnuRI_KayeLaby_Click();
    void mnuRI_Gedzelman_Click();
    void mnuRI_Au_Click();
    void mnuRI_Ag_Click();
    void mnuRI_Cu_Click();
    void mnuRI_Air1_Click();
    void mnuRI_Vacuum1_Click();
    void mnuRI_User1_Click();
    void mnuRI_File1_Click();
    void mnuRI_Vacuum2_Click();
    void mnuRI_Air2_Click();
    void mnuRI_IAPWS2_Click();
    void mnuRI_Segelstein2_Click();
    void mnuRI_User2_Click();
    void mnuRI_File2_Click();

    // Main window: calculation-option and beam menus
    void mnuCentralBeam_Click();
    void mnuDebyeRecursion_Click();
    void mnuMultBeams_Click();
    void mnuSWPhase_Click();
    void mnuSWsub_Click();
    void mnuSun_Click();
    void mnuInterpolate_Click();
    void mnuKhare_Click();
    void mnuLock_Click();
    void mnuNussenzveig_Click();
    void mnuSurfaceShort_Click();
    void mnuSurfaceLong_Click();
    void mnuSurfaceBoth_Click();
    void mnuPlaneWave_Click();
    void mnuGaussian_Click();
    void mnuTopHat_Click();
    void mnuRadius_Click();
    void mnuDiameter_Click();
    void mnuRadiusX_Click();
    void mnuAverage_Click();
    void mnuXStepLog_Click();

    // Graphs: plot option menus
    void mnuAmpPhase_Click();
    void mnuIntPol_Click();
    void mnuPolarPlot_Click();
    void mnuDataVisible_Click();
    void mnuFalseColours_Click();
    void mnuInvWavelength_Click();
    void mnuPhasePlot_Click();
    void mnuAmplitude_Click();
    void mnuNormalised_Click();
    void mnuOverplot_Click();
    void mnuS1S2_Click();
    void mnuShowData_Click();
    void mnuSize_Click();
    void optLog_Click();
    void optLinear_Click();
    void optPoint_Click();
    void optSun_Click();
    void optXLinear_Click();
    void optXLog_Click();

    // Redraw guard. A redraw from the stored results (Replot, the drawing of a run, a Lee diagram)
    // pumps events; a display option chosen meanwhile may change its check marks but must not start
    // a second redraw inside the first. Whoever redraws holds a RedrawGuard for the whole redraw.
    class RedrawGuard {
      public:
        explicit RedrawGuard(Form1& form) : m_form(form) { ++m_form.windowState.redrawDepth; }
        ~RedrawGuard() { --m_form.windowState.redrawDepth; }
        RedrawGuard(const RedrawGuard&) = delete;
        RedrawGuard& operator=(const RedrawGuard&) = delete;

      private:
        Form1& m_form;
    };
    // True while a redraw holds its guard or a run has the inputs locked.
    bool RedrawBusy() const { return windowState.redrawDepth > 0 || windowState.inputsLocked; }
    // Replot (the Click of cmdReplot) unless a run or a redraw is under way; true when it ran.
    bool ReplotIfIdle();

    // Calculation runs: numeric input parsing
    // Validates and tidies the number in box: Value in is 1 when a minus sign is not allowed, out the
    // number; NError in is the range code (100 > 0, 101 >= 0, 102 <= 0, 103 < 0, others none), out 0
    // when accepted, 1 when rejected (the box red and the input-error message shown).
    void getval(TextBox& box, double& Value, int& NError);
    void getval(ComboBox& box, double& Value, int& NError);

    // Calculation runs: commands, driver, dispatch, progress, arrays
    // Complex amplitudes per angle index: [0] the real parts, [1] the imaginary parts.
    using ComplexTable = std::array<std::vector<double>, 2>;
    // New plot, Overplot and Stop. New plot and Overplot refuse (with a beep) while a run is under
    // way; Stop only asks its question and, on Yes, sets runState to 4.
    void cmdNewPlot_Click();
    void cmdOverPlot_Click();
    void cmdStop_Click();
    // How the last New plot ended: refused by its checks or declined, stopped after it started
    // (Stop, or a method that failed) or computed in full.
    enum class NewPlotEnd { Refused, Stopped, Computed };
    NewPlotEnd newPlotEnd = NewPlotEnd::Refused;
    // calcMethod from the text of cboType; 0, the list red and "Unknown calculation method" otherwise.
    void TypeCalc();
    // The percentage of the running calculation in txtProgress and the bar at (12000, 1900).
    void Progress();
    // True in a sweep of the series and first approximations: the progress display then follows the
    // step's caption only, and Progress changes nothing after its first call in a step.
    bool ProgressFollowsSweepStep() const {
        return codes.calcMethod >= kMethodMie && codes.calcMethod <= kMethodAiry && codes.graphCode >= kFirstSweepGraph &&
               codes.graphCode <= kLastSweepGraph;
    }
    // Re-creates (all zero) the result arrays with the sizes the next run needs.
    void Array_Size();
    // The run driver: set-up, path, calculation, drawing and common end of one run.
    void Overplot();
    // Steps of the runs. radius from txtRadius by the checked radius, diameter or size-parameter
    // menu; waveCount for "High", "Med." and "Low" from the radius; the angle grid and the window of
    // indices (false after a refusal); the method call of the one-wavelength path; the curves of an
    // angle graph (false after a refusal); the elapsed time; the common end of every run.
    void RadiusFromBox();
    void WaveCountFromRadius();
    bool AngleSetUp();
    void DispatchMethod(std::int32_t& first, std::int32_t& last);
    bool AngleGraph();
    void ShowElapsedTime(float startTime);
    void RunCommonEnd();
    // A method or path this version cannot compute: its message, and runState 4 ends the run.
    void RefuseRun(const std::string& what);
    // The record of the run on show (runs/run_record.h): taken when a run starts, after its checks;
    // completed with the method's label and title when it ends; taken from the restored window when a
    // data file is read. Whatever describes or stores the results reads it.
    void TakeRunRecord();
    void FinishRunRecord();
    // The record of a run of the inputs as they are now (the run record stays).
    RunRecord RecordOfInputs();
    RunRecord runRecord;
    // The step (angle or x) and the logarithmic steps of the grid the stored results lie on: the
    // record's once a run has been recorded (during a run the boxes say the same), else the boxes'.
    double RunStep() const;
    bool RunLogSteps() const;

    // Calculation runs: input checks and run-time estimate
    // Checks the inputs in a fixed order; the first failure shows its message, paints its input red
    // and sets inputErrorFlag to 1 (0 on entry). Outside an overplot it copies the x range and the
    // manual y limits from the boxes into the four limits. A few checks only warn and let a run go on.
    void CheckInput(double& xLow, double& xHigh, double& yLow, double& yHigh, int& inputErrorFlag);
    // Estimates a Mie or Debye run (angle graphs and Lee diagrams; writes waveCount and, for Lee
    // diagrams, the sweep values) and above 1800 s asks "Long calculation !"; No sets inputError to 1,
    // as does a Debye ray order that RaysCheck refuses.
    // Inputs that leave the estimate undefined (a step, wavelength or radius <= 0, a Lee sweep of no
    // or more than 400 steps) write nothing and ask nothing.
    void Duration();

    // Calculation runs: Replot
    // Redraws the graph from the stored results when only the way they are shown has changed (the
    // Click of cmdReplot; display options press it through ReplotIfIdle). It holds a RedrawGuard and
    // computes nothing: stale results, or a yellow cboWave, cboStep or txtRadius (which turns red),
    // refuse; an x range beyond the stored one runs New plot instead. Refused while a run is under way.
    void cmdReplot_Click();
    // The steps of Replot without its refusals while a run is under way: the closing redraw of a map.
    void ReplotFromStores();
    // Angle graphs from the stored curves, shared by the run (AngleGraph) and Replot: the lower-panel
    // curves over windowFirst..windowLast from S1 and S2 (phases with mnuAmpPhase, the degree of
    // polarisation with mnuIntPol checked); the graph of code 1 by graphSubCode from the intensities
    // (one panel, two panels, phase function or watts per square metre), false after a refusal (its
    // message shown, runState 4).
    void AngleLowerCurves();
    bool DrawAngleGraph();

    // Calculation runs: sweeps over an x variable
    // The sweep branch of Overplot (graph codes 10 to 19): the angle grid of txtAngle, the step table,
    // per step the method (or DispCalc) and the stored values, then the curves; false when stopped or
    // refused (the driver's stop exit follows).
    bool SweepPath();
    // The method of a sweep or distribution step at the angle window first..last: the plane-wave Debye
    // series for code 2 whatever the beam menu says, the run's dispatch for the others.
    void DispatchSweepMethod(std::int32_t& first, std::int32_t& last);

    // Calculation runs: size distributions
    // Averages |S1|^2 and |S2|^2 over the samples of the distribution at one wavelength: over the
    // angle window for angle graphs (and draws them), at angleIndex into step sweepIndex of a sweep.
    // Each sample's radius goes to the method; radius is restored afterwards. False when stopped.
    bool DispCalc();

    // Files: file commands
    // Read, save and save as text (see the files section below). Each command refuses while the inputs
    // are locked.
    void mnuRead_Click();
    void mnuSave_Click();
    void mnuSaveText_Click();
    void mnuBatchFile_Click();

    // Mie and Debye series: window procedures
    // Plane-wave Mie series (scattering/mie.h) with the window's part: the method label and title,
    // the progress display and the event pump once per order, the stop, the convergence graph's
    // txtXmax and intensities, and the refusal message (runState 4). All twelve by reference; NANG
    // below 2 becomes 2. BHMIE2 is the variant no caller uses.
    void BHMIE(double& x, double& mRe, double& mIm, std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2,
               double& Qext, double& Qsca, double& Qback, double& g, std::int32_t& first, std::int32_t& last);
    void BHMIE2(double& x, double& mRe, double& mIm, std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2,
                double& Qext, double& Qsca, double& Qback, double& g, std::int32_t& first, std::int32_t& last);

    // Mie and Debye series: ray orders and the Debye window procedure
    // (Inside Form1 the pure selection is tessary::RaysCheck and tessary::DebyeLabel.)
    enum class RayFlagsFirst { Keep, Clear };
    // The ray-order selection of cboRays ("p", "-N" or "Multiple" with the boxes of dlogP, made on
    // first use) and calcMethod: writes rayflag, rayCount, rayPMax, lblDebyeRays and captionText.
    // Never clears a flag already 1, unless asked to clear orders 0..50 first (as a change of the
    // selection does). An absurd typed order is refused with a message and changes nothing: false.
    bool RaysCheck(RayFlagsFirst first = RayFlagsFirst::Keep);
    // The caption of the Gaussian-beam Debye series (title bar too); clears the boxes of dlogP for a
    // typed order or range, leaves rayPMax = -N for a range. "No rays selected" or a refused order:
    // message and runState 4.
    void DebyeLabel();
    // Plane-wave Debye series of the selected ray orders (scattering/debye.h) with the window's part:
    // selection, label and title, the progress display and a time-throttled event pump, the stop,
    // refusal messages (runState 4), the convergence graph's txtXmax and intensities. The order "0" at
    // x Im m > 700 is handed to BHMIE with calcMethod 1 for the call (2 again afterwards). mnuSWsub
    // subtracts the rays of GO2 (calcMethod 8 for the call) after the series, also after a stop.
    // All twelve by reference; NANG below 2 becomes 2; no efficiency is written.
    void DebyeSeries(double& x, double& mRe, double& mIm, std::int32_t& NANG, ComplexTable& S1,
                     ComplexTable& S2, double& Qext, double& Qsca, double& Qback, double& g,
                     std::int32_t& first, std::int32_t& last);

    // Mie and Debye series: Gaussian-beam window procedures
    // Gaussian-beam Mie series (scattering/mie_gaussian.h) for the beam of the beam dialog, reached
    // through BHMIE while mnuGaussian is checked: label and title, progress per angle point, the stop,
    // refusal messages (runState 4), the convergence value. Writes S1, S2 and NANG (raised to 2) only;
    // Qext, Qsca, Qback and g are left as the caller holds them.
    void MIE_Gaussian(double& x, double& mRe, double& mIm, std::int32_t& NANG, ComplexTable& S1,
                      ComplexTable& S2, double& Qext, double& Qsca, double& Qback, double& g,
                      std::int32_t& first, std::int32_t& last);
    // Gaussian-beam Debye series (scattering/debye_gaussian.h) of the selected ray orders, called by
    // the run driver instead of DebyeSeries while mnuGaussian is checked: one beam, or the pair of
    // mnuMultBeams; the single order "0" at strong absorption goes to MIE_Gaussian (through BHMIE).
    // mnuCentralBeam adds the rays of GO (calcMethod 6 for the call) after the last beam, also after a
    // stop. Same twelve arguments; the efficiencies are left untouched.
    void Debye_Gaussian(double& x, double& mRe, double& mIm, std::int32_t& NANG, ComplexTable& S1,
                        ComplexTable& S2, double& Qext, double& Qsca, double& Qback, double& g,
                        std::int32_t& first, std::int32_t& last);
    // Shared by both. The beam dialog's five values as a run reads them (the dialog is made, not shown,
    // on first use): the leading number of each text, 0 when there is none; the centre and width as
    // Single, also stored in beamXf, beamYf, beamZf, beamW0, and beamPhi in radians.
    GaussianBeamInput ReadBeamDialog();
    // Progress of the angle sums, 0..1 of the run's points: loopJ moved to the same share of
    // firstPoint..lastPoint, then Progress.
    void BeamPointProgress(double fraction);
    // Clears the progress strip (12000, 1900)-(15000, 2000) to white.
    void ClearProgressStrip();

    // Approximate methods: window procedures (approximations/form1_*.cpp around the pure kernels)
    // Each writes S1 and S2 at the indices first..last only and leaves Qext, Qsca, Qback and g as the
    // caller holds them. A refusal shows its message and sets runState 4; the long methods report
    // progress, pump events through the throttled pump and end at their next angle after a stop.
    // Series form: Rayleigh scattering (code 3).
    void Rayleigh(double& x, double& mRe, double& mIm, std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2,
                  double& Qext, double& Qsca, double& Qback, double& g, std::int32_t& first, std::int32_t& last);
    // Diffraction form: diffraction (code 4); ray optics GO (codes 6, 7, 8, and the central beam of
    // the Gaussian-beam Debye series and of the surface waves), GO2 (the rays that the plane-wave Debye
    // series subtracts for its surface-wave subtraction).
    void Diffraction(double& x, std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2, double& Qext,
                     double& Qsca, double& Qback, double& g, std::int32_t& first, std::int32_t& last);
    void GO(double& x, std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2, double& Qext, double& Qsca,
            double& Qback, double& g, std::int32_t& first, std::int32_t& last);
    void GO2(double& x, std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2, double& Qext, double& Qsca,
             double& Qback, double& g, std::int32_t& first, std::int32_t& last);
    // Extended form: Airy theory (5), Huygens (9), Aperture (10), surface waves (11), van de Hulst (12).
    void Airy(double& x, double& sphereRadius, double& lightWavelength, double& mRe, double& mIm,
              std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2, double& Qext, double& Qsca,
              double& Qback, double& g, std::int32_t& first, std::int32_t& last);
    void Huygens(double& x, double& sphereRadius, double& lightWavelength, double& mRe, double& mIm,
                 std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2, double& Qext, double& Qsca,
                 double& Qback, double& g, std::int32_t& first, std::int32_t& last);
    void Aperture(double& x, double& sphereRadius, double& lightWavelength, double& mRe, double& mIm,
                  std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2, double& Qext, double& Qsca,
                  double& Qback, double& g, std::int32_t& first, std::int32_t& last);
    void SurfaceWave(double& x, double& sphereRadius, double& lightWavelength, double& mRe, double& mIm,
                     std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2, double& Qext, double& Qsca,
                     double& Qback, double& g, std::int32_t& first, std::int32_t& last);
    void vdH(double& x, double& sphereRadius, double& lightWavelength, double& mRe, double& mIm,
             std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2, double& Qext, double& Qsca,
             double& Qback, double& g, std::int32_t& first, std::int32_t& last);
    // Approximate methods: Airy theory and surface waves
    // The central beam under the surface waves: GO with code 8 into S1 and S2; the surface waves keep
    // their caption, label, calculation title and ray-order selection.
    void SurfaceWaveCentralBeam(double& x, std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2,
                                double& Qext, double& Qsca, double& Qback, double& g, std::int32_t& first,
                                std::int32_t& last);

    // Files: file dialogs, data file, text export and save commands
    // The dialog of every file kind. FileDialog leaves a successful choice in chosenFile (the name
    // without folder, completed by the extension rule), chosenFileTitle (without the extension) and
    // chosenFilePath (the full path, which the readers and writers open); fileDialogCancelled is 1
    // after a cancel ("No file was selected", titled with the dialog's title) or a path over 256
    // characters (a message that says so). Saving under a name
    // that the rule completed asks before replacing an existing file; No counts as a cancel.
    void FileDialog(const std::string& mode, const std::string& title, const std::string& filterText,
                    const std::string& pattern, const std::string& extension);
    void OpenDataFile();
    void OpenPictureFile();
    void OpenSpectrumFile();
    void OpenRefIndexFile();
    void OpenSizeDistFile();
    void OpenBatchFile();
    // The save dialog of saveFileType (1 data file, 2 text export, 3 batch report).
    void select_save_filename();
    void cmdSelectOpen_Click();
    // Asks for the name, writes the file of saveFileType and beeps when it was written.
    void SaveByType();
    // The data file and the text export: write chosenFilePath in one go (the old file stays on any
    // failure, which is shown); true when written. A state the file cannot hold, or rows the stored
    // results do not hold, are refused with a message before anything is written.
    bool save_data();
    bool save_text();
    // Asks for a data file, decodes and checks all of it, then restores the window from it and
    // redraws; a refused file changes nothing.
    void read_file();

    // Files: batch files and input files (spectrum, refractive-index and size-distribution files)
    // Read_Batch asks for a batch file and checks its header, then for the report's name, and runs
    // the file's commands: New plot and one report block (Save_Batch) per run. A refused, declined
    // or stopped run's block holds only the rows it computed and a line saying why it did not
    // finish; the batch's message boxes with an OK button only go to that line and are not shown.
    // Stop answered Yes ends the batch after that run; a block that cannot be written is removed and
    // ends it with a message. The finished blocks stay in the report in every case. While a batch
    // runs, the file commands and a second batch are refused.
    void Read_Batch();
    bool Save_Batch(TextFileWriter& report);
    // The input files are read and checked in full before anything changes: a cancelled or refused
    // file leaves the tables, names and flags as they were (the index readers then return false).
    bool ReadRefIndex1();
    bool ReadRefIndex2();
    // While a batch sets its boxes and runs, its message boxes go to the report instead of waiting
    // for a reader (questions are still asked and kept with their answer); each is kept with whether
    // a run had the inputs locked. Emptied after each block.
    struct BatchMessage {
        std::string text;
        bool duringRun = false;
    };
    std::vector<BatchMessage> batchMessages;

    // Main window: input handlers
    // Forwarders: each reaches the one real handler of its control.
    void cboBright_Change();
    void cboDistrib_Click();
    void cboN_click();
    void cboRays_Change();
    void cboSD_Click();
    void cboType_Change();
    void cboWave_change();
    void cboYmax_Change();
    void cboYmax_Scroll();
    void cboYmin_Change();
    void cboYmin_Scroll();
    void cboStep_Click();
    // The real handlers.
    void cboBright_Click();
    void cboDistrib_Change();
    void cboLee_Click();
    void cboN_Change();
    void cboRays_Click();
    void cboSD_Change();
    void cboType_click();
    void cboWave_Click();
    void cboYmax_Click();
    void cboYmin_Click();
    void cboStep_Change();
    void cboPol_Click();
    void chk1256_Click();
    void chkRays0_Click();
    void chkComponents_Click();
    void txtAngle_Change();
    void txtRmax_Change();
    void txtRstep_Change();
    void txtXmin_Change();
    void txtXmax_Change();
    void txtRadius_Change();
    void txtRefractReal_Change();
    void txtRefractImag_Change();
    // New plot offered: cmdReplot hidden (and disabled when asked), cmdNewPlot the default button.
    void offerNewPlot(bool disableReplot);
    // Replot offered: cmdReplot enabled, shown and the default button.
    void offerReplot();
    // Wavelengths per run for a text of cboWave: "RGB" 3, "High" 1000, "Med." 300, "Low" 100, else its
    // value rounded half to even and held within 0..2001 (the per-wavelength tables' entries).
    static int WaveCountOf(const std::string& text);

    // Main window: hidden mode
    // Watches every key of the window for the access sequence and the chords (keys named in
    // form1_hidden_mode.cpp); changes neither argument, so the focused control still gets the key.
    void Form_KeyDown(int& KeyCode, int& shift);
    void showHiddenMenus();
    void switchSpecialMode();

    // Media: size distributions
    // relStdDev, sampleCount and distAbscissa from cboSD and cboN (an N other than 5, 10, 20, 50
    // keeps sampleCount and the table); the option handlers; the histogram reader (true when a file
    // was read in full; a cancelled dialog, or a refused file while no histogram is loaded, sets
    // cboDistrib to "Log-normal"); the picture at the top right.
    void Disperse();
    void optDisp_Click();
    void optMono_Click();
    bool ReadSizeDist();
    void DistDisplay();

    // Media: spectrum menus and dialogs
    // The spectrum is the checked item of the group Lee, Wernand, Flat, black body, file; its name in
    // lblSpectrum. The band item opens the band dialog and keeps its check mark. None of them marks
    // the results out of date: the choice takes effect at the next run.
    void ClearMenuSpectrum();
    void mnuSpectrumLee_Click();
    void mnuSpectrumWernand_Click();
    void mnuSpectrumFlat_Click();
    void mnuBlackBody_Click();
    void mnuSpectrumFile_Click();
    void mnuSpectrumBand_Click();
    // Asks for a spectrum file and takes its table over when the whole file is sound (see the
    // batch and input files block).
    void ReadSpectrum();
    void mnuSizeDist_Click();

    // Colour rendering: colour options
    // Saturation mode (Photo, Freeze, Peak White), gamma mode (None, Individual RGB, Group RGB),
    // saturated colours and the frozen normalisation; each offers Replot as its table says.
    void mnuPhoto_Click();
    void mnuFreeze_Click();
    void mnuPeakWhite_Click();
    void mnuGamma_Click();
    void mnuGammaA_Click();
    void mnuGammaB_Click();
    void mnuGammaNone_Click();
    void mnuSaturated_Click();
    void mnuSetNormal_Click();
    // The colour steps by the checked menu items (inside Form1 the pure steps are tessary::Saturation
    // and tessary::GammaCorrection, colour/colour_scaling.h): Saturation by the saturation mode, for a
    // colour with a channel above 255; GammaCorrection by Individual or Group RGB (callers skip it
    // while None is checked); ColourSet writes negative channels back as 0 and sets ForeColor.
    void Saturation(float& colour1, float& colour2, float& colour3);
    void GammaCorrection(float& colour1, float& colour2, float& colour3);
    void ColourSet(float& colRed5, float& colGreen5, float& colBlue5);

    // Colour rendering: wavelength set and wavelength colours
    // (Inside Form1 the pure steps are in colour/wavelength_set.h.) lambdaN fills the set for
    // waveCount: with one wavelength only the colour of entry 1 from wavelength; else the band from
    // the band dialog, waveList ("RGB": 0.65, 0.51, 0.44 um; otherwise the centres of waveCount equal
    // sub-bands), the colours and the weights of the checked spectrum. With "Spectrum from file"
    // checked the weights keep their values. colrgb2 writes the colour of lambda (um) on the
    // 0..255 scale, unrounded.
    void lambdaN();
    void colrgb2(double lambda, double& r3, double& g3a, double& b3);

    // Colour rendering: colours of scattered light over several wavelengths
    // (Inside Form1 the pure steps are in colour/colour_render.h.) PlotN raises the run maxima by the
    // angle point loopJ; PlotBow paints the colour strip (angle graphs), a Lee or map column (codes 20
    // and above, storing the step's colours) or, with simulationMode 1, fills simColourTable; PlotBow2
    // paints the smooth bands by cubic interpolation; PlotColour draws one polarisation's curve in
    // colour; PlotNColour draws a several-wavelength result; ColourScale makes the false colour of the
    // scale value v the drawing colour.
    void PlotN();
    void PlotBow(const ColourSumTable& perp, const ColourSumTable& para, const std::string& caption);
    void PlotBow2(const ColourSumTable& perp, const ColourSumTable& para, const std::string& caption);
    void PlotColour(const ColourSumTable& sums, const std::vector<double>& intensity, double xLow, double xHigh,
                    double yLow, double yHigh);
    void PlotNColour();
    void ColourScale(double v);
    // The sun's disc as the colour steps read it (off unless optSun is selected), and the channel
    // fractions of the wavelength set.
    SunDisc sunDisc() const;
    WaveChannels waveChannels() const;
    // The saturation mode and display curve the colour menus set.
    ColourFinish colourFinish() const;

    // Simulation window: colour lookup (simulation/form1_sim_lookup.cpp). The colour of row i towards
    // row j at fraction f of simColourTable for the light source (0 unpolarised, 1 perpendicular,
    // 2 parallel) and view (0, or 1 through a polariser with the two weights); rows outside the table
    // are clamped to it, and with fewer than two rows nothing is assigned. N is not used.
    void SimPlot2(float& f, std::int32_t& i, std::int32_t& j, double& N, int& source, int& view, float& wPerp,
                  float& wPara, double& red, double& green, double& blue);

    // Colour rendering: runs over several wavelengths (runs/form1_several_wavelengths.cpp)
    // The single-size loop over the wavelengths with its colour sums and its finish; false after a stop
    // or a refusal. The method call of this path (code 2 always the plane-wave Debye series).
    bool SeveralWavelengths();
    void SeveralWavelengthsFinish();
    void DispatchSeveralWavelengths();
    // The same loop averaged over a size distribution per wavelength, ending in the same finish
    // (runs/form1_several_wavelengths_disperse.cpp).
    bool SeveralWavelengthsDisperse();
    // One-wavelength angle graphs: column 1 of the sums |S|^2 / K and the run maxima of PlotN.
    void OneWavelengthColours();

    // =============================================================================================
    // Window variables: the named parts (each struct in its subsystem's header)

    // Graphs: the frame and scales of the graph on show, and its colours (graphs/graph_frame.h)
    GraphFrame graph;
    GraphColours graphColours;

    // Calculation runs: the values runState takes (held as a plain int: tests and stops set and compare the numbers).
    enum RunState : std::int32_t {
        kNoRunYet = 0,     // no run since the window opened
        kRunNewPlot = 1,   // New plot under way, or the last run or redraw has ended
        kRunOverplot = 2,  // Overplot under way: the curves go into the graph on show
        kRunReplot = 3,    // Replot redrawing the stored results
        kRunStopped = 4,   // Stop answered Yes, or a method refused: the run ends at its next check
    };
    // Calculation runs (runs/run_state.h): the codes and flags (mainwindow/window_state.h), the
    // drop and light of the calculation, the angle grid, the sweep, the progress, the stored results
    WindowCodes codes;
    RunFlags runFlags;
    CalcInputs calc;
    AngleGrid angleGrid;
    SweepState sweepState;
    RunProgress runProgress;
    StoredResults results;
    // The step list and its label as they were when logarithmic steps were ticked, with the graph and
    // range they belonged to: unticking restores them while the graph and range are still the same.
    struct LinearStep {
        std::string step, label, xMin, xMax;
        int graphCode = kNoGraph, graphSubCode = kNoSubCode;
    };
    std::optional<LinearStep> stepBeforeLog;
    // The efficiencies of the run whose graph is on show, each only when that run computed it whole
    // (a stopped or refused series, an angle window without 0 or 180 degrees, amplitudes divided by x
    // and the methods without efficiencies leave it empty); the data box shows only these. Emptied at
    // the start of every run.
    struct RunReadout {
        std::optional<double> qSca, qExt, qBack;
    };
    RunReadout readout;

    // Media (media/media_state.h): refractive indices, light and spectrum, size distribution, the
    // built-in tables
    IndexState indexState;
    LightState light;
    DistributionState dist;
    BuiltinTables builtinTables;

    // Colour rendering (colour/colour_state.h): the wavelength set, the colour sums, the Lee stores
    WaveSet waveSet;
    ColourSums colourSums;
    LeeColourStores leeStores;
    SimColourTable simColourTable;

    // Mie and Debye series (scattering/series_state.h): ray orders, the Gaussian beam, the work
    // stores reused from call to call
    SeriesState series;
    BeamState beamState;
    MieResult mieWork;                      // the series' results and scratch
    DebyeResult debyeWork;                  // the Debye series' results and scratch
    MieGaussianResult mieGaussianWork;      // results and scratch of the Gaussian-beam series
    DebyeGaussianResult debyeGaussianWork;
    // The wavelengths of the first row of a Lee diagram as its series were called (wavelength, the
    // medium's index, m), from which the series of the later rows are computed ahead on the pool.
    struct LeeWave {
        double wavelength, mediumRe, mRe, mIm;
    };
    std::vector<LeeWave> leeWaves;
    MieAhead mieAhead;

    // Files (files/files_state.h) and the window itself (mainwindow/window_state.h)
    FilesState fileState;
    WindowState windowState;
    // The output files the window has open; closing the window abandons them.
    OpenWriters openWriters;

    // Lee diagrams and angle maps: axes, the radius sweep of New plot and the redraw from the stores.
    void GridLeeAxes(double left, double right, double top, double bottom, double sweepMin, double sweepMax,
                     double angleMin, double angleMax);
    void LeeSweepLabel(double x, double y, double v);  // a tick under the panel and v centred on it
    void LeeSetUp();                                   // the cleared window with three empty panels
    Picture LeeAngleTitle();  // "Scattering angle (degrees)" upright, the picture beside each panel
    void LeeSweep();  // New plot of codes 20 to 25: one Overplot per radius, one for a whole map
    // The rows of an angle map inside the run (codes 22 to 25) and its closing redraw; false after a
    // stop or a failed step (the run then takes the stop exit).
    bool MapSteps();
    // Every Lee store row holds the angle window windowFirst..windowLast of the run.
    void LeeStoresHoldWindow();
    void PlotLee();
    void LeeCreditLines();  // the credit line in each panel, in the window's font for its size
    // =============================================================================================
    // Dialogs and the simulation window (one instance each, made on first access)
    FormRef<dlogP> dlogP_{[this] { return std::make_unique<dlogP>(*this); }};
    FormRef<dlogAverage> dlogAverage_{[this] { return std::make_unique<dlogAverage>(*this); }};
    FormRef<dlogIncident> dlogIncident_{[this] { return std::make_unique<dlogIncident>(*this); }};
    FormRef<dlogGaussianBeam> dlogGaussianBeam_{[this] { return std::make_unique<dlogGaussianBeam>(*this); }};
    FormRef<dlogTemp> dlogTemp_{[this] { return std::make_unique<dlogTemp>(*this); }};
    FormRef<dlogAir> dlogAir_{[this] { return std::make_unique<dlogAir>(*this); }};
    FormRef<dlogRI_User1> dlogRI_User1_{[this] { return std::make_unique<dlogRI_User1>(*this); }};
    FormRef<dlogRI_User2> dlogRI_User2_{[this] { return std::make_unique<dlogRI_User2>(*this); }};
    FormRef<dlogSegelstein> dlogSegelstein_{[this] { return std::make_unique<dlogSegelstein>(*this); }};
    FormRef<dlogRay> dlogRay_{[this] { return std::make_unique<dlogRay>(*this); }};
    FormRef<dlogBlackBody> dlogBlackBody_{[this] { return std::make_unique<dlogBlackBody>(*this); }};
    FormRef<dlogSpectrumBand> dlogSpectrumBand_{[this] { return std::make_unique<dlogSpectrumBand>(*this); }};
    FormRef<dlogSpectrumFile> dlogSpectrumFile_{[this] { return std::make_unique<dlogSpectrumFile>(*this); }};
    FormRef<Form2> Form2_{[this] { return std::make_unique<Form2>(*this); }};

    // =============================================================================================
    // Menus
    Menu mnuFile{*this, "&File"};
    Menu mnuRead{mnuFile, "Read previous results"};
    Menu mnuSave{mnuFile, "Save results as ..."};
    Menu mnuSaveText{mnuFile, "Save numerical results as text file"};
    Menu mnuBatchFile{mnuFile, "Batch file ....."};
    Menu mnuFileBar{mnuFile, "-"};
    Menu mnuExit{mnuFile, "&Exit"};

    Menu mnuGraphOptions{*this, "&Graph"};
    Menu mnuGraphSize{mnuGraphOptions, "Graph size"};
    Menu mnuVLarge{mnuGraphSize, "Very large"};
    Menu mnuLarge{mnuGraphSize, "Large"};
    Menu mnuMedium{mnuGraphSize, "Medium"};
    Menu mnuSmall{mnuGraphSize, "Small"};
    Menu mnuSizeSpecial{mnuGraphSize, "Special"};
    Menu mnuBackground{mnuGraphOptions, "Background colour"};
    Menu mnuDefault{mnuBackground, "Default"};
    Menu mnuWhite{mnuBackground, "White"};
    Menu mnuGrey{mnuBackground, "Grey"};
    Menu mnuBlack{mnuBackground, "Black"};
    Menu mnuHideLogo{mnuGraphOptions, "Hide logo"};
    Menu mnuGridBar{mnuGraphOptions, "-"};
    Menu mnuMajorGridX{mnuGraphOptions, "Major grid lines X-axis"};
    Menu mnuMinorGridX{mnuGraphOptions, "Minor grid lines X-axis"};
    Menu mnuMajorGridY{mnuGraphOptions, "Major grid lines Y-axis"};
    Menu mnuMinorGridY{mnuGraphOptions, "Minor grid lines Y-axis"};
    Menu mnuLineBar{mnuGraphOptions, "-"};
    Menu mnuLineColours{mnuGraphOptions, "Plot line colours"};
    Menu mnuTrueColour{mnuLineColours, "True colour"};
    Menu mnuBlackLine{mnuLineColours, "Black"};
    Menu mnuGreyLine{mnuLineColours, "Grey"};
    Menu mnuRedLine{mnuLineColours, "Red"};
    Menu mnuGreenLine{mnuLineColours, "Green"};
    Menu mnuBlueLine{mnuLineColours, "Blue"};
    Menu mnuYellowLine{mnuLineColours, "Yellow"};
    Menu mnuCyanLine{mnuLineColours, "Cyan"};
    Menu mnuMagentaLine{mnuLineColours, "Magenta"};
    Menu mnuFalseColours{mnuLineColours, "False colours"};
    Menu mnuLineStyle{mnuGraphOptions, "Plot line style"};
    Menu mnuSolid{mnuLineStyle, "Solid"};
    Menu mnuDot{mnuLineStyle, "Dot"};
    Menu mnuDash{mnuLineStyle, "Dash"};
    Menu mnuLineWidth{mnuGraphOptions, "Plot line width "};
    Menu mnuDrawWidth1{mnuLineWidth, "1"};
    Menu mnuDrawWidth2{mnuLineWidth, "2"};

    Menu mnuPlotOptions{*this, "&Plot"};
    Menu mnuAmpPhase{mnuPlotOptions, "Intensity + Phase"};
    Menu mnuIntPol{mnuPlotOptions, "Intensity + Polarisation"};
    Menu mnuPolarPlot{mnuPlotOptions, "Polar plot"};
    Menu mnuDataVisible{mnuPlotOptions, "Visible data"};
    Menu mnuInvWavelength{mnuPlotOptions, "Inv Wavelength"};
    Menu mnuPhasePlot{mnuPlotOptions, "Phase plot"};
    Menu mnuAmplitude{mnuPlotOptions, "Amplitude"};
    Menu mnuNormalised{mnuPlotOptions, "Normalise unpolarised"};
    Menu mnuOverplot{mnuPlotOptions, "Overplot from file"};
    Menu mnuS1S2{mnuPlotOptions, "S1 + S2"};
    Menu mnuShowData{mnuPlotOptions, "Show data"};
    Menu mnuSize{mnuPlotOptions, "Size"};

    Menu mnuAdvanced{*this, "&Advanced"};
    Menu mnuRI{mnuAdvanced, "Refractive index"};
    Menu mnuSphere{mnuRI, "Sphere"};
    Menu mnuRI_Water1{mnuSphere, "Water"};
    Menu mnuRI_IAPWS{mnuRI_Water1, "IAPWS 5C"};
    Menu mnuRI_Cowley{mnuRI_Water1, "Cowley"};
    Menu mnuRI_Segelstein{mnuRI_Water1, "Segelstein"};
    Menu mnuRI_Ray{mnuRI_Water1, "Ray"};
    Menu mnuRI_Lynch{mnuRI_Water1, "Lynch + Livingston"};
    Menu mnuRI_KayeLaby{mnuRI_Water1, "Kaye + Laby"};
    Menu mnuRI_Gedzelman{mnuRI_Water1, "Gedzelman"};
    Menu mnuRI_Au{mnuSphere, "Gold"};
    Menu mnuRI_Ag{mnuSphere, "Silver"};
    Menu mnuRI_Cu{mnuSphere, "Copper"};
    Menu mnuRI_Air1{mnuSphere, "Air"};
    Menu mnuRI_Vacuum1{mnuSphere, "Vacuum"};
    Menu mnuRI_User1{mnuSphere, "User defined"};
    Menu mnuRI_File1{mnuSphere, "Data from file ..."};
    Menu mnuSurround{mnuRI, "Surrounding medium"};
    Menu mnuRI_Vacuum2{mnuSurround, "Vacuum"};
    Menu mnuRI_Air2{mnuSurround, "Air"};
    Menu mnuWater2{mnuSurround, "Water"};
    Menu mnuRI_IAPWS2{mnuWater2, "IAPWS"};
    Menu mnuRI_Segelstein2{mnuWater2, "Segelstein"};
    Menu mnuRI_User2{mnuSurround, "User defined"};
    Menu mnuRI_File2{mnuSurround, "Data from file ..."};
    Menu mnuSpectrum{mnuAdvanced, "Spectrum"};
    Menu mnuSpectrumLee{mnuSpectrum, "Sun (Lee)"};
    Menu mnuSpectrumWernand{mnuSpectrum, "Sun (Wernand)"};
    Menu mnuSpectrumFlat{mnuSpectrum, "Flat"};
    Menu mnuBlackBody{mnuSpectrum, "Black body 6000 K"};
    Menu mnuSpectrumFile{mnuSpectrum, "Spectrum from file"};
    Menu mnuBar3{mnuSpectrum, "-"};
    Menu mnuSpectrumBand{mnuSpectrum, "380 - 700 nm band"};
    Menu mnuSizeDist{mnuAdvanced, "Size distribution from file ... "};
    Menu mnuCalcBar{mnuAdvanced, "-"};
    Menu mnuIllumination{mnuAdvanced, "Illumination"};
    Menu mnuPlaneWave{mnuIllumination, "Plane wave"};
    Menu mnuGaussian{mnuIllumination, "Gaussian beam"};
    Menu mnuTopHat{mnuIllumination, "Top hat beam"};
    Menu mnuMultBeams{mnuIllumination, "Multiple beams"};
    Menu mnuCentralBeam{mnuIllumination, "Central beam"};
    Menu mnuRadiusDiameter{mnuAdvanced, "Radius or diameter"};
    Menu mnuRadius{mnuRadiusDiameter, "Radius"};
    Menu mnuDiameter{mnuRadiusDiameter, "Diameter"};
    Menu mnuRadiusX{mnuRadiusDiameter, "Size parameter x"};
    Menu mnuInterpolate{mnuAdvanced, "Cubic interpolation"};
    Menu mnuAverage{mnuAdvanced, "Average"};
    Menu mnuXStepLog{mnuAdvanced, "Logarithmic steps"};
    Menu mnuSurfaceWave{mnuAdvanced, "Surface wave"};
    Menu mnuSurfaceShort{mnuSurfaceWave, "Short path only"};
    Menu mnuSurfaceLong{mnuSurfaceWave, "Long path only"};
    Menu mnuSurfaceBoth{mnuSurfaceWave, "Short + long paths"};
    Menu mnuSWPhase{mnuSurfaceWave, "Phase correction"};
    Menu mnuKhare{mnuSurfaceWave, "Khare"};
    Menu mnuLock{mnuSurfaceWave, "Lock"};
    Menu mnuNussenzveig{mnuSurfaceWave, "Nussenzveig"};
    Menu mnuBar{mnuAdvanced, "-"};

    Menu mnuColour{*this, "&Colour"};
    Menu mnuSaturation{mnuColour, "Saturation"};
    Menu mnuPhoto{mnuSaturation, "Photo"};
    Menu mnuFreeze{mnuSaturation, "Freeze"};
    Menu mnuPeakWhite{mnuSaturation, "Peak White"};
    Menu mnuGamma{mnuColour, "Gamma"};
    Menu mnuGammaNone{mnuGamma, "None"};
    Menu mnuGammaA{mnuGamma, "Individual RGB"};
    Menu mnuGammaB{mnuGamma, "Group RGB"};
    Menu mnuSaturated{mnuColour, "Saturated colours"};
    Menu mnuSetNormal{mnuColour, "Set normalisation"};

    Menu mnuWindow{*this, "Window"};
    Menu mnuWindowGraph{mnuWindow, "Graph"};
    Menu mnuWindowSimulation{mnuWindow, "Simulation"};

    Menu mnuHelp{*this, "&Help"};
    Menu mnuHelp1{mnuHelp, "Introduction"};
    Menu mnuHelpContents{mnuHelp, "Contents"};
    Menu mnuAbout{mnuHelp, "About"};

    Menu mnuHidden{*this, "Hidden"};
    Menu mnuDebyeRecursion{mnuHidden, "Debye recursion"};
    Menu mnuSun{mnuHidden, "Sun Rectangular"};
    Menu mnuSWsub{mnuHidden, "Surface wave subtraction"};

    Menu mnuSpecial{*this, "Special"};

    // =============================================================================================
    // Controls (a frame before its members)

    // Method, graph type and the method's own inputs (top row)
    ComboBox cboGraph{*this, ComboBox::Style::Editable};
    ComboBox cboType{*this, ComboBox::Style::Editable};
    ComboBox cboRays{*this, ComboBox::Style::Editable};
    Label lblQminQmax{*this, "Terms"};
    ComboBox cboQmin{*this, ComboBox::Style::Editable};
    ComboBox cboQmax{*this, ComboBox::Style::Editable};
    Label lblSWFactor{*this, "Factor"};
    TextBox txtSWAmp{*this, "1"};
    CommandButton cmdSimulation{*this, "Simulation"};

    // Light
    Frame Frame4{*this, "Light"};
    Label Label6{Frame4, "Wavelength (  m) in vacuo"};
    Label Label28{Frame4, "m"};
    TextBox txtLambda{Frame4};
    Label Label4{Frame4, "Colour of specified wavelength "};
    Label Label8{Frame4, "Refractive index"};
    Label Label9{Frame4, "Real"};
    Label Label10{Frame4, "Imaginary"};
    TextBox txtRefractReal{Frame4};
    TextBox txtRefractImag{Frame4};
    Label Label12{Frame4, "Polarisation"};
    ComboBox cboPol{Frame4, ComboBox::Style::Fixed};
    Label Label27{Frame4, "Number of wavelengths"};
    ComboBox cboWave{Frame4, ComboBox::Style::Editable};
    CheckBox chkComponents{Frame4, "Show components"};

    // Drop size
    Frame Frame3{*this, "Drop size"};
    Label Label7{Frame3, "Radius (  m)"};
    Label Label29{Frame3, "m"};
    TextBox txtRadius{Frame3};
    OptionButton optMono{Frame3, "Monodisperse"};
    OptionButton optDisp{Frame3, "Disperse"};
    ComboBox cboDistrib{Frame3, ComboBox::Style::Editable};
    Label Label11{Frame3, "Std Dev %"};
    ComboBox cboSD{Frame3, ComboBox::Style::Editable};
    Label Label13{Frame3, "Samples"};
    ComboBox cboN{Frame3, ComboBox::Style::Editable};
    Label Label24{Frame3, "Maximum radius"};
    TextBox txtRmax{Frame3};
    Label Label25{Frame3, "No. of steps"};
    TextBox txtRstep{Frame3};

    // Fixed angle (or radius of the maps) below the drop-size frame
    Label Label19{*this, "Scattering angle"};
    Label Label31{*this, "m"};
    TextBox txtAngle{*this};
    Label lblRadiusDisp{*this};

    // x axis
    Frame Frame2{*this, "Angle scale"};
    Label Label3{Frame2, "Minimum angle"};
    TextBox txtXmin{Frame2};
    Label Label2{Frame2, "Maximum angle"};
    TextBox txtXmax{Frame2};
    Label Label5{Frame2, "Angular resolution"};
    ComboBox cboStep{Frame2, ComboBox::Style::Editable};

    Frame Frame8{*this, "Horizontal scale"};
    OptionButton OptXLinear{Frame8, "Linear"};
    OptionButton optXLog{Frame8, "Logarithmic"};

    Label Label18{*this, "Brightness"};
    ComboBox cboBright{*this, ComboBox::Style::Editable};

    // y axis, and in the same place the second sweep of the maps
    Frame Frame1{*this, "Intensity scale"};
    OptionButton optLog{Frame1, "Logarithmic"};
    OptionButton optLinear{Frame1, "Linear"};
    Label Label21{Frame1, "Max"};
    ComboBox cboYmax{Frame1, ComboBox::Style::Editable};
    Label Label22{Frame1, "Min"};
    ComboBox cboYmin{Frame1, ComboBox::Style::Editable};

    Frame Frame9{*this, "Refractive index"};
    Label Label30{Frame9, "Real part"};
    TextBox txtF9_fixed{Frame9};
    Label Label32{Frame9, "Imaginary part"};
    TextBox txtF9_min{Frame9};
    TextBox txtF9_max{Frame9};
    TextBox txtF9_step{Frame9};

    Frame Frame5{*this, "Light source"};
    OptionButton optPoint{Frame5, "Point"};
    OptionButton optSun{Frame5, "Sun"};

    Label Label26{*this, "Lee diagram"};
    ComboBox cboLee{*this, ComboBox::Style::Fixed};

    // Run commands and progress
    CommandButton cmdNewPlot{*this, "New plot"};
    CommandButton cmdOverPlot{*this, "Overplot"};
    CommandButton cmdReplot{*this, "Replot"};
    CommandButton cmdExit{*this, "Exit"};
    CommandButton cmdStop{*this, "Stop calculation"};
    TextBox txtProgress{*this, "0"};
    Label Label16{*this, " % complete"};
    CommandButton cmdDefault{*this, "Restore defaults"};
    CommandButton cmdInfo{*this, "Information ON"};

    // Information (covers the distribution picture's corner while shown)
    Frame Frame6{*this, "Information"};
    Label lblSphere{Frame6};
    Label lblRI_Medium{Frame6};
    Label lblSpectrum{Frame6};
    Label lblSpectrumBand{Frame6};
    Label lblDebyeRays{Frame6};
    Label lblCubic{Frame6};
    Label lblAverage{Frame6};
    Label lblWatts{Frame6};
    Label lblDistance{Frame6};

    // Debye terms (hidden mode)
    Frame Frame7{*this};
    CheckBox chk1256{Frame7, "1256"};
    CheckBox chkRays0{Frame7, "Ray 0"};
    CheckBox chkPhase{Frame7, "Phase"};
    CheckBox chk2theta{Frame7, "-2 (pi-theta)"};
    CheckBox chkT12{Frame7, "- T12"};
    CheckBox chkR11{Frame7, "- R11"};
    CheckBox chkT21{Frame7, "- T21"};
    CheckBox chkR22{Frame7, "- R22"};
    CheckBox chkR22x{Frame7, "-1 - R22"};

    // On the graph: the logo and the titles of the Lee panels
    Label lblLogo{*this, "Tessary"};
    PictureBox Picture1{*this};
    PictureBox Picture2{*this};
    PictureBox Picture3{*this};

    // Never shown: values the runs keep in controls
    TextBox txtX1min{*this};
    TextBox txtX2Max{*this};
    TextBox txtY1min{*this};
    TextBox txtY2max{*this};
    Label Label14{*this};
    Label Label15{*this};
    Label Label17{*this};
    Label Label20{*this};

    // Places a Symbol-font label (the micro sign) over the two blanks of "(  m)" in caption's text,
    // right after its text `before`, transparent so that it joins its neighbours.
    void PlaceMicroSign(Label& micro, const Label& caption, const std::string& before);

  private:
    // The window's design: positions, tool tips, design captions and visible/enabled states.
    void designControls();
    // designControls' steps after the top row: the light and drop-size frames; the x and y axis and
    // light-source frames; the controls below the run captions and the graph.
    void designInputFrames();
    void designAxisFrames();
    void designLowerControls();
    void designMenus();
    // Form_Load's steps, in the order it runs them (the default graph's frame and first run come
    // between the last two).
    void loadDisplayCheck();
    void loadStartValues();
    void loadLists();
    void loadControlStates();
    void loadLayoutAndTables();
    void loadTermLists();
    // The constructor's event wiring, in the order it runs: window and graph commands, index models,
    // inputs and graph type, calculation and plot options, runs, files, spectrum and colour.
    void connectWindowHandlers();
    void connectIndexMenus();
    void connectInputHandlers();
    void connectOptionMenus();
    void connectRunHandlers();

    // Lets the program's end actions reach the window only while it exists.
    std::shared_ptr<Form1*> m_alive = std::make_shared<Form1*>(this);
};

}  // namespace tessary
