#pragma once

#include <QObject>
#include <QString>
#include <stdexcept>

namespace parlumo {

// A screen's control found by its program name, as a script of the program would find it.
// A missing control fails the test with its name instead of crashing it.
template <typename T> T* child(const QObject* root, const char* name) {
    T* found = root->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        throw std::runtime_error(std::string("no control ") + name + " of the wanted type in " +
                                 root->objectName().toStdString());
    return found;
}
template <typename T> T* child(const QObject& root, const char* name) {
    return child<T>(&root, name);
}

} // namespace parlumo
