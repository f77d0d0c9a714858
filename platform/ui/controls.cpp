// Controls on Qt widgets. Values live in the control objects; the widgets only show them. Qt signals
// that only user actions emit (textEdited, activated, clicked) raise the events of user actions, so a
// value written from code never raises its event twice.
#include "platform/ui/controls.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionComplex>
#include <algorithm>
#include <cmath>

#include "platform/ui/form.h"

namespace tessary {

namespace {

constexpr char kControlProperty[] = "tessaryControl";

// Logical value to a widget coordinate, saturated to a range every widget accepts.
int saturatedInt(double v) {
    if (!std::isfinite(v)) return 0;
    constexpr double kLimit = 1 << 24;
    return static_cast<int>(std::clamp(std::floor(v + 0.5), -kLimit, kLimit));
}

QString qs(const std::string& s) { return QString::fromStdString(s); }

int buttonBits(Qt::MouseButtons buttons) {
    int bits = 0;
    if (buttons & Qt::LeftButton) bits |= 1;
    if (buttons & Qt::RightButton) bits |= 2;
    if (buttons & Qt::MiddleButton) bits |= 4;
    return bits;
}

// The lists of the window designs are as narrow as 34 pixels; the desktop style's drop-down button
// would leave no room for their text. This style gives the button 13 pixels and the rest to the text.
class NarrowComboStyle : public QProxyStyle {
  public:
    static constexpr int kButtonWidth = 13;

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override {
        QRect r = QProxyStyle::subControlRect(control, option, sub, widget);
        if (control != CC_ComboBox || option == nullptr) return r;
        const QRect whole = option->rect;
        if (sub == SC_ComboBoxArrow)
            return QRect(whole.right() - kButtonWidth + 1, whole.top(), kButtonWidth, whole.height());
        if (sub == SC_ComboBoxEditField) r.setRight(whole.right() - kButtonWidth - 1);
        return r;
    }
};

QStyle* narrowComboStyle() {
    static QPointer<QStyle> style;
    if (!style) {
        style = new NarrowComboStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Control

Control::Control(Container& container, QWidget* widget, OleColor backColor, QPalette::ColorRole backRole,
                 QPalette::ColorRole foreRole, bool fillBackground)
    : m_container(&container),
      m_form(&container.form()),
      m_widget(widget),
      m_backColor(backColor),
      m_backRole(backRole),
      m_foreRole(foreRole),
      m_fillBackground(fillBackground) {
    widget->setProperty(kControlProperty, QVariant::fromValue(static_cast<void*>(this)));
    widget->resize(widget->sizeHint());
    widget->move(container.childOriginPx());
    applyFont();
    applyPalette();
    widget->setVisible(true);
}

Control::~Control() {
    if (m_widget) delete m_widget.data();
}

Control* Control::of(const QWidget* widget) {
    if (widget == nullptr) return nullptr;
    const QVariant v = widget->property(kControlProperty);
    return v.isValid() ? static_cast<Control*>(v.value<void*>()) : nullptr;
}

void Control::raise(const std::function<void()>& handler) const {
    if (handler && m_form->eventsEnabled()) handler();
}

void Control::setVisible(bool visible) {
    m_visible = visible;
    if (visible && m_textStale) {
        m_textStale = false;
        refreshText();
    }
    if (m_widget) m_widget->setVisible(visible);
}

void Control::refreshTextWhenShown() {
    m_textStale = !m_visible;
    if (m_visible) refreshText();
}

void Control::setEnabled(bool enabled) {
    if (enabled == m_enabled) return;  // locking the window sets many controls, most unchanged
    m_enabled = enabled;
    if (m_widget) m_widget->setEnabled(enabled);
}

int Control::toPixelsX(double v) const {
    return saturatedInt((v - m_container->childScaleLeft()) * m_container->childUnitX()) +
           m_container->childOriginPx().x();
}

int Control::toPixelsY(double v) const {
    return saturatedInt((v - m_container->childScaleTop()) * m_container->childUnitY()) +
           m_container->childOriginPx().y();
}

double Control::left() const {
    return (m_widget->x() - m_container->childOriginPx().x()) / m_container->childUnitX() +
           m_container->childScaleLeft();
}

double Control::top() const {
    return (m_widget->y() - m_container->childOriginPx().y()) / m_container->childUnitY() +
           m_container->childScaleTop();
}

double Control::width() const { return m_widget->width() / std::fabs(m_container->childUnitX()); }

double Control::height() const { return m_widget->height() / std::fabs(m_container->childUnitY()); }

void Control::setLeft(double left) {
    if (std::isfinite(left)) m_widget->move(toPixelsX(left), m_widget->y());
}

void Control::setTop(double top) {
    if (std::isfinite(top)) m_widget->move(m_widget->x(), toPixelsY(top));
}

void Control::setWidth(double width) {
    if (std::isfinite(width))
        m_widget->resize(std::max(0, saturatedInt(width * std::fabs(m_container->childUnitX()))),
                         m_widget->height());
    resized();
}

void Control::setHeight(double height) {
    if (std::isfinite(height))
        m_widget->resize(m_widget->width(),
                         std::max(0, saturatedInt(height * std::fabs(m_container->childUnitY()))));
    resized();
}

void Control::move(double left, double top) {
    setLeft(left);
    setTop(top);
}

void Control::move(double left, double top, double width, double height) {
    setLeft(left);
    setTop(top);
    setWidth(width);
    setHeight(height);
}

void Control::setToolTipText(std::string text) {
    m_toolTip = std::move(text);
    m_widget->setToolTip(qs(m_toolTip));
}

void Control::setBackColor(OleColor colour) {
    if (colour == m_backColor) return;
    m_backColor = colour;
    applyPalette();
}

void Control::setForeColor(OleColor colour) {
    if (colour == m_foreColor) return;
    m_foreColor = colour;
    applyPalette();
}

void Control::applyPalette() {
    QPalette palette = m_widget->palette();
    const QColor back = toQColor(m_backColor);
    palette.setColor(m_backRole, back);
    if (m_backRole == QPalette::Base) palette.setColor(QPalette::Button, back);
    // The text colour of an enabled control only: a disabled one keeps the style's greyed text, so
    // that a locked window looks locked.
    const QColor fore = toQColor(m_foreColor);
    palette.setColor(QPalette::Active, m_foreRole, fore);
    palette.setColor(QPalette::Inactive, m_foreRole, fore);
    m_widget->setPalette(palette);
    m_widget->setAutoFillBackground(m_fillBackground);
}

void Control::setFillBackground(bool fill) {
    m_fillBackground = fill;
    m_widget->setAutoFillBackground(fill);
}

void Control::setFontName(std::string name) {
    m_font.name = std::move(name);
    applyFont();
}

void Control::setFontSize(double size) {
    m_font.size = size;
    applyFont();
}

void Control::setFontBold(bool bold) {
    m_font.bold = bold;
    applyFont();
}

void Control::applyFont() {
    m_widget->setFont(toQFont(m_font, m_form->fontTwipsPerPixel()));
    refreshText();
}

void Control::setFocus() {
    if (m_widget) m_widget->setFocus(Qt::OtherFocusReason);
}

double Control::textWidth(const std::string& text) const {
    const QFontMetricsF fm(m_widget->font());
    return fm.horizontalAdvance(withoutAccelerators(displayText(text, fontName()))) /
           std::fabs(m_container->childUnitX());
}

// ---------------------------------------------------------------------------------------------
// CommandButton

CommandButton::CommandButton(Container& container, std::string caption)
    : Control(container, new QPushButton(container.childParent()), kButtonFace, QPalette::Button,
              QPalette::ButtonText, false),
      m_caption(std::move(caption)) {
    button()->setAutoDefault(false);
    button()->setText(qs(m_caption));
    QObject::connect(button(), &QPushButton::clicked, button(), [this] { raise(onClick); });
}

CommandButton::~CommandButton() {
    form().setDefaultButton(this, false);
    form().setCancelButton(this, false);
}

QPushButton* CommandButton::button() const { return static_cast<QPushButton*>(widget()); }

void CommandButton::setCaption(std::string caption) {
    m_caption = std::move(caption);
    button()->setText(qs(m_caption));
}

bool CommandButton::isDefault() const { return form().defaultButton() == this; }

void CommandButton::setDefault(bool on) { form().setDefaultButton(this, on); }

bool CommandButton::isCancel() const { return form().cancelButton() == this; }

void CommandButton::setCancel(bool on) { form().setCancelButton(this, on); }

void CommandButton::click() { raise(onClick); }

// ---------------------------------------------------------------------------------------------
// TextBox

TextBox::TextBox(Container& container, std::string text)
    : Control(container, new QLineEdit(container.childParent()), kWindowBackground, QPalette::Base,
              QPalette::Text, false),
      m_text(std::move(text)),
      m_shownText(m_text) {
    edit()->setText(qs(m_text));
    QObject::connect(edit(), &QLineEdit::textEdited, edit(), [this](const QString& typed) {
        m_text = typed.toStdString();
        m_shownText = m_text;
        raise(onChange);
    });
}

QLineEdit* TextBox::edit() const { return static_cast<QLineEdit*>(widget()); }

void TextBox::setText(std::string text) {
    if (text == m_text) return;
    m_text = std::move(text);
    if (!m_showAtEvents) {
        showText();
    } else if (!m_showPosted) {  // one queued call shows the newest text, however many writes
        m_showPosted = true;
        QMetaObject::invokeMethod(
            edit(),
            [this] {
                m_showPosted = false;
                showText();
            },
            Qt::QueuedConnection);
    }
    raise(onChange);
}

void TextBox::setShownAtEvents(bool atEvents) {
    m_showAtEvents = atEvents;
    if (!atEvents) showText();
}

void TextBox::showText() {
    if (m_shownText == m_text) return;
    m_shownText = m_text;
    edit()->setText(qs(m_text));
    edit()->setCursorPosition(0);  // a text written from code shows its beginning
}

// ---------------------------------------------------------------------------------------------
// ComboBox

ComboBox::ComboBox(Container& container, Style style)
    : Control(container, new QComboBox(container.childParent()), kWindowBackground, QPalette::Base,
              QPalette::Text, false),
      m_style(style) {
    QComboBox* box = combo();
    box->setStyle(narrowComboStyle());
    if (m_style == Style::Editable) {
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setCompleter(nullptr);
        QObject::connect(box->lineEdit(), &QLineEdit::textEdited, box,
                         [this](const QString& typed) { userEdited(typed.toStdString()); });
    }
    QObject::connect(box, &QComboBox::activated, box, [this](int index) { userActivated(index); });
    QObject::connect(box->view()->verticalScrollBar(), &QScrollBar::valueChanged, box, [this](int) {
        if (!m_syncing) raise(onScroll);
    });
    showState();
}

QComboBox* ComboBox::combo() const { return static_cast<QComboBox*>(widget()); }

void ComboBox::showState() {
    // The widget selects its first entry by itself when one is added; put it back to our state.
    m_syncing = true;
    combo()->setCurrentIndex(m_index);
    if (m_style == Style::Editable) {
        combo()->setEditText(qs(m_text));
        combo()->lineEdit()->setCursorPosition(0);
    }
    m_syncing = false;
}

int ComboBox::indexOf(const std::string& text) const {
    const auto it = std::find(m_items.begin(), m_items.end(), text);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

void ComboBox::addItem(std::string item) {
    m_syncing = true;
    combo()->addItem(qs(item));
    m_syncing = false;
    m_items.push_back(std::move(item));
    showState();
}

void ComboBox::clear() {
    m_syncing = true;
    combo()->clear();
    m_syncing = false;
    m_items.clear();
    m_index = -1;
    if (m_style == Style::Fixed) m_text.clear();
    showState();
}

const std::string& ComboBox::list(int index) const {
    static const std::string kNone;
    return index >= 0 && index < listCount() ? m_items[static_cast<std::size_t>(index)] : kNone;
}

void ComboBox::setListIndex(int index) {
    if (index < -1 || index >= listCount() || index == m_index) return;
    m_index = index;
    m_text = index >= 0 ? m_items[static_cast<std::size_t>(index)] : std::string();
    showState();
    raise(onClick);
}

void ComboBox::setText(std::string text) {
    if (m_style == Style::Fixed) {
        const int index = indexOf(text);
        if (index >= 0) setListIndex(index);
        return;
    }
    if (text == m_text) return;
    m_text = std::move(text);
    m_index = indexOf(m_text);
    showState();
    raise(onChange);
}

void ComboBox::userActivated(int index) {
    if (index < 0 || index >= listCount()) return;
    m_index = index;
    m_text = m_items[static_cast<std::size_t>(index)];
    raise(onClick);
}

void ComboBox::userEdited(const std::string& text) {
    m_text = text;
    m_index = indexOf(text);
    raise(onChange);
}

// ---------------------------------------------------------------------------------------------
// CheckBox

CheckBox::CheckBox(Container& container, std::string caption)
    : Control(container, new QCheckBox(container.childParent()), kButtonFace, QPalette::Window,
              QPalette::WindowText, true),
      m_caption(std::move(caption)) {
    refreshText();
    QObject::connect(box(), &QCheckBox::clicked, box(), [this] {
        setValue(m_value == 1 ? 0 : 1);
        showValue();
    });
}

QCheckBox* CheckBox::box() const { return static_cast<QCheckBox*>(widget()); }

void CheckBox::refreshText() { box()->setText(displayText(m_caption, fontName())); }

void CheckBox::setCaption(std::string caption) {
    m_caption = std::move(caption);
    refreshText();
}

void CheckBox::showValue() {
    box()->setCheckState(m_value == 1 ? Qt::Checked : m_value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

void CheckBox::setValue(int value) {
    if (value == m_value) return;
    m_value = value;
    showValue();
    raise(onClick);
}

// ---------------------------------------------------------------------------------------------
// OptionButton

OptionButton::OptionButton(Container& container, std::string caption)
    : Control(container, new QRadioButton(container.childParent()), kButtonFace, QPalette::Window,
              QPalette::WindowText, true),
      m_caption(std::move(caption)) {
    radio()->setAutoExclusive(false);
    refreshText();
    container.m_optionButtons.push_back(this);
    QObject::connect(radio(), &QRadioButton::clicked, radio(), [this] {
        setValue(true);
        showValue();
    });
}

OptionButton::~OptionButton() {
    auto& group = container().m_optionButtons;
    group.erase(std::remove(group.begin(), group.end(), this), group.end());
}

QRadioButton* OptionButton::radio() const { return static_cast<QRadioButton*>(widget()); }

void OptionButton::refreshText() { radio()->setText(displayText(m_caption, fontName())); }

void OptionButton::setCaption(std::string caption) {
    m_caption = std::move(caption);
    refreshText();
}

void OptionButton::showValue() { radio()->setChecked(m_value); }

void OptionButton::setValue(bool value) {
    if (!value) {
        m_value = false;
        showValue();
        return;
    }
    if (m_value) return;
    for (OptionButton* other : container().optionButtons()) {
        if (other != this && other->m_value) {
            other->m_value = false;
            other->showValue();
        }
    }
    m_value = true;
    showValue();
    raise(onClick);
}

// ---------------------------------------------------------------------------------------------
// Label

Label::Label(Container& container, std::string caption)
    : Control(container, new QLabel(container.childParent()), kButtonFace, QPalette::Window,
              QPalette::WindowText, true),
      m_caption(std::move(caption)) {
    label()->setWordWrap(true);
    label()->setTextFormat(Qt::PlainText);
    setAlignment(0);
    refreshText();
}

QLabel* Label::label() const { return static_cast<QLabel*>(widget()); }

void Label::refreshText() { label()->setText(withoutAccelerators(displayText(m_caption, fontName()))); }

void Label::setCaption(std::string caption) {
    m_caption = std::move(caption);
    refreshTextWhenShown();
}

void Label::setAlignment(int alignment) {
    m_alignment = alignment;
    const Qt::Alignment horizontal = alignment == 1   ? Qt::AlignRight
                                     : alignment == 2 ? Qt::AlignHCenter
                                                      : Qt::AlignLeft;
    label()->setAlignment(horizontal | Qt::AlignTop);
}

void Label::setOpaque(bool opaque) {
    m_opaque = opaque;
    setFillBackground(opaque);
}

// ---------------------------------------------------------------------------------------------
// Frame

Frame::Frame(Container& container, std::string caption)
    : Control(container, new QGroupBox(container.childParent()), kButtonFace, QPalette::Window,
              QPalette::WindowText, true),
      m_caption(std::move(caption)) {
    // A plain border with the caption on its top line and the frame's own back colour inside (the
    // default style shades the inside, which would show bands behind the controls in it).
    group()->setStyleSheet(
        QStringLiteral("QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em; "
                       "padding-top: 0.3em; }"
                       "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: "
                       "6px; padding: 0 2px; }"));
    refreshText();
}

QGroupBox* Frame::group() const { return static_cast<QGroupBox*>(widget()); }

void Frame::refreshText() { group()->setTitle(displayText(m_caption, fontName())); }

void Frame::setCaption(std::string caption) {
    m_caption = std::move(caption);
    refreshText();
}

double Frame::childUnitX() const { return 1.0 / Control::form().fontTwipsPerPixel(); }

double Frame::childUnitY() const { return 1.0 / Control::form().fontTwipsPerPixel(); }

// ---------------------------------------------------------------------------------------------
// PictureBox

class PictureWidget : public QFrame {
  public:
    PictureWidget(QWidget* parent, PictureBox* owner) : QFrame(parent), m_owner(owner) {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        m_owner->paint(painter, event->rect().intersected(contentsRect()));
        painter.end();
        QFrame::paintEvent(event);  // the border
    }
    void resizeEvent(QResizeEvent* event) override {
        QFrame::resizeEvent(event);
        m_owner->innerResized();
    }
    void mousePressEvent(QMouseEvent* e) override { forward(0, buttonBits(e->button()), e); }
    void mouseMoveEvent(QMouseEvent* e) override { forward(1, buttonBits(e->buttons()), e); }
    void mouseReleaseEvent(QMouseEvent* e) override { forward(2, buttonBits(e->button()), e); }

  private:
    void forward(int kind, int button, QMouseEvent* e) {
        const QPoint pos = e->position().toPoint() - contentsRect().topLeft();
        m_owner->mouseEvent(kind, button, shiftBitsOf(static_cast<int>(e->modifiers().toInt())), pos);
    }
    PictureBox* m_owner;
};

PictureBox::PictureBox(Container& container)
    : Control(container, new PictureWidget(container.childParent(), this), kButtonFace, QPalette::Window,
              QPalette::WindowText, false),
      Canvas(1.0, 1.0) {
    setFontTwipsPerPixel(Control::form().fontTwipsPerPixel());
    setBackgroundImage(&m_picture.image());
    attachSurface(widget());
    innerResized();
}

QPoint PictureBox::childOriginPx() const { return static_cast<QFrame*>(widget())->contentsRect().topLeft(); }

void PictureBox::innerResized() { setClientSize(static_cast<QFrame*>(widget())->contentsRect().size()); }

void PictureBox::paint(QPainter& painter, const QRect& exposed) {
    paintBuffer(painter, exposed, childOriginPx());
}

void PictureBox::setBorderStyle(int style) {
    m_borderStyle = style;
    auto* frame = static_cast<QFrame*>(widget());
    frame->setFrameStyle(style == 1 ? (QFrame::StyledPanel | QFrame::Sunken) : QFrame::NoFrame);
    innerResized();
}

void PictureBox::setPicture(const Picture& picture) {
    m_picture = picture;
    setBackgroundImage(&m_picture.image());
    if (m_autoSize && !m_picture.isNull()) {
        auto* frame = static_cast<QFrame*>(widget());
        const QMargins m = frame->contentsMargins();  // the border, when there is one
        frame->resize(m_picture.widthPx() + m.left() + m.right(),
                      m_picture.heightPx() + m.top() + m.bottom());
        innerResized();
    }
    resetBuffer();
}

void PictureBox::mouseEvent(int kind, int button, int shift, QPoint pos) {
    const double x = fromPixelX(pos.x());
    const double y = fromPixelY(pos.y());
    const auto& handler = kind == 0 ? onMouseDown : kind == 1 ? onMouseMove : onMouseUp;
    if (handler && Control::form().eventsEnabled()) handler(button, shift, x, y);
}

}  // namespace tessary
