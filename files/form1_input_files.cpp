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
    if (f.fileDialogCancelled == 1) return std::nullopt;
    f.inputFilePath = f.chosenFile;
    TextFileReader reader = TextFileReader::Open(f.chosenFilePath);
    IndexFileResult decoded = DecodeIndexFile(reader, f.inputFilePath);
    if (!decoded.table) Refuse(decoded.message);
    return std::move(decoded.table);
}

}  // namespace

bool Form1::ReadRefIndex1() {
    std::optional<IndexFileTable> t = ChooseIndexFile(*this);
    if (!t) return false;
    sphereName = t->name;
    indexModels.fileIndices1 = std::move(t->rows);
    fileWlMin1 = indexModels.fileIndices1.front().wavelength;
    fileWlMax1 = indexModels.fileIndices1.back().wavelength;
    txtLambda_change();
    txtLambda.setBackColor(kWhite);
    return true;
}

bool Form1::ReadRefIndex2() {
    std::optional<IndexFileTable> t = ChooseIndexFile(*this);
    if (!t) return false;
    mediumName = t->name;
    indexModels.fileIndices2 = std::move(t->rows);
    fileWlMin2 = indexModels.fileIndices2.front().wavelength;
    fileWlMax2 = indexModels.fileIndices2.back().wavelength;
    txtLambda_change();
    txtLambda.setBackColor(kWhite);
    return true;
}

void Form1::ReadSpectrum() {
    OpenSpectrumFile();
    if (fileDialogCancelled == 1) return;
    inputFilePath = chosenFile;
    TextFileReader reader = TextFileReader::Open(chosenFilePath);
    SpectrumFileResult decoded = DecodeSpectrumFile(reader);
    if (!decoded.table) {
        Refuse(decoded.message);
        return;
    }
    SpectrumTable& t = *decoded.table;
    spectrumNonUniform = t.nonUniform;
    spectrumWlMin = t.wlMin;
    spectrumWlMax = t.wlMax;
    specFileCount = static_cast<std::int16_t>(t.count());
    specFileWave = std::move(t.wave);
    specFileValue = std::move(t.value);
    spectrumFileLoaded = 1;
}

bool Form1::ReadSizeDist() {
    OpenSizeDistFile();
    if (fileDialogCancelled == 1) {
        cboDistrib.setText("Log-normal");
        return false;
    }
    inputFilePath = chosenFile;
    TextFileReader reader = TextFileReader::Open(chosenFilePath);
    SizeDistResult decoded = DecodeSizeDistFile(reader, inputFilePath);
    if (decoded.warning) Refuse(*decoded.warning);
    if (!decoded.table) {
        Refuse(decoded.message);
        // No histogram to fall back on: as for a cancelled dialog.
        if (sizeHistogram.histLoaded != 1) cboDistrib.setText("Log-normal");
        return false;
    }
    SizeDistTable& t = *decoded.table;
    SizeHistogram& h = sizeHistogram;
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
    h.inputFilePath = inputFilePath;
    h.histLoaded = 1;
    return true;
}

}  // namespace tessary
