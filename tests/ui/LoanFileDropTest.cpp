// A loan file dropped onto the window from a file manager opens as Open opens a chosen file; any
// other drag of files is refused.
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <memory>

#include "Recorders.h"
#include "WindowState.h"
#include "ui/Mortgage.h"
#include "ui/ScheduleTableView.h"
#include "ui/StartUp.h"

namespace ui {

using testing::Controls;
using testing::Find;
using testing::RecordingBoxes;
using testing::RecordingDialogs;
using testing::TypeLoan;
using testing::WhatIsShown;

namespace {

const QByteArray kLoan =
    "[Loan]\r\nPrincipal=150000\r\nRate=6.5\r\nTerm=15\r\nSchedule=Monthly\r\nYears=0\r\n"
    "Date=45292\r\n[ExtPayments]\r\n2=5000.00\r\n";

std::unique_ptr<QMimeData> Files(const QList<QUrl>& urls) {
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    return data;
}

// The drag enters the control, and is dropped there when it was taken. Returns whether it was.
bool Drop(QWidget& control, const QMimeData& data,
          Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction,
          Qt::DropAction proposed = Qt::MoveAction) {
    const QPointF at = control.rect().center();
    QDragEnterEvent enter(at.toPoint(), offered, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setDropAction(proposed);
    QApplication::sendEvent(&control, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    // The file manager deletes a file it sees moved: a drop must never ask for that.
    if (enter.dropAction() != Qt::CopyAction && enter.dropAction() != Qt::LinkAction) {
        qFatal("a drag was taken with action %d", int(enter.dropAction()));
    }
    QDropEvent drop(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    drop.setDropAction(proposed);
    QApplication::sendEvent(&control, &drop);
    // The file is opened once the drop has ended.
    QCoreApplication::sendPostedEvents();
    return drop.isAccepted();
}

}  // namespace

class LoanFileDropTest : public QObject {
    Q_OBJECT

  private:
    RecordingBoxes boxes_;
    std::unique_ptr<RecordingDialogs> dialogs_;
    std::unique_ptr<TfrmMortMain> window_;
    std::unique_ptr<QTemporaryDir> folder_;

    QString WriteFile(const QString& name, const QByteArray& bytes) const {
        const QString path = folder_->filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) < 0) {
            qFatal("cannot write %s", qPrintable(path));
        }
        return path;
    }

  private slots:
    void initTestCase() { PrepareApplication(); }

    void init() {
        boxes_.Clear();
        dialogs_ = std::make_unique<RecordingDialogs>();
        folder_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/drop-XXXXXX");
        QVERIFY(folder_->isValid());
        window_ = std::make_unique<TfrmMortMain>(boxes_, *dialogs_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    void cleanup() {
        window_.reset();
        dialogs_.reset();
    }

    void droppedLoanFileOpensAsOpenDoes_data() {
        QTest::addColumn<QString>("onto");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("offered");
        QTest::newRow("window, copy or move offered")
            << "frmMortMain"
            << "loan.tsl" << int(Qt::CopyAction | Qt::MoveAction);
        QTest::newRow("principal box, name in capitals") << "edPrincipal"
                                                         << "LOAN.TSL" << int(Qt::CopyAction);
        QTest::newRow("grid, link offered") << "sgTable"
                                            << "loan.Tsl" << int(Qt::LinkAction);
    }
    void droppedLoanFileOpensAsOpenDoes() {
        QFETCH(QString, onto);
        QFETCH(QString, name);
        QFETCH(int, offered);
        const QString path = WriteFile(name, kLoan);
        QWidget* target = window_.get();
        if (onto == QStringLiteral("sgTable")) {
            target = Find<ScheduleTableView>(*window_, onto)->viewport();
        } else if (onto != window_->objectName()) {
            target = Find<QWidget>(*window_, onto);
        }
        QVERIFY(Drop(*target, *Files({QUrl::fromLocalFile(path)}), Qt::DropActions(offered)));
        QCOMPARE(window_->DocumentName(), path);
        QCOMPARE(dialogs_->opens, 0);
        QVERIFY(boxes_.infos.isEmpty());
        QVERIFY(boxes_.errors.isEmpty());
        QCOMPARE(Controls(*window_).edPrincipal->text(), QStringLiteral("150000"));

        // The same as the dialog's Open in another window, which then offers the path next time.
        RecordingBoxes boxes;
        RecordingDialogs dialogs;
        TfrmMortMain other(boxes, dialogs);
        dialogs.paths.push_back(path);
        other.Open1Click();
        QVERIFY(WhatIsShown(*window_) == WhatIsShown(other));
        QCOMPARE(window_->Grid().Cell(2, loan::kColExtra), std::string("5000.00"));
        window_->Open1Click();
        QCOMPARE(dialogs_->openAsked.fileName, path);
    }

    void otherDragsOfFilesAreRefused_data() {
        QTest::addColumn<QStringList>("names");  // files made in the folder; "/" ends a folder
        QTest::addColumn<QString>("url");        // instead, when not empty
        QTest::addColumn<int>("offered");
        const int copy = Qt::CopyAction | Qt::MoveAction;
        QTest::newRow("two loan files") << QStringList{"a.tsl", "b.tsl"} << "" << copy;
        QTest::newRow("a folder") << QStringList{"loans.tsl/"} << "" << copy;
        QTest::newRow("another kind of file") << QStringList{"loan.txt"} << "" << copy;
        QTest::newRow("no such file") << QStringList() << "missing.tsl" << copy;
        QTest::newRow("remote") << QStringList() << "https://example.com/loan.tsl" << copy;
        QTest::newRow("only a move offered")
            << QStringList{"loan.tsl"} << "" << int(Qt::MoveAction);
    }
    void otherDragsOfFilesAreRefused() {
        QFETCH(QStringList, names);
        QFETCH(QString, url);
        QFETCH(int, offered);
        QList<QUrl> urls;
        for (const QString& name : names) {
            if (name.endsWith('/')) {
                QVERIFY(QDir(folder_->path()).mkdir(name.chopped(1)));
                urls.append(QUrl::fromLocalFile(folder_->filePath(name.chopped(1))));
            } else {
                urls.append(QUrl::fromLocalFile(WriteFile(name, kLoan)));
            }
        }
        if (!url.isEmpty()) {
            urls.append(url.contains(':') ? QUrl(url)
                                          : QUrl::fromLocalFile(folder_->filePath(url)));
        }
        const Controls controls(*window_);
        TypeLoan(*window_, "100000", "6", "30");
        for (QWidget* const target :
             {static_cast<QWidget*>(window_.get()), static_cast<QWidget*>(controls.edPrincipal)}) {
            QVERIFY(!Drop(*target, *Files(urls), Qt::DropActions(offered)));
        }
        QVERIFY(window_->DocumentName().isEmpty());
        QCOMPARE(controls.edPrincipal->text(), QStringLiteral("100000"));
        QCOMPARE(window_->Grid().RowCount(), 2);
    }

    // A drag of text keeps its meaning in an edit box.
    void draggedTextStillGoesIntoAnEditBox() {
        QMimeData text;
        text.setText(QStringLiteral("2500"));
        QLineEdit* const rate = Controls(*window_).edRate;
        QVERIFY(Drop(*rate, text, Qt::CopyAction, Qt::CopyAction));
        QCOMPARE(rate->text(), QStringLiteral("2500"));
    }
};

}  // namespace ui

QTEST_MAIN(ui::LoanFileDropTest)
#include "LoanFileDropTest.moc"
