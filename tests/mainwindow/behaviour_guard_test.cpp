// A fixed set of runs through the window, recorded as hashes of what each leaves behind: its saved
// data file, its text export, the window's graph picture and, for a batch, its report. The hashes
// were taken from the program as it is; a change of any of them must be intended. The bytes are the
// same under a comma-decimal locale, for any thread count and on either vector build of the angle
// loops (those give the same bits by design).
//
// To regenerate after an intended change: TESSARY_GUARD_PRINT=1 ./mainwindow_tests
// --gtest_filter='*Guard*' prints the table rows as they are now instead of comparing.
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "file_bytes.h"
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

class BehaviourGuardTest : public test::Form1Test {
  protected:
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
    // wavelengths, a size distribution and a batch file. 14695981039346656037 is the hash of nothing:
    // the command wrote no file (the text export of a Lee diagram or a map).
    const GuardRun runs[] = {
        {"Intensity v. scattering angle", 15419283448556102077ull, 9615672293195866688ull,
         571434708558979021ull, 0},
        {"Watts/sq. m. v. scattering angle", 6969139364187672555ull, 16063216932706547113ull,
         10970503925904124384ull, 0},
        {"Phase function", 7000417296938062594ull, 13139896736227320971ull, 5735998900291369358ull, 0},
        {"Intensity v. wavelength", 12571028594507646004ull, 4745112989134307874ull, 1531513834550405535ull,
         0},
        {"Intensity v. radius", 3676733290562341045ull, 16843573736528393113ull, 17089507643449645484ull, 0},
        {"Intensity v. size parameter x", 14872905987231491399ull, 755318658935613197ull,
         424138352359684762ull, 0},
        {"Intensity v. refractive index", 4966206377937935330ull, 8000754302969616520ull,
         14754657512884172716ull, 0},
        {"Lee diagram", 5138200345195131548ull, 14695981039346656037ull, 13940072067775255732ull, 0},
        {"Qext/Qsca/Qabs v. radius", 15361399269110014041ull, 931907694319923727ull, 13454244409108341515ull,
         0},
        {"Cext/Csca/Cabs v. radius", 8951876321368966565ull, 17535379631736228560ull, 793396241732035398ull,
         0},
        {"Qext/Qsca/Qabs v. size x", 15623797287732983652ull, 3424466912287803582ull, 10152059669069822436ull,
         0},
        {"Cext/Csca/Cabs v. size x", 7090852326454273720ull, 14797064367808014283ull, 16925561601122510685ull,
         0},
        {"Qext/Qsca/Qabs v. wavelength", 9074805237689655563ull, 15846038386440186998ull,
         11143825876053357679ull, 0},
        {"Cext/Csca/Cabs v. wavelength", 11911493030471683938ull, 2984827362535720970ull,
         7021893897426618519ull, 0},
        {"Asymmetry parameter v. radius", 1659556972475142735ull, 12642424205800313578ull,
         14346671053088466791ull, 0},
        {"Asymmetry parameter v. size x", 13541364723572072349ull, 13127221938286652320ull,
         17524017664225277711ull, 0},
        {"Asymmetry parameter v. wavelength", 9865518171312764346ull, 4552562896527291403ull,
         15669511236166975372ull, 0},
        {"Map: angle v. refractive index", 15587272654740019638ull, 14695981039346656037ull,
         17127967281055017074ull, 0},
        {"Map: angle v. imaginary RI", 10962396701647151143ull, 14695981039346656037ull,
         17415486741268384118ull, 0},
        {"Map: angle v. radius", 4307649859961090185ull, 14695981039346656037ull, 12766696816680477255ull, 0},
        {"Map: angle v. wavelength", 12135356231131043747ull, 14695981039346656037ull, 9824523531167197815ull,
         0},
        {"Debye", 12235342686917709927ull, 4384715343109736523ull, 6316126541612827142ull, 0,
         [](Form1& f, auto&, auto&) { Method(f, "Debye", "2"); }},
        {"Rayleigh", 10679296899299063900ull, 8362088255184901313ull, 16719912691219741202ull, 0,
         [](Form1& f, auto&, auto&) { Method(f, "Rayleigh", "", "0.05"); }},
        {"Airy", 3030429035239178387ull, 13829977879454958235ull, 5920242746273458500ull, 0,
         [](Form1& f, auto&, auto&) { Method(f, "Airy", "2"); }},
        {"Diffraction", 4343861269802271806ull, 11144742219660431178ull, 17302901379260962163ull, 0,
         [](Form1& f, auto&, auto&) { Method(f, "Diffraction", ""); }},
        {"Descartes", 7551159249984092416ull, 9675960039683908101ull, 7103345130082553277ull, 0,
         [](Form1& f, auto&, auto&) { Method(f, "Descartes", "2"); }},
        {"Young", 12596377763304181560ull, 4316339171379452853ull, 13562865206854972410ull, 0,
         [](Form1& f, auto&, auto&) { Method(f, "Young", "2"); }},
        {"Young mod", 10464173347766906669ull, 1039740536491213932ull, 18201659255924026770ull, 0,
         [](Form1& f, auto&, auto&) { Method(f, "Young mod", "2"); }},
        {"Surface wave", 15789067507196489662ull, 17006276753297653580ull, 3903761742278796875ull, 0,
         [](Form1& f, auto&, auto&) { Method(f, "Surface wave", "1"); }},
        {"RGB", 7220451022385831523ull, 3284331137913278596ull, 13552848212555329491ull, 0,
         [](Form1& f, auto&, auto&) { Waves(f, "RGB"); }},
        {"10 wavelengths", 3778623482995452930ull, 1790005601619215948ull, 2006046432412747914ull, 0,
         [](Form1& f, auto&, auto&) { Waves(f, "10"); }},
        {"Low", 17981208573271713997ull, 14083553795244707947ull, 11639058575087866532ull, 0,
         [](Form1& f, auto&, auto&) { Waves(f, "Low"); }},
        {"log-normal radii", 14165792873598933613ull, 9911952874568698981ull, 14748112702480705378ull, 0,
         [](Form1& f, auto&, auto&) {
             f.optDisp.setValue(true);
             f.cboDistrib.setText("Log-normal");
             f.cboSD.setText("10");
             f.cboN.setText("5");
             HalfDegrees(f);
         }},
        {"batch", 6294925090703508689ull, 3832451022013283312ull, 18393156684653023894ull,
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
        EXPECT_EQ(data, r.data);
        EXPECT_EQ(text, r.text);
        EXPECT_EQ(shot, r.shot);
        EXPECT_EQ(report, r.report);
    }
}

}  // namespace
}  // namespace tessary
