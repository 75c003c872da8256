#include "cli/send_command.h"

#include "cli/stop_signals.h"
#include "core/account_state.h"
#include "core/service_config.h"
#include "core/settings.h"
#include "data/database.h"
#include "data/database_startup.h"
#include "data/file_bytes.h"
#include "data/number_list.h"
#include "data/text_files.h"
#include "login/login_reply.h"
#include "service/http.h"
#include "sms/message_rules.h"
#include "sms/send_job.h"
#include "text/gbk.h"
#include "text/split_fields.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QIODevice>
#include <QStringDecoder>
#include <QTextStream>
#include <algorithm>

namespace parlumo {

namespace {

// What stops the command, with its exit code.
class SendStopped : public Error {
public:
    SendStopped(SendExit exit, const QString& reason) : Error(reason), exit(exit) {}
    SendExit exit;
};

const QString kMissingInput = QStringLiteral("发送失败：手机号码和短内容不能为空!");

// A text file as a user on this system writes it (UTF-8), or as the program's own text files are
// (GBK) when it is not UTF-8.
QString decodeTextFile(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? fromGbk(bytes) : text;
}

QByteArray readInputFile(const QString& path) {
    try {
        return readFileBytes(path);
    } catch (const Error& error) {
        throw SendStopped(SendExit::BadInput,
                          QStringLiteral("无法读取文件“%1”：%2").arg(path, error.reason()));
    }
}

SendExit exitFor(SendOutcome outcome) {
    switch (outcome) {
    case SendOutcome::Sent:
        return SendExit::Sent;
    case SendOutcome::MissingInput:
    case SendOutcome::BalanceTooLow:
        return SendExit::BadInput;
    case SendOutcome::Refused:
        return SendExit::Refused;
    case SendOutcome::NetworkFailure:
        return SendExit::NetworkFailure;
    case SendOutcome::Stopped:
        break;
    }
    return SendExit::Failed;
}

class SendCommand {
public:
    SendCommand(const SendArguments& args, QTextStream& out, QIODevice& standardInput);
    SendExit run();

private:
    QString readNumbers();
    QString readText();
    void readCredentials();
    void openSendLog();
    void logIn();
    // The checks of the compose screen's send button that stop a send made from here.
    void checkBeforeSend() const;
    SendExit showPlan() const;
    SendExit sendAll();

    const SendArguments& args_;
    QTextStream& out_;
    QIODevice& standardInput_;
    QString folder_;
    Settings settings_;
    ServiceAddresses addresses_;
    AccountState account_;
    Database database_;
    QString uid_, pwd_;
    QString numbersText_;
    QString content_;
    // The compose screen's figures: numbers, characters per SMS, billing size, parts per number.
    int total_ = 0;
    int charsPerSms_ = 0;
    int billingSize_ = 0;
    int parts_ = 0;
};

SendCommand::SendCommand(const SendArguments& args, QTextStream& out, QIODevice& standardInput)
    : args_(args), out_(out), standardInput_(standardInput), folder_(QDir(args.home).absolutePath()),
      settings_(QDir(folder_).filePath(QStringLiteral("ovarn.ini"))),
      addresses_(readServiceAddresses(settings_)), account_(addresses_.soap),
      database_(QDir(folder_).filePath(QStringLiteral("db.db"))) {}

SendExit SendCommand::run() {
    if (!QFileInfo(folder_).isDir())
        throw SendStopped(SendExit::BadInput, QStringLiteral("程序文件夹不存在：%1").arg(args_.home));
    numbersText_ = readNumbers();
    content_ = cleanMessageText(readText());
    const QStringList numbers = sendNumberList(numbersText_);
    if (content_.isEmpty() ||
        std::all_of(numbers.begin(), numbers.end(), [](const QString& n) { return n.isEmpty(); }))
        throw SendStopped(SendExit::BadInput, kMissingInput);
    readCredentials();
    if (!args_.dryRun)
        openSendLog();
    logIn();

    total_ = countNumbers(numbersText_, CountRule::Items);
    const int length = static_cast<int>(content_.size());
    charsPerSms_ = charsPerSms(account_.get().MaxSmsChars);
    billingSize_ = billingSize(charsPerSms_, length);
    parts_ = partsPerNumber(length, billingSize_);
    if (args_.dryRun)
        return showPlan();
    checkBeforeSend();
    return sendAll();
}

QString SendCommand::readNumbers() {
    const QByteArray bytes =
        args_.numbersFrom == QLatin1String("-") ? standardInput_.readAll() : readInputFile(args_.numbersFrom);
    return memoText(memoLines(fromGbk(bytes)));
}

QString SendCommand::readText() {
    return args_.textFile.isEmpty() ? args_.text : decodeTextFile(readInputFile(args_.textFile));
}

void SendCommand::readCredentials() {
    if (!args_.passwordFile.isEmpty()) {
        uid_ = args_.uid.trimmed();
        pwd_ = memoLines(decodeTextFile(readInputFile(args_.passwordFile))).value(0).trimmed();
    } else {
        uid_ = settings_.ReadSetting(QStringLiteral("login"), QStringLiteral("uid")).trimmed();
        pwd_ = settings_.ReadSetting(QStringLiteral("login"), QStringLiteral("pwd")).trimmed();
    }
    if (uid_.isEmpty() || pwd_.isEmpty())
        throw SendStopped(
            SendExit::BadInput,
            QStringLiteral("用户名和密码不能为空！\n"
                           "（程序文件夹里没有记住的账号和密码：在登录窗口勾选“记住密码”登录一次，"
                           "或用 --uid 和 --password-file。）"));
}

// The send log is checked before anything goes out: a batch the gateway accepted must not go
// unrecorded. A spare copy is put back as the login screen does; the file is not compacted, since
// the program may have it open.
void SendCommand::openSendLog() {
    try {
        restoreSpareCopy(folder_);
        database_.createIfMissing();
        database_.verify();
    } catch (const DatabaseError& error) {
        throw SendStopped(SendExit::Failed, error.reason() + QStringLiteral("\n发送记录无法保存，未发送。"));
    }
}

void SendCommand::logIn() {
    QString refusal;
    try {
        refusal = readHttpLogin(HttpGetText(httpLoginUrl(addresses_.host, uid_, pwd_)), account_, uid_, pwd_);
    } catch (const FieldError&) {
        throw SendStopped(SendExit::NetworkFailure, httpConnectionMessage());
    }
    if (!refusal.isNull())
        throw SendStopped(SendExit::Refused, refusal);
}

void SendCommand::checkBeforeSend() const {
    if (args_.at && !account_.get().CanSchedule)
        throw SendStopped(SendExit::BadInput,
                          QStringLiteral("此账号不能定时发送（没有开通“定时短信”），请去掉 --at。"));
    if (content_.size() > charsPerSms_ && !args_.acceptLong)
        throw SendStopped(SendExit::BadInput,
                          longMessageQuestion(charsPerSms_, total_, parts_) +
                              QStringLiteral("\n确认发送请加 --accept-long。"));
}

SendExit SendCommand::showPlan() const {
    const AccountFields account = account_.get();
    const long long billed = static_cast<long long>(total_) * parts_;
    out_ << QStringLiteral("试运行：不提交号码，不写发送记录。") << Qt::endl;
    out_ << QStringLiteral("号码数：%1  字符数：%2  每 %3 个字计一条，每个号码 %4 条")
                .arg(total_)
                .arg(content_.size())
                .arg(billingSize_)
                .arg(parts_)
         << Qt::endl;
    const QStringList list = sendNumberList(numbersText_);
    const int batches = batchCount(total_);
    for (int i = 1; i <= batches; ++i)
        out_ << QStringLiteral("第[ %1 ]批：[ %2 ]个号码").arg(i).arg(batchAt(list, total_, i).count)
             << Qt::endl;
    out_ << QStringLiteral("共 [%1] 条  费用 [%2] 元  单价 %3 元/条  余额 %4 元")
                .arg(billed)
                .arg(costOf(account, billed).toString(), account.dj, account.money)
         << Qt::endl;
    checkBeforeSend();
    if (!balanceCovers(account, billed))
        throw SendStopped(SendExit::BadInput, QStringLiteral("发送失败：您的余额不足以支付本次发送任务！"));
    return SendExit::Sent;
}

SendExit SendCommand::sendAll() {
    SendJobInputs inputs;
    inputs.numbersText = numbersText_;
    inputs.content = content_;
    inputs.total = total_;
    inputs.parts = parts_;
    inputs.billingSize = billingSize_;
    if (args_.at)
        inputs.time = scheduledTime(args_.at->day, args_.at->time);
    inputs.gatewayUrl = gatewayUrl(addresses_.host);

    SendsmsThread job(inputs, account_, database_);
    QEventLoop loop;
    QObject::connect(
        &job, &SendsmsThread::lineAdded, &loop, [this](const QString& line) { out_ << line << Qt::endl; });
    QObject::connect(&job, &SendsmsThread::ended, &loop, &QEventLoop::quit);
    // Stopped by a signal (Ctrl+C, a time limit of the scheduler), the job ends once the batch on
    // its way has been answered and logged, so a batch the gateway took is never unrecorded.
    StopSignals stops;
    bool stopRequested = false;
    QObject::connect(&stops, &StopSignals::stopRequested, &loop, [&job, &stopRequested] {
        stopRequested = true;
        job.finishBatchThenStop();
    });
    job.start();
    loop.exec();
    job.wait();
    if (stopRequested && job.outcome() == SendOutcome::Stopped)
        throw SendStopped(SendExit::Failed, QStringLiteral("发送已中止：已提交的批次都已记入发送记录。"));
    return exitFor(job.outcome());
}

} // namespace

SendExit runSend(const SendArguments& args, QTextStream& out, QTextStream& err, QIODevice& standardInput) {
    try {
        return SendCommand(args, out, standardInput).run();
    } catch (const SendStopped& stopped) {
        out.flush();
        err << stopped.reason() << Qt::endl;
        return stopped.exit;
    } catch (const Error& error) {
        // Figures of the login reply that are no amount, a file that cannot be read, …
        out.flush();
        err << error.reason() << Qt::endl;
        return SendExit::Failed;
    }
}

} // namespace parlumo
