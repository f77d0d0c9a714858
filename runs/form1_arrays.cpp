// Sizing of the result arrays before a run: every array a call touches is re-created, so it holds
// zeros afterwards; the colour sums only ever grow, so the sums of the last run survive.
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "runs/run_rules.h"

namespace tessary {

namespace {

void Recreate(std::vector<double>& v, int bound) { v.assign(static_cast<std::size_t>(bound) + 1, 0.0); }

void Recreate(std::vector<std::vector<float>>& table, int rows, int columns) {
    table.assign(static_cast<std::size_t>(rows), std::vector<float>(static_cast<std::size_t>(columns), 0.0f));
}

}  // namespace

// Re-creates (all zero) the result arrays with the sizes the next run needs.
void Form1::Array_Size() {
    ArraySizeInput in;
    in.graphCode = codes.graphCode;
    in.xMin = Val(txtXmin.text());
    in.xMax = Val(txtXmax.text());
    in.step = Val(cboStep.text());
    in.leeStepBox = Val(txtRstep.text());
    in.mapStepBox = Val(txtF9_step.text());
    in.logSteps = mnuXStepLog.checked();
    in.currentSweepSteps = sweepState.sweepSteps;
    const ResultArrayBounds b = ArrayBoundsFor(in);

    if (b.sweepSteps) sweepState.sweepSteps = *b.sweepSteps;
    for (auto* store : {&leeStores.leeRed1, &leeStores.leeRed2, &leeStores.leeGreen1, &leeStores.leeGreen2,
                        &leeStores.leeBlue1, &leeStores.leeBlue2, &leeStores.leeRed3, &leeStores.leeRed4,
                        &leeStores.leeGreen3, &leeStores.leeGreen4, &leeStores.leeBlue3, &leeStores.leeBlue4})
        Recreate(*store, b.leeSteps + 1, b.leePoints + 1);
    Recreate(leeStores.leeRowPeaks, codes.graphCode < kGraphLee ? 2 : 4, b.leeSteps + 1);

    if (b.curves >= 0)
        for (auto* curve : {&results.spareCurve, &results.intensityPerp, &results.intensityPara,
                            &results.intensityUnpol, &results.avgPerp, &results.avgPara, &results.avgUnpol})
            Recreate(*curve, b.curves);
    if (b.sunDisc >= 0) Recreate(light.sunDiscWeights, b.sunDisc);
    if (b.angleTables >= 0)
        for (auto* table :
             {&results.muTable, &results.piTable, &results.pi0Table, &results.piPrev, &results.tauTable})
            Recreate(*table, b.angleTables);
    if (b.amplitudes >= 0)
        for (auto* amplitude : {&results.s1Amp, &results.s2Amp})
            for (std::vector<double>& part : *amplitude) Recreate(part, b.amplitudes);
    const auto sums = static_cast<std::size_t>(b.colourSums) + 1;
    for (auto* table : {&colourSums.colourSumPerp, &colourSums.colourSumPara})
        for (std::vector<double>& column : *table)
            if (column.size() < sums) column.resize(sums, 0.0);
}

// Every Lee store row holds the angle window windowFirst..windowLast of the run.
void Form1::LeeStoresHoldWindow() {
    const std::int64_t cells = std::int64_t{angleGrid.windowLast} - angleGrid.windowFirst + 1;
    if (cells <= 0) return;
    for (auto* store : {&leeStores.leeRed1, &leeStores.leeRed2, &leeStores.leeGreen1, &leeStores.leeGreen2,
                        &leeStores.leeBlue1, &leeStores.leeBlue2, &leeStores.leeRed3, &leeStores.leeRed4,
                        &leeStores.leeGreen3, &leeStores.leeGreen4, &leeStores.leeBlue3, &leeStores.leeBlue4})
        for (std::vector<float>& row : *store)
            if (row.size() < static_cast<std::size_t>(cells))
                row.resize(static_cast<std::size_t>(cells), 0.0f);
}

}  // namespace tessary
