#pragma once

class QLineEdit;
class QPlainTextEdit;

namespace parlumo {

// Keeps a memo's text one paragraph: every line break typed or pasted is dropped (the lines are
// joined, not separated by a blank), and `count` shows the text's length in UTF-16 code units.
void keepOneParagraph(QPlainTextEdit* memo, QLineEdit* count);

} // namespace parlumo
