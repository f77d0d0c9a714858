// Font names, sizes and the Symbol font's Greek letters.
#include "platform/ui/fonts.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace tessary {

namespace {

struct FontMapping {
    const char* name;
    const char* family;
    QFont::StyleHint hint;
    double scale;  // DejaVu runs wider than those bitmap fonts
};

constexpr FontMapping kFonts[] = {
    {"MS Sans Serif", "DejaVu Sans Condensed", QFont::SansSerif, 0.9},
    {"Small Fonts", "DejaVu Sans Condensed", QFont::SansSerif, 0.9},
    {"Symbol", "DejaVu Sans", QFont::SansSerif, 1.0},
    {"Arial", "DejaVu Sans", QFont::SansSerif, 0.95},
    {"Tahoma", "DejaVu Sans", QFont::SansSerif, 0.95},
    {"Times New Roman", "DejaVu Serif", QFont::Serif, 1.0},
    {"Courier New", "DejaVu Sans Mono", QFont::Monospace, 1.0},
};

bool sameName(const std::string& a, const char* b) {
    const std::string other(b);
    return a.size() == other.size() && std::equal(a.begin(), a.end(), other.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Greek letters at the places of a..z and A..Z in the Symbol font's layout.
constexpr char16_t kGreekLower[26] = {u'α', u'β', u'χ', u'δ', u'ε', u'φ', u'γ', u'η', u'ι',
                                      u'ϕ', u'κ', u'λ', u'µ', u'ν', u'ο', u'π', u'θ', u'ρ',
                                      u'σ', u'τ', u'υ', u'ϖ', u'ω', u'ξ', u'ψ', u'ζ'};
constexpr char16_t kGreekUpper[26] = {u'Α', u'Β', u'Χ', u'Δ', u'Ε', u'Φ', u'Γ', u'Η', u'Ι',
                                      u'ϑ', u'Κ', u'Λ', u'Μ', u'Ν', u'Ο', u'Π', u'Θ', u'Ρ',
                                      u'Σ', u'Τ', u'Υ', u'ς', u'Ω', u'Ξ', u'Ψ', u'Ζ'};

}  // namespace

QFont toQFont(const FontSpec& wanted, int twipsPerPixel) {
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setFamily(QString::fromStdString(wanted.name));
    double scale = 1.0;
    for (const FontMapping& m : kFonts) {
        if (sameName(wanted.name, m.name)) {
            font.setFamily(QString::fromLatin1(m.family));
            font.setStyleHint(m.hint);
            scale = m.scale;
            break;
        }
    }
    const int tpp = twipsPerPixel > 0 ? twipsPerPixel : 15;
    const double size = std::isfinite(wanted.size) ? std::clamp(wanted.size, 1.0, 2048.0) : 8.0;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(size * scale * 20.0 / tpp))));
    font.setBold(wanted.bold);
    return font;
}

QString displayText(const std::string& text, const std::string& fontName) {
    QString shown = QString::fromStdString(text);
    if (!sameName(fontName, "Symbol")) return shown;
    for (QChar& c : shown) {
        const char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            c = QChar(kGreekLower[u - u'a']);
        else if (u >= u'A' && u <= u'Z')
            c = QChar(kGreekUpper[u - u'A']);
    }
    return shown;
}

QString withoutAccelerators(const QString& caption) {
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&') {
                shown += u'&';
                ++i;
            }
            continue;
        }
        shown += caption[i];
    }
    return shown;
}

}  // namespace tessary
