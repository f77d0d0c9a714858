// Drives a window in tests as its user does: types into boxes, picks list entries and menu items by
// their text, presses buttons, and reads back what the window shows. Every action raises the same
// events as the user's (a box's Change, a list's Click, an item's Click) and refuses what the user
// cannot do (an entry not in the list, a disabled or hidden item or button), failing the test.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QList>
#include <QMenu>
#include <QMenuBar>
#include <string>
#include <string_view>

#include "platform/text/conversions.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "platform/ui/menu.h"

namespace tessary::test {

// Types a whole text into a box or an editable list: its Change runs once, when the text differs.
inline void Type(TextBox& box, const std::string& text) { box.setText(text); }
inline void Type(ComboBox& list, const std::string& text) { list.setText(text); }

// Picks the first entry with this text from the drop-down list: its Click runs, also when the entry
// is the chosen one already.
inline void Choose(ComboBox& list, const std::string& entry) {
    for (int i = 0; i < list.listCount(); ++i) {
        if (list.list(i) != entry) continue;
        if (i == list.listIndex() && list.onClick) {
            list.onClick();
        } else {
            list.setListIndex(i);
        }
        return;
    }
    ADD_FAILURE() << "no entry \"" << entry << "\" in the list";
}

// Chooses a menu item (its Click runs) if the user could: enabled and shown.
inline void Choose(Menu& item) {
    EXPECT_TRUE(item.enabled() && item.visible())
        << "menu item \"" << item.caption() << "\" cannot be chosen";
    if (item.enabled() && item.visible()) item.trigger();
}

// Chooses a menu item by its captions from the menu bar down, "&" accelerators left out and joined
// by " > ": "Graph > Graph size > Large".
inline void Choose(Form& form, std::string_view path) {
    const auto plain = [](const QAction* a) { return a->text().remove(QLatin1Char('&')).toStdString(); };
    QList<QAction*> actions = form.menuBar()->actions();
    while (!path.empty()) {
        const size_t cut = path.find(" > ");
        const std::string_view caption = path.substr(0, cut);
        path = cut == std::string_view::npos ? std::string_view{} : path.substr(cut + 3);
        QAction* found = nullptr;
        for (QAction* a : actions)
            if (!a->isSeparator() && plain(a) == caption) found = a;
        ASSERT_NE(found, nullptr) << "no menu item \"" << caption << "\"";
        ASSERT_TRUE(found->isEnabled() && found->isVisible())
            << "menu item \"" << caption << "\" cannot be chosen";
        if (path.empty()) {
            if (found->menu()) {
                emit found->menu()->aboutToShow();  // a menu's Click runs when it opens
            } else {
                found->trigger();
            }
        } else {
            ASSERT_NE(found->menu(), nullptr) << "\"" << caption << "\" has no items";
            emit found->menu()->aboutToShow();
            actions = found->menu()->actions();
        }
    }
}

// Presses a button if the user could: enabled and shown.
inline void Press(CommandButton& button) {
    EXPECT_TRUE(button.enabled() && button.visible())
        << "button \"" << button.caption() << "\" cannot be pressed";
    if (button.enabled() && button.visible()) button.click();
}

// The number a label or box shows (Val of its text).
inline double Shown(const Label& label) { return Val(label.caption()); }
inline double Shown(const TextBox& box) { return Val(box.text()); }

}  // namespace tessary::test
