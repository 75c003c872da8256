#pragma once

#include <QDate>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace parlumo {

// Names a screen or control after the program's name (its objectName, so tests and scripts
// find it) and gives a screen its caption.
inline void nameScreen(QWidget* screen, const QString& name, const QString& caption) {
    screen->setObjectName(name);
    screen->setWindowTitle(caption);
}

template <typename T> T* named(T* object, const QString& name) {
    object->setObjectName(name);
    return object;
}

// A push button named after the program's name; Enter in the screen's edits never presses it.
inline QPushButton* namedButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = named(new QPushButton(caption, parent), name);
    b->setAutoDefault(false);
    return b;
}

// The screen's main action (send, call): a larger coloured button that greys out while it is
// disabled.
inline QPushButton* primaryButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = namedButton(name, caption, parent);
    b->setMinimumHeight(34);
    b->setStyleSheet(QStringLiteral("QPushButton{background:#1f6fd1;color:white;font-weight:bold;border-radius:4px;}"
                                    "QPushButton:disabled{background:#9bb7dc;}"));
    return b;
}

// A label that is never shown: the screen keeps a value in it under the program's name.
inline QLabel* hiddenLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = named(new QLabel(text, parent), name);
    label->hide();
    return label;
}

// A day picker named after the program's name, showing today in the ISO form with a calendar.
inline QDateEdit* dayPicker(const QString& name, QWidget* parent) {
    auto* picker = named(new QDateEdit(QDate::currentDate(), parent), name);
    picker->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    picker->setCalendarPopup(true);
    return picker;
}

} // namespace parlumo
