// The hidden mode: the four-key access sequence (modifiers ignored) and the three Ctrl chords that arm,
// switch the special mode and toggle the Debye-term frame.
#include <QApplication>
#include <QTest>
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

constexpr int kArm = 'G';
constexpr int kSpecial = 'J';
constexpr int kFrame = 'F';

class HiddenModeTest : public test::Form1Test {
  protected:
    // Presses one key as the runtime reports it to the window.
    void press(int keyCode, int shift = 0) {
        int key = keyCode;
        int modifiers = shift;
        form->Form_KeyDown(key, modifiers);
        EXPECT_EQ(key, keyCode);  // the focused control still gets the key
        EXPECT_EQ(modifiers, shift);
    }
    void typeSequence(int shift = 0) {
        for (int key : form->windowState.hiddenKeyTable) press(key, shift);
    }
    void chord(int letter) { press(letter, keys::kCtrlMask); }
    bool hiddenMenusShown() const {
        return form->mnuHidden.visible() && form->mnuHidden.enabled() && form->mnuBar.visible() &&
               form->mnuKhare.visible() && form->mnuLock.visible() && form->mnuNussenzveig.visible();
    }
    int count(const ComboBox& list, const std::string& entry) const {
        int n = 0;
        for (int i = 0; i < list.listCount(); ++i) n += list.list(i) == entry ? 1 : 0;
        return n;
    }
};

TEST_F(HiddenModeTest, KeysAreLettersAndTheChordsAreOutsideTheSequence) {
    started();
    std::set<int> keys(form->windowState.hiddenKeyTable.begin(), form->windowState.hiddenKeyTable.end());
    EXPECT_EQ(keys.size(), 4u);
    keys.insert({kArm, kSpecial, kFrame});
    EXPECT_EQ(keys.size(), 7u);
    for (int key : keys) EXPECT_TRUE(key >= 'A' && key <= 'Z') << key;
}

TEST_F(HiddenModeTest, SequenceCompletesWithAnyModifiersHeld) {
    for (int shift :
         {0, keys::kShiftMask, keys::kCtrlMask, keys::kAltMask, keys::kShiftMask | keys::kCtrlMask}) {
        SCOPED_TRACE(shift);
        started();
        ASSERT_FALSE(form->mnuHidden.visible());
        typeSequence(shift);
        EXPECT_TRUE(hiddenMenusShown());
        EXPECT_EQ(form->windowState.hiddenModeState, 2);
        EXPECT_EQ(form->windowState.hiddenKeyPos, 0);
    }
}

TEST_F(HiddenModeTest, SequenceStatesAlongTheWay) {
    started();
    const auto& table = form->windowState.hiddenKeyTable;
    for (int i = 0; i < 3; ++i) {
        press(table[static_cast<std::size_t>(i)]);
        EXPECT_EQ(form->windowState.hiddenModeState, 1);
        EXPECT_EQ(form->windowState.hiddenKeyPos, i + 1);
    }
    press('Q');
    EXPECT_EQ(form->windowState.hiddenModeState, 0);
    EXPECT_EQ(form->windowState.hiddenKeyPos, 0);
}

TEST_F(HiddenModeTest, WrongKeyRestartsTheSequence) {
    struct Case {
        const char* name;
        std::vector<int> prefix;  // indices into the sequence, -1 for a key outside it
        bool shown;
    };
    const std::vector<Case> cases{
        {"three keys, a wrong key, the four keys", {0, 1, 2, -1, 0, 1, 2, 3}, true},
        {"three keys, a wrong key, the last key", {0, 1, 2, -1, 3}, false},
        {"a key out of turn does not count as the first", {0, 0, 1, 2, 3}, false},
        {"the second key first", {1, 0, 1, 2, 3}, true},
        {"the sequence twice", {0, 1, 2, 3, 0, 1, 2, 3}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        started();
        for (int i : c.prefix)
            press(i < 0 ? 'Q' : form->windowState.hiddenKeyTable[static_cast<std::size_t>(i)]);
        EXPECT_EQ(hiddenMenusShown(), c.shown);
    }
}

TEST_F(HiddenModeTest, IlluminationMenuOnlyForMieDebyeAndYoungMod) {
    for (const std::string method : {"Mie", "Debye", "Rayleigh", "Diffraction", "Airy", "Descartes", "Young",
                                     "Young mod", "Huygens", "Aperture", "Surface wave", "van de Hulst"}) {
        SCOPED_TRACE(method);
        started();
        test::Type(form->cboType, method);
        form->mnuIllumination.setVisible(false);
        typeSequence();
        EXPECT_TRUE(hiddenMenusShown());
        EXPECT_EQ(form->mnuIllumination.visible(),
                  method == "Mie" || method == "Debye" || method == "Young mod");
    }
}

TEST_F(HiddenModeTest, SpecialModeOnOffOnAppendsTheEntriesTwice) {
    started();
    const int graphs = form->cboGraph.listCount();
    const int methods = form->cboType.listCount();

    chord(kArm);
    chord(kSpecial);
    EXPECT_TRUE(form->mnuSpecial.enabled() && form->mnuSpecial.visible());
    EXPECT_TRUE(form->mnuSizeSpecial.enabled() && form->mnuSizeSpecial.visible());
    EXPECT_TRUE(form->mnuShowData.checked());
    EXPECT_TRUE(form->mnuMultBeams.visible() && form->mnuCentralBeam.visible());
    ASSERT_EQ(form->cboGraph.listCount(), graphs + 1);
    EXPECT_EQ(form->cboGraph.list(graphs), "Convergence");
    ASSERT_EQ(form->cboType.listCount(), methods + 3);
    EXPECT_EQ(form->cboType.list(methods), "Aperture");
    EXPECT_EQ(form->cboType.list(methods + 1), "Huygens");
    EXPECT_EQ(form->cboType.list(methods + 2), "van de Hulst");
    EXPECT_EQ(form->windowState.hiddenKeyArmed, 0);

    chord(kArm);
    chord(kSpecial);
    EXPECT_FALSE(form->mnuSpecial.enabled() || form->mnuSpecial.visible());
    EXPECT_FALSE(form->mnuSizeSpecial.enabled() || form->mnuSizeSpecial.visible());
    EXPECT_FALSE(form->mnuShowData.checked());
    EXPECT_TRUE(form->mnuMultBeams.visible() && form->mnuCentralBeam.visible());  // stay
    EXPECT_EQ(form->cboGraph.listCount(), graphs + 1);
    EXPECT_EQ(form->cboType.listCount(), methods + 3);

    chord(kArm);
    chord(kSpecial);
    EXPECT_TRUE(form->mnuSpecial.enabled() && form->mnuSpecial.visible());
    EXPECT_EQ(count(form->cboGraph, "Convergence"), 2);
    for (const char* method : {"Aperture", "Huygens", "van de Hulst"})
        EXPECT_EQ(count(form->cboType, method), 2);
    EXPECT_EQ(form->cboType.listCount(), methods + 6);
}

TEST_F(HiddenModeTest, ChordsWithoutArmingDoNothing) {
    started();
    const bool frameShown = form->Frame7.visible();
    chord(kSpecial);
    chord(kFrame);
    EXPECT_FALSE(form->mnuSpecial.enabled());
    EXPECT_EQ(form->Frame7.visible(), frameShown);

    // One special-mode chord per arming.
    chord(kArm);
    chord(kSpecial);
    ASSERT_TRUE(form->mnuSpecial.enabled());
    chord(kSpecial);
    EXPECT_TRUE(form->mnuSpecial.enabled());
    chord(kFrame);
    EXPECT_EQ(form->Frame7.visible(), frameShown);
}

TEST_F(HiddenModeTest, ChordsNeedCtrlAlone) {
    for (int shift : {0, keys::kShiftMask, keys::kAltMask, keys::kCtrlMask | keys::kShiftMask,
                      keys::kCtrlMask | keys::kAltMask}) {
        SCOPED_TRACE(shift);
        started();
        press(kArm, shift);
        EXPECT_EQ(form->windowState.hiddenKeyArmed, 0);
        chord(kArm);
        press(kSpecial, shift);
        EXPECT_FALSE(form->mnuSpecial.enabled());
        EXPECT_EQ(form->windowState.hiddenKeyArmed, 1);
    }
}

TEST_F(HiddenModeTest, FrameChordRepeatsWhileArmed) {
    started();
    ASSERT_FALSE(form->Frame7.visible());
    chord(kArm);
    for (bool shown : {true, false, true}) {
        chord(kFrame);
        EXPECT_EQ(form->Frame7.visible(), shown);
        EXPECT_EQ(form->windowState.hiddenKeyArmed, 1);
        press('Q');  // another key leaves the chords armed
    }
}

// Through the window: the keys reach the window before the focused box, which still takes them, and a
// Shift or Ctrl pressed for a key is no key of its own.
TEST_F(HiddenModeTest, KeysTypedIntoABoxReachTheWindowFirst) {
    started();
    form->show();
    QApplication::setActiveWindow(form->window());
    form->txtRadius.setFocus();
    form->txtRadius.setText("");
    QWidget* box = form->txtRadius.widget();
    QTest::keyClick(box, Qt::Key_T, Qt::ShiftModifier);
    QTest::keyClick(box, Qt::Key_E);
    QTest::keyClick(box, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Y);
    EXPECT_TRUE(hiddenMenusShown());
    EXPECT_FALSE(form->txtRadius.text().empty());

    QTest::keyClick(box, Qt::Key_G, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(form->Frame7.visible());
    form->hide();
}

}  // namespace
}  // namespace tessary
