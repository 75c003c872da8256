#pragma once

#include <QWidget>

namespace parlumo {

struct Screens;

// "语音服务": voice tasks, direct calls and their records.
class TForm12 : public QWidget {
    Q_OBJECT
public:
    explicit TForm12(Screens& screens, QWidget* parent = nullptr);

private:
    Screens& screens_;
};

} // namespace parlumo
