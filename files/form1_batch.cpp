// Batch runs: the batch file is read and turned into commands in full, then each "run" is a New plot
// followed by one block appended to the batch report, which keeps every finished block whatever ends
// the batch. A run that is refused, declined or stopped gets a block with what it computed and why
// it did not finish; the message boxes of the batch's commands and runs go to those blocks.
#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "files/batch_file.h"
#include "files/batch_report.h"
#include "files/form1_export_snapshot.h"
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "platform/text/conversions.h"
#include "runs/run_record.h"

namespace tessary {

namespace {

// Stop answered Yes during a batch also ends the batch after the run it stopped; the button's own
// handler is put back when the batch ends.
class StopWatch {
  public:
    explicit StopWatch(Form1& f) : f_(f), previous_(f.cmdStop.onClick) {
        f.fileState.batchStopAsked = false;
        f.cmdStop.onClick = [&f, previous = previous_] {
            if (previous) previous();
            if (f.codes.runState == Form1::kRunStopped) f.fileState.batchStopAsked = true;
        };
    }
    ~StopWatch() { f_.cmdStop.onClick = previous_; }
    StopWatch(const StopWatch&) = delete;
    StopWatch& operator=(const StopWatch&) = delete;

  private:
    Form1& f_;
    std::function<void()> previous_;
};

// While the batch sets boxes and runs, a message box with an OK button only is kept for the report
// and not shown, so an unattended batch never waits at one; a question (a long run, Stop) is still
// asked, and kept with its answer.
class RouteMessagesToReport {
  public:
    RouteMessagesToReport(decltype(Form1::batchMessages)& messages, const WindowState& window)
        : runtime_(Runtime::current()), previous_(runtime_.messageBoxFilter()) {
        runtime_.setMessageBoxFilter(
            [&messages, &window](const MessageBoxRequest& box, const std::function<int()>& show) {
                const bool question = (box.style & 7) != mb::kOkOnly;
                const int answer = question ? show() : mb::kOk;
                std::string text = BatchReasonText(box.prompt);
                if (question) text += " " + AnswerWord(answer);
                messages.push_back({std::move(text), window.inputsLocked, question});
                return answer;
            });
    }
    ~RouteMessagesToReport() { runtime_.setMessageBoxFilter(previous_); }
    RouteMessagesToReport(const RouteMessagesToReport&) = delete;
    RouteMessagesToReport& operator=(const RouteMessagesToReport&) = delete;

  private:
    static std::string AnswerWord(int answer) {
        static const char* const kWords[] = {"", "OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
        return answer >= 1 && answer <= 7 ? kWords[answer] : CStr(answer);
    }

    Runtime& runtime_;
    MessageBoxFilter previous_;
};

// The last kept message, of the run only (the inputs locked) or of the commands and run since the
// block before; `otherwise` when there is none.
std::string LastMessage(const decltype(Form1::batchMessages)& messages, bool ofTheRun,
                        const char* otherwise) {
    for (auto it = messages.rbegin(); it != messages.rend(); ++it)
        if (it->duringRun || !ofTheRun) return it->text;
    return otherwise;
}

void Apply(Form1& f, const BatchCommand& c) {
    switch (c.action) {
        case BatchAction::Method:
            f.cboType.setText(c.text);
            break;
        case BatchAction::Graph:
            f.cboGraph.setText(c.text);
            break;
        case BatchAction::Radius:
            // The value is a radius whichever size menu was checked.
            f.mnuRadius_Click();
            f.txtRadius.setText(c.text);
            break;
        case BatchAction::Wavelength:
            f.txtLambda.setText(c.text);
            break;
        case BatchAction::XMin:
            f.txtXmin.setText(c.text);
            break;
        case BatchAction::XMax:
            f.txtXmax.setText(c.text);
            break;
        case BatchAction::XStep:
            f.cboStep.setText(c.text);
            break;
        case BatchAction::RIReal:
            f.txtRefractReal.setText(c.text);
            break;
        case BatchAction::RIImag:
            f.txtRefractImag.setText(c.text);
            break;
        default:
            break;
    }
}

void SetStepped(Form1& f, const std::string& name, float value) {
    const std::string text = Str(value);
    if (name == "RIreal") f.txtRefractReal.setText(text);
    if (name == "RIimag") f.txtRefractImag.setText(text);
    if (name == "wavelength") f.txtLambda.setText(text);
    if (name == "radius") {  // a radius whichever size menu was checked, as the "radius" keyword's value
        if (!f.mnuRadius.checked()) f.mnuRadius_Click();
        f.txtRadius.setText(text);
    }
}

}  // namespace

bool Form1::Save_Batch(TextFileWriter& report) {
    setMousePointer(11);
    TextExportSnapshot s = ExportSnapshotOf(*this);
    if (s.graphCode >= kFirstSweepGraph && s.graphCode <= kLastSweepGraph) {
        if (!SweepRowsOfRun(runRecord, s)) {
            s.firstPoint = 1;
            s.lastPoint = 0;
        }
        angleGrid.firstPoint = s.firstPoint;
        angleGrid.lastPoint = s.lastPoint;
    }
    if (s.graphCode == kGraphWavelength || s.graphCode == kGraphEfficiencyWavelength)
        SetExportRelativeIndex(runRecord, s);
    const BatchWindow window{runRecord.windowFirst, runRecord.windowLast};
    // A run that did not finish writes no numbers of an earlier run: the rows a stopped sweep
    // finished (as the run's record gives them), or none, and why.
    std::optional<std::string> notComputed, stopped;
    const ResultsInUse use = ResultsInUseOf(runRecord);
    if (newPlotEnd == NewPlotEnd::Refused) {
        notComputed = LastMessage(batchMessages, false, "the inputs were refused");
        // The header says what the batch asked for; the record of the stored results stays.
        RunRecord asked = RecordOfInputs();
        asked.radius = Val(asked.radiusText);
        const double lambda = Val(asked.lambdaText);
        asked.sizeParam = lambda > 0 ? asked.radius * kTwoPi / lambda * indexState.mediumRe : 0.0;
        s = ExportSnapshotOf(*this, asked);
    } else if (!use.any || use.stopped) {
        const std::string why = runRecord.endMessage.empty() ? std::string("the calculation was stopped")
                                                             : BatchReasonText(runRecord.endMessage);
        if (use.stopped && s.graphCode >= kFirstSweepGraph && s.graphCode <= kLastSweepGraph)
            stopped = why;
        else
            notComputed = why;  // an angle graph's sums are partial at every angle
    }
    // A message with an OK button only that did not end the run warned about it, as the window run shows
    // it: a run that finished says every such message, a stopped sweep those from before it started.
    std::vector<std::string> warnings;
    for (const BatchMessage& m : batchMessages)
        if (!m.question && (newPlotEnd == NewPlotEnd::Computed || (stopped && !m.duringRun)))
            warnings.push_back(m.text);
    batchMessages.clear();
    if (notComputed) {
        WriteBatchNotComputedBlock(s, *notComputed, report);
    } else {
        // Rows the results do not hold are left out; the block keeps its header lines.
        const bool rowsHeld = !CheckBatchReportResults(s, window);
        if (!rowsHeld) {
            s.firstPoint = 1;
            s.lastPoint = 0;
        }
        WriteBatchReportBlock(s, rowsHeld ? window : BatchWindow{}, report, warnings);
        if (stopped) report.PrintLine(kBatchStopped, *stopped);
    }
    const FileResult result = report.EndBlock();
    setMousePointer(1);
    if (!result.ok()) {
        msgBox(result.message, mb::kOkOnly | mb::kExclamation,
               "Error in batch file: " + fileState.inputFilePath);
        return false;
    }
    return true;
}

// Asks for a batch file and checks its header, then for the report's name, and runs the file's commands: New
// plot and one report block (Save_Batch) per run. A refused, declined or stopped run's block holds only the
// rows it computed and a line saying why it did not finish; the batch's message boxes with an OK button only
// go to that line and are not shown. Stop answered Yes ends the batch after that run; a block that cannot be
// written is removed and ends it with a message. The finished blocks stay in the report in every case. While
// a batch runs, the file commands and a second batch are refused.
void Form1::Read_Batch() {
    OpenBatchFile();
    if (fileState.fileDialogCancelled == 1) return;
    fileState.inputFilePath = fileState.chosenFile;
    TextFileReader reader = TextFileReader::Open(fileState.chosenFilePath);
    const std::string caption = "Error in batch file: " + fileState.inputFilePath;
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

    codes.saveFileType = 3;
    select_save_filename();
    if (fileState.fileDialogCancelled == 1) {
        mnuBatchFile.setChecked(false);
        return;
    }
    fileState.batchOutFile = fileState.chosenFile;
    TextFileWriter report = TextFileWriter::CreateReport(fileState.chosenFilePath, &openWriters);
    if (!report.Status().ok()) {
        msgBox(report.Status().message, mb::kOkOnly | mb::kExclamation, caption);
        mnuBatchFile.setChecked(false);
        return;
    }

    fileState.batchStepMode = 0;
    fileState.batchRunning = true;
    const StopWatch stopWatch(*this);
    batchMessages.clear();
    const auto runOnce = [this, &report] {
        {
            const RouteMessagesToReport route(batchMessages, windowState);
            cmdNewPlot_Click();
        }
        return Save_Batch(report) && !fileState.batchStopAsked;
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
            fileState.batchStepMode = 1;
            fileState.batchStepFrom = c.stepFrom;
            fileState.batchStepTo = c.stepTo;
            fileState.batchStepBy = c.stepBy;
            fileState.batchStepValue = fileState.batchStepFrom;
            for (std::int32_t i = 0; i < c.runs; ++i) {
                {
                    const RouteMessagesToReport route(batchMessages, windowState);
                    SetStepped(*this, c.stepName, fileState.batchStepValue);
                }
                if (!runOnce()) break;
                fileState.batchStepValue += fileState.batchStepBy;
            }
            break;
        }
        const RouteMessagesToReport route(batchMessages, windowState);
        Apply(*this, c);
    }
    report.Close();
    fileState.batchRunning = false;
    mnuBatchFile.setChecked(false);
}

}  // namespace tessary
