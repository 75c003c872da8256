#pragma once

#include <QWidget>

namespace parlumo {

struct Screens;

// "传真": sending a fax and the fax records.
class Tf_fax : public QWidget {
    Q_OBJECT
public:
    explicit Tf_fax(Screens& screens, QWidget* parent = nullptr);

private:
    Screens& screens_;
};

} // namespace parlumo
