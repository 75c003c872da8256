#pragma once

#include <QDialog>

namespace parlumo {

struct Services;

// "添加短语": edits the text of one phrase.
class TForm10 : public QDialog {
    Q_OBJECT
public:
    explicit TForm10(Services& services, QWidget* parent = nullptr);

private:
    Services& services_;
};

} // namespace parlumo
