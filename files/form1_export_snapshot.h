// The window's settings and results as the text export and the batch report read them.
#pragma once

#include "files/text_export.h"
#include "runs/run_record.h"

namespace tessary {

class Form1;

// Everything but the sweep's point range, the relative-index function and the term dump.
TextExportSnapshot ExportSnapshotOf(Form1& f);
// The same with the inputs of the given record.
TextExportSnapshot ExportSnapshotOf(Form1& f, const RunRecord& record);
// Codes 10 and 15: the relative index of each row from the models of the run's record.
void SetExportRelativeIndex(const RunRecord& record, TextExportSnapshot& s);
// Codes 10 to 19: the rows of the run's record (the convergence graph's orders its series summed), only
// those a stopped run finished, whose last x is then the maximum, with the line saying so. False when
// the run's range gives no rows.
bool SweepRowsOfRun(const RunRecord& record, TextExportSnapshot& s);

}  // namespace tessary
