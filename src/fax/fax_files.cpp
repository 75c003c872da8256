// The files of the new task: the document to fax, and the number list saved as a text file.
#include "fax/fax_screen.h"

#include "core/services.h"
#include "data/number_list.h"
#include "data/text_files.h"
#include "fax/fax_send_rules.h"
#include "text/error.h"
#include "toolkit/file_dialogs.h"
#include "toolkit/message_box.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace parlumo {

void Tf_fax::LbSpeedButton1Click() {
    const QString path = services_.fileDialogs->openFile(
        this,
        FileDialogRequest{
            QString(),
            QStringLiteral("Word文档|*.doc|Excel表格|*.xls|PowerPoint演示稿|*.ppt|PDF文档|*.pdf|"
                           "TIFF|*.tif|所有文件|*.*"),
            QString(),
            QString()});
    if (path.isEmpty())
        return;
    select_faxfile->setText(path);
    filename->setText(QFileInfo(path).fileName());
}

void Tf_fax::LbSpeedButton9Click() {
    const QString path = services_.fileDialogs->saveFile(
        this,
        FileDialogRequest{QString(),
                          QStringLiteral("文本文件.txt|*.txt|文本文件.text|*.text|所有文件.*|*.*"),
                          QString(),
                          faxNumbersFileName(QDateTime::currentDateTime())});
    if (path.isEmpty())
        return;
    try {
        writeTextLines(path, memoLines(faxno->toPlainText()));
    } catch (const Error& error) {
        services_.messages->showMessage(this, error.reason());
        return;
    }
    services_.messages->showMessage(this, QStringLiteral("已成功保存至：") + path);
}

} // namespace parlumo
