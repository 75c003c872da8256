#include "widgets/service_call.h"

#include "text/error.h"
#include "text/excerpt.h"
#include "text/trim_controls.h"

#include <QProgressBar>
#include <QThread>

namespace parlumo {

namespace {

constexpr int kIndicatorSteps = 1000;

} // namespace

QString unrecordedTaskMessage(const QString& taskNumber, const QString& reason) {
    return QStringLiteral("任务已提交成功！任务号：") + excerpt(trimControls(taskNumber)) +
           QStringLiteral("，但本地记录保存失败：") + reason;
}

Service1Soap soapClientFor(const QString& endpoint, const SoapCallControl& control) {
    Service1Soap client;
    client.setCallControl(control);
    PrepareSoapClient(client, endpoint);
    return client;
}

ServiceCall::ServiceCall(QObject* parent) : QObject(parent) {}

ServiceCall::~ServiceCall() {
    cancel();
}

void ServiceCall::setIndicator(QProgressBar* indicator) {
    indicator_ = indicator;
    indicator_->setRange(0, kIndicatorSteps);
    indicator_->hide();
}

void ServiceCall::start(Work work) {
    if (thread_)
        return;
    cancelled_ = false;
    const quint64 call = ++calls_;
    if (indicator_) {
        indicator_->setRange(0, 0);
        indicator_->show();
    }
    // Progress is reported only when its step changes, so a fast upload does not flood the
    // user-interface thread with events.
    auto lastStep = std::make_shared<std::atomic<int>>(-1);
    SoapCallControl control;
    control.cancelled = &cancelled_;
    control.uploaded = [this, call, lastStep](qint64 sent, qint64 total) {
        const int step = static_cast<int>(sent * kIndicatorSteps / total);
        if (lastStep->exchange(step) == step)
            return;
        QMetaObject::invokeMethod(
            this,
            [this, call, sent, total] {
                if (call == calls_)
                    showUpload(sent, total);
            },
            Qt::QueuedConnection);
    };
    thread_ = QThread::create([this, call, work = std::move(work), control] {
        QString reply;
        QString failure;
        bool ok = true;
        try {
            reply = work(control);
        } catch (const Error& error) {
            ok = false;
            failure = error.reason();
        } catch (const std::exception& error) {
            ok = false;
            failure = QString::fromLocal8Bit(error.what());
        }
        if (cancelled_)
            return;
        QMetaObject::invokeMethod(
            this,
            [this, call, ok, reply, failure] {
                if (call != calls_)
                    return;
                end();
                if (ok)
                    Q_EMIT answered(reply);
                else
                    Q_EMIT failed(failure);
            },
            Qt::QueuedConnection);
    });
    thread_->start();
}

void ServiceCall::showUpload(qint64 sent, qint64 total) {
    if (indicator_) {
        indicator_->setRange(0, kIndicatorSteps);
        indicator_->setValue(static_cast<int>(sent * kIndicatorSteps / total));
    }
    Q_EMIT uploadProgressed(sent, total);
}

void ServiceCall::end() {
    if (thread_) {
        thread_->wait();
        delete thread_;
        thread_ = nullptr;
    }
    if (indicator_)
        indicator_->hide();
}

void ServiceCall::cancel() {
    if (!thread_)
        return;
    cancelled_ = true;
    ++calls_; // a reply already on its way is dropped
    end();
}

} // namespace parlumo
