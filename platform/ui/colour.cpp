// System colours resolved through the application palette.
#include "platform/ui/colour.h"

#include <QGuiApplication>
#include <QPalette>

namespace tessary {

namespace {

QPalette::ColorRole roleOf(unsigned index) {
    switch (index) {
        case 5:
            return QPalette::Base;  // window background
        case 6:
            return QPalette::Dark;  // window frame
        case 8:
            return QPalette::Text;  // window text
        case 13:
            return QPalette::Highlight;  // highlight
        case 14:
            return QPalette::HighlightedText;  // highlighted text
        case 16:
            return QPalette::Dark;  // button shadow
        case 17:
            return QPalette::PlaceholderText;  // grey text
        case 18:
            return QPalette::ButtonText;  // button text
        case 20:
            return QPalette::Light;  // button highlight
        case 23:
            return QPalette::ToolTipText;  // tool-tip text
        case 24:
            return QPalette::ToolTipBase;  // tool-tip background
        default:
            return QPalette::Button;  // 15 button face and anything unknown
    }
}

}  // namespace

QColor toQColor(OleColor c) {
    if (isSystemColour(c)) {
        const QPalette palette = QGuiApplication::palette();
        return palette.color(QPalette::Active, roleOf(c & 0xFFu));
    }
    return QColor(static_cast<int>(c & 0xFFu), static_cast<int>((c >> 8) & 0xFFu),
                  static_cast<int>((c >> 16) & 0xFFu));
}

std::uint32_t toRgb32(OleColor c) {
    if (isSystemColour(c)) return toQColor(c).rgb() & 0xFFFFFFu;
    return (c & 0xFFu) << 16 | (c & 0xFF00u) | (c >> 16 & 0xFFu);  // red, green, blue of 0xAARRGGBB
}

}  // namespace tessary
