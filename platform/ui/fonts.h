// Fonts of the window runtime on this desktop: the font names the window designs use map to fonts present on
// Debian, sizes are points at 20 twips per point, and text in the font "Symbol" shows its Greek letters.
#pragma once

#include <QFont>
#include <QString>
#include <string>

namespace tessary {

struct FontSpec {
    std::string name = "MS Sans Serif";
    double size = 8.0;  // points
    bool bold = false;

    bool operator==(const FontSpec&) const = default;
};

// The Qt font for wanted at twipsPerPixel twips per pixel (pixel-sized, so it does not depend on the
// device it is drawn on): "MS Sans Serif" and "Small Fonts" become DejaVu Sans Condensed at 0.9 of the
// size (so that the texts of designs laid out for those narrow fonts fit their controls), "Symbol"
// DejaVu Sans with the text mapped by displayText, "Arial" DejaVu
// Sans, "Times New Roman" DejaVu Serif, "Courier New" DejaVu Sans Mono; other names go to the matcher.
QFont toQFont(const FontSpec& wanted, int twipsPerPixel);

// The characters to show for text in the font fontName. In "Symbol" the Latin letters stand for
// Greek ones (m is the micro sign); in every other font the text is shown as it is.
QString displayText(const std::string& text, const std::string& fontName);

// A caption with "&" accelerators as a label shows it: a single "&" disappears, "&&" shows one "&".
QString withoutAccelerators(const QString& caption);

}  // namespace tessary
