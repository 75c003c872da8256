#include "sms/send_job.h"

#include "core/account_state.h"
#include "data/database.h"
#include "data/number_list.h"
#include "service/http.h"
#include "text/decimal.h"
#include "text/forbidden_words.h"
#include "text/url_encode.h"
#include "toolkit/interruptible_sleep.h"

namespace parlumo {

namespace {

class JobEnded {};

Decimal amount(const QString& text) {
    const std::optional<Decimal> value = Decimal::parse(text);
    if (!value)
        throw Error(QStringLiteral("not an amount: %1").arg(text));
    return *value;
}

} // namespace

QString gatewayUrl(const QString& host) {
    return host + QStringLiteral("/sys_port/gateway/index.asp");
}

QString scheduledTime(QDate day, QTime time) {
    return day.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') +
           time.toString(QStringLiteral("HH:mm")) + QStringLiteral(":00");
}

Decimal costOf(const AccountFields& account, long long billed) {
    return amount(account.dj) * billed;
}

bool balanceCovers(const AccountFields& account, long long billed) {
    return amount(account.money) >= costOf(account, billed);
}

QStringList sendNumberList(const QString& numbersText) {
    QString numbers = numbersText;
    numbers.remove(QLatin1Char(' '));
    numbers.remove(QLatin1Char('\''));
    return splitNumberList(numbers);
}

int batchCount(int total) {
    return total / kBatchSize + (total % kBatchSize != 0 ? 1 : 0);
}

QString refusalLine(const QString& reply) {
    if (reply.startsWith(QLatin1String("-01")))
        return QStringLiteral("发送失败：余额不足以支付本次发送！错误码：-01！");
    if (reply.startsWith(QLatin1String("-02")) || reply.startsWith(QLatin1String("-03")))
        return QStringLiteral("发送失败：未知用户请尝试重新登录！错误码：-02或-03！");
    if (reply.startsWith(QLatin1String("-04")))
        return QStringLiteral("发送失败：请检查号码或内容格式存在问题！错误码：-04！");
    if (reply.startsWith(QLatin1String("-07")))
        return QStringLiteral("发送失败：短信内容里包含违规关键字，请检查！错误码：-07");
    return QStringLiteral("发送失败：未知错误！请检查下号码和内容，错误码：") + reply.left(10);
}

Batch batchAt(const QStringList& list, int total, int index) {
    const qsizetype first = static_cast<qsizetype>(kBatchSize) * (index - 1);
    const qsizetype last = total > kBatchSize ? static_cast<qsizetype>(kBatchSize) * index - 1 : total - 1;
    Batch batch;
    for (qsizetype position = first; position <= last && position < list.size(); ++position) {
        const QString& item = list[position];
        if (item.size() >= 10 && item.size() <= 12) {
            batch.numbers += item.trimmed() + QLatin1Char(',');
            ++batch.count;
        }
    }
    if (batch.numbers.endsWith(QLatin1Char(',')))
        batch.numbers.chop(1);
    return batch;
}

QStringList gatewayFields(const QString& uid,
                          const QString& pwd,
                          const QString& numbers,
                          const QString& content,
                          const QString& time) {
    return {
        QStringLiteral("id=") + UrlEncode(uid.trimmed()),
        QStringLiteral("pwd=") + UrlEncode(pwd.trimmed()),
        QStringLiteral("to=") + UrlEncode(numbers.trimmed()),
        QStringLiteral("content=") + UrlEncode(content.trimmed()),
        QStringLiteral("time=") + UrlEncode(time),
        QStringLiteral("ac=plorix"),
    };
}

SendsmsThread::SendsmsThread(SendJobInputs inputs, AccountState& account, Database& database, QObject* parent)
    : QThread(parent), inputs_(std::move(inputs)), account_(account), database_(database) {}

SendsmsThread::~SendsmsThread() {
    cancel();
}

void SendsmsThread::cancel() {
    cancelled_ = true;
    stopping_ = true;
    wait();
}

void SendsmsThread::finishBatchThenStop() {
    stopping_ = true;
    wait();
}

void SendsmsThread::run() {
    try {
        runJob();
    } catch (...) {
        // Every way out of the job, an unexpected error included, ends it through the same step;
        // batches the gateway accepted before are charged all the same.
        try {
            if (accepted_ > 0 && !charged_)
                chargeAccepted();
        } catch (const Error&) {
            // The amounts were read at the start; a balance changed since into no amount stays.
        }
    }
    database_.releaseThreadConnection();
    Q_EMIT ended();
}

void SendsmsThread::runJob() {
    const SendJobInputs& in = inputs_;
    const int batches = batchCount(in.total);
    Q_EMIT begun();
    Q_EMIT lineAdded(QStringLiteral("正在始初化.."));
    if (in.numbersText.isEmpty() || in.content.isEmpty()) {
        Q_EMIT lineAdded(QStringLiteral("发送失败：手机号码和短内容不能为空!"));
        outcome_ = SendOutcome::MissingInput;
        return;
    }
    const long long billed = static_cast<long long>(in.total) * in.parts;
    if (!balanceCovers(account_.get(), billed)) {
        Q_EMIT lineAdded(QStringLiteral("发送失败：您的余额不足以支付本次发送任务！"));
        outcome_ = SendOutcome::BalanceTooLow;
        return;
    }
    const QStringList forbidden = wordsFound(findForbiddenWords(in.content, in.forbiddenWords));
    if (!forbidden.isEmpty()) {
        Q_EMIT lineAdded(forbiddenWordsMessage(forbidden));
        outcome_ = SendOutcome::ForbiddenWords;
        Q_EMIT forbiddenWordsFound(forbidden);
        return;
    }
    Q_EMIT lineAdded(QStringLiteral("正在发送...请勿退出软件..."));
    if (billed >= kBatchSize)
        Q_EMIT lineAdded(QStringLiteral("  由于本次任务号码较多，请耐心等侯。请勿中途退出。"));
    const QStringList list = sendNumberList(in.numbersText);
    bool postFailed = false;

    for (int i = 1; i <= batches; ++i) {
        if (stopping_)
            throw JobEnded();
        const Batch batch = batchAt(list, in.total, i);
        QString reply;
        try {
            reply = postBatch(batch.numbers);
        } catch (const HttpError&) {
            if (cancelled_)
                throw JobEnded();
            Q_EMIT lineAdded(
                QStringLiteral("第[ %1 ]次..[ %2 ]条。发送失败。请检查网络!").arg(i).arg(batch.count));
            postFailed = true;
            logBatch(batch.numbers, batch.count, QStringLiteral("失败"));
            if (batch.count > 0)
                failedNumbers_ << batch.numbers.split(QLatin1Char(','));
            reportProgress(i);
            pause();
            continue;
        }
        if (!reply.startsWith(QLatin1String("000"))) {
            Q_EMIT lineAdded(refusalLine(reply));
            outcome_ = SendOutcome::Refused;
            return;
        }
        accepted_ += batch.count;
        const QString acceptedLine = QStringLiteral("第[ %1 ]次..[ %2 ]条。提交成功!")
                                         .arg(i)
                                         .arg(static_cast<long long>(batch.count) * in.parts);
        try {
            logBatch(batch.numbers, batch.count, QStringLiteral("成功"));
        } catch (const DatabaseError& error) {
            // The batch went out and is charged: say so, and why it is missing from the log.
            Q_EMIT lineAdded(acceptedLine);
            reportProgress(i);
            Q_EMIT lineAdded(
                QStringLiteral("第[ %1 ]次提交成功，但发送记录未能保存：%2").arg(i).arg(error.reason()));
            throw;
        }
        Q_EMIT lineAdded(acceptedLine);
        reportProgress(i);
        pause();
    }

    const Decimal cost = chargeAccepted();
    Q_EMIT lineAdded(
        QStringLiteral("成功发送 [%1] 条  消费 [%2] 元。").arg(accepted_ * in.parts).arg(cost.toString()));
    Q_EMIT lineAdded(QStringLiteral("任务完成。"));
    outcome_ = postFailed ? SendOutcome::NetworkFailure : SendOutcome::Sent;
    Q_EMIT numbersSent(in.numbersText);
    if (!failedNumbers_.isEmpty())
        Q_EMIT batchesFailed(failedNumbers_);
}

Decimal SendsmsThread::chargeAccepted() {
    charged_ = true;
    const long long billed = accepted_ * inputs_.parts;
    QString balanceText;
    Decimal cost;
    account_.change([&](AccountFields& a) {
        cost = costOf(a, billed);
        a.money = (amount(a.money) - cost).toString();
        balanceText = a.money;
    });
    Q_EMIT balanceLowered(balanceText);
    return cost;
}

QString SendsmsThread::postBatch(const QString& numbers) {
    const AccountFields account = account_.get();
    return HttpPostForm(inputs_.gatewayUrl,
                        gatewayFields(account.uid, account.pwd, numbers, inputs_.content, inputs_.time),
                        limits::kGateway,
                        &cancelled_);
}

void SendsmsThread::reportProgress(int index) {
    Q_EMIT progressed(qMin(kBatchSize * index, inputs_.total), inputs_.total);
}

void SendsmsThread::logBatch(const QString& numbers, int count, const QString& tag) {
    database_.execute(
        SqlText(QStringLiteral("insert into send (uid, mobno, num, msg, tag) values ("))
            .valueList({account_.get().uid.trimmed(), numbers, count, inputs_.content.left(255), tag})
            .add(QStringLiteral(")")));
}

void SendsmsThread::pause() {
    sleepUnlessCancelled(inputs_.pause, stopping_);
}

} // namespace parlumo
