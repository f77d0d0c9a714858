// Menus of the window runtime: a window's menu bar holds menus, menus hold items, sub-menus and
// separators (caption "-"). Captions take "&" accelerators. Checked, Enabled and Visible are the
// item's own flags; writing Checked raises nothing and choosing an item never toggles its check mark
// (its handler does that). An item's Click runs when it is chosen; a menu's Click runs when it opens.
#pragma once

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <functional>
#include <string>

namespace tessary {

class Form;

class Menu {
  public:
    // A menu on the window's menu bar.
    Menu(Form& form, std::string caption);
    // An item (or, once it has items itself, a sub-menu) of parent.
    Menu(Menu& parent, std::string caption);
    ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    std::function<void()> onClick;

    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);
    bool checked() const { return m_checked; }
    void setChecked(bool checked);
    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    bool visible() const { return m_visible; }
    void setVisible(bool visible);

    // Chooses the item as the user does (a disabled or hidden item does nothing).
    void trigger();
    // The Qt action of the item, for tests.
    QAction* action() const { return m_action; }
    QMenu* subMenu() const { return m_menu; }

  private:
    void addChild(Menu& child);
    void chosen();
    void showCaption();

    Form* m_form;
    Menu* m_parent = nullptr;
    QPointer<QAction> m_action;
    QPointer<QMenu> m_menu;
    std::string m_caption;
    bool m_checked = false;
    bool m_enabled = true;
    bool m_visible = true;
};

}  // namespace tessary
