// What a file dialog of the window remembers between its runs: the save dialog's file name is the
// current document name.
#pragma once

#include <QString>
#include <QStringList>

namespace ui {

struct FileDialogSettings {
    QString title;          // empty: the system's own title
    QStringList filters;    // "Tessary Loan (*.tsl)", ...
    QString filter;         // the filter chosen when the dialog was last closed (first at start)
    QString defaultSuffix;  // added to a name typed without one
    QString fileName;       // the full path of the last choice; the dialog opens on it
};

}  // namespace ui
