#include "toolkit/typed_length_limit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace parlumo {

namespace {

// The characters a key adds: its text when printable, the clipboard's text for a paste.
QString addedText(const QKeyEvent* key) {
    if (key->matches(QKeySequence::Paste))
        return QGuiApplication::clipboard()->text();
    const QString text = key->text();
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return {};
    return text;
}

} // namespace

TypedLengthLimit::TypedLengthLimit(QLineEdit* box, int limit) : QObject(box), box_(box), limit_(limit) {
    box_->setContextMenuPolicy(Qt::NoContextMenu);
    box_->setAcceptDrops(false);
    box_->installEventFilter(this);
}

bool TypedLengthLimit::eventFilter(QObject* watched, QEvent* event) {
    if (watched != box_ || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const QString added = addedText(static_cast<QKeyEvent*>(event));
    if (added.isEmpty())
        return false;
    const qsizetype kept = box_->text().size() - box_->selectedText().size();
    return kept + added.size() > limit_;
}

} // namespace parlumo
