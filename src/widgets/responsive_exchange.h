#pragma once

#include "widgets/service_call.h"

#include <QString>

class QUrl;
class QWidget;

namespace parlumo {

// An exchange that a click waits for: it runs off the user-interface thread while a local event
// loop keeps the window repainting and moving; `window` takes no input meanwhile and the busy
// cursor shows. The code that clicked goes on with the reply, in the order it was written.
// Raises Error with the reason when the work fails.
QString exchangeWhileResponsive(QWidget* window, ServiceCall::Work work);

// The GET of an account exchange (login, balance, password, registration) made that way: the
// body of a 200 reply, or an empty text on any failure.
QString fetchWhileResponsive(QWidget* window, const QString& url);

} // namespace parlumo
