#pragma once

#include <QWidget>

namespace parlumo {

struct Services;

// "彩信": composing and sending picture messages, and their records.
class TForm14 : public QWidget {
    Q_OBJECT
public:
    explicit TForm14(Services& services, QWidget* parent = nullptr);

private:
    Services& services_;
};

} // namespace parlumo
