#pragma once

#include <QWidget>

namespace parlumo {

struct Services;

// "接收回复短信": the received replies.
class TForm6 : public QWidget {
    Q_OBJECT
public:
    explicit TForm6(Services& services, QWidget* parent = nullptr);

private:
    Services& services_;
};

} // namespace parlumo
