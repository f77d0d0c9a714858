// Application-wide services of the window runtime: the current runtime, message boxes, the event
// pump, beep and the end of the program.
#include "platform/ui/runtime.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>

#include "numerics/vector_state.h"
#include "platform/ui/message_text.h"

namespace tessary {

namespace {

Runtime*& currentSlot() {
    static Runtime* current = nullptr;
    return current;
}

// First button of a style's button set: the answer when nobody chooses.
int firstButton(int style) {
    switch (style & 7) {
        case mb::kOkCancel:
            return mb::kOk;
        case mb::kAbortRetryIgnore:
            return mb::kAbort;
        case mb::kYesNoCancel:
            return mb::kYes;
        case mb::kYesNo:
            return mb::kYes;
        case mb::kRetryCancel:
            return mb::kRetry;
        default:
            return mb::kOk;
    }
}

QMessageBox::Icon iconOf(int style) {
    switch (style & 0x70) {
        case mb::kCritical:
            return QMessageBox::Critical;
        case mb::kQuestion:
            return QMessageBox::Question;
        case mb::kExclamation:
            return QMessageBox::Warning;
        case mb::kInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

int showQtMessageBox(const MessageBoxRequest& request) {
    QMessageBox box(iconOf(request.style), QString::fromStdString(request.title),
                    QString::fromStdString(messageBoxText(request.prompt)), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    struct Choice {
        QMessageBox::StandardButton button;
        int answer;
    };
    std::vector<Choice> choices;
    switch (request.style & 7) {
        case mb::kOkCancel:
            choices = {{QMessageBox::Ok, mb::kOk}, {QMessageBox::Cancel, mb::kCancel}};
            break;
        case mb::kAbortRetryIgnore:
            choices = {{QMessageBox::Abort, mb::kAbort},
                       {QMessageBox::Retry, mb::kRetry},
                       {QMessageBox::Ignore, mb::kIgnore}};
            break;
        case mb::kYesNoCancel:
            choices = {
                {QMessageBox::Yes, mb::kYes}, {QMessageBox::No, mb::kNo}, {QMessageBox::Cancel, mb::kCancel}};
            break;
        case mb::kYesNo:
            choices = {{QMessageBox::Yes, mb::kYes}, {QMessageBox::No, mb::kNo}};
            break;
        case mb::kRetryCancel:
            choices = {{QMessageBox::Retry, mb::kRetry}, {QMessageBox::Cancel, mb::kCancel}};
            break;
        default:
            choices = {{QMessageBox::Ok, mb::kOk}};
            break;
    }
    for (const Choice& c : choices) box.addButton(c.button);
    box.setDefaultButton(choices.front().button);
    const int pressed = box.exec();
    for (const Choice& c : choices)
        if (pressed == c.button) return c.answer;
    // Closed without a button: the escape answer (No for Yes/No, Cancel where there is one, else OK).
    if ((request.style & 7) == mb::kYesNo) return mb::kNo;
    for (const Choice& c : choices)
        if (c.answer == mb::kCancel) return mb::kCancel;
    return choices.front().answer;
}

}  // namespace

Runtime::Runtime() : m_previous(currentSlot()) { currentSlot() = this; }

Runtime::~Runtime() {
    // Runtimes nest like scopes; restore the one that was current before this one.
    if (currentSlot() == this) currentSlot() = m_previous;
}

Runtime& Runtime::current() {
    if (Runtime* r = currentSlot()) return *r;
    static Runtime fallback;
    return fallback;
}

void Runtime::setCommandLine(int argc, const char* const* argv) {
    m_commandLine.clear();
    for (int i = 1; i < argc; ++i) {
        if (i > 1) m_commandLine += ' ';
        m_commandLine += argv[i];
    }
}

ScreenMetrics Runtime::screen() const {
    if (m_screen) return *m_screen;
    ScreenMetrics metrics;
    if (QGuiApplication::instance() != nullptr) {
        if (const QScreen* s = QGuiApplication::primaryScreen()) {
            const QSize size = s->size();
            if (size.width() > 0 && size.height() > 0) {
                metrics.widthPx = size.width();
                metrics.heightPx = size.height();
                const QSize available = s->availableSize();
                metrics.availableWidthPx = std::min(available.width(), size.width());
                metrics.availableHeightPx = std::min(available.height(), size.height());
            }
            // Twips per pixel from the logical resolution: 15 at 96 dots per inch.
            const double dpi = s->logicalDotsPerInch();
            if (dpi >= 24.0 && dpi <= 480.0) {
                const int tpp = static_cast<int>(1440.0 / dpi + 0.5);
                metrics.twipsPerPixelX = tpp;
                metrics.twipsPerPixelY = tpp;
            }
        }
    }
    return metrics;
}

std::string Runtime::helpFolder() const {
    if (!m_helpFolder.empty() || QCoreApplication::instance() == nullptr) return m_helpFolder;
    return QCoreApplication::applicationDirPath().toStdString();
}

bool headlessPlatform() {
    if (QGuiApplication::instance() == nullptr) return true;
    const QString name = QGuiApplication::platformName();
    return name == QLatin1String("offscreen") || name == QLatin1String("minimal");
}

int msgBox(const std::string& prompt, int style, std::optional<std::string> title) {
    Runtime& runtime = Runtime::current();
    const MessageBoxRequest request{prompt, style, title ? *title : runtime.programTitle()};
    const std::function<int()> show = [&runtime, &request] {
        if (runtime.messageBoxResponder()) return runtime.messageBoxResponder()(request);
        if (headlessPlatform()) {
            // Nobody can press a button here: report the box and take its first button.
            std::cerr << "message box without a responder: [" << request.title << "] " << request.prompt
                      << '\n';
            return firstButton(request.style);
        }
        return showQtMessageBox(request);
    };
    const MessageBoxFilter filter = runtime.messageBoxFilter();  // a copy: the box may outlast the setting
    return filter ? filter(request, show) : show();
}

void doEvents() {
    Runtime& runtime = Runtime::current();
    ++runtime.m_pumpCount;
    if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (runtime.m_pumpHook) runtime.m_pumpHook();
    ClearUpperVectorState();  // the events may have drawn; a calculation resumes after the pump
}

void beep() {
    Runtime& runtime = Runtime::current();
    ++runtime.m_beepCount;
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) QApplication::beep();
}

void endProgram(int exitCode) {
    Runtime& runtime = Runtime::current();
    for (const auto& action : runtime.m_endActions) action();
    if (runtime.m_endHandler) {
        runtime.m_endHandler(exitCode);
        return;
    }
    // At once: no window gets a say; the end actions have closed the files.
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

ScreenMetrics screen() { return Runtime::current().screen(); }

const std::string& commandLine() { return Runtime::current().commandLine(); }

void ScriptedMessageBoxes::install(Runtime& runtime) {
    runtime.setMessageBoxResponder([this](const MessageBoxRequest& request) { return respond(request); });
}

int ScriptedMessageBoxes::respond(const MessageBoxRequest& request) {
    m_shown.push_back(request);
    if (m_next < m_answers.size()) return m_answers[m_next++];
    return firstButton(request.style);
}

}  // namespace tessary
