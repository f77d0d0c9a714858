// The simulation window's start-up, its picture (the built-in one or a JPEG photograph), the menus
// and the locking of its controls while a simulation is painted.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "mainwindow/form1.h"
#include "platform/ui/window_colours.h"
#include "simulation/form2.h"

namespace tessary {

namespace {

constexpr double kDesignPictureWidth = 8640;  // twips: 576 x 432 pixels
constexpr double kDesignPictureHeight = 6480;
constexpr double kBelowShift = 180;
// The window around its picture: the column of controls to the right and the rows below (twips), and
// what the window system adds around the client area (pixels: borders and title bar).
constexpr double kRightPartTwips = 8880 - kDesignPictureWidth + 2400 + 240;
constexpr double kNoteRowsTwips = 480;  // the note on the painting below the background colour
constexpr double kBelowPartTwips = 900 + kBelowShift + 120 + kNoteRowsTwips;
constexpr int kFrameWidthPx = 16;
constexpr int kFrameHeightPx = 48;

// A channel between a and b at fraction t.
int Mix(int a, int b, double t) { return static_cast<int>(std::lround(a + (b - a) * t)); }

}  // namespace

Picture Form2::BuiltInPicture() {
    constexpr int kWidth = 576, kHeight = 432, kHorizon = 288;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        QColor c;
        if (y < kHorizon) {
            // Deep blue overhead, lightening towards the horizon.
            const double t = std::pow(static_cast<double>(y) / kHorizon, 1.5);
            c = QColor(Mix(38, 196, t), Mix(84, 214, t), Mix(166, 232, t));
        } else {
            const double t = static_cast<double>(y - kHorizon) / (kHeight - kHorizon);
            c = QColor(Mix(74, 34, t), Mix(88, 44, t), Mix(58, 26, t));
        }
        for (int x = 0; x < kWidth; ++x) image.setPixel(x, y, c.rgb());
    }
    // A low line of hills on the horizon.
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 72, 52));
    QPolygonF hills;
    hills << QPointF(0, kHorizon);
    for (int x = 0; x <= kWidth; x += 8)
        hills << QPointF(x, kHorizon - 10 - 8 * std::sin(x / 45.0) - 5 * std::sin(x / 17.0 + 1));
    hills << QPointF(kWidth, kHorizon + 1) << QPointF(0, kHorizon + 1);
    painter.drawPolygon(hills);
    painter.end();
    return Picture(std::move(image));
}

void Form2::Wire() {
    Picture1.setBorderStyle(0);
    Picture1.setAutoSize(true);
    for (Control* c : std::initializer_list<Control*>{
             &cmdCircle,       &cmdSimPlot, &cmdStopSim, &cmdRestorePic, &Label1,
             &cboPolarisation, &Label2,     &cboView,    &cboPoint,      &Label4,
             &Label5,          &txtX1,      &txtY1,      &Label7,        &txtSunElevation,
             &Label8,          &cboRStep,   &Label3,     &cboScale,      &Label9,
             &cmdQuadNW,       &cmdQuadNE,  &cmdQuadSW,  &cmdQuadSE,     &cmdExit2})
        m_rightColumn.emplace_back(c, c->left());
    for (Control* c : std::initializer_list<Control*>{&Label10, &Label11, &txtBackRed, &txtBackGreen,
                                                      &txtBackBlue, &lblPaintedRun})
        m_belowRow.emplace_back(c, c->top());
    // The colour names over the background boxes would overlap the picture's last rows.
    for (auto& entry : m_belowRow) entry.second += kBelowShift;
    m_exitTop = cmdExit2.top() + kBelowShift;
    loadedPicture = BuiltInPicture();
    ShowPicture(loadedPicture);

    onLoad = [this] { Form_Load(); };
    mnuOpenPicture.onClick = [this] { mnuOpenPicture_Click(); };
    mnuRestorePicture.onClick = [this] { mnuRestorePicture_Click(); };
    mnuExit2.onClick = [this] { mnuExit2_Click(); };
    mnuWindowGraph.onClick = [this] { mnuWindowGraph_Click(); };
    mnuWindowSimulation.onClick = [this] { mnuWindowSimulation_Click(); };
    mnuInvert.onClick = [this] { mnuInvert_Click(); };
    mnuHelp1.onClick = [this] { mnuHelp1_Click(); };
    mnuHelpContents.onClick = [this] { mnuHelpContents_Click(); };
    mnuAbout.onClick = [this] { mnuAbout_Click(); };
    cmdCircle.onClick = [this] { cmdCircle_Click(); };
    cmdSimPlot.onClick = [this] { cmdSimPlot_Click(); };
    cmdStopSim.onClick = [this] { cmdStopSim_Click(); };
    cmdRestorePic.onClick = [this] { cmdRestorePic_Click(); };
    cmdExit2.onClick = [this] { cmdExit2_Click(); };
    cmdQuadNE.onClick = [this] { cmdQuadNE_Click(); };
    cmdQuadNW.onClick = [this] { cmdQuadNW_Click(); };
    cmdQuadSE.onClick = [this] { cmdQuadSE_Click(); };
    cmdQuadSW.onClick = [this] { cmdQuadSW_Click(); };
    cboPoint.onClick = [this] { cboPoint_click(); };
    cboRStep.onClick = [this] { cboRStep_Click(); };
    cboView.onChange = [this] { cboView_Change(); };
    cboScale.onChange = [this] { cboScale_Change(); };
    Picture1.onMouseDown = [this](int button, int shift, double x, double y) {
        picture1_mousedown(button, shift, x, y);
    };
    Picture1.onMouseMove = [this](int button, int shift, double x, double y) {
        picture1_mousemove(button, shift, x, y);
    };
}

// Shows a picture whole: one larger than the room the screen leaves beside and below the controls is
// scaled down (aspect kept), and the controls move to the right of and below it. The window, controls
// and frame included, stays on the screen.
void Form2::ShowPicture(const Picture& picture) {
    const ScreenMetrics s = screen();
    const double tpp = fontTwipsPerPixel();
    const int rightPx = static_cast<int>(std::ceil(kRightPartTwips / tpp));
    const int belowPx = static_cast<int>(std::ceil(kBelowPartTwips / tpp));
    const int maxWidth = std::max(s.availableWidth() - rightPx - kFrameWidthPx, 64);
    const int maxHeight = std::max(s.availableHeight() - belowPx - kFrameHeightPx, 48);
    Picture shown = picture;
    if (picture.widthPx() > maxWidth || picture.heightPx() > maxHeight)
        shown = Picture(
            picture.image().scaled(maxWidth, maxHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    loadedPicture = shown;
    Picture1.setPicture(shown);
    const double dx = shown.widthPx() * tpp - kDesignPictureWidth;
    const double dy = std::max(shown.heightPx() * tpp - kDesignPictureHeight, 0.0);
    Picture1.move(0, 0, shown.widthPx() * tpp, shown.heightPx() * tpp);
    // The default position of "Sun" and "Anti-solar point" reads these before any circle is drawn.
    picHalfWidth = static_cast<float>(Picture1.scaleWidth() / 2);
    picHalfHeight = static_cast<float>(Picture1.scaleHeight() / 2);
    for (auto& [control, left] : m_rightColumn) control->setLeft(left + dx);
    for (auto& [control, top] : m_belowRow) control->setTop(top + dy);
    lblPaintedRun.setWidth(std::max(shown.widthPx() * tpp - 240, 0.0));
    cmdExit2.setTop(m_exitTop + dy);
    setWidth(kDesignPictureWidth + dx + kRightPartTwips);
    setHeight(kDesignPictureHeight + dy + kBelowPartTwips);
    // A window placed for a smaller picture moves back so that its right and bottom edges show.
    const double maxLeft =
        (s.availableWidth() - kFrameWidthPx) * static_cast<double>(s.twipsPerPixelX) - width();
    const double maxTop =
        (s.availableHeight() - kFrameHeightPx) * static_cast<double>(s.twipsPerPixelY) - height();
    if (left() > maxLeft) setLeft(std::max(maxLeft, 0.0));
    if (top() > maxTop) setTop(std::max(maxTop, 0.0));
}

void Form2::Form_Load() {
    cmdStopSim.setVisible(false);
    if (txtX1.backColor() != kGreen) return;
    txtX1.setText("340");
    txtY1.setText("192");
    // Cleared first: Window > Simulation asks a hidden window to initialise again.
    cboPolarisation.clear();
    for (const char* item : {"Perpendicular", "Parallel", "Unpolarised"}) cboPolarisation.addItem(item);
    cboView.clear();
    for (const char* item : {"Unpolarised", "Polarised"}) cboView.addItem(item);
    cboRStep.setText("5");
    cboRStep.clear();
    for (const char* item : {"10", "5", "2", "1"}) cboRStep.addItem(item);
    cboScale.setText("54.5");
    cboScale.clear();
    for (const char* item : {"14",   "17",  "20",  "24",  "28",  "29",  "35",   "36",   "38",   "50",
                             "54.5", "70",  "80",  "85",  "100", "108", "114",  "135",  "180",  "200",
                             "250",  "300", "400", "500", "600", "800", "1000", "1200", "1500", "2000"})
        cboScale.addItem(item);
    cboPoint.clear();
    for (const char* item : {"Anti-solar point", "Sun", "Altitude/Azimuth", "Arc"}) cboPoint.addItem(item);
    Label7.setVisible(false);
    txtSunElevation.setVisible(false);  // the starting mode needs no third box
    mnuInvert.setChecked(false);
    quadNW = quadNE = quadSW = quadSE = 1;
    for (CommandButton* b : {&cmdQuadNW, &cmdQuadNE, &cmdQuadSW, &cmdQuadSE}) b->setBackColor(kYellow);
    txtX1.setBackColor(kWhite);
    txtY1.setBackColor(kWhite);
    for (TextBox* t : {&txtBackRed, &txtBackGreen, &txtBackBlue}) t->setText("0");
    if (cmdCircle.caption() == "Circles OFF") cmdCircle_Click();
}

void Form2::mnuOpenPicture_Click() {
    form1().OpenPictureFile();
    if (form1().fileState.fileDialogCancelled == 1) return;
    const PictureLoad load = loadPicture(form1().fileState.chosenFilePath);
    if (!load.ok()) {
        // The current picture stays.
        msgBox(load.error, mb::kExclamation, std::string("Open picture"));
        return;
    }
    ShowPicture(load.picture);
    paintedRun.reset();
    form1().setWindowState(1);
    mnuRestorePicture.setEnabled(true);
    if (cmdCircle.caption() == "Circles OFF") cmdCircle.setCaption("Circles ON");
}

void Form2::mnuRestorePicture_Click() {
    Picture1.setPicture(loadedPicture);
    paintedRun.reset();
    if (cmdCircle.caption() == "Circles OFF") cmdCircle.setCaption("Circles ON");
}

void Form2::mnuExit2_Click() {
    // Should the program go on (a test's end handler), a painting in progress stops at its next point.
    simStop = 1;
    endProgram(0);
}

void Form2::mnuWindowGraph_Click() {
    setWindowState(1);
    form1().setWindowState(2);
}

void Form2::mnuWindowSimulation_Click() {
    form1().setWindowState(1);
    setWindowState(2);
}

void Form2::mnuInvert_Click() { mnuInvert.setChecked(!mnuInvert.checked()); }

void Form2::mnuHelpContents_Click() { showHelp("tessary.hlp", kHelpFinder); }

void Form2::mnuHelp1_Click() { form1().mnuHelp1_Click(); }

void Form2::mnuAbout_Click() { form1().mnuAbout_Click(); }

void Form2::LockON() {
    if (!simulationButtonShown) simulationButtonShown = form1().cmdSimulation.visible();
    form1().LockON();
    setMousePointer(11);
    for (Control* c : std::initializer_list<Control*>{&cmdCircle, &cmdSimPlot, &cboPoint, &cboPolarisation,
                                                      &cboRStep, &cboScale, &cboView, &cmdRestorePic})
        c->setEnabled(false);
    // The painting goes on into the picture box: no other picture may come under it.
    mnuOpenPicture.setEnabled(false);
    mnuRestorePicture.setEnabled(false);
}

void Form2::LockOFF() {
    form1().LockOFF();
    if (simulationButtonShown) form1().cmdSimulation.setVisible(*simulationButtonShown);
    simulationButtonShown.reset();
    setMousePointer(1);
    for (Control* c : std::initializer_list<Control*>{&cmdCircle, &cmdSimPlot, &cboPoint, &cboPolarisation,
                                                      &cboRStep, &cboScale, &cboView, &cmdRestorePic})
        c->setEnabled(true);
    mnuOpenPicture.setEnabled(true);
    mnuRestorePicture.setEnabled(true);
}

}  // namespace tessary
