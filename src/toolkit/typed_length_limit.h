#pragma once

#include <QObject>

class QLineEdit;

namespace parlumo {

// Lets the user type or paste no more than `limit` characters into a box, while a longer text
// that the program puts there (a file dialog's full path) stays whole and may still be shortened.
// Everything the user adds goes through the keys: the box has no context menu and takes no drops.
class TypedLengthLimit final : public QObject {
public:
    TypedLengthLimit(QLineEdit* box, int limit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* box_;
    int limit_;
};

} // namespace parlumo
