#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <optional>
#include <variant>

namespace parlumo {

// The exit codes of parlumo-send.
enum class SendExit {
    Sent = 0,           // every batch accepted (a dry run: a send would be posted)
    Failed = 1,         // the send log cannot be written, or the job stopped on an unexpected error
    BadArguments = 2,   // the command line is wrong; the usage goes to standard error
    BadInput = 3,       // no numbers, no text, a file that cannot be read, or a check before the send
    Refused = 4,        // the service refused the login or a batch
    NetworkFailure = 5, // the service could not be reached for the login, or a batch could not be posted
};

// A scheduled send's day and time of day.
struct SendSchedule {
    QDate day;
    QTime time;
};

// What the command line asks for.
struct SendArguments {
    QString home;        // the program folder
    QString numbersFrom; // a file, or "-" for standard input
    QString text;        // the message given on the command line
    QString textFile;    // or the file that holds it
    std::optional<SendSchedule> at;
    bool dryRun = false;
    bool acceptLong = false; // a text longer than one SMS is sent without asking
    QString uid;             // with passwordFile: this account instead of the remembered one
    QString passwordFile;
};

// Help asked for: the text to print.
struct SendHelp {
    QString text;
};

// A wrong command line: what is wrong, and the usage to print after it.
struct SendUsageError {
    QString problem;
    QString usage;
};

// Reads the command line (arguments[0] is the program): the arguments, the help or version
// text, or what is wrong with it.
std::variant<SendArguments, SendHelp, SendUsageError> parseSendArguments(const QStringList& arguments);

} // namespace parlumo
