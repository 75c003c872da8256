#include "widgets/responsive_exchange.h"

#include "service/http.h"
#include "toolkit/busy_cursor.h"

#include <QEventLoop>
#include <QPointer>
#include <QWidget>

namespace parlumo {

QString exchangeWhileResponsive(QWidget* window, ServiceCall::Work work) {
    const BusyCursor busy;
    const QPointer<QWidget> focus = window->focusWidget();
    const bool wasEnabled = window->isEnabled();
    window->setEnabled(false);

    QString reply;
    QString failure;
    bool failed = false;
    QEventLoop loop;
    ServiceCall call;
    QObject::connect(&call, &ServiceCall::answered, &loop, [&](const QString& answer) {
        reply = answer;
        loop.quit();
    });
    QObject::connect(&call, &ServiceCall::failed, &loop, [&](const QString& reason) {
        failed = true;
        failure = reason;
        loop.quit();
    });
    call.start(std::move(work));
    loop.exec();

    window->setEnabled(wasEnabled);
    if (focus)
        focus->setFocus();
    if (failed)
        throw Error(failure);
    return reply;
}

QString fetchWhileResponsive(QWidget* window, const QString& url) {
    return exchangeWhileResponsive(window, [url](const SoapCallControl& control) {
        return HttpGetText(url, limits::kAccount, control.cancelled);
    });
}

} // namespace parlumo
