// A loan file dropped onto the window from a file manager opens as Open opens a chosen file; any
// other drag of files is refused.
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "Recorders.h"
#include "WindowState.h"
#include "ui/Mortgage.h"
#include "ui/ScheduleTableView.h"
#include "ui/StartUp.h"

namespace ui {

using testing::Controls;
using testing::RecordingBoxes;
using testing::RecordingDialogs;

namespace {

// The drag enters the control and, when taken there, is dropped; a file opens once the drop has
// ended. Returns the action the drag was taken with, IgnoreAction when refused.
Qt::DropAction Drop(QWidget& control, const QMimeData& data, Qt::DropActions offered) {
    // Shift held: the file manager proposes a move where it offers one.
    const QPoint at = control.rect().center();
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(&control, &enter);
    if (!enter.isAccepted()) {
        return Qt::IgnoreAction;
    }
    QDropEvent drop(at, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(&control, &drop);
    QCoreApplication::sendPostedEvents();
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

Qt::DropAction DropFiles(QWidget& control, const QList<QUrl>& urls,
                         Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction) {
    QMimeData data;
    data.setUrls(urls);
    return Drop(control, data, offered);
}

}  // namespace

class LoanFileDropTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir folder_{QDir::tempPath() + "/drop-XXXXXX"};

    QUrl LoanFile(const QString& name) const {
        const QString path = folder_.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write("[Loan]\r\nPrincipal=150000\r\nRate=6.5\r\nTerm=15\r\nSchedule="
                       "Monthly\r\nDate=45292\r\n"
                       "[ExtPayments]\r\n2=5000.00\r\n") < 0) {
            qFatal("cannot write %s", qPrintable(path));
        }
        return QUrl::fromLocalFile(path);
    }

  private slots:
    void initTestCase() { PrepareApplication(); }

    void droppedLoanFileOpensAsOpenDoes_data() {
        QTest::addColumn<QString>("onto");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("offered");
        QTest::addColumn<int>("taken");  // never a move: the file manager would delete the file
        const int copyOrMove = Qt::CopyAction | Qt::MoveAction;
        QTest::newRow("window") << ""
                                << "a.tsl" << copyOrMove << int(Qt::CopyAction);
        QTest::newRow("edit box, capitals") << "edPrincipal"
                                            << "B.TSL" << copyOrMove << int(Qt::CopyAction);
        QTest::newRow("grid, link") << "sgTable"
                                    << "c.Tsl" << int(Qt::LinkAction) << int(Qt::LinkAction);
    }
    void droppedLoanFileOpensAsOpenDoes() {
        QFETCH(QString, onto);
        QFETCH(QString, name);
        QFETCH(int, offered);
        QFETCH(int, taken);
        RecordingBoxes boxes;
        RecordingDialogs dialogs;
        TfrmMortMain window(boxes, dialogs);
        QWidget* target = &window;
        if (onto == QStringLiteral("sgTable")) {
            target = Controls(window).sgTable->viewport();
        } else if (!onto.isEmpty()) {
            target = testing::Find<QWidget>(window, onto);
        }
        const QUrl file = LoanFile(name);
        QCOMPARE(int(DropFiles(*target, {file}, Qt::DropActions(offered))), taken);
        QCOMPARE(window.DocumentName(), file.toLocalFile());
        QCOMPARE(dialogs.opens, 0);
        QVERIFY(boxes.infos.isEmpty() && boxes.errors.isEmpty());

        // As the dialog's Open shows it in another window; and the dialog offers it next.
        TfrmMortMain other(boxes, dialogs);
        dialogs.paths.push_back(file.toLocalFile());
        other.Open1Click();
        QVERIFY(testing::WhatIsShown(window) == testing::WhatIsShown(other));
        QCOMPARE(window.Grid().Cell(2, loan::kColExtra), std::string("5000.00"));
        window.Open1Click();
        QCOMPARE(dialogs.openAsked.fileName, file.toLocalFile());
    }

    // Refused over the window and over an edit box alike, which then keeps its text.
    void otherDragsOfFilesAreRefused_data() {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<int>("offered");
        const int copyOrMove = Qt::CopyAction | Qt::MoveAction;
        QVERIFY(QDir(folder_.path()).mkdir("folder.tsl"));
        QTest::newRow("two loan files")
            << QList{LoanFile("a.tsl"), LoanFile("b.tsl")} << copyOrMove;
        QTest::newRow("a folder") << QList{QUrl::fromLocalFile(folder_.filePath("folder.tsl"))}
                                  << copyOrMove;
        QTest::newRow("another kind") << QList{LoanFile("loan.txt")} << copyOrMove;
        QTest::newRow("no such file")
            << QList{QUrl::fromLocalFile(folder_.filePath("no.tsl"))} << copyOrMove;
        QTest::newRow("remote") << QList{QUrl("https://example.com/loan.tsl")} << copyOrMove;
        QTest::newRow("only a move") << QList{LoanFile("a.tsl")} << int(Qt::MoveAction);
    }
    void otherDragsOfFilesAreRefused() {
        QFETCH(QList<QUrl>, urls);
        QFETCH(int, offered);
        RecordingBoxes boxes;
        RecordingDialogs dialogs;
        TfrmMortMain window(boxes, dialogs);
        const Controls controls(window);
        controls.edPrincipal->setText(QStringLiteral("100000"));
        QCOMPARE(DropFiles(window, urls, Qt::DropActions(offered)), Qt::IgnoreAction);
        QCOMPARE(DropFiles(*controls.edPrincipal, urls, Qt::DropActions(offered)),
                 Qt::IgnoreAction);
        QVERIFY(window.DocumentName().isEmpty());
        QCOMPARE(controls.edPrincipal->text(), QStringLiteral("100000"));
    }

    // A drag of text keeps its meaning in an edit box.
    void draggedTextStillGoesIntoAnEditBox() {
        RecordingBoxes boxes;
        RecordingDialogs dialogs;
        TfrmMortMain window(boxes, dialogs);
        QMimeData text;
        text.setText(QStringLiteral("2500"));
        QCOMPARE(Drop(*Controls(window).edRate, text, Qt::CopyAction), Qt::CopyAction);
        QCOMPARE(Controls(window).edRate->text(), QStringLiteral("2500"));
    }
};

}  // namespace ui

QTEST_MAIN(ui::LoanFileDropTest)
#include "LoanFileDropTest.moc"
