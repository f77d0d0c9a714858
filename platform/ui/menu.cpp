// Menus on QAction and QMenu. The check mark shown is always the item's own flag: Qt's automatic
// toggling of a checkable action is undone before the item's handler runs.
#include "platform/ui/menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "platform/ui/form.h"

namespace tessary {

Menu::Menu(Form& form, std::string caption) : m_form(&form), m_caption(std::move(caption)) {
    m_action = new QAction(form.window());
    showCaption();
    QObject::connect(m_action, &QAction::triggered, m_action, [this] { chosen(); });
    form.menuBar()->addAction(m_action);
    form.relayout();
}

Menu::Menu(Menu& parent, std::string caption)
    : m_form(parent.m_form), m_parent(&parent), m_caption(std::move(caption)) {
    m_action = new QAction(m_form->window());
    showCaption();
    QObject::connect(m_action, &QAction::triggered, m_action, [this] { chosen(); });
    parent.addChild(*this);
}

Menu::~Menu() {
    if (m_menu) delete m_menu.data();
    if (m_action) delete m_action.data();
}

void Menu::addChild(Menu& child) {
    if (!m_menu) {
        m_menu = new QMenu(m_form->window());
        m_menu->setTitle(m_action->text());
        m_action->setMenu(m_menu.data());
        // A menu's Click runs when it opens.
        QObject::connect(m_menu, &QMenu::aboutToShow, m_menu, [this] {
            if (onClick && m_form->eventsEnabled()) onClick();
        });
    }
    m_menu->addAction(child.m_action);
}

void Menu::showCaption() {
    const bool separator = m_caption == "-";
    m_action->setSeparator(separator);
    m_action->setText(separator ? QString() : QString::fromStdString(m_caption));
    if (m_menu) m_menu->setTitle(m_action->text());
}

void Menu::setCaption(std::string caption) {
    m_caption = std::move(caption);
    showCaption();
}

void Menu::setChecked(bool checked) {
    m_checked = checked;
    m_action->setCheckable(checked);
    m_action->setChecked(checked);
}

void Menu::setEnabled(bool enabled) {
    m_enabled = enabled;
    m_action->setEnabled(enabled);
}

void Menu::setVisible(bool visible) {
    m_visible = visible;
    m_action->setVisible(visible);
    if (m_parent == nullptr) m_form->relayout();
}

void Menu::chosen() {
    // Qt has toggled a checkable action already; the mark follows the flag, which only code changes.
    m_action->setCheckable(m_checked);
    m_action->setChecked(m_checked);
    if (onClick && m_form->eventsEnabled()) onClick();
}

void Menu::trigger() {
    if (!m_enabled || !m_visible) return;
    if (m_menu) {
        if (onClick && m_form->eventsEnabled()) onClick();
        return;
    }
    m_action->trigger();
}

}  // namespace tessary
