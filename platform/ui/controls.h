// Controls of the window runtime: command button, text box, combo box (editable or fixed list),
// check box, option button, label, frame and picture box. Each is a plain object that its window
// class owns as a member; its events are std::function members that the window class points at its
// handlers. Writing a value from code raises the control's event synchronously, before the setter
// returns, exactly once, and only when the value changes; user actions raise the same events.
// Geometry is in the container's units: the window's scale on a form, twips in a frame, the picture's
// scale in a picture box. Visible and Enabled read back the control's own flags, also before its
// window is shown.
#pragma once

#include <QPalette>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/canvas.h"
#include "platform/ui/colour.h"
#include "platform/ui/fonts.h"
#include "platform/ui/picture.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tessary {

class Form;
class OptionButton;
class PictureWidget;

// Something controls sit in: a form, a frame or a picture box. Option buttons directly in the same
// container form one group.
class Container {
  public:
    virtual ~Container() = default;
    virtual Form& form() = 0;
    // The widget child controls are created in, and where the container's logical origin lies in it.
    virtual QWidget* childParent() = 0;
    virtual QPoint childOriginPx() const { return {}; }
    // Child geometry scale: pixels per unit and the logical coordinates of the origin.
    virtual double childUnitX() const = 0;
    virtual double childUnitY() const = 0;
    virtual double childScaleLeft() const { return 0.0; }
    virtual double childScaleTop() const { return 0.0; }

    const std::vector<OptionButton*>& optionButtons() const { return m_optionButtons; }

  protected:
    Container() = default;

  private:
    friend class OptionButton;
    std::vector<OptionButton*> m_optionButtons;
};

class Control {
  public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    bool visible() const { return m_visible; }
    void setVisible(bool visible);
    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    double left() const;
    double top() const;
    double width() const;
    double height() const;
    void setLeft(double left);
    void setTop(double top);
    void setWidth(double width);
    void setHeight(double height);
    void move(double left, double top);
    void move(double left, double top, double width, double height);

    const std::string& toolTipText() const { return m_toolTip; }
    void setToolTipText(std::string text);

    // Colours read back exactly as written (system colours such as 0x8000000F included).
    OleColor backColor() const { return m_backColor; }
    void setBackColor(OleColor colour);
    OleColor foreColor() const { return m_foreColor; }
    void setForeColor(OleColor colour);

    const std::string& fontName() const { return m_font.name; }
    void setFontName(std::string name);
    double fontSize() const { return m_font.size; }
    void setFontSize(double size);
    bool fontBold() const { return m_font.bold; }
    void setFontBold(bool bold);

    void setFocus();

    // The width of a text as the control shows it (its font, Greek letters in "Symbol", no "&"
    // accelerators), in the container's units.
    double textWidth(const std::string& text) const;

    Form& form() const { return *m_form; }
    Container& container() const { return *m_container; }
    // The Qt widget, for tests and layout code.
    QWidget* widget() const { return m_widget; }
    // The control a widget belongs to, or nullptr.
    static Control* of(const QWidget* widget);

  protected:
    Control(Container& container, QWidget* widget, OleColor backColor, QPalette::ColorRole backRole,
            QPalette::ColorRole foreRole, bool fillBackground);

    // Raises an event: runs the handler at once if it is set and the form's design is complete.
    void raise(const std::function<void()>& handler) const;
    // Redraws texts that depend on the font (the Symbol font shows Greek letters).
    virtual void refreshText() {}
    // refreshText now, or when the control is next shown: a hidden control that holds a value a run
    // sets at every step (a sweep's fraction) then costs no widget update per step.
    void refreshTextWhenShown();
    // Called after code changed the size (a hidden widget gets its resize event only when shown).
    virtual void resized() {}
    void applyPalette();
    // Whether the widget paints its back colour; kept through later colour changes.
    void setFillBackground(bool fill);

  private:
    void applyFont();
    int toPixelsX(double v) const;
    int toPixelsY(double v) const;

    Container* m_container;
    Form* m_form;
    QPointer<QWidget> m_widget;
    bool m_visible = true;
    bool m_textStale = false;  // refreshText is due when shown
    bool m_enabled = true;
    std::string m_toolTip;
    OleColor m_backColor;
    OleColor m_foreColor = kButtonText;
    QPalette::ColorRole m_backRole;
    QPalette::ColorRole m_foreRole;
    bool m_fillBackground;
    FontSpec m_font;
};

class CommandButton : public Control {
  public:
    explicit CommandButton(Container& container, std::string caption = {});
    ~CommandButton() override;

    std::function<void()> onClick;

    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);
    // Default: Enter anywhere in the window presses it; Cancel: Escape presses it. One of each per
    // window: setting one clears the previous holder.
    bool isDefault() const;
    void setDefault(bool on);
    bool isCancel() const;
    void setCancel(bool on);
    // Presses the button from code (its Click runs, as when the user presses it).
    void click();

  private:
    QPushButton* button() const;
    std::string m_caption;
};

class TextBox : public Control {
  public:
    explicit TextBox(Container& container, std::string text = {});

    std::function<void()> onChange;

    const std::string& text() const { return m_text; }
    // Raises Change when the text differs from the current one.
    void setText(std::string text);
    // A box that code rewrites many times a second (a percentage) shows its newest text when the
    // events are next processed, not at each write: laying out the text costs more than the write.
    void setShownAtEvents(bool atEvents);

  private:
    QLineEdit* edit() const;
    void showText();
    std::string m_text;
    std::string m_shownText;  // the text the widget holds
    bool m_showAtEvents = false;
    bool m_showPosted = false;
};

class ComboBox : public Control {
  public:
    enum class Style { Editable, Fixed };
    explicit ComboBox(Container& container, Style style = Style::Editable);

    // Click: an entry chosen (from code through setListIndex, or by the user, also the same entry again).
    // Change: the text typed or set from code. Scroll: the drop-down list scrolled.
    std::function<void()> onClick;
    std::function<void()> onChange;
    std::function<void()> onScroll;

    Style style() const { return m_style; }
    // Appends an entry; raises nothing; duplicates allowed.
    void addItem(std::string item);
    // Removes every entry; the text of an editable list stays. Raises nothing.
    void clear();
    int listCount() const { return static_cast<int>(m_items.size()); }
    const std::string& list(int index) const;
    int listIndex() const { return m_index; }
    // -1 .. listCount() - 1; selects the entry (its text becomes the list's text) and raises Click when
    // the index changes. An index outside the list is a programming error and is ignored.
    void setListIndex(int index);
    const std::string& text() const { return m_text; }
    // Editable: the text changes (the index follows the first entry equal to it, else -1) and Change is
    // raised when it differs. Fixed: selects the first entry equal to the text, as setListIndex.
    void setText(std::string text);

  private:
    QComboBox* combo() const;
    void showState();
    void userActivated(int index);
    void userEdited(const std::string& text);
    int indexOf(const std::string& text) const;

    Style m_style;
    std::vector<std::string> m_items;
    int m_index = -1;
    std::string m_text;
    bool m_syncing = false;
};

class CheckBox : public Control {
  public:
    explicit CheckBox(Container& container, std::string caption = {});

    std::function<void()> onClick;

    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);
    // 0 unticked, 1 ticked, 2 greyed (counts as unticked). Raises Click when the value changes.
    // A user click ticks an unticked or greyed box and unticks a ticked one.
    int value() const { return m_value; }
    void setValue(int value);

  private:
    void refreshText() override;
    QCheckBox* box() const;
    void showValue();
    std::string m_caption;
    int m_value = 0;
};

class OptionButton : public Control {
  public:
    explicit OptionButton(Container& container, std::string caption = {});
    ~OptionButton() override;

    std::function<void()> onClick;

    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);
    bool value() const { return m_value; }
    // true: clears the other option buttons of the same container silently, selects this one and
    // raises its Click, unless it was selected already. false: clears it, raising nothing.
    void setValue(bool value);

  private:
    void refreshText() override;
    QRadioButton* radio() const;
    void showValue();
    std::string m_caption;
    bool m_value = false;
};

class Label : public Control {
  public:
    explicit Label(Container& container, std::string caption = {});

    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);
    // 0 left, 1 right, 2 centre.
    int alignment() const { return m_alignment; }
    void setAlignment(int alignment);
    // false: the label's back colour is not painted (what lies under it shows).
    bool opaque() const { return m_opaque; }
    void setOpaque(bool opaque);

  private:
    void refreshText() override;
    QLabel* label() const;
    std::string m_caption;
    int m_alignment = 0;
    bool m_opaque = true;
};

class Frame : public Control, public Container {
  public:
    explicit Frame(Container& container, std::string caption = {});

    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);

    Form& form() override { return Control::form(); }
    QWidget* childParent() override { return widget(); }
    double childUnitX() const override;
    double childUnitY() const override;

  private:
    void refreshText() override;
    QGroupBox* group() const;
    std::string m_caption;
};

// A drawable control with its own scale in pixels (0, 0 at the top left of its inner area).
class PictureBox : public Control, public Container, public Canvas {
  public:
    explicit PictureBox(Container& container);

    // Mouse: button 1 left, 2 right, 4 middle (MouseMove: the buttons held); shift 1 Shift, 2 Ctrl,
    // 4 Alt; x and y in the picture box's scale.
    std::function<void(int button, int shift, double x, double y)> onMouseDown;
    std::function<void(int button, int shift, double x, double y)> onMouseMove;
    std::function<void(int button, int shift, double x, double y)> onMouseUp;

    // The picture: assigning one (also the current one again) shows it and drops every drawing.
    const Picture& picture() const { return m_picture; }
    void setPicture(const Picture& picture);
    // With AutoSize the box takes the size of each picture assigned.
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on) { m_autoSize = on; }
    // 0 no border, 1 a sunken border (the inner area, and so the scale, is inside it).
    int borderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);

    // Colour, font and fore colour are the drawing state's and the control's at once.
    OleColor backColor() const { return Canvas::backColor(); }
    void setBackColor(OleColor colour) { Canvas::setBackColor(colour); }
    OleColor foreColor() const { return Canvas::foreColor(); }
    void setForeColor(OleColor colour) { Canvas::setForeColor(colour); }
    const std::string& fontName() const { return Canvas::fontName(); }
    void setFontName(std::string name) { Canvas::setFontName(std::move(name)); }
    double fontSize() const { return Canvas::fontSize(); }
    void setFontSize(double size) { Canvas::setFontSize(size); }
    bool fontBold() const { return Canvas::fontBold(); }
    void setFontBold(bool bold) { Canvas::setFontBold(bold); }

    Form& form() override { return Control::form(); }
    QWidget* childParent() override { return widget(); }
    QPoint childOriginPx() const override;
    double childUnitX() const override { return pixelsPerUnitX(); }
    double childUnitY() const override { return pixelsPerUnitY(); }
    double childScaleLeft() const override { return scaleLeft(); }
    double childScaleTop() const override { return scaleTop(); }

  private:
    friend class PictureWidget;
    void mouseEvent(int kind, int button, int shift, QPoint pos);
    void resized() override { innerResized(); }
    void innerResized();
    void paint(QPainter& painter, const QRect& exposed);

    Picture m_picture;
    bool m_autoSize = false;
    int m_borderStyle = 0;
};

}  // namespace tessary
