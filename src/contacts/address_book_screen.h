#pragma once

#include <QWidget>

namespace parlumo {

struct Services;

// "名片夹": the address book in its tree of groups.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(Services& services, QWidget* parent = nullptr);

private:
    Services& services_;
};

} // namespace parlumo
