// Start-up: the application, its title and locale, the main window, the About box, the event loop.
#include <QApplication>

#include "ui/Program.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ui::PrepareApplication();

    ui::Program program;
    program.Show();
    return QApplication::exec();
}
