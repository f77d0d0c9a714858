// Events raised by controls: from code once per real change, synchronously and nested; from user
// actions the same; option groups per container; Visible and colours as the control's own state.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <string>
#include <vector>

#include "platform/ui/form.h"
#include "tests/platform/ui/ui_test_support.h"

namespace tessary {
namespace {

using Log = std::vector<std::string>;

class InputForm : public Form {
  public:
    InputForm() : Form("Inputs") {
        txtLambda.onChange = [this] { log.push_back("txtLambda_change " + txtLambda.text()); };
        txtRadius.onChange = [this] {
            log.push_back("txtRadius_Change begin");
            txtLambda.setText("0.5");
            log.push_back("txtRadius_Change end");
        };
        cboGraph.onClick = [this] { log.push_back("cboGraph_Click " + cboGraph.text()); };
        cboGraph.onChange = [this] { log.push_back("cboGraph_Change " + cboGraph.text()); };
        cboType.onClick = [this] { log.push_back("cboType_click " + cboType.text()); };
        chk1256.onClick = [this] {
            log.push_back("chk1256_Click");
            chkRays0.setValue(chk1256.value() == 0 ? 1 : 0);
        };
        chkRays0.onClick = [this] {
            log.push_back("chkRays0_Click");
            chk1256.setValue(chkRays0.value() == 0 ? 1 : 0);
        };
        optA1.onClick = [this] { log.push_back("optA1_Click"); };
        optA2.onClick = [this] { log.push_back("optA2_Click"); };
        optB1.onClick = [this] { log.push_back("optB1_Click"); };
        optB2.onClick = [this] { log.push_back("optB2_Click"); };
        optForm.onClick = [this] { log.push_back("optForm_Click"); };
        cmdGo.onClick = [this] { log.push_back("cmdGo_Click"); };
    }

    Log log;
    TextBox txtLambda{*this};
    TextBox txtRadius{*this};
    ComboBox cboGraph{*this};
    ComboBox cboType{*this, ComboBox::Style::Fixed};
    CheckBox chk1256{*this, "1256"};
    CheckBox chkRays0{*this, "Ray 0"};
    Frame frameA{*this, "A"};
    OptionButton optA1{frameA, "A1"};
    OptionButton optA2{frameA, "A2"};
    Frame frameB{*this, "B"};
    OptionButton optB1{frameB, "B1"};
    OptionButton optB2{frameB, "B2"};
    OptionButton optForm{*this, "on the form"};
    CommandButton cmdGo{*this, "Go"};
};

class ControlsTest : public test::UiTest {
  protected:
    ControlsTest() { form.load(); }
    InputForm form;
};

TEST_F(ControlsTest, TextWrittenFromCodeRaisesChangeOnceAndSameTextNone) {
    form.txtLambda.setText("0.65");
    EXPECT_EQ(form.log, Log{"txtLambda_change 0.65"});
    form.txtLambda.setText("0.65");
    EXPECT_EQ(form.log.size(), 1u);
    EXPECT_EQ(static_cast<QLineEdit*>(form.txtLambda.widget())->text(), QString("0.65"));
}

// A box shown at the events holds every text written at once (Change raised) and shows the last one
// when the events are next processed.
TEST_F(ControlsTest, TextShownAtEventsAppearsWhenTheEventsAreProcessed) {
    form.txtLambda.setShownAtEvents(true);
    form.txtLambda.setText("1");
    form.txtLambda.setText("2");
    EXPECT_EQ(form.txtLambda.text(), "2");
    EXPECT_EQ(form.log, (Log{"txtLambda_change 1", "txtLambda_change 2"}));
    auto* edit = static_cast<QLineEdit*>(form.txtLambda.widget());
    EXPECT_EQ(edit->text(), QString(""));
    QCoreApplication::processEvents();
    EXPECT_EQ(edit->text(), QString("2"));
}

TEST_F(ControlsTest, NestedHandlerRunsInsideTheSetterBeforeTheNextStatement) {
    form.txtRadius.setText("10");
    form.log.push_back("after setter");
    EXPECT_EQ(form.log, (Log{"txtRadius_Change begin", "txtLambda_change 0.5", "txtRadius_Change end",
                             "after setter"}));
}

TEST_F(ControlsTest, CheckBoxPairWhoseHandlersSetEachOtherStopsAfterOnePass) {
    form.chkRays0.setValue(1);  // chk1256 is 0 already: its handler does not run
    EXPECT_EQ(form.log, Log{"chkRays0_Click"});
    form.log.clear();
    form.chk1256.setValue(1);
    EXPECT_EQ(form.log, (Log{"chk1256_Click", "chkRays0_Click"}));
    EXPECT_EQ(form.chk1256.value(), 1);
    EXPECT_EQ(form.chkRays0.value(), 0);
    form.log.clear();
    form.chkRays0.setValue(1);
    EXPECT_EQ(form.log, (Log{"chkRays0_Click", "chk1256_Click"}));
    EXPECT_EQ(form.chk1256.value(), 0);
}

TEST_F(ControlsTest, CheckBoxKeepsTheGreyedValueAndRaisesOnlyOnChange) {
    form.chkRays0.onClick = nullptr;
    form.chk1256.onClick = [&] { form.log.push_back("click"); };
    form.chk1256.setValue(2);
    form.chk1256.setValue(2);
    EXPECT_EQ(form.chk1256.value(), 2);
    EXPECT_EQ(form.log, Log{"click"});
    EXPECT_EQ(static_cast<QCheckBox*>(form.chk1256.widget())->checkState(), Qt::PartiallyChecked);
}

TEST_F(ControlsTest, ListIndexRaisesClickAndAddItemRaisesNothing) {
    form.cboGraph.addItem("Multiple");
    form.cboGraph.addItem("0");
    form.cboGraph.addItem("Multiple");  // duplicates are kept
    EXPECT_TRUE(form.log.empty());
    EXPECT_EQ(form.cboGraph.listCount(), 3);
    EXPECT_EQ(form.cboGraph.listIndex(), -1);
    EXPECT_EQ(form.cboGraph.text(), "");
    form.cboGraph.setListIndex(1);
    EXPECT_EQ(form.log, Log{"cboGraph_Click 0"});
    form.cboGraph.setListIndex(1);
    EXPECT_EQ(form.log.size(), 1u);
    form.cboGraph.setListIndex(2);
    EXPECT_EQ(form.cboGraph.text(), "Multiple");
    EXPECT_EQ(form.cboGraph.listIndex(), 2);
    EXPECT_EQ(static_cast<QComboBox*>(form.cboGraph.widget())->currentText(), QString("Multiple"));
}

TEST_F(ControlsTest, ComboTextRaisesChangeAndFollowsTheFirstEqualEntry) {
    form.cboGraph.addItem("Automatic");
    form.cboGraph.addItem("1000");
    form.cboGraph.setText("1000");
    EXPECT_EQ(form.log, Log{"cboGraph_Change 1000"});
    EXPECT_EQ(form.cboGraph.listIndex(), 1);
    form.cboGraph.setText("1000");
    form.cboGraph.setText("12");
    EXPECT_EQ(form.log, (Log{"cboGraph_Change 1000", "cboGraph_Change 12"}));
    EXPECT_EQ(form.cboGraph.listIndex(), -1);
}

TEST_F(ControlsTest, FixedListTextSelectsAnEntryAndRaisesClick) {
    for (const char* item : {"Mie", "Debye", "Airy"}) form.cboType.addItem(item);
    EXPECT_EQ(form.cboType.listIndex(), -1);
    form.cboType.setText("Debye");
    form.cboType.setText("not in the list");
    EXPECT_EQ(form.log, Log{"cboType_click Debye"});
    EXPECT_EQ(form.cboType.listIndex(), 1);
}

TEST_F(ControlsTest, ListIndexOutsideTheListIsIgnored) {
    form.cboGraph.addItem("a");
    form.cboGraph.setListIndex(5);
    form.cboGraph.setListIndex(-2);
    EXPECT_EQ(form.cboGraph.listIndex(), -1);
    EXPECT_TRUE(form.log.empty());
}

TEST_F(ControlsTest, OptionButtonsInTwoFramesAreIndependent) {
    form.optA1.setValue(true);
    form.optB2.setValue(true);
    EXPECT_TRUE(form.optA1.value());
    EXPECT_TRUE(form.optB2.value());
    form.optA2.setValue(true);  // clears A1 silently, leaves frame B alone
    EXPECT_FALSE(form.optA1.value());
    EXPECT_TRUE(form.optA2.value());
    EXPECT_TRUE(form.optB2.value());
    form.optForm.setValue(true);  // the form is a group of its own
    EXPECT_TRUE(form.optA2.value());
    EXPECT_EQ(form.log, (Log{"optA1_Click", "optB2_Click", "optA2_Click", "optForm_Click"}));
}

TEST_F(ControlsTest, SelectingTheSelectedOptionOrClearingOneRaisesNothing) {
    form.optA1.setValue(true);
    form.optA1.setValue(true);
    form.optA1.setValue(false);
    EXPECT_FALSE(form.optA1.value());
    EXPECT_EQ(form.log, Log{"optA1_Click"});
}

TEST_F(ControlsTest, VisibleIsTheControlsOwnFlagAlsoBeforeTheWindowIsShown) {
    EXPECT_FALSE(form.visible());
    EXPECT_TRUE(form.txtLambda.visible());
    form.txtLambda.setVisible(false);
    form.optA1.setVisible(false);
    EXPECT_FALSE(form.txtLambda.visible());
    form.optA1.setVisible(true);
    EXPECT_TRUE(form.optA1.visible());
    form.frameB.setVisible(false);
    EXPECT_TRUE(form.optB1.visible());  // hiding the frame leaves its buttons' own flags alone
    form.show();
    EXPECT_TRUE(form.visible());
    EXPECT_FALSE(form.txtLambda.widget()->isVisible());
    EXPECT_TRUE(form.txtRadius.widget()->isVisible());
    form.hide();
    EXPECT_FALSE(form.visible());
    EXPECT_TRUE(form.txtRadius.visible());
}

TEST_F(ControlsTest, EnabledAndColoursReadBackAsWritten) {
    form.txtLambda.setEnabled(false);
    EXPECT_FALSE(form.txtLambda.enabled());
    EXPECT_FALSE(form.txtLambda.widget()->isEnabled());
    const OleColor colours[] = {16777215u, 65535u, 255u, 65280u, 16776960u, kButtonFace};
    for (OleColor c : colours) {
        form.txtLambda.setBackColor(c);
        EXPECT_EQ(form.txtLambda.backColor(), c);
    }
    form.optA1.setBackColor(65535);
    EXPECT_EQ(form.optA1.widget()->palette().color(QPalette::Window), QColor(255, 255, 0));
}

TEST_F(ControlsTest, GeometryIsInTwipsOnTheFormAndInFrames) {
    form.txtLambda.move(1500, 300, 1200, 285);
    EXPECT_EQ(form.txtLambda.widget()->geometry(), QRect(100, 20, 80, 19));
    EXPECT_DOUBLE_EQ(form.txtLambda.left(), 1500);
    EXPECT_DOUBLE_EQ(form.txtLambda.width(), 1200);
    form.frameA.move(3000, 1500, 3000, 1500);
    form.optA1.move(150, 300);
    EXPECT_EQ(form.optA1.widget()->pos(), QPoint(10, 20));  // relative to the frame, in twips
    EXPECT_DOUBLE_EQ(form.optA1.top(), 300);
    form.setLeft(0);
    form.setTop(0);
    form.txtLambda.setLeft(std::nan(""));  // ignored
    EXPECT_DOUBLE_EQ(form.txtLambda.left(), 1500);
    form.txtLambda.setLeft(1e300);  // saturates
    EXPECT_GT(form.txtLambda.widget()->x(), 1000000);
}

TEST_F(ControlsTest, ControlPositionsFollowTheWindowsScale) {
    form.setWidth(15360);
    form.setScaleWidth(2048);  // two units per pixel
    form.txtLambda.setLeft(200);
    EXPECT_EQ(form.txtLambda.widget()->x(), 100);
    EXPECT_DOUBLE_EQ(form.txtLambda.left(), 200);
}

TEST_F(ControlsTest, ToolTipAndCaptionsAreShown) {
    form.cboType.setToolTipText("Select calculation method");
    EXPECT_EQ(form.cboType.toolTipText(), "Select calculation method");
    EXPECT_EQ(form.cboType.widget()->toolTip(), QString("Select calculation method"));
    form.cmdGo.setCaption("Circles OFF");
    EXPECT_EQ(static_cast<QPushButton*>(form.cmdGo.widget())->text(), QString("Circles OFF"));
}

TEST_F(ControlsTest, UserActionsRaiseTheSameHandlers) {
    form.show();
    QApplication::setActiveWindow(form.window());
    form.txtLambda.setFocus();
    QTest::keyClicks(form.txtLambda.widget(), "12");
    QTest::mouseClick(form.chk1256.widget(), Qt::LeftButton);
    QTest::mouseClick(form.optB1.widget(), Qt::LeftButton);
    QTest::mouseClick(form.optB1.widget(), Qt::LeftButton);  // already selected: nothing
    QTest::mouseClick(form.cmdGo.widget(), Qt::LeftButton);
    EXPECT_EQ(form.log, (Log{"txtLambda_change 1", "txtLambda_change 12", "chk1256_Click", "optB1_Click",
                             "cmdGo_Click"}));
    EXPECT_EQ(form.txtLambda.text(), "12");
    EXPECT_EQ(form.chk1256.value(), 1);
    EXPECT_TRUE(form.optB1.value());
    EXPECT_TRUE(static_cast<QRadioButton*>(form.optB1.widget())->isChecked());
}

TEST_F(ControlsTest, UserChoosingAnEntryRaisesClickEvenForTheSameEntry) {
    for (const char* item : {"1", "3", "7"}) form.cboGraph.addItem(item);
    form.cboGraph.setListIndex(0);
    form.log.clear();
    auto* box = static_cast<QComboBox*>(form.cboGraph.widget());
    box->setCurrentIndex(2);
    emit box->activated(2);
    emit box->activated(2);
    EXPECT_EQ(form.log, (Log{"cboGraph_Click 7", "cboGraph_Click 7"}));
    EXPECT_EQ(form.cboGraph.listIndex(), 2);
}

TEST_F(ControlsTest, ScrollingTheDropDownListRaisesScroll) {
    int scrolls = 0;
    form.cboGraph.onScroll = [&] { ++scrolls; };
    for (int i = 0; i < 40; ++i) form.cboGraph.addItem(std::to_string(i));
    form.cboGraph.setListIndex(30);
    EXPECT_EQ(scrolls, 0);  // filling and selecting from code scroll nothing
    QScrollBar* bar = static_cast<QComboBox*>(form.cboGraph.widget())->view()->verticalScrollBar();
    bar->setRange(0, 100);
    bar->setValue(10);
    EXPECT_GE(scrolls, 1);
}

TEST_F(ControlsTest, TypingIntoAComboRaisesChange) {
    form.show();
    QApplication::setActiveWindow(form.window());
    form.cboGraph.setFocus();
    QTest::keyClicks(form.cboGraph.widget(), "5");
    EXPECT_EQ(form.log, Log{"cboGraph_Change 5"});
    EXPECT_EQ(form.cboGraph.text(), "5");
}

// A number longer than its box, written from code, shows its first digits (the cursor at the start).
TEST_F(ControlsTest, TextWrittenFromCodeShowsItsBeginning) {
    form.show();
    form.txtLambda.setWidth(600);
    form.cboGraph.setWidth(900);
    form.txtLambda.setText("3.601626363961792");
    form.cboGraph.setText("3.601626363961792");
    for (QLineEdit* edit : {static_cast<QLineEdit*>(form.txtLambda.widget()),
                            static_cast<QComboBox*>(form.cboGraph.widget())->lineEdit()}) {
        EXPECT_EQ(edit->cursorPosition(), 0);
    }
}

TEST_F(ControlsTest, CommandButtonClickFromCodeRunsItsHandler) {
    form.cmdGo.click();
    EXPECT_EQ(form.log, Log{"cmdGo_Click"});
}

TEST_F(ControlsTest, SymbolFontShowsTheMicroSign) {
    Label label28(form, "m");
    label28.setFontName("Symbol");
    EXPECT_EQ(label28.caption(), "m");
    EXPECT_EQ(static_cast<QLabel*>(label28.widget())->text(), QString(QChar(0x00B5)));
    Label label6(form, "Wavelength (&m)");
    EXPECT_EQ(static_cast<QLabel*>(label6.widget())->text(), QString("Wavelength (m)"));
}

TEST_F(ControlsTest, HiddenLabelShowsItsLastCaptionWhenShown) {
    Label label(form, "0");  // hidden: a value a run keeps
    label.setVisible(false);
    for (const char* caption : {"0.5", "&1"}) label.setCaption(caption);
    label.setVisible(true);
    EXPECT_EQ(static_cast<QLabel*>(label.widget())->text(), QString("1"));
}

// A form whose design writes values after pointing events at handlers: nothing runs before load().
class DesignForm : public Form {
  public:
    DesignForm() {
        txt.onChange = [this] { ++changes; };
        chk.onClick = [this] { ++changes; };
        txt.setText("design text");
        chk.setValue(1);
        onLoad = [this] {
            loadedHidden = !visible();
            txt.setText("loaded");
        };
    }
    int changes = 0;
    bool loadedHidden = false;
    TextBox txt{*this};
    CheckBox chk{*this};
};

TEST_F(ControlsTest, DesignRaisesNothingAndLoadRunsOnFirstAccessWithoutShowing) {
    FormRef<DesignForm> dialog;
    EXPECT_FALSE(dialog.loaded());
    EXPECT_EQ(dialog->txt.text(), "loaded");  // first access makes the window and runs its load
    EXPECT_TRUE(dialog.loaded());
    EXPECT_TRUE(dialog->loadedHidden);
    EXPECT_FALSE(dialog->visible());
    EXPECT_EQ(dialog->changes, 1);  // only the write made by the load handler
    EXPECT_EQ(dialog->chk.value(), 1);
}

}  // namespace
}  // namespace tessary
