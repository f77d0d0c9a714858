// Batch runs: the batch file is read and turned into commands in full, then each "run" is a New plot
// followed by one block appended to the batch report, which keeps every finished block whatever ends
// the batch.
#include <functional>
#include <string>
#include <utility>

#include "files/batch_file.h"
#include "files/batch_report.h"
#include "files/form1_export_snapshot.h"
#include "mainwindow/form1.h"
#include "platform/text/conversions.h"

namespace tessary {

namespace {

// Stop answered Yes during a batch also ends the batch after the run it stopped; the button's own
// handler is put back when the batch ends.
class StopWatch {
  public:
    explicit StopWatch(Form1& f) : f_(f), previous_(f.cmdStop.onClick) {
        f.batchStopAsked = false;
        f.cmdStop.onClick = [&f, previous = previous_] {
            if (previous) previous();
            if (f.runState == 4) f.batchStopAsked = true;
        };
    }
    ~StopWatch() { f_.cmdStop.onClick = previous_; }
    StopWatch(const StopWatch&) = delete;
    StopWatch& operator=(const StopWatch&) = delete;

  private:
    Form1& f_;
    std::function<void()> previous_;
};

void Apply(Form1& f, const BatchCommand& c) {
    switch (c.action) {
        case BatchAction::Method: f.cboType.setText(c.text); break;
        case BatchAction::Graph: f.cboGraph.setText(c.text); break;
        case BatchAction::Radius:
            // The value is a radius whichever size menu was checked.
            f.mnuRadius_Click();
            f.txtRadius.setText(c.text);
            break;
        case BatchAction::Wavelength: f.txtLambda.setText(c.text); break;
        case BatchAction::XMin: f.txtXmin.setText(c.text); break;
        case BatchAction::XMax: f.txtXmax.setText(c.text); break;
        case BatchAction::XStep: f.cboStep.setText(c.text); break;
        case BatchAction::RIReal: f.txtRefractReal.setText(c.text); break;
        case BatchAction::RIImag: f.txtRefractImag.setText(c.text); break;
        default: break;
    }
}

void SetStepped(Form1& f, const std::string& name, float value) {
    const std::string text = Str(value);
    if (name == "RIreal") f.txtRefractReal.setText(text);
    if (name == "RIimag") f.txtRefractImag.setText(text);
    if (name == "wavelength") f.txtLambda.setText(text);
    if (name == "radius") f.txtRadius.setText(text);
}

}  // namespace

bool Form1::Save_Batch(TextFileWriter& report) {
    setMousePointer(11);
    TextExportSnapshot s = ExportSnapshotOf(*this);
    if (s.graphCode >= 10 && s.graphCode <= 19) {
        const auto range = ExportPointRange(s.xMinText, s.xMaxText, s.stepText, s.xStepLog);
        s.firstPoint = range ? range->first : 1;
        s.lastPoint = range ? range->second : 0;
        firstPoint = s.firstPoint;
        lastPoint = s.lastPoint;
    }
    if (s.graphCode == 10 || s.graphCode == 15) SetExportRelativeIndex(*this, s);
    const BatchWindow window{runRecord.windowFirst, runRecord.windowLast};
    // Rows the results do not hold (a refused run) are left out; the block keeps its header lines.
    const bool rowsHeld = !CheckBatchReportResults(s, window);
    if (!rowsHeld) {
        s.firstPoint = 1;
        s.lastPoint = 0;
    }
    WriteBatchReportBlock(s, rowsHeld ? window : BatchWindow{}, report);
    const FileResult result = report.EndBlock();
    setMousePointer(1);
    if (!result.ok()) {
        msgBox(result.message, mb::kOkOnly | mb::kExclamation, "Error in batch file: " + inputFilePath);
        return false;
    }
    return true;
}

void Form1::Read_Batch() {
    OpenBatchFile();
    if (fileDialogCancelled == 1) return;
    inputFilePath = chosenFile;
    TextFileReader reader = TextFileReader::Open(chosenFilePath);
    const std::string caption = "Error in batch file: " + inputFilePath;
    if (!reader.Status().ok()) {
        msgBox(reader.Status().message, mb::kOkOnly, caption);
        mnuBatchFile.setChecked(false);
        return;
    }
    const BatchProgram program = ParseBatch(reader);
    if (!program.headerOk) {
        msgBox("The selected file is not a valid Tessary batch file", mb::kOkOnly, caption);
        mnuBatchFile.setChecked(false);
        return;
    }

    saveFileType = 3;
    select_save_filename();
    if (fileDialogCancelled == 1) {
        mnuBatchFile.setChecked(false);
        return;
    }
    batchOutFile = chosenFile;
    TextFileWriter report = TextFileWriter::CreateReport(chosenFilePath, &openWriters);
    if (!report.Status().ok()) {
        msgBox(report.Status().message, mb::kOkOnly | mb::kExclamation, caption);
        mnuBatchFile.setChecked(false);
        return;
    }

    batchStepMode = 0;
    batchRunning = true;
    const StopWatch stopWatch(*this);
    const auto runOnce = [this, &report] {
        cmdNewPlot_Click();
        return Save_Batch(report) && !batchStopAsked;
    };
    for (const BatchCommand& c : program.commands) {
        if (c.action == BatchAction::Invalid) {
            msgBox(c.text, mb::kOkOnly, caption);
            break;
        }
        if (c.action == BatchAction::Run) {
            if (!runOnce()) break;
            continue;
        }
        if (c.action == BatchAction::SteppedRun) {
            batchStepMode = 1;
            batchStepFrom = c.stepFrom;
            batchStepTo = c.stepTo;
            batchStepBy = c.stepBy;
            batchStepValue = batchStepFrom;
            for (std::int32_t i = 0; i < c.runs; ++i) {
                SetStepped(*this, c.stepName, batchStepValue);
                if (!runOnce()) break;
                batchStepValue += batchStepBy;
            }
            break;
        }
        Apply(*this, c);
    }
    report.Close();
    batchRunning = false;
    mnuBatchFile.setChecked(false);
}

}  // namespace tessary
