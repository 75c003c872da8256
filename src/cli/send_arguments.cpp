#include "cli/send_arguments.h"

#include "core/version.h"

#include <QCommandLineParser>

namespace parlumo {

namespace {

const QString kSynopsis = QStringLiteral(
    "parlumo-send --home DIR --to FILE|- (--text TEXT | --text-file FILE) [--at \"yyyy-MM-dd HH:mm\"]\n"
    "             [--dry-run] [--accept-long] [--uid UID --password-file FILE]\n");

const QString kDescription =
    kSynopsis +
    QStringLiteral("\n"
                   "按程序文件夹里记住的账号（或 --uid 与 --password-file 给出的账号）登录，\n"
                   "把一条短信发给号码文件里的全部号码，每批 5000 个，每批记入 db.db 的发送记录。\n"
                   "进度行以 UTF-8 写到标准输出。\n"
                   "\n"
                   "号码文件：每行一个号码（也可用逗号分隔），\"-\" 表示标准输入。\n"
                   "短信文件：UTF-8 或 GBK 文本，换行会被去掉，和发送短信窗口一样。\n"
                   "\n"
                   "退出码：\n"
                   "  0  全部批次提交成功（试运行：可以提交）\n"
                   "  1  发送记录无法写入，任务因意外错误中止，或被信号（Ctrl+C、SIGTERM）中止\n"
                   "     （中止时正在提交的一批会等到答复并记入发送记录）\n"
                   "  2  命令行参数有误（用法写到标准错误）\n"
                   "  3  输入有误：没有号码、没有内容、文件无法读取，或发送前的检查未通过\n"
                   "     （余额不足、长短信未用 --accept-long 确认、账号不能定时发送）\n"
                   "  4  服务拒绝：登录被拒绝，或某一批被短信网关拒绝\n"
                   "  5  网络故障：无法连接服务登录，或某一批提交失败\n"
                   "\n"
                   "例：parlumo-send --home ~/parlumo --to numbers.txt --text \"明天上午九点开会\"");

const QString kScheduleFormat = QStringLiteral("yyyy-MM-dd HH:mm");

// "yyyy-MM-dd HH:mm", read as a day and a time of day (not an instant, so no clock change
// can move it).
std::optional<SendSchedule> readSchedule(const QString& text) {
    if (text.size() != kScheduleFormat.size() || text[10] != QLatin1Char(' '))
        return std::nullopt;
    const QDate day = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    const QTime time = QTime::fromString(text.mid(11), QStringLiteral("HH:mm"));
    if (!day.isValid() || !time.isValid())
        return std::nullopt;
    return SendSchedule{day, time};
}

} // namespace

std::variant<SendArguments, SendHelp, SendUsageError> parseSendArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(kDescription);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption home(QStringLiteral("home"),
                                  QStringLiteral("程序文件夹（含 ovarn.ini 和 db.db）。"),
                                  QStringLiteral("DIR"));
    const QCommandLineOption to(
        QStringLiteral("to"), QStringLiteral("号码文件，\"-\" 为标准输入。"), QStringLiteral("FILE"));
    const QCommandLineOption text(
        QStringLiteral("text"), QStringLiteral("短信内容。"), QStringLiteral("TEXT"));
    const QCommandLineOption textFile(
        QStringLiteral("text-file"), QStringLiteral("从文件读取短信内容。"), QStringLiteral("FILE"));
    const QCommandLineOption at(
        QStringLiteral("at"),
        QStringLiteral("定时发送的时间，格式 \"yyyy-MM-dd HH:mm\"（账号须能定时发送）。"),
        QStringLiteral("TIME"));
    const QCommandLineOption dryRun(
        QStringLiteral("dry-run"),
        QStringLiteral("试运行：登录以取得单价和余额，列出各批号码数、条数和费用，不提交，不写记录。"));
    const QCommandLineOption acceptLong(
        QStringLiteral("accept-long"),
        QStringLiteral("内容超过一条短信的字数时照样发送（发送短信窗口在此会先询问）。"));
    const QCommandLineOption uid(
        QStringLiteral("uid"), QStringLiteral("用这个账号登录，不用记住的账号。"), QStringLiteral("UID"));
    const QCommandLineOption passwordFile(QStringLiteral("password-file"),
                                          QStringLiteral("--uid 的密码所在的文件（第一行）。"),
                                          QStringLiteral("FILE"));
    parser.addOptions({home, to, text, textFile, at, dryRun, acceptLong, uid, passwordFile});

    auto wrong = [](const QString& problem) {
        return SendUsageError{
            problem, QStringLiteral("用法：") + kSynopsis + QStringLiteral("详见 parlumo-send --help。\n")};
    };
    if (!parser.parse(arguments))
        return wrong(parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))
        return SendHelp{parser.helpText()};
    if (parser.isSet(version))
        return SendHelp{QStringLiteral("parlumo-send %1\n").arg(kProgramVersion)};
    if (!parser.positionalArguments().isEmpty())
        return wrong(
            QStringLiteral("多余的参数：%1").arg(parser.positionalArguments().join(QLatin1Char(' '))));
    for (const QCommandLineOption& option : {home, to, text, textFile, at, uid, passwordFile})
        if (parser.values(option).size() > 1)
            return wrong(QStringLiteral("选项 --%1 只能给一次。").arg(option.names().constFirst()));
    if (!parser.isSet(home))
        return wrong(QStringLiteral("缺少 --home。"));
    if (!parser.isSet(to))
        return wrong(QStringLiteral("缺少 --to。"));
    if (parser.isSet(text) == parser.isSet(textFile))
        return wrong(QStringLiteral("--text 和 --text-file 须给且只给一个。"));
    if (parser.isSet(uid) != parser.isSet(passwordFile))
        return wrong(QStringLiteral("--uid 和 --password-file 须一起给出。"));
    if (parser.isSet(uid) && (parser.value(uid).trimmed().isEmpty() || parser.value(passwordFile).isEmpty()))
        return wrong(QStringLiteral("--uid 和 --password-file 不能为空。"));

    SendArguments args;
    args.home = parser.value(home);
    args.numbersFrom = parser.value(to);
    args.text = parser.value(text);
    args.textFile = parser.value(textFile);
    if (parser.isSet(at)) {
        args.at = readSchedule(parser.value(at));
        if (!args.at)
            return wrong(QStringLiteral("--at 的时间应为 \"yyyy-MM-dd HH:mm\"：%1").arg(parser.value(at)));
    }
    args.dryRun = parser.isSet(dryRun);
    args.acceptLong = parser.isSet(acceptLong);
    args.uid = parser.value(uid);
    args.passwordFile = parser.value(passwordFile);
    return args;
}

} // namespace parlumo
