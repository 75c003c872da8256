#pragma once

#include <QWidget>

namespace parlumo {

struct Services;

// "语音服务": voice tasks, direct calls and their records.
class TForm12 : public QWidget {
    Q_OBJECT
public:
    explicit TForm12(Services& services, QWidget* parent = nullptr);

private:
    Services& services_;
};

} // namespace parlumo
