// Room for text in the controls, measured with the widgets' own fonts and style metrics.
#include "platform/ui/text_fit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <algorithm>

#include "platform/ui/controls.h"
#include "platform/ui/form.h"

namespace tessary {

namespace {

// A line edit keeps 2 pixels on each side of its text and 1 for the cursor.
constexpr int kLineEditMargins = 5;
// A frame's title starts 6 pixels in and is padded by 2 on each side (the frame's style sheet).
constexpr int kFrameTitleMargins = 6 + 4;

int lineEditRoom(const QLineEdit* edit, const QRect& contents) {
    const QMargins m = edit->textMargins();
    return contents.width() - m.left() - m.right() - kLineEditMargins;
}

}  // namespace

TextRoom textRoom(const Control& control, const std::string& text) {
    QWidget* w = control.widget();
    TextRoom room;
    if (w == nullptr) {
        room.fits = true;
        return room;
    }
    const QString shown = withoutAccelerators(displayText(text, control.fontName()));
    const QFontMetrics fm(w->font());
    room.needed = fm.horizontalAdvance(shown);
    QStyle* style = w->style();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        QStyleOptionFrame opt;
        opt.initFrom(edit);
        opt.rect = edit->rect();
        opt.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, edit);
        room.available = lineEditRoom(edit, style->subElementRect(QStyle::SE_LineEditContents, &opt, edit));
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox opt;
        opt.initFrom(combo);
        opt.rect = combo->rect();
        opt.editable = combo->isEditable();
        opt.frame = true;
        const QRect field =
            style->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo);
        room.available = combo->isEditable() ? lineEditRoom(combo->lineEdit(), field) : field.width();
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(button);
        opt.rect = button->rect();
        const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, &opt, button);
        const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, button);
        room.available = button->width() - margin - 2 * frame;
    } else if (qobject_cast<QCheckBox*>(w) != nullptr || qobject_cast<QRadioButton*>(w) != nullptr) {
        QStyleOptionButton opt;
        opt.initFrom(w);
        opt.rect = w->rect();
        const bool check = qobject_cast<QCheckBox*>(w) != nullptr;
        room.available =
            style
                ->subElementRect(check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &opt,
                                 w)
                .width();
    } else if (qobject_cast<QGroupBox*>(w) != nullptr) {
        room.available = w->width() - kFrameTitleMargins;
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        const QRect area = label->contentsRect();
        const QRect wrapped = fm.boundingRect(QRect(0, 0, area.width(), 1 << 20),
                                              Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, shown);
        // Lines that fit one under the other; the text needs its one-line width spread over them.
        const int lines = std::max(1, area.height() / std::max(1, fm.lineSpacing()));
        room.fits = wrapped.width() <= area.width() && (shown.isEmpty() || wrapped.height() <= area.height());
        room.available = area.width() * lines;
        if (room.fits) room.needed = std::min(room.needed, room.available);
        return room;
    } else {
        room.fits = true;
        return room;
    }
    room.fits = room.needed <= room.available;
    return room;
}

std::vector<Control*> controlsOf(const Form& form) {
    std::vector<Control*> found;
    for (QWidget* w : form.window()->findChildren<QWidget*>())
        if (Control* c = Control::of(w)) found.push_back(c);
    return found;
}

std::string describeControl(const Control& control) {
    const QWidget* w = control.widget();
    if (w == nullptr) return "(no widget)";
    const QPoint at = w->mapTo(w->window(), QPoint(0, 0));
    return std::string(w->metaObject()->className()) + " at (" + std::to_string(at.x()) + ", " +
           std::to_string(at.y()) + "), " + std::to_string(w->width()) + " x " + std::to_string(w->height()) +
           " px";
}

}  // namespace tessary
