// Start-up: the application, its title and locale, the main window, the About box, the event loop.
#include <QApplication>

#include "ui/MortAbout.h"
#include "ui/Mortgage.h"
#include "ui/QtBoxes.h"
#include "ui/QtDialogs.h"
#include "ui/StartUp.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ui::PrepareApplication();

    ui::QtBoxes boxes;
    ui::QtDialogs dialogs;
    ui::TfrmMortMain frmMortMain(boxes, dialogs);
    ui::TfrmAbout frmAbout(&frmMortMain);
    frmMortMain.SetAboutBox(&frmAbout);

    ui::CenterOnScreen(frmMortMain);
    frmMortMain.show();
    return QApplication::exec();
}
