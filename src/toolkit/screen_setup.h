#pragma once

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

} // namespace parlumo
