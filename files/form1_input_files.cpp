// The readers of the input files: each asks for its file, decodes and checks all of it, and only then
// takes the table over; a refused file shows its message (title "Tessary") and changes nothing.
#include <string>
#include <utility>

#include "files/index_file.h"
#include "files/size_dist_file.h"
#include "files/spectrum_file.h"
#include "mainwindow/form1.h"
#include "platform/ui/window_colours.h"

namespace tessary {

namespace {

void Refuse(const std::string& message) { msgBox(message, mb::kOkOnly, std::string("Tessary")); }

// The decoded index file of the chosen file, or nothing (cancelled, or refused with its message).
std::optional<IndexFileTable> ChooseIndexFile(Form1& f) {
    f.OpenRefIndexFile();
    if (f.fileState.fileDialogCancelled == 1) return std::nullopt;
    f.fileState.inputFilePath = f.fileState.chosenFile;
    TextFileReader reader = TextFileReader::Open(f.fileState.chosenFilePath);
    IndexFileResult decoded = DecodeIndexFile(reader, f.fileState.inputFilePath);
    if (!decoded.table) Refuse(decoded.message);
    return std::move(decoded.table);
}

}  // namespace

// The input files (spectrum, refractive-index and size-distribution files) are read and checked in full
// before anything changes: a cancelled or refused file leaves the tables, names and flags as they were (the
// index readers, this one and ReadRefIndex2, then return false).
bool Form1::ReadRefIndex1() {
    std::optional<IndexFileTable> t = ChooseIndexFile(*this);
    if (!t) return false;
    indexState.sphereName = t->name;
    indexState.indexModels.fileName1 = t->name;
    indexState.indexModels.fileIndices1 = std::move(t->rows);
    fileState.fileWlMin1 = indexState.indexModels.fileIndices1.front().wavelength;
    fileState.fileWlMax1 = indexState.indexModels.fileIndices1.back().wavelength;
    txtLambda_change();
    txtLambda.setBackColor(kWhite);
    return true;
}

bool Form1::ReadRefIndex2() {
    std::optional<IndexFileTable> t = ChooseIndexFile(*this);
    if (!t) return false;
    indexState.mediumName = t->name;
    indexState.indexModels.fileName2 = t->name;
    indexState.indexModels.fileIndices2 = std::move(t->rows);
    fileState.fileWlMin2 = indexState.indexModels.fileIndices2.front().wavelength;
    fileState.fileWlMax2 = indexState.indexModels.fileIndices2.back().wavelength;
    txtLambda_change();
    txtLambda.setBackColor(kWhite);
    return true;
}

// Asks for a spectrum file and takes its table over when the whole file is sound (the input files are read
// and checked in full before anything changes).
void Form1::ReadSpectrum() {
    OpenSpectrumFile();
    if (fileState.fileDialogCancelled == 1) return;
    fileState.inputFilePath = fileState.chosenFile;
    TextFileReader reader = TextFileReader::Open(fileState.chosenFilePath);
    SpectrumFileResult decoded = DecodeSpectrumFile(reader);
    if (!decoded.table) {
        Refuse(decoded.message);
        return;
    }
    SpectrumTable& t = *decoded.table;
    fileState.spectrumNonUniform = t.nonUniform;
    fileState.spectrumWlMin = t.wlMin;
    fileState.spectrumWlMax = t.wlMax;
    fileState.specFileCount = static_cast<std::int16_t>(t.count());
    fileState.specFileWave = std::move(t.wave);
    fileState.specFileValue = std::move(t.value);
    light.spectrumFileLoaded = 1;
}

// The histogram reader: true when a file was read in full; a cancelled dialog, or a refused file read for a
// list that says "Special" while no histogram is loaded, sets cboDistrib to "Log-normal". A file the menu
// reads leaves the list as it is when refused.
bool Form1::ReadSizeDist() {
    OpenSizeDistFile();
    if (fileState.fileDialogCancelled == 1) {
        cboDistrib.setText("Log-normal");
        return false;
    }
    fileState.inputFilePath = fileState.chosenFile;
    TextFileReader reader = TextFileReader::Open(fileState.chosenFilePath);
    SizeDistResult decoded = DecodeSizeDistFile(reader, fileState.inputFilePath);
    if (decoded.warning) Refuse(*decoded.warning);
    if (!decoded.table) {
        Refuse(decoded.message);
        // No histogram to fall back on: as for a cancelled dialog.
        if (dist.sizeHistogram.histLoaded != 1 && cboDistrib.text() == "Special")
            cboDistrib.setText("Log-normal");
        return false;
    }
    SizeDistTable& t = *decoded.table;
    SizeHistogram& h = dist.sizeHistogram;
    h.sizeFileCount = t.sizeFileCount;
    h.histUniform = t.histUniform;
    h.histRadius = std::move(t.histRadius);
    h.histRadius2 = std::move(t.histRadius2);
    h.histMidRadius = std::move(t.histMidRadius);
    h.histWeight = std::move(t.histWeight);
    h.histRadiusMin = t.histRadiusMin;
    h.histRadiusMax = t.histRadiusMax;
    h.histWeightSum = t.histWeightSum;
    h.histWeightMax = t.histWeightMax;
    h.inputFilePath = fileState.inputFilePath;
    h.histLoaded = 1;
    return true;
}

}  // namespace tessary
