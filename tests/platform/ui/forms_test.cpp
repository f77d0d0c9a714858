// Windows, menus, keys, message boxes, the modal-dialog hook and the application services.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/menu.h"
#include "platform/ui/message_text.h"
#include "tests/platform/ui/ui_test_support.h"

namespace tessary {
namespace {

using Log = std::vector<std::string>;

// A small dialog in the style of the option dialogs: its fields are the stored parameters.
class ValueDialog : public Form {
  public:
    ValueDialog() : Form("Average") {
        OKButton.setDefault(true);
        CancelButton.setCancel(true);
        OKButton.onClick = [this] {
            accepted = true;
            hide();
        };
        CancelButton.onClick = [this] {
            accepted = false;
            hide();
        };
        onClose = [this] { CancelButton.click(); };
    }
    bool accepted = false;
    TextBox txtAverage{*this, "5"};
    CommandButton OKButton{*this, "OK"};
    CommandButton CancelButton{*this, "Cancel"};
};

class MainForm : public Form {
  public:
    MainForm() : Form("Mie scattering") {
        mnuFile.onClick = [this] { log.push_back("mnuFile_Click"); };
        mnuExit.onClick = [this] { log.push_back("mnuExit_Click"); };
        mnuBatchFile.onClick = [this] {
            log.push_back("mnuBatchFile_Click");
            mnuBatchFile.setChecked(!mnuBatchFile.checked());
        };
        mnuLarge.onClick = [this] { log.push_back("mnuLarge_Click"); };
        onKeyDown = [this](int& keyCode, int& shift) {
            log.push_back("Form_KeyDown " + std::to_string(keyCode) + " " + std::to_string(shift));
            if (keyCode == 'X') keyCode = 0;
        };
        txtLambda.onChange = [this] { log.push_back("txtLambda_change " + txtLambda.text()); };
        cmdNewPlot.onClick = [this] { log.push_back("cmdNewPlot_Click"); };
        cmdReplot.onClick = [this] { log.push_back("cmdReplot_Click"); };
        cmdStop.onClick = [this] {
            if (msgBox("Do you want to stop the calculation?", 4, std::string("Calculation in progress!")) ==
                6)
                runState = 4;
            log.push_back("runState " + std::to_string(runState));
        };
        cmdAverage.onClick = [this] {
            dlogAverage->show(ShowMode::Modal);
            log.push_back("average " + dlogAverage->txtAverage.text() +
                          (dlogAverage->accepted ? " OK" : " Cancel"));
        };
    }
    Log log;
    int runState = 1;
    FormRef<ValueDialog> dlogAverage;
    Menu mnuFile{*this, "&File"};
    Menu mnuBatchFile{mnuFile, "Batch file ....."};
    Menu mnuSep{mnuFile, "-"};
    Menu mnuExit{mnuFile, "&Exit"};
    Menu mnuGraph{*this, "&Graph"};
    Menu mnuSize{mnuGraph, "Graph size"};
    Menu mnuLarge{mnuSize, "Large"};
    TextBox txtLambda{*this};
    CommandButton cmdNewPlot{*this, "New plot"};
    CommandButton cmdReplot{*this, "Replot"};
    CommandButton cmdStop{*this, "Stop calculation"};
    CommandButton cmdAverage{*this, "Average"};
};

class FormsTest : public test::UiTest {
  protected:
    FormsTest() { form.load(); }
    void showAndFocus(Control& control) {
        form.show();
        QApplication::setActiveWindow(form.window());
        control.setFocus();
    }
    MainForm form;
};

TEST_F(FormsTest, CheckedWritesRaiseNothingAndChoosingNeverTogglesTheMark) {
    form.mnuLarge.setChecked(true);
    form.mnuLarge.setChecked(false);
    EXPECT_TRUE(form.log.empty());
    form.mnuLarge.setChecked(true);
    form.mnuLarge.trigger();  // its handler leaves the mark alone
    EXPECT_TRUE(form.mnuLarge.checked());
    EXPECT_TRUE(form.mnuLarge.action()->isChecked());
    form.mnuBatchFile.trigger();  // its handler toggles the mark itself
    form.mnuBatchFile.trigger();
    EXPECT_FALSE(form.mnuBatchFile.checked());
    EXPECT_FALSE(form.mnuBatchFile.action()->isChecked());
    EXPECT_EQ(form.log, (Log{"mnuLarge_Click", "mnuBatchFile_Click", "mnuBatchFile_Click"}));
}

TEST_F(FormsTest, DisabledOrHiddenItemsCannotBeChosenAndFlagsReadBack) {
    form.mnuExit.setEnabled(false);
    form.mnuExit.trigger();
    form.mnuLarge.setVisible(false);
    form.mnuLarge.trigger();
    EXPECT_TRUE(form.log.empty());
    EXPECT_FALSE(form.mnuExit.enabled());
    EXPECT_FALSE(form.mnuExit.action()->isEnabled());
    EXPECT_FALSE(form.mnuLarge.visible());
    EXPECT_FALSE(form.mnuLarge.action()->isVisible());
    EXPECT_TRUE(form.mnuSep.action()->isSeparator());
}

TEST_F(FormsTest, MenuTreeWithSubMenusAndAnOpeningHandler) {
    ASSERT_NE(form.mnuFile.subMenu(), nullptr);
    ASSERT_NE(form.mnuSize.subMenu(), nullptr);
    EXPECT_EQ(form.mnuFile.subMenu()->actions().size(), 3);
    EXPECT_EQ(form.mnuSize.subMenu()->title(), QString("Graph size"));
    emit form.mnuFile.subMenu()->aboutToShow();
    EXPECT_EQ(form.log, Log{"mnuFile_Click"});
    form.mnuFile.setCaption("&Files");
    EXPECT_EQ(form.mnuFile.action()->text(), QString("&Files"));
}

TEST_F(FormsTest, TheMenuBarDisappearsWhenNoMenuIsVisible) {
    const double clientHeight = form.clientSize().height();
    ASSERT_TRUE(form.menuBar()->isVisibleTo(form.window()));
    form.mnuFile.setVisible(false);
    form.mnuGraph.setVisible(false);
    EXPECT_FALSE(form.menuBar()->isVisibleTo(form.window()));
    EXPECT_GT(form.clientSize().height(), clientHeight);
    form.mnuGraph.setVisible(true);
    EXPECT_TRUE(form.menuBar()->isVisibleTo(form.window()));
}

TEST_F(FormsTest, FormSeesEveryKeyBeforeTheFocusedControlWhichStillGetsIt) {
    showAndFocus(form.txtLambda);
    QTest::keyClick(form.txtLambda.widget(), Qt::Key_A);
    QTest::keyClick(form.txtLambda.widget(), Qt::Key_B, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::keyClick(form.txtLambda.widget(), Qt::Key_F1);
    // The modifier keys themselves are keys too (16 Shift, 17 Ctrl), each with the modifiers held.
    EXPECT_EQ(form.log, (Log{"Form_KeyDown 65 0", "txtLambda_change a", "Form_KeyDown 16 1",
                             "Form_KeyDown 17 3", "Form_KeyDown 66 3", "Form_KeyDown 112 0"}));
}

TEST_F(FormsTest, KeysTypedIntoAnEditableListReachTheFormFirst) {
    ComboBox cboRays(form);
    cboRays.onChange = [&] { form.log.push_back("cboRays_Change " + cboRays.text()); };
    showAndFocus(cboRays);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_7);
    EXPECT_EQ(form.log, (Log{"Form_KeyDown 55 0", "cboRays_Change 7"}));
}

TEST_F(FormsTest, KeyHandlerCanKeepAKeyFromTheControl) {
    showAndFocus(form.txtLambda);
    QTest::keyClick(form.txtLambda.widget(), Qt::Key_X);
    EXPECT_EQ(form.log, Log{"Form_KeyDown 88 0"});
    EXPECT_EQ(form.txtLambda.text(), "");
}

TEST_F(FormsTest, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
    form.cmdNewPlot.setDefault(true);
    form.cmdReplot.setDefault(true);  // one default per window
    EXPECT_FALSE(form.cmdNewPlot.isDefault());
    EXPECT_TRUE(form.cmdReplot.isDefault());
    form.cmdNewPlot.setCancel(true);
    showAndFocus(form.txtLambda);
    QTest::keyClick(form.txtLambda.widget(), Qt::Key_Return);
    QTest::keyClick(form.txtLambda.widget(), Qt::Key_Escape);
    EXPECT_EQ(form.log,
              (Log{"Form_KeyDown 13 0", "cmdReplot_Click", "Form_KeyDown 27 0", "cmdNewPlot_Click"}));
    form.log.clear();
    form.cmdReplot.setEnabled(false);
    QTest::keyClick(form.txtLambda.widget(), Qt::Key_Return);
    EXPECT_EQ(form.log, Log{"Form_KeyDown 13 0"});
}

TEST_F(FormsTest, EnterOnAFocusedButtonPressesThatButton) {
    form.cmdReplot.setDefault(true);
    showAndFocus(form.cmdNewPlot);
    QTest::keyClick(form.cmdNewPlot.widget(), Qt::Key_Return);
    EXPECT_EQ(form.log, (Log{"Form_KeyDown 13 0", "cmdNewPlot_Click"}));
}

TEST_F(FormsTest, KeyCodesAndShiftBits) {
    EXPECT_EQ(keyCodeOf(Qt::Key_Z, false), 90);
    EXPECT_EQ(keyCodeOf(Qt::Key_5, false), 53);
    EXPECT_EQ(keyCodeOf(Qt::Key_5, true), 101);
    EXPECT_EQ(keyCodeOf(Qt::Key_F12, false), 123);
    EXPECT_EQ(keyCodeOf(Qt::Key_Escape, false), 27);
    EXPECT_EQ(keyCodeOf(Qt::Key_Down, false), 40);
    EXPECT_EQ(shiftBitsOf(Qt::AltModifier | Qt::ShiftModifier), 5);
}

TEST_F(FormsTest, YesNoBoxInAHandlerReturnsTheScriptedAnswer) {
    messages.answer(mb::kNo);
    messages.answer(mb::kYes);
    form.cmdStop.click();
    form.cmdStop.click();
    EXPECT_EQ(form.log, (Log{"runState 1", "runState 4"}));
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.last().title, "Calculation in progress!");
    EXPECT_EQ(messages.last().prompt, "Do you want to stop the calculation?");
    EXPECT_EQ(messages.last().style, 4);
}

TEST_F(FormsTest, MessageBoxTitleIsTheProgramsUnlessGivenAndAnEmptyTitleStaysEmpty) {
    runtime.setProgramTitle("Tessary");
    EXPECT_EQ(msgBox("No file was selected"), mb::kOk);
    EXPECT_EQ(messages.last().title, "Tessary");
    EXPECT_EQ(messages.last().style, 0);
    msgBox("Input scattering angle", 0, std::string());
    EXPECT_EQ(messages.last().title, "");
    EXPECT_EQ(msgBox("Unscripted", mb::kYesNo), mb::kYes);  // an empty script takes the first button
}

TEST_F(FormsTest, PromptCarriageReturnsBreakLinesAndBlanksStay) {
    EXPECT_EQ(messageBoxText("    The red highlighted data entry is incorrect.    "),
              "    The red highlighted data entry is incorrect.    ");
    EXPECT_EQ(messageBoxText("first\r\rsecond\r\nthird"), "first\n\nsecond\nthird");
}

TEST_F(FormsTest, ModalDialogDrivenByTheHookReturnsItsFields) {
    runtime.setModalHook([](Form& shown) {
        auto& dialog = dynamic_cast<ValueDialog&>(shown);
        EXPECT_TRUE(dialog.visible());
        dialog.txtAverage.setText("12");
        dialog.OKButton.click();
    });
    form.cmdAverage.click();
    EXPECT_EQ(form.log, Log{"average 12 OK"});
    EXPECT_FALSE(form.dlogAverage->visible());
    EXPECT_EQ(runtime.modalFormsLeftOpen(), 0);
    // Hidden, never destroyed: the value persists.
    EXPECT_EQ(form.dlogAverage->txtAverage.text(), "12");
}

TEST_F(FormsTest, ModalDialogLeftOpenByTheHookIsHiddenAndCounted) {
    runtime.setModalHook([](Form&) {});
    form.cmdAverage.click();
    EXPECT_FALSE(form.dlogAverage->visible());
    EXPECT_EQ(runtime.modalFormsLeftOpen(), 1);
}

TEST_F(FormsTest, TitleBarCloseActsAsTheWindowsCancelAndKeepsTheWindow) {
    runtime.setModalHook([](Form& shown) {
        auto& dialog = dynamic_cast<ValueDialog&>(shown);
        dialog.txtAverage.setText("7");
        dialog.window()->close();
    });
    form.cmdAverage.click();
    EXPECT_EQ(form.log, Log{"average 7 Cancel"});
    EXPECT_FALSE(form.dlogAverage->visible());
    EXPECT_EQ(form.dlogAverage->txtAverage.text(), "7");
}

TEST_F(FormsTest, CloseWithoutHandlerHides) {
    form.show();
    form.requestClose();
    EXPECT_FALSE(form.visible());
}

TEST_F(FormsTest, WindowGeometryAndTheSmallScreenScaleRule) {
    struct Case {
        ScreenMetrics screen;
        double width, height;
    };
    const Case cases[] = {
        {{1024, 768, 15, 15}, 15240, 9285},
        {{1280, 1024, 15, 15}, 15240, 9285},
        {{800, 600, 15, 15}, 12180, 9180},
        {{640, 480, 15, 15}, 9780, 7380},
    };
    for (const Case& c : cases) {
        runtime.setScreen(c.screen);
        MainForm main;
        main.setHeight(9285);
        main.setWidth(15240);
        EXPECT_DOUBLE_EQ(main.width(), c.width) << c.screen.widthPx;
        EXPECT_DOUBLE_EQ(main.height(), c.height) << c.screen.widthPx;
        if (main.width() == 12180) {
            main.setScaleTop(-1500);
            main.setScaleHeight(12800);
        }
        main.setScaleWidth(15360);
        EXPECT_DOUBLE_EQ(main.scaleWidth(), 15360);
        if (c.screen.widthPx == 800) {
            EXPECT_DOUBLE_EQ(main.scaleTop(), -1500);
            EXPECT_DOUBLE_EQ(main.scaleHeight(), 12800);
        }
    }
}

TEST_F(FormsTest, ScreenMetricsAreInjected) {
    runtime.setScreen({1400, 1050, 15, 15});
    EXPECT_EQ(screen().widthTwips(), 21000);
    EXPECT_EQ(screen().heightTwips(), 15750);
    runtime.setScreen({800, 600, 12, 12});
    EXPECT_EQ(screen().widthTwips() / screen().twipsPerPixelX, 800);
}

TEST_F(FormsTest, WindowStateMousePointerAndCaption) {
    form.setWindowState(2);
    EXPECT_EQ(form.windowState(), 2);
    form.show();
    EXPECT_EQ(form.windowState(), 2);
    EXPECT_TRUE(form.window()->isMaximized());
    form.setWindowState(1);
    EXPECT_EQ(form.windowState(), 1);
    form.setMousePointer(11);
    EXPECT_EQ(form.mousePointer(), 11);
    EXPECT_EQ(form.window()->cursor().shape(), Qt::WaitCursor);
    form.setMousePointer(1);
    EXPECT_EQ(form.window()->cursor().shape(), Qt::ArrowCursor);
    form.setCaption("Simulation");
    EXPECT_EQ(form.window()->windowTitle(), QString("Simulation"));
}

TEST_F(FormsTest, DoEventsRunsPendingEventsAndThePumpHook) {
    int pumped = 0;
    bool timerRan = false;
    runtime.setPumpHook([&] { ++pumped; });
    QTimer::singleShot(0, [&] {
        timerRan = true;
        doEvents();  // re-entrant
    });
    doEvents();
    EXPECT_TRUE(timerRan);
    EXPECT_EQ(pumped, 2);
    EXPECT_EQ(runtime.pumpCount(), 2);
}

TEST_F(FormsTest, BeepEndAndCommandLine) {
    beep();
    EXPECT_EQ(runtime.beepCount(), 1);
    Log ended;
    runtime.addEndAction([&] { ended.push_back("close files"); });
    runtime.setEndHandler([&](int code) { ended.push_back("end " + std::to_string(code)); });
    endProgram();
    EXPECT_EQ(ended, (Log{"close files", "end 0"}));
    const char* argv[] = {"tessary", "-a", "file.tsy"};
    runtime.setCommandLine(3, argv);
    EXPECT_EQ(commandLine(), "-a file.tsy");
}

TEST_F(FormsTest, RuntimesNestLikeScopes) {
    Runtime& outer = Runtime::current();
    EXPECT_EQ(&outer, &runtime);
    {
        Runtime inner;
        EXPECT_EQ(&Runtime::current(), &inner);
    }
    EXPECT_EQ(&Runtime::current(), &runtime);
}

}  // namespace
}  // namespace tessary
