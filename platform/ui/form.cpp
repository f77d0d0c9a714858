// Windows on Qt: a top-level widget with an optional menu bar and a drawing surface that holds the
// controls. Key presses of the window reach the window's key handler first through an application
// event filter; Enter and Escape then press the default and cancel buttons.
#include "platform/ui/form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <iostream>

#include "platform/ui/runtime.h"

namespace tessary {

namespace {

// A window may exceed the screen by 6 pixels on each side, so that a window as large as the screen
// keeps its borders off-screen.
constexpr int kBorderAllowancePx = 12;

int saturatedPx(double v) {
    constexpr double kLimit = 1 << 24;
    return static_cast<int>(std::clamp(std::floor(v + 0.5), -kLimit, kLimit));
}

}  // namespace

class FormWindow : public QWidget {
  public:
    explicit FormWindow(Form& form) : QWidget(nullptr, Qt::Window), m_form(form) {}

  protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();  // windows are never destroyed; the window class decides what closing means
        m_form.requestClose();
    }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        m_form.relayout();
    }

  private:
    Form& m_form;
};

class FormSurface : public QWidget {
  public:
    FormSurface(Form& form, QWidget* parent) : QWidget(parent), m_form(form) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::NoFocus);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        m_form.paintBuffer(painter, event->rect(), QPoint(0, 0));
    }

  private:
    Form& m_form;
};

class FormKeyFilter : public QObject {
  public:
    explicit FormKeyFilter(Form& form) : m_form(form) {}

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !object->isWidgetType()) return false;
        auto* target = static_cast<QWidget*>(object);
        QWidget* window = m_form.window();
        if (target->window() != window) return false;
        // Once per key: at the focused control, or at the window when no control of it has the focus.
        QWidget* focus = QApplication::focusWidget();
        if (focus != nullptr && focus->window() == window) {
            if (target != focus) return false;
        } else if (target != window) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        return m_form.keyPressed(key->key(), static_cast<int>(key->modifiers().toInt()),
                                 key->modifiers().testFlag(Qt::KeypadModifier));
    }

  private:
    Form& m_form;
};

int keyCodeOf(int qtKey, bool keypad) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;  // 65 .. 90
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return keypad ? 96 + (qtKey - Qt::Key_0) : qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return keys::kF1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
        case Qt::Key_Backspace:
            return keys::kBack;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return keys::kTab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return keys::kReturn;
        case Qt::Key_Shift:
            return keys::kShift;
        case Qt::Key_Control:
            return keys::kControl;
        case Qt::Key_Alt:
            return keys::kMenu;
        case Qt::Key_Pause:
            return 19;
        case Qt::Key_CapsLock:
            return 20;
        case Qt::Key_Escape:
            return keys::kEscape;
        case Qt::Key_Space:
            return keys::kSpace;
        case Qt::Key_PageUp:
            return keys::kPageUp;
        case Qt::Key_PageDown:
            return keys::kPageDown;
        case Qt::Key_End:
            return keys::kEnd;
        case Qt::Key_Home:
            return keys::kHome;
        case Qt::Key_Left:
            return keys::kLeft;
        case Qt::Key_Up:
            return keys::kUp;
        case Qt::Key_Right:
            return keys::kRight;
        case Qt::Key_Down:
            return keys::kDown;
        case Qt::Key_Insert:
            return keys::kInsert;
        case Qt::Key_Delete:
            return keys::kDelete;
        case Qt::Key_Asterisk:
            return keypad ? 106 : 0;
        case Qt::Key_Plus:
            return keypad ? 107 : 187;
        case Qt::Key_Minus:
            return keypad ? 109 : 189;
        case Qt::Key_Period:
            return keypad ? 110 : 190;
        case Qt::Key_Slash:
            return keypad ? 111 : 191;
        case Qt::Key_Semicolon:
            return 186;
        case Qt::Key_Equal:
            return 187;
        case Qt::Key_Comma:
            return 188;
        case Qt::Key_QuoteLeft:
            return 192;
        case Qt::Key_BracketLeft:
            return 219;
        case Qt::Key_Backslash:
            return 220;
        case Qt::Key_BracketRight:
            return 221;
        case Qt::Key_Apostrophe:
            return 222;
        default:
            return 0;
    }
}

int shiftBitsOf(int qtModifiers) {
    const auto mods = Qt::KeyboardModifiers::fromInt(qtModifiers);
    int bits = 0;
    if (mods.testFlag(Qt::ShiftModifier)) bits |= keys::kShiftMask;
    if (mods.testFlag(Qt::ControlModifier)) bits |= keys::kCtrlMask;
    if (mods.testFlag(Qt::AltModifier)) bits |= keys::kAltMask;
    return bits;
}

Form::Form(std::string caption)
    : Canvas(screen().twipsPerPixelX, screen().twipsPerPixelY), m_caption(std::move(caption)) {
    const ScreenMetrics metrics = screen();
    m_tpp = metrics.twipsPerPixelY > 0 ? metrics.twipsPerPixelY : 15;
    m_window = new FormWindow(*this);
    m_window->setWindowTitle(QString::fromStdString(m_caption));
    m_surface = new FormSurface(*this, m_window);
    setFontTwipsPerPixel(m_tpp);
    setMinimumBufferSize(QSize(metrics.widthPx, metrics.heightPx));
    attachSurface(m_surface);
    // A new window: 4800 x 3600 twips until its design sizes it.
    m_window->resize(std::max(1, 4800 / std::max(1, metrics.twipsPerPixelX)),
                     std::max(1, 3600 / std::max(1, metrics.twipsPerPixelY)));
    relayout();
    m_keyFilter = std::make_unique<FormKeyFilter>(*this);
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->installEventFilter(m_keyFilter.get());
}

Form::~Form() {
    for (QEventLoop* loop : m_modalLoops) loop->quit();
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeEventFilter(m_keyFilter.get());
    delete m_window;
}

QWidget* Form::window() const { return m_window; }

QWidget* Form::surface() const { return m_surface; }

QWidget* Form::childParent() { return m_surface; }

QMenuBar* Form::menuBar() {
    if (m_menuBar == nullptr) {
        m_menuBar = new QMenuBar(m_window);
        m_menuBar->setNativeMenuBar(false);
        relayout();
    }
    return m_menuBar;
}

void Form::relayout() {
    const int w = m_window->width();
    const int h = m_window->height();
    int barHeight = 0;
    if (m_menuBar != nullptr) {
        const QList<QAction*> actions = m_menuBar->actions();
        const bool any =
            std::any_of(actions.begin(), actions.end(), [](QAction* a) { return a->isVisible(); });
        m_menuBar->setVisible(any);
        if (any) {
            barHeight = m_menuBar->sizeHint().height();
            m_menuBar->setGeometry(0, 0, w, barHeight);
        }
    }
    m_surface->setGeometry(0, barHeight, w, std::max(0, h - barHeight));
    setClientSize(m_surface->size());
}

void Form::load() {
    m_eventsEnabled = true;
    if (onLoad) onLoad();
}

void Form::setCaption(std::string caption) {
    m_caption = std::move(caption);
    m_window->setWindowTitle(QString::fromStdString(m_caption));
}

void Form::setVisible(bool visible) {
    if (visible)
        show(ShowMode::Modeless);
    else
        hide();
}

void Form::showWindow() {
    m_visible = true;
    if (!m_positioned) {
        // First showing: centred on the screen.
        const ScreenMetrics metrics = screen();
        m_window->move(std::max(0, (metrics.widthPx - m_window->width()) / 2),
                       std::max(0, (metrics.heightPx - m_window->height()) / 2));
        m_positioned = true;
    }
    switch (m_windowState) {
        case 1:
            m_window->showMinimized();
            break;
        case 2:
            m_window->showMaximized();
            break;
        default:
            m_window->show();
            break;
    }
    if (!headlessPlatform()) {
        m_window->raise();
        m_window->activateWindow();
    }
}

void Form::show(ShowMode mode) {
    if (mode == ShowMode::Modeless) {
        showWindow();
        return;
    }
    if (modalRunning()) return;
    if (m_visible) m_window->hide();  // a window's modality can only change while it is hidden
    Runtime& runtime = Runtime::current();
    if (runtime.modalHook()) {
        showWindow();
        runtime.modalHook()(*this);
        if (m_visible) {
            runtime.noteModalFormLeftOpen();
            hide();
        }
        return;
    }
    if (headlessPlatform()) {
        // Nobody could close it: report it and go on as if it had been closed at once.
        std::cerr << "modal window without a modal hook: " << m_caption << '\n';
        runtime.noteModalFormLeftOpen();
        hide();
        return;
    }
    m_window->setWindowModality(Qt::ApplicationModal);
    showWindow();
    QEventLoop loop;
    m_modalLoops.push_back(&loop);
    loop.exec(QEventLoop::DialogExec);
    m_modalLoops.pop_back();
    if (!m_visible) m_window->setWindowModality(Qt::NonModal);
}

void Form::hide() {
    m_visible = false;
    m_window->hide();
    for (QEventLoop* loop : m_modalLoops) loop->quit();
}

void Form::requestClose() {
    if (onClose && m_eventsEnabled)
        onClose();
    else
        hide();
}

double Form::width() const { return m_window->width() * static_cast<double>(screen().twipsPerPixelX); }

double Form::height() const { return m_window->height() * static_cast<double>(screen().twipsPerPixelY); }

double Form::left() const { return m_window->x() * static_cast<double>(screen().twipsPerPixelX); }

double Form::top() const { return m_window->y() * static_cast<double>(screen().twipsPerPixelY); }

void Form::setWidth(double twips) {
    if (!std::isfinite(twips)) return;
    const ScreenMetrics metrics = screen();
    const int px =
        std::clamp(saturatedPx(twips / metrics.twipsPerPixelX), 1, metrics.widthPx + kBorderAllowancePx);
    m_window->resize(px, m_window->height());
    relayout();
}

void Form::setHeight(double twips) {
    if (!std::isfinite(twips)) return;
    const ScreenMetrics metrics = screen();
    const int px =
        std::clamp(saturatedPx(twips / metrics.twipsPerPixelY), 1, metrics.heightPx + kBorderAllowancePx);
    m_window->resize(m_window->width(), px);
    relayout();
}

void Form::setLeft(double twips) {
    if (!std::isfinite(twips)) return;
    m_window->move(saturatedPx(twips / screen().twipsPerPixelX), m_window->y());
    m_positioned = true;
}

void Form::setTop(double twips) {
    if (!std::isfinite(twips)) return;
    m_window->move(m_window->x(), saturatedPx(twips / screen().twipsPerPixelY));
    m_positioned = true;
}

int Form::windowState() const {
    if (!m_visible) return m_windowState;
    const Qt::WindowStates state = m_window->windowState();
    if (state.testFlag(Qt::WindowMinimized)) return 1;
    if (state.testFlag(Qt::WindowMaximized)) return 2;
    return 0;
}

void Form::setWindowState(int state) {
    m_windowState = (state == 1 || state == 2) ? state : 0;
    if (!m_visible) return;
    switch (m_windowState) {
        case 1:
            m_window->showMinimized();
            break;
        case 2:
            m_window->showMaximized();
            break;
        default:
            m_window->showNormal();
            break;
    }
}

void Form::setMousePointer(int pointer) {
    m_mousePointer = pointer;
    switch (pointer) {
        case 0:
            m_window->unsetCursor();
            break;
        case 2:
            m_window->setCursor(Qt::CrossCursor);
            break;
        case 3:
            m_window->setCursor(Qt::IBeamCursor);
            break;
        case 11:
            m_window->setCursor(Qt::WaitCursor);
            break;
        default:
            m_window->setCursor(Qt::ArrowCursor);
            break;
    }
}

void Form::setDefaultButton(CommandButton* button, bool on) {
    if (on) {
        if (m_defaultButton != nullptr && m_defaultButton != button)
            static_cast<QPushButton*>(m_defaultButton->widget())->setDefault(false);
        m_defaultButton = button;
        static_cast<QPushButton*>(button->widget())->setDefault(true);
    } else if (m_defaultButton == button) {
        if (button->widget() != nullptr) static_cast<QPushButton*>(button->widget())->setDefault(false);
        m_defaultButton = nullptr;
    }
}

void Form::setCancelButton(CommandButton* button, bool on) {
    if (on)
        m_cancelButton = button;
    else if (m_cancelButton == button)
        m_cancelButton = nullptr;
}

bool Form::keyPressed(int qtKey, int qtModifiers, bool keypad) {
    int keyCode = keyCodeOf(qtKey, keypad);
    int shift = shiftBitsOf(qtModifiers);
    if (keyCode == 0) return false;
    if (onKeyDown && m_eventsEnabled) {
        onKeyDown(keyCode, shift);
        if (keyCode == 0) return true;  // the handler kept the key from the control
    }
    const auto usable = [](const CommandButton* b) { return b != nullptr && b->enabled() && b->visible(); };
    if (keyCode == keys::kReturn) {
        auto* focused = dynamic_cast<CommandButton*>(Control::of(QApplication::focusWidget()));
        CommandButton* target = focused != nullptr ? focused : m_defaultButton;
        if (usable(target)) {
            target->click();
            return true;
        }
    } else if (keyCode == keys::kEscape && usable(m_cancelButton)) {
        m_cancelButton->click();
        return true;
    }
    return false;
}

}  // namespace tessary
