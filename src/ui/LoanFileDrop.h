// Which drags the window takes: one loan file from a file manager, opened as Open opens a file.
#pragma once

#include <QString>
#include <Qt>

class QMimeData;

namespace ui {

// The full path of the one local loan file (a regular file named *.tsl, in any case) that the
// dragged data names; empty when it names anything else: several items, a folder, another kind of
// file, a remote place.
QString DroppedLoanFile(const QMimeData& data);

// The action a drop of a loan file asks of its source: a copy, or a link where the source offers
// no copy; never a move, after which the file manager would delete the file. IgnoreAction when the
// source offers neither.
Qt::DropAction LoanFileDropAction(Qt::DropActions offered);

}  // namespace ui
