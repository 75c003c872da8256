#pragma once

#include <QWidget>

namespace parlumo {

struct Services;

// "发送记录": the log of sent SMS batches.
class TForm8 : public QWidget {
    Q_OBJECT
public:
    explicit TForm8(Services& services, QWidget* parent = nullptr);

private:
    Services& services_;
};

} // namespace parlumo
