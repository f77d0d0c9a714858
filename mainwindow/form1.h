// The main window: the whole application state, every input, list, button and menu, and the
// procedures of every subsystem as members (each defined in its subsystem's folder). Positions of
// controls on the window are in its scale units (about twips), inside frames in twips. The inputs
// stay in the band x 0..9000, y 0..2800 above the drawn areas: legend strip and graph box from
// y 2800, the run captions at x 9000..12000, y 450..2000, and the data box, distribution picture and
// progress bar from x 12000.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
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
#include "runs/band_rules.h"
#include "platform/text/text_file.h"
#include "platform/ui/ui.h"
#include "runs/method_codes.h"
#include "runs/method_rules.h"
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
    std::vector<Menu*> computationMenus();  // the menus LockON disables with the inputs
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
    bool RefuseWhileLocked();  // true (after a beep) while the inputs are locked

    // Graphs: frame, ticks, sizes, colour schemes, line colours (procedures)
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
    void OfferRedraw();

    // Graph-type selection and presets (procedures)
    void cboGraph_Click();
    void cboGraph_Change();
    // cboGraph_Click's steps and the presets they apply
    void selectGraphType();
    void decideRedraw();
    void applyAnglePreset(bool resetPolarisation);
    void applyGraphTypePreset();
    void applyGraphPresetTail();
    struct GraphPresetWriter;

    // Graphs: result display, curves, legends and readout
    void Display(std::span<const double> perp, std::span<const double> para, std::span<const double> unpol);
    void StoppedSweepYScale(std::int32_t lastFinished);
    void GridYmax(double& dataMax, double& axisMax);
    void GridYmin(double& dataMin, double& axisMin);
    void AngleDelta();
    void Plot(std::int32_t& count, std::span<const double> values, float left, float right, float top,
              float bottom, double xFrom, double xTo, double yFrom, double yTo);
    // Legend above the graph; data box and the line of values under the graph.
    void PolarLabel();
    void VisibleData();

    // Media: wavelength input, relative index, sun disc
    void txtLambda_change();
    bool LambdaOutsideSphereWindow();
    bool ReadIndexModels();
    bool MenuIndexModels(IndexModels& models);
    // The inputs of the band and method rules of the input checks as the window holds them.
    BandInputs WindowBandInputs();
    MethodInputs WindowMethodInputs();
    std::optional<double> refrel(double lambda);
    RefrelResult CheckedModelsIndex(double lambda);
    RefrelResult KeepIndexOf(const IndexModels& models, double lambda);
    bool MediumOfRun(double lambda);
    void SunCorrection();

    // Media: refractive-index model menus and dialogs
    void ClearMenuRI();
    void ClearMenuRI2();
    void ShowSphereModel(SphereModel model);
    void ShowMediumModel(MediumModel model);
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

    // True while a redraw holds its RedrawGuard (mainwindow/window_state.h) or the inputs are locked.
    bool RedrawBusy() const { return windowState.redrawDepth > 0 || windowState.inputsLocked; }
    bool ReplotIfIdle();

    // Calculation runs: input parsing, commands, driver, dispatch, progress, arrays, run record
    void getval(TextBox& box, double& Value, int& NError);
    void getval(ComboBox& box, double& Value, int& NError);
    // The number entry of dialog boxes, which their own checks judge: a decimal comma becomes the point; a
    // text meaning no number (ParseTypedNumber) is refused as getval refuses it, and the result is false.
    bool DialogNumbers(std::initializer_list<TextBox*> boxes);
    // Complex amplitudes per angle index: [0] the real parts, [1] the imaginary parts.
    using ComplexTable = std::array<std::vector<double>, 2>;
    void cmdNewPlot_Click();
    void cmdOverPlot_Click();
    void cmdStop_Click();
    NewPlotEnd newPlotEnd = NewPlotEnd::Refused;  // how the last New plot ended (runs/run_state.h)
    void TypeCalc();
    void Progress();
    bool ProgressFollowsSweepStep() const;
    std::int32_t ProgressNextOrder(std::int32_t from, std::int32_t last) const;
    void Array_Size();
    void Overplot();  // the run driver
    // Steps of the runs, in the driver's order
    void RadiusFromBox();
    void WaveCountFromRadius();
    bool AngleSetUp();
    void DispatchMethod(std::int32_t& first, std::int32_t& last);
    bool AngleGraph();
    void ShowElapsedTime(float startTime);
    void RunCommonEnd();
    // The record of the run on show (runs/run_record.h), and one of the inputs as they are now
    void TakeRunRecord();
    void FinishRunRecord();
    void SettleRunRecord(bool stopAnswered, const std::string& lastMessage);
    RunRecord RecordOfInputs();
    void KeepYLimits(RunRecord& r) const;
    RunRecord runRecord;
    std::uint64_t runRecordsTaken = 0;  // the serial of the last record taken
    RunBeamUse beamUse;  // the light of the method calls of the run under way (runs/run_record.h)
    double RunStep() const;
    bool RunLogSteps() const;
    bool RunAbsorbs() const;
    bool AmplitudesOnShow() const;

    // Calculation runs: input checks and run-time estimate, Replot, sweeps, size distributions
    void CheckInput(double& xLow, double& xHigh, double& yLow, double& yHigh, int& inputErrorFlag);
    void Duration();
    void cmdReplot_Click();
    void ReplotFromStores();
    void AngleLowerCurves();
    bool DrawAngleGraph(const RunRecord* onShow = nullptr);  // a redraw: the record of the results on show
    bool SweepPath();
    void ConvergenceOrdersDone(bool seriesCalled);
    void DispatchSweepMethod(std::int32_t& first, std::int32_t& last);
    bool DispCalc();

    // Files: file commands
    void mnuRead_Click();
    void mnuSave_Click();
    void mnuSaveText_Click();
    void mnuBatchFile_Click();

    // Mie and Debye series: window procedures, ray orders, Gaussian beams
    void BHMIE(double& x, double& mRe, double& mIm, std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2,
               double& Qext, double& Qsca, double& Qback, double& g, std::int32_t& first, std::int32_t& last);
    void BHMIEPlaneWave(double& x, double& mRe, double& mIm, std::int32_t& NANG, ComplexTable& S1,
                        ComplexTable& S2, double& Qext, double& Qsca, double& Qback, double& g,
                        std::int32_t& first, std::int32_t& last);
    void BHMIE2(double& x, double& mRe, double& mIm, std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2,
                double& Qext, double& Qsca, double& Qback, double& g, std::int32_t& first,
                std::int32_t& last);
    bool RaysCheck(RayFlagsFirst first = RayFlagsFirst::Keep);
    void DebyeLabel();
    void ShowRunOptions(const std::string& options);
    void ShowOrderCaptions(const std::string& label, const std::string& title, const RunRecord& used);
    void DebyeSeries(double& x, double& mRe, double& mIm, std::int32_t& NANG, ComplexTable& S1,
                     ComplexTable& S2, double& Qext, double& Qsca, double& Qback, double& g,
                     std::int32_t& first, std::int32_t& last);
    void MIE_Gaussian(double& x, double& mRe, double& mIm, std::int32_t& NANG, ComplexTable& S1,
                      ComplexTable& S2, double& Qext, double& Qsca, double& Qback, double& g,
                      std::int32_t& first, std::int32_t& last);
    void Debye_Gaussian(double& x, double& mRe, double& mIm, std::int32_t& NANG, ComplexTable& S1,
                        ComplexTable& S2, double& Qext, double& Qsca, double& Qback, double& g,
                        std::int32_t& first, std::int32_t& last);
    GaussianBeamInput ReadBeamDialog();
    void BeamPointProgress(double fraction);
    void ClearProgressStrip();

    // Approximate methods (approximations/form1_*.cpp): each writes S1 and S2 at first..last only and
    // leaves Qext, Qsca, Qback and g as the caller holds them. A refusal shows its message and sets
    // runState 4; the long methods report progress, pump events through the throttled pump and end at
    // their next angle after a stop.
    void Rayleigh(double& x, double& mRe, double& mIm, std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2,
                  double& Qext, double& Qsca, double& Qback, double& g, std::int32_t& first,
                  std::int32_t& last);
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
    void SurfaceWaveCentralBeam(double& x, std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2,
                                double& Qext, double& Qsca, double& Qback, double& g, std::int32_t& first,
                                std::int32_t& last);

    // Files: file dialogs, data file, text export, save commands, batch files and input files
    void FileDialog(const std::string& mode, const std::string& title, const std::string& filterText,
                    const std::string& pattern, const std::string& extension);
    void OpenDataFile();
    void OpenPictureFile();
    void OpenSpectrumFile();
    void OpenRefIndexFile();
    void OpenSizeDistFile();
    void OpenBatchFile();
    void select_save_filename();
    void cmdSelectOpen_Click();
    void SaveByType();
    bool save_data();
    bool save_text();
    void read_file();
    void Read_Batch();
    bool Save_Batch(TextFileWriter& report);
    bool ReadRefIndex1();
    bool ReadRefIndex2();
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
    void offerNewPlot(bool disableReplot);
    void offerReplot();
    static int WaveCountOf(const std::string& text);

    // Main window: hidden mode
    void Form_KeyDown(int& KeyCode, int& shift);
    void showHiddenMenus();
    void switchSpecialMode();

    // Media: size distributions
    void Disperse();
    void optDisp_Click();
    void optMono_Click();
    bool ReadSizeDist();
    void DistDisplay();

    // Media: spectrum menus and dialogs
    void ClearMenuSpectrum();
    void mnuSpectrumLee_Click();
    void mnuSpectrumWernand_Click();
    void mnuSpectrumFlat_Click();
    void mnuBlackBody_Click();
    void mnuSpectrumFile_Click();
    void mnuSpectrumBand_Click();
    void ReadSpectrum();
    void mnuSizeDist_Click();

    // Colour rendering: colour options, wavelength set and colours, colours over several wavelengths
    void mnuPhoto_Click();
    void mnuFreeze_Click();
    void mnuPeakWhite_Click();
    void mnuGamma_Click();
    void mnuGammaA_Click();
    void mnuGammaB_Click();
    void mnuGammaNone_Click();
    void mnuSaturated_Click();
    void mnuSetNormal_Click();
    void Saturation(float& colour1, float& colour2, float& colour3);
    void GammaCorrection(float& colour1, float& colour2, float& colour3);
    void ColourSet(float& colRed5, float& colGreen5, float& colBlue5);
    // The wavelength set of waveCount; false when a weight was asked outside its spectrum's table (that
    // weight keeps its value): a run then ends through RunWaveSet's message.
    bool lambdaN();
    bool RunWaveSet();
    void colrgb2(double lambda, double& r3, double& g3a, double& b3);
    void PlotN();
    void PlotBow(const ColourSumTable& perp, const ColourSumTable& para, const std::string& caption);
    void PlotBow2(const ColourSumTable& perp, const ColourSumTable& para, const std::string& caption);
    void PlotColour(const ColourSumTable& sums, const std::vector<double>& intensity, double xLow,
                    double xHigh, double yLow, double yHigh);
    void PlotNColour();
    void ColourScale(double v);
    SunDisc sunDisc() const;
    WaveChannels waveChannels() const;
    ColourFinish colourFinish() const;
    double Brightness() const;

    // Simulation window: the colours of the run on show (simulation/form1_sim_table.cpp)
    std::optional<std::string> SimulationRefusal() const;
    bool FillSimulationTable();
    bool SimulationColoursForPainting();
    void SimulationFollowsRunOnShow();
    std::optional<SimTableRun> simTableRun;  // the run whose colours simColourTable holds, once filled
    // Simulation window: colour lookup (simulation/form1_sim_lookup.cpp)
    void SimPlot2(float& f, std::int32_t& i, std::int32_t& j, double& N, int& source, int& view, float& wPerp,
                  float& wPara, double& red, double& green, double& blue);

    // Colour rendering: runs over several wavelengths (runs/form1_several_wavelengths*.cpp)
    bool SeveralWavelengths();
    void SeveralWavelengthsFinish();
    void DispatchSeveralWavelengths();
    bool SeveralWavelengthsDisperse();
    void RunColours();

    // =============================================================================================
    // Window variables: the named parts (each struct in its subsystem's header)

    // Graphs: the frame and scales of the graph on show, and its colours (graphs/graph_frame.h)
    GraphFrame graph;
    GraphColours graphColours;

    using enum RunState;  // kRunStopped and the other runState values, also as Form1::kRunStopped
    // Calculation runs (runs/run_state.h): the codes and flags (mainwindow/window_state.h), the
    // drop and light of the calculation, the angle grid, the sweep, the progress, the stored results
    WindowCodes codes;
    RunFlags runFlags;
    CalcInputs calc;
    AngleGrid angleGrid;
    SweepState sweepState;
    RunProgress runProgress;
    StoredResults results;
    std::optional<LinearStep> stepBeforeLog;  // the linear steps unticking restores (window_state.h)
    RunReadout readout;                       // the efficiencies the data box shows (runs/run_state.h)

    // Media (media/media_state.h): indices, light and spectrum, size distribution, built-in tables
    IndexState indexState;
    LightState light;
    DistributionState dist;
    BuiltinTables builtinTables;

    // Colour rendering (colour/colour_state.h): the wavelength set, the colour sums, the Lee stores
    WaveSet waveSet;
    ColourSums colourSums;
    LeeColourStores leeStores;
    SimColourTable simColourTable;

    // Mie and Debye series (scattering/series_state.h): ray orders, the beam, the reused work stores
    SeriesState series;
    BeamState beamState;
    MieResult mieWork;                  // the series' results and scratch
    DebyeResult debyeWork;              // the Debye series' results and scratch
    MieGaussianResult mieGaussianWork;  // results and scratch of the Gaussian-beam series
    DebyeGaussianResult debyeGaussianWork;
    std::vector<LeeWave> leeWaves;  // the first Lee row's wavelengths as its series were called
    MieAhead mieAhead;

    // Files (files/files_state.h) and the window itself (mainwindow/window_state.h)
    FilesState fileState;
    WindowState windowState;
    OpenWriters openWriters;  // the output files the window has open; closing it abandons them

    // Lee diagrams and angle maps: axes, the radius sweep of New plot and the redraw from the stores.
    void GridLeeAxes(double left, double right, double top, double bottom, double sweepMin, double sweepMax,
                     double angleMin, double angleMax);
    void LeeSweepLabel(double x, double y, double v);  // a tick under the panel and v centred on it
    void LeeSetUp();                                   // the cleared window with three empty panels
    Picture LeeAngleTitle();  // "Scattering angle (degrees)" upright, the picture beside each panel
    void LeeSweep();          // New plot of codes 20 to 25: one Overplot per radius, one for a whole map
    bool MapSteps();
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
    // Menus (each after its parent; the items of a submenu share lines)
    Menu mnuFile{*this, "&File"};
    Menu mnuRead{mnuFile, "Read previous results"}, mnuSave{mnuFile, "Save results as ..."};
    Menu mnuSaveText{mnuFile, "Save numerical results as text file"};
    Menu mnuBatchFile{mnuFile, "Batch file ....."}, mnuFileBar{mnuFile, "-"}, mnuExit{mnuFile, "&Exit"};

    Menu mnuGraphOptions{*this, "&Graph"};
    Menu mnuGraphSize{mnuGraphOptions, "Graph size"};
    Menu mnuVLarge{mnuGraphSize, "Very large"}, mnuLarge{mnuGraphSize, "Large"};
    Menu mnuMedium{mnuGraphSize, "Medium"}, mnuSmall{mnuGraphSize, "Small"};
    Menu mnuSizeSpecial{mnuGraphSize, "Special"};
    Menu mnuBackground{mnuGraphOptions, "Background colour"};
    Menu mnuDefault{mnuBackground, "Default"}, mnuWhite{mnuBackground, "White"};
    Menu mnuGrey{mnuBackground, "Grey"}, mnuBlack{mnuBackground, "Black"};
    Menu mnuHideLogo{mnuGraphOptions, "Hide logo"}, mnuGridBar{mnuGraphOptions, "-"};
    Menu mnuMajorGridX{mnuGraphOptions, "Major grid lines X-axis"};
    Menu mnuMinorGridX{mnuGraphOptions, "Minor grid lines X-axis"};
    Menu mnuMajorGridY{mnuGraphOptions, "Major grid lines Y-axis"};
    Menu mnuMinorGridY{mnuGraphOptions, "Minor grid lines Y-axis"}, mnuLineBar{mnuGraphOptions, "-"};
    Menu mnuLineColours{mnuGraphOptions, "Plot line colours"};
    Menu mnuTrueColour{mnuLineColours, "True colour"}, mnuBlackLine{mnuLineColours, "Black"};
    Menu mnuGreyLine{mnuLineColours, "Grey"}, mnuRedLine{mnuLineColours, "Red"};
    Menu mnuGreenLine{mnuLineColours, "Green"}, mnuBlueLine{mnuLineColours, "Blue"};
    Menu mnuYellowLine{mnuLineColours, "Yellow"}, mnuCyanLine{mnuLineColours, "Cyan"};
    Menu mnuMagentaLine{mnuLineColours, "Magenta"}, mnuFalseColours{mnuLineColours, "False colours"};
    Menu mnuLineStyle{mnuGraphOptions, "Plot line style"};
    Menu mnuSolid{mnuLineStyle, "Solid"}, mnuDot{mnuLineStyle, "Dot"}, mnuDash{mnuLineStyle, "Dash"};
    Menu mnuLineWidth{mnuGraphOptions, "Plot line width "};
    Menu mnuDrawWidth1{mnuLineWidth, "1"}, mnuDrawWidth2{mnuLineWidth, "2"};

    Menu mnuPlotOptions{*this, "&Plot"};
    Menu mnuAmpPhase{mnuPlotOptions, "Intensity + Phase"};
    Menu mnuIntPol{mnuPlotOptions, "Intensity + Polarisation"}, mnuPolarPlot{mnuPlotOptions, "Polar plot"};
    Menu mnuDataVisible{mnuPlotOptions, "Visible data"}, mnuInvWavelength{mnuPlotOptions, "Inv Wavelength"};
    Menu mnuPhasePlot{mnuPlotOptions, "Phase plot"}, mnuAmplitude{mnuPlotOptions, "Amplitude"};
    Menu mnuNormalised{mnuPlotOptions, "Normalise unpolarised"};
    Menu mnuOverplot{mnuPlotOptions, "Overplot from file"}, mnuS1S2{mnuPlotOptions, "S1 + S2"};
    Menu mnuShowData{mnuPlotOptions, "Show data"}, mnuSize{mnuPlotOptions, "Size"};

    Menu mnuAdvanced{*this, "&Advanced"};
    Menu mnuRI{mnuAdvanced, "Refractive index"};
    Menu mnuSphere{mnuRI, "Sphere"};
    Menu mnuRI_Water1{mnuSphere, "Water"};
    Menu mnuRI_IAPWS{mnuRI_Water1, "IAPWS 5C"}, mnuRI_Cowley{mnuRI_Water1, "Cowley"};
    Menu mnuRI_Segelstein{mnuRI_Water1, "Segelstein"}, mnuRI_Ray{mnuRI_Water1, "Ray"};
    Menu mnuRI_Lynch{mnuRI_Water1, "Lynch + Livingston"}, mnuRI_KayeLaby{mnuRI_Water1, "Kaye + Laby"};
    Menu mnuRI_Gedzelman{mnuRI_Water1, "Gedzelman"};
    Menu mnuRI_Au{mnuSphere, "Gold"}, mnuRI_Ag{mnuSphere, "Silver"}, mnuRI_Cu{mnuSphere, "Copper"};
    Menu mnuRI_Air1{mnuSphere, "Air"}, mnuRI_Vacuum1{mnuSphere, "Vacuum"};
    Menu mnuRI_User1{mnuSphere, "User defined"}, mnuRI_File1{mnuSphere, "Data from file ..."};
    Menu mnuSurround{mnuRI, "Surrounding medium"};
    Menu mnuRI_Vacuum2{mnuSurround, "Vacuum"}, mnuRI_Air2{mnuSurround, "Air"};
    Menu mnuWater2{mnuSurround, "Water"};
    Menu mnuRI_IAPWS2{mnuWater2, "IAPWS"}, mnuRI_Segelstein2{mnuWater2, "Segelstein"};
    Menu mnuRI_User2{mnuSurround, "User defined"}, mnuRI_File2{mnuSurround, "Data from file ..."};
    Menu mnuSpectrum{mnuAdvanced, "Spectrum"};
    Menu mnuSpectrumLee{mnuSpectrum, "Sun (Lee)"}, mnuSpectrumWernand{mnuSpectrum, "Sun (Wernand)"};
    Menu mnuSpectrumFlat{mnuSpectrum, "Flat"}, mnuBlackBody{mnuSpectrum, "Black body 6000 K"};
    Menu mnuSpectrumFile{mnuSpectrum, "Spectrum from file"}, mnuBar3{mnuSpectrum, "-"};
    Menu mnuSpectrumBand{mnuSpectrum, "380 - 700 nm band"};
    Menu mnuSizeDist{mnuAdvanced, "Size distribution from file ... "}, mnuCalcBar{mnuAdvanced, "-"};
    Menu mnuIllumination{mnuAdvanced, "Illumination"};
    Menu mnuPlaneWave{mnuIllumination, "Plane wave"}, mnuGaussian{mnuIllumination, "Gaussian beam"};
    Menu mnuTopHat{mnuIllumination, "Top hat beam"}, mnuMultBeams{mnuIllumination, "Multiple beams"};
    Menu mnuCentralBeam{mnuIllumination, "Central beam"};
    Menu mnuRadiusDiameter{mnuAdvanced, "Radius or diameter"};
    Menu mnuRadius{mnuRadiusDiameter, "Radius"}, mnuDiameter{mnuRadiusDiameter, "Diameter"};
    Menu mnuRadiusX{mnuRadiusDiameter, "Size parameter x"};
    Menu mnuInterpolate{mnuAdvanced, "Cubic interpolation"}, mnuAverage{mnuAdvanced, "Average"};
    Menu mnuXStepLog{mnuAdvanced, "Logarithmic steps"};
    Menu mnuSurfaceWave{mnuAdvanced, "Surface wave"};
    Menu mnuSurfaceShort{mnuSurfaceWave, "Short path only"}, mnuSurfaceLong{mnuSurfaceWave, "Long path only"};
    Menu mnuSurfaceBoth{mnuSurfaceWave, "Short + long paths"}, mnuSWPhase{mnuSurfaceWave, "Phase correction"};
    Menu mnuKhare{mnuSurfaceWave, "Khare"}, mnuLock{mnuSurfaceWave, "Lock"};
    Menu mnuNussenzveig{mnuSurfaceWave, "Nussenzveig"}, mnuBar{mnuAdvanced, "-"};

    Menu mnuColour{*this, "&Colour"};
    Menu mnuSaturation{mnuColour, "Saturation"};
    Menu mnuPhoto{mnuSaturation, "Photo"}, mnuFreeze{mnuSaturation, "Freeze"};
    Menu mnuPeakWhite{mnuSaturation, "Peak White"};
    Menu mnuGamma{mnuColour, "Gamma"};
    Menu mnuGammaNone{mnuGamma, "None"}, mnuGammaA{mnuGamma, "Individual RGB"};
    Menu mnuGammaB{mnuGamma, "Group RGB"};
    Menu mnuSaturated{mnuColour, "Saturated colours"}, mnuSetNormal{mnuColour, "Set normalisation"};

    Menu mnuWindow{*this, "Window"};
    Menu mnuWindowGraph{mnuWindow, "Graph"}, mnuWindowSimulation{mnuWindow, "Simulation"};

    Menu mnuHelp{*this, "&Help"};
    Menu mnuHelp1{mnuHelp, "Introduction"}, mnuHelpContents{mnuHelp, "Contents"}, mnuAbout{mnuHelp, "About"};

    Menu mnuHidden{*this, "Hidden"};
    Menu mnuDebyeRecursion{mnuHidden, "Debye recursion"}, mnuSun{mnuHidden, "Sun Rectangular"};
    Menu mnuSWsub{mnuHidden, "Surface wave subtraction"};

    Menu mnuSpecial{*this, "Special"};

    // =============================================================================================
    // Controls (a frame before its members)

    // Method, graph type and the method's own inputs (top row)
    ComboBox cboGraph{*this, ComboBox::Style::Editable};
    ComboBox cboType{*this, ComboBox::Style::Editable}, cboRays{*this, ComboBox::Style::Editable};
    Label lblQminQmax{*this, "Terms"};
    ComboBox cboQmin{*this, ComboBox::Style::Editable}, cboQmax{*this, ComboBox::Style::Editable};
    Label lblSWFactor{*this, "Factor"};
    TextBox txtSWAmp{*this, "1"};
    CommandButton cmdSimulation{*this, "Simulation"};

    // Light
    Frame Frame4{*this, "Light"};
    Label Label6{Frame4, "Wavelength (  m) in vacuo"}, Label28{Frame4, "m"};
    TextBox txtLambda{Frame4};
    Label Label4{Frame4, "Colour of specified wavelength "}, Label8{Frame4, "Refractive index"};
    Label Label9{Frame4, "Real"}, Label10{Frame4, "Imaginary"};
    TextBox txtRefractReal{Frame4}, txtRefractImag{Frame4};
    Label Label12{Frame4, "Polarisation"};
    ComboBox cboPol{Frame4, ComboBox::Style::Fixed};
    Label Label27{Frame4, "Number of wavelengths"};
    ComboBox cboWave{Frame4, ComboBox::Style::Editable};
    CheckBox chkComponents{Frame4, "Show components"};

    // Drop size
    Frame Frame3{*this, "Drop size"};
    Label Label7{Frame3, "Radius (  m)"}, Label29{Frame3, "m"};
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
    Label Label19{*this, "Scattering angle"}, Label31{*this, "m"};
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
    TextBox txtF9_min{Frame9}, txtF9_max{Frame9}, txtF9_step{Frame9};

    Frame Frame5{*this, "Light source"};
    OptionButton optPoint{Frame5, "Point"};
    OptionButton optSun{Frame5, "Sun"};

    Label Label26{*this, "Lee diagram"};
    ComboBox cboLee{*this, ComboBox::Style::Fixed};

    // Run commands and progress
    CommandButton cmdNewPlot{*this, "New plot"}, cmdOverPlot{*this, "Overplot"}, cmdReplot{*this, "Replot"};
    CommandButton cmdExit{*this, "Exit"}, cmdStop{*this, "Stop calculation"};
    TextBox txtProgress{*this, "0"};
    Label Label16{*this, " % complete"};
    CommandButton cmdDefault{*this, "Restore defaults"}, cmdInfo{*this, "Information ON"};

    // Information (covers the distribution picture's corner while shown)
    Frame Frame6{*this, "Information"};
    Label lblSphere{Frame6}, lblRI_Medium{Frame6}, lblSpectrum{Frame6}, lblSpectrumBand{Frame6};
    Label lblDebyeRays{Frame6}, lblCubic{Frame6}, lblAverage{Frame6}, lblWatts{Frame6}, lblDistance{Frame6};

    // Debye terms (hidden mode)
    Frame Frame7{*this};
    CheckBox chk1256{Frame7, "1256"}, chkRays0{Frame7, "Ray 0"}, chkPhase{Frame7, "Phase"};
    CheckBox chk2theta{Frame7, "-2 (pi-theta)"}, chkT12{Frame7, "- T12"}, chkR11{Frame7, "- R11"};
    CheckBox chkT21{Frame7, "- T21"}, chkR22{Frame7, "- R22"}, chkR22x{Frame7, "-1 - R22"};

    // On the graph: the logo and the titles of the Lee panels
    Label lblLogo{*this, "Tessary"};
    PictureBox Picture1{*this}, Picture2{*this}, Picture3{*this};

    // Never shown: values the runs keep in controls
    TextBox txtX1min{*this}, txtX2Max{*this}, txtY1min{*this}, txtY2max{*this};
    Label Label14{*this}, Label15{*this}, Label17{*this}, Label20{*this};

    // The micro sign over the blanks of "(  m)" in a caption
    void PlaceMicroSign(Label& micro, const Label& caption, const std::string& before);

  private:
    // The window's design: positions, tool tips, design captions and visible/enabled states.
    void designControls();
    // designControls' steps after the top row, in order
    void designInputFrames();
    void designAxisFrames();
    void designLowerControls();
    void designMenus();
    // Form_Load's steps in order; the default graph's frame and first run come between the last two
    void loadDisplayCheck();
    void loadStartValues();
    void loadLists();
    void loadControlStates();
    void loadLayoutAndTables();
    void loadTermLists();
    // The constructor's event wiring, in order (each step's handlers named at its definition)
    void connectWindowHandlers();
    void connectIndexMenus();
    void connectInputHandlers();
    void connectOptionMenus();
    void connectRunHandlers();

    // Lets the program's end actions reach the window only while it exists.
    std::shared_ptr<Form1*> m_alive = std::make_shared<Form1*>(this);
};

}  // namespace tessary
