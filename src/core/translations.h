#pragma once

class QCoreApplication;

namespace parlumo {

// Loads Qt's Simplified Chinese texts, so standard buttons and dialogs read in Chinese.
void installChineseTranslations(QCoreApplication& app);

} // namespace parlumo
