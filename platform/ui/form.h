// Windows of the window runtime. A window class derives from Form, declares its controls and menus as
// members and points their events at its handlers in its constructor (the window's design). Each
// window has one instance, made on first use through FormRef: the design is built, then events are
// enabled and the load handler runs, all without showing the window. Windows are shown modally or
// not and hidden, never destroyed, so their values persist. A window draws through its Canvas in
// twips (or its own scale), persistently; its controls sit above the drawing.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/ui/canvas.h"
#include "platform/ui/controls.h"

class QEventLoop;
class QMenuBar;
class QObject;

namespace tessary {

class CommandButton;
class FormWindow;
class FormSurface;
class FormKeyFilter;

enum class ShowMode { Modeless, Modal };

// Key-down modifier bits and the key codes the runtime reports (letters and digits are their
// upper-case ASCII codes).
namespace keys {
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;
inline constexpr int kBack = 8;
inline constexpr int kTab = 9;
inline constexpr int kReturn = 13;
inline constexpr int kShift = 16;
inline constexpr int kControl = 17;
inline constexpr int kMenu = 18;  // Alt
inline constexpr int kEscape = 27;
inline constexpr int kSpace = 32;
inline constexpr int kPageUp = 33;
inline constexpr int kPageDown = 34;
inline constexpr int kEnd = 35;
inline constexpr int kHome = 36;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int kInsert = 45;
inline constexpr int kDelete = 46;
inline constexpr int kF1 = 112;  // F1 .. F12 are 112 .. 123
}  // namespace keys

// The key code of a Qt key (0 for keys without one) and the modifier bits of Qt modifiers.
int keyCodeOf(int qtKey, bool keypad);
int shiftBitsOf(int qtModifiers);

class Form : public Container, public Canvas {
  public:
    explicit Form(std::string caption = {});
    ~Form() override;

    // Load: run once when the window is made (by FormRef or load()), after its design.
    std::function<void()> onLoad;
    // Key down: every key pressed in the window, before the control that has the focus, which still
    // gets the key unless the handler sets keyCode to 0. shift: keys::kShiftMask | kCtrlMask | kAltMask.
    std::function<void(int& keyCode, int& shift)> onKeyDown;
    // The title-bar close button: the window class makes it act as its Cancel or Exit. Unset: hide.
    std::function<void()> onClose;

    // Ends the design: events are raised from now on; then runs the load handler.
    void load();
    bool eventsEnabled() const { return m_eventsEnabled; }

    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);

    // The window's own flag: true from show until hide (also while minimised).
    bool visible() const { return m_visible; }
    void setVisible(bool visible);
    // Modal: returns when the window is hidden again (its OK or Cancel hides it).
    void show(ShowMode mode = ShowMode::Modeless);
    void hide();
    // As if the title-bar close button were pressed.
    void requestClose();
    bool modalRunning() const { return !m_modalLoops.empty(); }

    // Outer size and position in twips. The width (height) is limited to the screen's plus a border
    // allowance of 6 pixels on each side, so a window wider than a small display reads back narrower
    // (an 800-pixel screen at 15 twips per pixel gives at most 12180).
    double width() const;
    void setWidth(double twips);
    double height() const;
    void setHeight(double twips);
    double left() const;
    void setLeft(double twips);
    double top() const;
    void setTop(double twips);

    // 0 normal, 1 minimised, 2 maximised.
    int windowState() const;
    void setWindowState(int state);
    // 0 default, 1 arrow, 2 cross, 3 I-beam, 11 hourglass (others: arrow).
    int mousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);

    // Twips per pixel of this window's fonts and frames (the screen's when the window was made).
    int fontTwipsPerPixel() const { return m_tpp; }

    CommandButton* defaultButton() const { return m_defaultButton; }
    CommandButton* cancelButton() const { return m_cancelButton; }

    // The top-level Qt window (the handle that dialogs and help attach to) and its drawing surface.
    QWidget* window() const;
    QWidget* surface() const;
    QMenuBar* menuBar();

    // Container
    Form& form() override { return *this; }
    QWidget* childParent() override;
    double childUnitX() const override { return pixelsPerUnitX(); }
    double childUnitY() const override { return pixelsPerUnitY(); }
    double childScaleLeft() const override { return scaleLeft(); }
    double childScaleTop() const override { return scaleTop(); }

  private:
    friend class CommandButton;
    friend class Menu;
    friend class FormWindow;
    friend class FormSurface;
    friend class FormKeyFilter;

    void setDefaultButton(CommandButton* button, bool on);
    void setCancelButton(CommandButton* button, bool on);
    void showWindow();
    void relayout();
    void windowResized();
    bool keyPressed(int qtKey, int qtModifiers, bool keypad);

    std::string m_caption;
    int m_tpp = 15;
    FormWindow* m_window = nullptr;
    FormSurface* m_surface = nullptr;
    QMenuBar* m_menuBar = nullptr;
    std::unique_ptr<FormKeyFilter> m_keyFilter;
    bool m_eventsEnabled = false;
    bool m_visible = false;
    bool m_positioned = false;
    int m_windowState = 0;
    int m_mousePointer = 0;
    CommandButton* m_defaultButton = nullptr;
    CommandButton* m_cancelButton = nullptr;
    std::vector<QEventLoop*> m_modalLoops;
};

// The one instance of a window class, made on first access: the window is constructed (its design),
// then load() enables its events and runs its load handler, without showing it.
template <class T>
class FormRef {
  public:
    FormRef() requires std::is_default_constructible_v<T> : m_factory([] { return std::make_unique<T>(); }) {}
    explicit FormRef(std::function<std::unique_ptr<T>()> factory) : m_factory(std::move(factory)) {}

    T& get() {
        if (!m_form) {
            m_form = m_factory();
            m_form->load();
        }
        return *m_form;
    }
    T* operator->() { return &get(); }
    T& operator*() { return get(); }
    // True once the window has been made.
    bool loaded() const { return m_form != nullptr; }

  private:
    std::function<std::unique_ptr<T>()> m_factory;
    std::unique_ptr<T> m_form;
};

}  // namespace tessary
