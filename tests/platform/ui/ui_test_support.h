// Shared set-up of the window-runtime tests: one QApplication for the whole test program (offscreen
// platform), and a fresh runtime per test with a 1024 x 768 screen at 15 twips per pixel and
// scripted message boxes.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>

#include "platform/ui/runtime.h"

namespace tessary::test {

inline QApplication& testApplication() {
    static int argc = 1;
    static char name[] = "platform_ui_tests";
    static char* argv[] = {name, nullptr};
    // Made once and kept to the end of the program: widgets of every test need it.
    static auto* app = new QApplication(argc, argv);
    return *app;
}

struct QtApplicationFirst {
    QtApplicationFirst() { testApplication(); }
};

class UiTest : public ::testing::Test, private QtApplicationFirst {
  protected:
    UiTest() {
        runtime.setScreen(ScreenMetrics{1024, 768, 15, 15});
        messages.install(runtime);
    }

    Runtime runtime;
    ScriptedMessageBoxes messages;
};

}  // namespace tessary::test
