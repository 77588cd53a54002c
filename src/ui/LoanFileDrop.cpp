#include "ui/LoanFileDrop.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace ui {

QString DroppedLoanFile(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return {};
    }
    const QFileInfo file(urls.front().toLocalFile());
    // A loan file copied from a system that ignores case may be called LOAN.TSL.
    if (!file.isFile() || file.suffix().compare(QStringLiteral("tsl"), Qt::CaseInsensitive) != 0) {
        return {};
    }
    return file.absoluteFilePath();
}

Qt::DropAction LoanFileDropAction(Qt::DropActions offered) {
    if (offered.testFlag(Qt::CopyAction)) {
        return Qt::CopyAction;
    }
    if (offered.testFlag(Qt::LinkAction)) {
        return Qt::LinkAction;
    }
    return Qt::IgnoreAction;
}

}  // namespace ui
