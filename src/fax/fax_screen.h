#pragma once

#include <QWidget>

namespace parlumo {

struct Services;

// "传真": sending a fax and the fax records.
class Tf_fax : public QWidget {
    Q_OBJECT
public:
    explicit Tf_fax(Services& services, QWidget* parent = nullptr);

private:
    Services& services_;
};

} // namespace parlumo
