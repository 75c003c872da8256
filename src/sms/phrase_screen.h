#pragma once

#include <QWidget>

namespace parlumo {

struct Services;

// "短语管理": the phrase library in its tree of groups.
class TForm5 : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(Services& services, QWidget* parent = nullptr);

private:
    Services& services_;
};

} // namespace parlumo
