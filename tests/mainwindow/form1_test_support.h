// Shared set-up of the main-window tests: one QApplication for the whole test program (offscreen),
// a fresh runtime per test with scripted message boxes, modal dialogs closed at once, help opened by
// a recorder, and the main window made (its design) on demand and loaded on the chosen screen; the
// tests act on it through window_driver.h as its user does.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>
#include <string>
#include <vector>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "mainwindow/graph_presets.h"
#include "platform/ui/file_dialogs.h"
#include "platform/ui/runtime.h"
#include "runs/method_codes.h"
#include "tests/mainwindow/window_driver.h"

namespace tessary::test {

inline QApplication& testApplication() {
    static int argc = 1;
    static char name[] = "mainwindow_tests";
    static char* argv[] = {name, nullptr};
    // Kept to the end of the program: widgets of every test need it.
    static auto* app = new QApplication(argc, argv);
    return *app;
}

struct QtApplicationFirst {
    QtApplicationFirst() { testApplication(); }
};

// Chooses the graph list's first entry of this graph type, as the user picks it by its text.
inline void ChooseGraph(Form1& f, int graphCode) {
    for (const GraphTypeEntry& entry : GraphTypeTable())
        if (entry.code == graphCode) return Choose(f.cboGraph, std::string(entry.text));
    ADD_FAILURE() << "no graph type " << graphCode;
}

class Form1Test : public ::testing::Test, private QtApplicationFirst {
  protected:
    Form1Test() {
        runtime.setScreen(ScreenMetrics{1024, 768, 15, 15});
        messages.install(runtime);
        // No real file dialog ever opens: an empty script cancels.
        runtime.setFileDialogs(&fileDialogs);
        // A dialog shown modally is closed at once, as if the user pressed its default button.
        runtime.setModalHook([this](Form& f) {
            modalCaptions.push_back(f.caption());
            f.hide();
        });
        runtime.setDocumentOpener([this](const std::string& path) {
            openedDocuments.push_back(path);
            return true;
        });
        runtime.setEndHandler([this](int code) {
            ++programEnds;
            exitCode = code;
        });
    }
    ~Form1Test() override { form.reset(); }

    // The window as designed, before start-up.
    Form1& designed() {
        form = std::make_unique<Form1>();
        return *form;
    }
    // The designed window with inputs that pass the input checks (Mie, intensity v. scattering
    // angle from 0 to 180 degrees at 0.1, radius 10 um), as the wavelength box's handler needs them.
    Form1& designedWithValidInputs() {
        Form1& f = designed();
        f.codes.calcMethod = kMethodMie;
        f.codes.graphCode = kGraphAngle;
        f.codes.graphSubCode = kSubIntensity;
        for (auto [box, text] : {std::pair<TextBox*, const char*>{&f.txtXmin, "0"},
                                 {&f.txtXmax, "180"},
                                 {&f.txtRadius, "10"},
                                 {&f.txtAngle, "0"}})
            box->setText(text);
        for (auto [list, text] : {std::pair<ComboBox*, const char*>{&f.cboStep, "0.1"},
                                  {&f.cboYmin, "Automatic"},
                                  {&f.cboYmax, "Automatic"},
                                  {&f.cboWave, "1"}})
            list->setText(text);
        f.mnuRadius.setChecked(true);
        return f;
    }
    // The window after start-up on a screen of the given size.
    Form1& started(int widthPx = 1024, int heightPx = 768) {
        runtime.setScreen(ScreenMetrics{widthPx, heightPx, 15, 15});
        form = std::make_unique<Form1>();
        form->load();
        return *form;
    }

    Runtime runtime;
    ScriptedMessageBoxes messages;
    ScriptedFileDialogs fileDialogs;
    std::vector<std::string> modalCaptions;
    std::vector<std::string> openedDocuments;
    int programEnds = 0;
    int exitCode = -1;
    std::unique_ptr<Form1> form;
};

}  // namespace tessary::test
