#pragma once

#include "cli/send_arguments.h"

class QIODevice;
class QTextStream;

namespace parlumo {

// parlumo-send for parsed arguments: reads the numbers and the text, logs in as the login
// screen's button does, makes the compose screen's checks and runs its send job, whose lines go to
// `out`; a dry run shows the batches and the cost instead and posts nothing. What stops the
// command goes to `err`. `standardInput` is read when the numbers come from "-".
SendExit runSend(const SendArguments& args, QTextStream& out, QTextStream& err, QIODevice& standardInput);

} // namespace parlumo
