#pragma once

#include <QWidget>

namespace parlumo {

struct Screens;

// "发送短信": the send-SMS screen: message text, number list, account panel and the send job's progress.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(Screens& screens, QWidget* parent = nullptr);

private:
    Screens& screens_;
};

} // namespace parlumo
