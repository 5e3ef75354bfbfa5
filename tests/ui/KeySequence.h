#pragma once

#include <gtest/gtest.h>
#include <QTest>
#include <QWidget>

#include <string_view>

namespace brimo::testing {

// Sends a sequence of key presses to a widget: each character is typed as a
// key, and "{Name}" presses a named key: Backspace, Delete, Home, End, Left,
// Right, SelectAll (Ctrl+A), SelectToStart (Shift+Home), Undo (Ctrl+Z).
inline void typeKeys(QWidget& widget, std::string_view keys) {
    struct Named {
        std::string_view name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    static constexpr Named named[] = {
        {"Backspace", Qt::Key_Backspace, Qt::NoModifier}, {"Delete", Qt::Key_Delete, Qt::NoModifier},
        {"Home", Qt::Key_Home, Qt::NoModifier},           {"End", Qt::Key_End, Qt::NoModifier},
        {"Left", Qt::Key_Left, Qt::NoModifier},           {"Right", Qt::Key_Right, Qt::NoModifier},
        {"SelectAll", Qt::Key_A, Qt::ControlModifier},    {"SelectToStart", Qt::Key_Home, Qt::ShiftModifier},
        {"Undo", Qt::Key_Z, Qt::ControlModifier},
    };
    while (!keys.empty()) {
        if (keys.front() != '{') {
            QTest::keyClick(&widget, keys.front());
            keys.remove_prefix(1);
            continue;
        }
        const size_t close = keys.find('}');
        ASSERT_NE(close, std::string_view::npos) << "unclosed key name in " << keys;
        const std::string_view name = keys.substr(1, close - 1);
        bool found = false;
        for (const Named& n : named) {
            if (n.name == name) {
                QTest::keyClick(&widget, n.key, n.modifiers);
                found = true;
            }
        }
        ASSERT_TRUE(found) << "unknown key " << name;
        keys.remove_prefix(close + 1);
    }
}

}  // namespace brimo::testing
