// The program: the window runtime, then the main window, which starts itself (its load handler) and
// is shown maximised, as its layout expects: the graph reaches below the window's start-up height
// and, on screens wider than 1024 pixels, to the right edge of the screen. The windows end before the
// application object does.
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <memory>

#include "mainwindow/form1.h"
#include "platform/ui/runtime.h"

namespace {

// Without a window manager (a bare X server such as Xvfb) nobody maximises a window: give it the
// screen's free area ourselves.
void FillScreenIfNotMaximised(QWidget& window) {
    QCoreApplication::processEvents();
    const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect free = screen->availableGeometry();
    if (window.frameGeometry().width() < free.width() - 16 ||
        window.frameGeometry().height() < free.height() - 48)
        window.setGeometry(free);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tessary::Runtime runtime;
    runtime.setCommandLine(argc, argv);
    int exitCode = 0;
    {
        auto form1 = std::make_unique<tessary::Form1>();
        form1->load();
        form1->show();
        FillScreenIfNotMaximised(*form1->window());
        exitCode = QApplication::exec();
    }
    return exitCode;
}
