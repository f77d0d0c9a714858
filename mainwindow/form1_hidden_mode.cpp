// Hidden mode of the main window: options kept from ordinary users appear only after access keys
// typed while the window is active. The window sees every key before the control that has the focus,
// and leaves the key to that control.
#include "mainwindow/form1.h"
#include "runs/method_codes.h"

namespace tessary {
namespace {

// The access keys. The four-key sequence is hiddenKeyTable, filled at start-up with T, E, S, Y;
// modifiers held while it is typed are ignored. The chords are Ctrl with a letter outside the
// sequence (Ctrl, because window managers and menu mnemonics take Alt):
//   Ctrl+G  arms the chords;
//   Ctrl+J  (armed) switches the special mode on or off, and disarms;
//   Ctrl+F  (armed) shows or hides the frame of Debye-term boxes; it stays armed.
struct Chord {
    int keyCode;
    int shift;
};
constexpr Chord kArmChord{'G', keys::kCtrlMask};
constexpr Chord kSpecialModeChord{'J', keys::kCtrlMask};
constexpr Chord kFrameChord{'F', keys::kCtrlMask};

constexpr bool Pressed(const Chord& chord, int keyCode, int shift) {
    return keyCode == chord.keyCode && shift == chord.shift;
}

// A Shift, Ctrl or Alt key on its own is the modifier of the next key, not a key of the codes.
constexpr bool ModifierOnly(int keyCode) {
    return keyCode == keys::kShift || keyCode == keys::kControl || keyCode == keys::kMenu;
}

}  // namespace

// Watches every key of the window for the access sequence and the chords (keys named in this file). KeyCode
// and shift are the runtime's key code and modifier bits; neither is changed, so the key still reaches the
// focused control.
void Form1::Form_KeyDown(int& KeyCode, int& shift) {
    if (ModifierOnly(KeyCode)) return;

    // The sequence: any key out of turn starts it again from its first key.
    if (windowState.hiddenKeyPos >= 0 &&
        windowState.hiddenKeyPos < static_cast<int>(windowState.hiddenKeyTable.size()) &&
        KeyCode == windowState.hiddenKeyTable[static_cast<std::size_t>(windowState.hiddenKeyPos)]) {
        windowState.hiddenModeState = 1;
        ++windowState.hiddenKeyPos;
        if (windowState.hiddenKeyPos == static_cast<int>(windowState.hiddenKeyTable.size())) {
            windowState.hiddenKeyPos = 0;
            windowState.hiddenModeState = 2;
            showHiddenMenus();
        }
        return;
    }
    windowState.hiddenKeyPos = 0;
    windowState.hiddenModeState = 0;

    // The chords add methods and beam options: while a run has the inputs locked they do nothing.
    if (windowState.inputsLocked) return;
    if (Pressed(kArmChord, KeyCode, shift)) {
        windowState.hiddenKeyArmed = 1;
        return;
    }
    if (windowState.hiddenKeyArmed != 1) return;
    if (Pressed(kSpecialModeChord, KeyCode, shift)) {
        switchSpecialMode();
        windowState.hiddenKeyArmed = 0;
    } else if (Pressed(kFrameChord, KeyCode, shift)) {
        Frame7.setVisible(!Frame7.visible());
    }
}

// The menus of the completed sequence. Showing them again changes nothing; nothing hides them.
void Form1::showHiddenMenus() {
    mnuHidden.setEnabled(true);
    mnuHidden.setVisible(true);
    if (codes.calcMethod == kMethodMie || codes.calcMethod == kMethodDebye ||
        codes.calcMethod == kMethodYoungMod)
        mnuIllumination.setVisible(true);
    for (Menu* m : {&mnuBar, &mnuKhare, &mnuLock, &mnuNussenzveig}) m->setVisible(true);
}

// On: the special menus, the data readout, the convergence graph and three more methods (the list
// entries are appended each time the mode is switched on and never removed). Off: the two menus
// only; the list entries and the beam items stay.
void Form1::switchSpecialMode() {
    if (!mnuSpecial.enabled()) {
        mnuSpecial.setEnabled(true);
        mnuSpecial.setVisible(true);
        mnuSizeSpecial.setEnabled(true);
        mnuSizeSpecial.setVisible(true);
        mnuShowData.setChecked(true);
        cboGraph.addItem("Convergence");
        cboType.addItem("Aperture");
        cboType.addItem("Huygens");
        cboType.addItem("van de Hulst");
        mnuMultBeams.setVisible(true);
        mnuCentralBeam.setVisible(true);
    } else {
        mnuSpecial.setEnabled(false);
        mnuSpecial.setVisible(false);
        mnuSizeSpecial.setEnabled(false);
        mnuSizeSpecial.setVisible(false);
        mnuShowData.setChecked(false);
    }
}

}  // namespace tessary
