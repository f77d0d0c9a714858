// A fixed set of runs through the window, recorded as hashes of what each leaves behind: its saved
// data file, its text export, the window's graph picture and, for a batch, its report. The hashes
// were taken from the program as it is; a change of any of them must be intended. The bytes are the
// same under a comma-decimal locale, for any thread count and on either vector build of the angle
// loops (those give the same bits by design).
//
// The pictures hold on any machine where .ci/run installed its packages: the guard runs in a process of
// its own (its main() is below) at 96 dots per inch with no scaling, with a font configuration that lists
// no font folder, and draws with the fonts of fonts-dejavu-core loaded by file. The graphs' font, DejaVu
// Sans Condensed (fonts-dejavu-extra, which .ci/run does not install), is drawn as DejaVu Sans.
//
// To regenerate after an intended change: TESSARY_GUARD_PRINT=1 ./behaviour_guard_tests prints the
// table rows as they are now instead of comparing.
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "file_bytes.h"
#include "platform/ui/fonts.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

std::uint64_t Fnv1a(const unsigned char* bytes, std::size_t n, std::uint64_t h = 14695981039346656037ull) {
    for (std::size_t i = 0; i < n; ++i) h = (h ^ bytes[i]) * 1099511628211ull;
    return h;
}
std::uint64_t Fnv1a(const std::string& s) {
    return Fnv1a(reinterpret_cast<const unsigned char*>(s.data()), s.size());
}

// The pixels of an image as 0xAARRGGBB rows (no padding), after its size.
std::uint64_t Fnv1a(const QImage& shown, std::uint64_t h) {
    const QImage image = shown.convertToFormat(QImage::Format_ARGB32);
    const int size[] = {image.width(), image.height()};
    h = Fnv1a(reinterpret_cast<const unsigned char*>(size), sizeof size, h);
    for (int y = 0; y < image.height(); ++y)
        h = Fnv1a(image.constScanLine(y), static_cast<std::size_t>(image.width()) * 4, h);
    return h;
}

// The window's picture, but for the run's elapsed time under the graph's right end (the one thing
// drawn from the system clock), which is painted over as the run clears it before printing it.
QImage Shot(Form1& f) {
    QImage image = f.image().copy();
    const double R = f.graph.graphRight;
    const double B = f.graph.graphBottom;
    const QRect box(f.toPixel(0.95 * R, B + 400), f.toPixel(0.95 * R + 1000, B + 1000));
    QPainter(&image).fillRect(box, Qt::black);
    return image;
}

// The fonts the guard draws with, as .ci/run installs them (fonts-dejavu-core).
constexpr const char* kGuardFonts[] = {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                                       "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"};

class BehaviourGuardTest : public test::Form1Test {
  protected:
    // The guard's fonts loaded (once for the process), and the resolution and font the pictures are
    // drawn at checked, so that a machine that differs fails here, saying how, and not at each hash.
    void SetUp() override {
        static const bool loaded = [] {
            bool all = true;
            for (const char* file : kGuardFonts) all = QFontDatabase::addApplicationFont(file) >= 0 && all;
            QFont::insertSubstitution("DejaVu Sans Condensed", "DejaVu Sans");
            return all;
        }();
        ASSERT_TRUE(loaded) << "cannot load " << kGuardFonts[0] << " or " << kGuardFonts[1]
                            << ": install fonts-dejavu-core, as .ci/run does";
        const QScreen* screen = QGuiApplication::primaryScreen();
        ASSERT_NE(screen, nullptr);
        ASSERT_EQ(screen->logicalDotsPerInch(), 96.0);
        ASSERT_EQ(screen->devicePixelRatio(), 1.0);
        for (bool bold : {false, true})
            ASSERT_EQ(QFontInfo(toQFont(FontSpec{"Small Fonts", 7, bold}, 15)).family().toStdString(),
                      "DejaVu Sans")
                << "the graphs' font is drawn with another font than the guard loaded";
    }
    std::string at(const std::string& name) const { return folder.at(name); }
    // What a save command leaves: the file's bytes and the prompts of any messages it shows.
    std::string saved(Menu& command, const std::string& name, const char* extension) {
        messages.clear();
        ScriptedFileDialogs dialogs;  // of this save alone: a refused save leaves no answer behind
        dialogs.answer(at(name));
        runtime.setFileDialogs(&dialogs);
        command.trigger();
        runtime.setFileDialogs(&fileDialogs);
        std::string bytes = test::ReadAll(at(name + extension));
        std::filesystem::remove(at(name + extension));
        for (const auto& m : messages.shown()) bytes += "\n" + m.prompt;
        return bytes;
    }
    test::TestFolder folder{"tessary_guard_"};
};

// Chooses a graph type (its preset fills the range and step) and a method, then New plot.
void Preset(Form1& f, const char* graph, const char* method = "Mie") {
    f.cboType.setText(method);
    f.cboGraph.setText(graph);
    f.cmdNewPlot.click();
}
// The angle graph with Mie from 0 to 180 degrees at 0.5.
void HalfDegrees(Form1& f) {
    f.cboGraph.setText("Intensity v. scattering angle");
    f.txtXmin.setText("0");
    f.txtXmax.setText("180");
    f.cboStep.setText("0.5");
    f.cmdNewPlot.click();
}

// A method on the angle graph's preset; p the ray list's text where the method reads it.
void Method(Form1& f, const char* method, const char* p, const char* radius = "10") {
    if (*p != 0) f.cboRays.setText(p);
    f.txtRadius.setText(radius);
    Preset(f, "Intensity v. scattering angle", method);
}
// The angle graph at the given wavelength list entry.
void Waves(Form1& f, const char* entry) {
    f.cboWave.setText(entry);
    HalfDegrees(f);
}

struct GuardRun {
    const char* name;
    std::uint64_t data, text, shot, report;  // report: 0 where the run writes none
    // The run; none: the graph type of this name with its preset and Mie.
    std::function<void(Form1&, ScriptedFileDialogs&, const test::TestFolder&)> run = nullptr;
};

TEST_F(BehaviourGuardTest, FixedRunsLeaveTheRecordedFilesAndPictures) {
    // Each graph type with its preset and Mie, then the methods on the angle graph, several
    // wavelengths, a size distribution, a Gaussian beam, a data file read back, a batch file, an
    // Overplot, a Replot, logarithmic steps, a stopped Lee diagram (saved as the diagram of the steps
    // it finished), the sun's disc, an index model and the simulation window. 14695981039346656037 is
    // the hash of nothing: the command wrote no file (the text export of a Lee diagram or a map).
    // The data files' y-scale lines are the extremes of the results each stores: those recorded before held
    // the scale of the graph drawn before the run where a limit was typed (the sweeps' minimum "0") and on
    // every map (the start-up graph's), a log axis's raised floor the file does not keep (the methods'
    // minima), a Lee diagram's last row, and several wavelengths' largest total summed from other digits than
    // the file's; read back on a fresh window, those files saved other lines.
    const GuardRun runs[] = {
        {"Intensity v. scattering angle", 15419283448556102077ull, 9615672293195866688ull,
         3297036060712909324ull, 0},
        // The phase function and W/m2 are stored as the intensity graph they are drawn from, its y scale too:
        // the same file as the intensity graph's.
        {"Watts/sq. m. v. scattering angle", 15419283448556102077ull, 16063216932706547113ull,
         2430827458210531526ull, 0},
        {"Phase function", 15419283448556102077ull, 13139896736227320971ull, 239173722200209034ull, 0},
        {"Intensity v. wavelength", 6583571870029710576ull, 4745112989134307874ull, 4376770454031421414ull,
         0},
        {"Intensity v. radius", 2622780148733495773ull, 16843573736528393113ull, 7194890736821505911ull, 0},
        {"Intensity v. size parameter x", 10539381768840937451ull, 755318658935613197ull,
         11976992228614713340ull, 0},
        {"Intensity v. refractive index", 7070937403396971824ull, 8000754302969616520ull,
         5304365821334063622ull, 0},
        {"Lee diagram", 14857935575021313241ull, 14695981039346656037ull, 3445249011972706150ull, 0},
        {"Qext/Qsca/Qabs v. radius", 16845298861556101114ull, 931907694319923727ull, 9608675794693397950ull,
         0},
        {"Cext/Csca/Cabs v. radius", 17744427403364739107ull, 17535379631736228560ull, 4164968250403002010ull,
         0},
        {"Qext/Qsca/Qabs v. size x", 17001102563339166298ull, 3424466912287803582ull, 3446312787031081364ull,
         0},
        {"Cext/Csca/Cabs v. size x", 11523594908282823380ull, 14797064367808014283ull,
         12618424886890701168ull, 0},
        {"Qext/Qsca/Qabs v. wavelength", 907183516422643077ull, 15846038386440186998ull,
         5005963234186818472ull, 0},
        {"Cext/Csca/Cabs v. wavelength", 14687146014649715278ull, 2984827362535720970ull,
         7565196356877044392ull, 0},
        {"Asymmetry parameter v. radius", 18391661213957784452ull, 1408884857648646563ull,
         18073908969378207046ull, 0},
        {"Asymmetry parameter v. size x", 10944876919214440708ull, 10668023470163158003ull,
         18257372400896760476ull, 0},
        {"Asymmetry parameter v. wavelength", 757749681750844267ull, 4511879061062082984ull,
         6852379235281774ull, 0},
        {"Map: angle v. refractive index", 17421205098567447402ull, 14695981039346656037ull,
         10077589118435022049ull, 0},
        {"Map: angle v. imaginary RI", 15540802011975022357ull, 14695981039346656037ull,
         4373380309052558992ull, 0},
        {"Map: angle v. radius", 635222298399896395ull, 14695981039346656037ull, 11394806445569413350ull, 0},
        {"Map: angle v. wavelength", 10581254184214231982ull, 14695981039346656037ull,
         13919184115635374834ull, 0},
        {"Debye", 12235342686917709927ull, 4384715343109736523ull, 8553701573999049168ull, 0,
         [](Form1& f, auto&, auto&) { Method(f, "Debye", "2"); }},
        {"Rayleigh", 12512042588020928ull, 8362088255184901313ull, 13700363868069170253ull, 0,
         [](Form1& f, auto&, auto&) { Method(f, "Rayleigh", "", "0.05"); }},
        {"Airy", 10111958603200777506ull, 13829977879454958235ull, 13242806787189588799ull, 0,
         [](Form1& f, auto&, auto&) { Method(f, "Airy", "2"); }},
        {"Diffraction", 2581242715627026167ull, 11144742219660431178ull, 17130132344592794056ull, 0,
         [](Form1& f, auto&, auto&) { Method(f, "Diffraction", ""); }},
        {"Descartes", 17340810328393958994ull, 9675960039683908101ull, 5264008704475613187ull, 0,
         [](Form1& f, auto&, auto&) { Method(f, "Descartes", "2"); }},
        {"Young", 13274150049039497338ull, 4316339171379452853ull, 11414783581385184316ull, 0,
         [](Form1& f, auto&, auto&) { Method(f, "Young", "2"); }},
        {"Young mod", 9431434945128628263ull, 1039740536491213932ull, 11439328420119824344ull, 0,
         [](Form1& f, auto&, auto&) { Method(f, "Young mod", "2"); }},
        {"Surface wave", 4171068223951733085ull, 17006276753297653580ull, 4736915670337239749ull, 0,
         [](Form1& f, auto&, auto&) { Method(f, "Surface wave", "1"); }},
        {"RGB", 7220451022385831523ull, 3284331137913278596ull, 1236362169529952466ull, 0,
         [](Form1& f, auto&, auto&) { Waves(f, "RGB"); }},
        {"10 wavelengths", 8196423011457873393ull, 1790005601619215948ull, 2513948753939873569ull, 0,
         [](Form1& f, auto&, auto&) { Waves(f, "10"); }},
        {"Low", 5915993401947961851ull, 14083553795244707947ull, 16615104222997517234ull, 0,
         [](Form1& f, auto&, auto&) { Waves(f, "Low"); }},
        {"log-normal radii", 14165792873598933613ull, 6777456154839170553ull, 765194462473416859ull, 0,
         [](Form1& f, auto&, auto&) {
             f.optDisp.setValue(true);
             f.cboDistrib.setText("Log-normal");
             f.cboSD.setText("10");
             f.cboN.setText("5");
             HalfDegrees(f);
         }},
        {"Gaussian beam", 17805008971486898097ull, 7285795061509215790ull, 8893143904129366556ull, 0,
         [](Form1& f, auto&, auto&) {
             f.dlogGaussianBeam_->txtBeamZF.setText("2.5");
             f.mnuGaussian_Click();
             HalfDegrees(f);
         }},
        // A "Med." run saved, a sweep computed, then the file read back.
        {"reopened file", 12280368642498738695ull, 5784473174311481483ull, 1743054966589624202ull, 0,
         [](Form1& f, ScriptedFileDialogs& dialogs, const test::TestFolder& runFolder) {
             f.cboWave.setText("Med.");
             f.txtXmin.setText("130");
             f.txtXmax.setText("150");
             f.cboStep.setText("0.1");
             f.cmdNewPlot.click();
             dialogs.answer(runFolder.at("med"));
             f.mnuSave.trigger();
             Preset(f, "Cext/Csca/Cabs v. radius");
             dialogs.answer(runFolder.at("med.tsy"));
             f.mnuRead.trigger();
             std::filesystem::remove(runFolder.at("med.tsy"));
         }},
        {"batch", 6294925090703508689ull, 3832451022013283312ull, 13285322909665066895ull,
         5634994181194662442ull,
         [](Form1& f, ScriptedFileDialogs& dialogs, const test::TestFolder& runFolder) {
             test::WriteAll(runFolder.at("b.min"),
                            "Tessary 3403 batch file\r\nMie\r\nIntensity v. scattering angle\r\n"
                            "wavelength,0.65\r\nradius,10\r\nxmin,0\r\nxmax,180\r\nxstep,1\r\nrun\r\n"
                            "radius,12.5\r\nrun\r\nstop\r\n");
             dialogs.answer(runFolder.at("b.min"));
             dialogs.answer(runFolder.at("out.mut"));
             f.mnuBatchFile.trigger();
         }},
        // An overplot's and a narrower redraw's files hold the y scale of their stored curves over the run's
        // range, which they read back on (the frame's, or the window's, left curves off the axis).
        {"Overplot", 2916446941022333940ull, 9905116505158979528ull, 8573373082709579888ull, 0,
         [](Form1& f, auto&, auto&) {
             HalfDegrees(f);
             test::Type(f.txtRadius, "12.5");
             test::Press(f.cmdOverPlot);
         }},
        {"Replot", 10983083420388657566ull, 7878746216380939651ull, 4754141841661576316ull, 0,
         [](Form1& f, auto&, auto&) {
             HalfDegrees(f);
             test::Type(f.txtXmin, "20"), test::Type(f.txtXmax, "40");
             test::Press(f.cmdReplot);
         }},
        {"log steps", 13691562939952921732ull, 14065291482374577208ull, 4628218542972638551ull, 0,
         [](Form1& f, auto&, auto&) {
             test::Choose(f.cboGraph, "Intensity v. radius");
             test::Choose(f, "Advanced > Logarithmic steps");
             test::Type(f.cboStep, "40");
             test::Press(f.cmdNewPlot);
         }},
        {"Sun", 15990498642716384299ull, 5904014882200184910ull, 17061465350847083488ull, 0,
         [](Form1& f, auto&, auto&) {
             test::Choose(f.cboWave, "Low");
             f.optSun.setValue(true);
             test::Type(f.txtXmin, "130"), test::Type(f.txtXmax, "150"), test::Type(f.cboStep, "0.1");
             test::Press(f.cmdNewPlot);
         }},
        {"index model", 2030226934929844146ull, 4368480799195093989ull, 3815374694752987853ull, 0,
         [](Form1& f, auto&, auto&) {
             test::Choose(f, "Advanced > Refractive index > Sphere > Gold");
             test::Type(f.txtRadius, "0.05");
             HalfDegrees(f);
         }},
        // The simulation window's picture after Show simulation joins the shot. Recorded before, its camera
        // directions near the picture's middle column lay up to 0.01 degrees off.
        {"simulation window", 7892978469277909766ull, 16321856777928667219ull, 1616338032634678654ull, 0,
         [](Form1& f, auto&, auto&) {
             test::Choose(f.cboWave, "RGB");
             test::Type(f.txtRadius, "250");
             test::Type(f.txtXmin, "130"), test::Type(f.txtXmax, "150"), test::Type(f.cboStep, "0.1");
             test::Press(f.cmdNewPlot);
             test::Press(f.cmdSimulation);
             test::Type(f.Form2_->cboScale, "14");
             test::Press(f.Form2_->cmdSimPlot);
         }},
        {"Lee diagram stopped in its third step", 11640348693020146475ull, 14695981039346656037ull,
         4816016894485309531ull, 0,
         [this](Form1& f, auto&, auto&) {
             test::Choose(f.cboGraph, "Lee diagram");
             test::Type(f.cboStep, "0.05"), test::Type(f.txtXmin, "178"), test::Type(f.txtXmax, "180");
             test::Type(f.txtRadius, "1"), test::Type(f.txtRmax, "100"), test::Type(f.txtRstep, "4");
             runtime.setPumpHook([&f] {
                 if (f.sweepState.loopStep == 2 && f.codes.runState != 4 && f.cmdStop.visible())
                     f.cmdStop.click();
             });
             test::Press(f.cmdNewPlot);
             runtime.setPumpHook({});
             messages.clear();  // the Stop question
         }},
    };
    const bool print = std::getenv("TESSARY_GUARD_PRINT") != nullptr;
    for (const GuardRun& r : runs) {
        SCOPED_TRACE(r.name);
        Form1& f = started();
        f.fileState.exportClock = [] { return LocalDateTime{2026, 12, 7, 10, 11, 12, 0}; };
        messages.clear();
        if (r.run) {
            r.run(f, fileDialogs, folder);
        } else {
            Preset(f, r.name);
        }
        EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
        std::uint64_t shot = Fnv1a(Shot(f), 14695981039346656037ull);
        for (PictureBox* p : {&f.Picture1, &f.Picture2, &f.Picture3})
            if (p->visible()) shot = Fnv1a(p->image(), shot);
        if (f.Form2_.loaded() && f.Form2_->visible()) shot = Fnv1a(f.Form2_->Picture1.image(), shot);
        const std::uint64_t report =
            std::filesystem::exists(at("out.mut")) ? Fnv1a(test::ReadAll(at("out.mut"))) : 0;
        std::filesystem::remove(at("out.mut"));
        const std::uint64_t data = Fnv1a(saved(f.mnuSave, "guard", ".tsy"));
        const std::uint64_t text = Fnv1a(saved(f.mnuSaveText, "guard", ".txt"));
        if (print) {
            std::printf("        {\"%s\", ..., %lluull, %lluull, %lluull, %lluull},\n", r.name,
                        static_cast<unsigned long long>(data), static_cast<unsigned long long>(text),
                        static_cast<unsigned long long>(shot), static_cast<unsigned long long>(report));
            continue;
        }
        const struct {
            const char* what;
            std::uint64_t now, recorded;
        } kept[] = {{"data file", data, r.data},
                    {"text export", text, r.text},
                    {"picture", shot, r.shot},
                    {"batch report", report, r.report}};
        for (const auto& k : kept)
            EXPECT_EQ(k.now, k.recorded)
                << "run \"" << r.name << "\": its " << k.what << " differs from the recorded one";
    }
}

}  // namespace
}  // namespace tessary

// The process of the guard: offscreen, at 96 dots per inch with no scaling, and with no font of the
// machine (the guard loads its own), whatever the environment it was started from says.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    for (const char* scaling : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING"})
        qunsetenv(scaling);
    qputenv("FONTCONFIG_FILE", TESSARY_GUARD_FONTCONFIG);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
