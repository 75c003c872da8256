#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>

namespace parlumo::test {

// Does what opens a modal dialog; while the dialog is up, looks at it and closes it. Returns
// whether the dialog came up.
inline bool whileModalShows(QDialog* dialog, const std::function<void()>& open, const std::function<void()>& look) {
    bool shown = false;
    QTimer probe;
    probe.setSingleShot(true);
    QObject::connect(&probe, &QTimer::timeout, dialog, [&] {
        if (!dialog->isVisible())
            return;
        shown = true;
        look();
        dialog->close();
    });
    probe.start(0);
    open();
    return shown;
}

} // namespace parlumo::test
