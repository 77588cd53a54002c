// The program's windows as start-up makes them: the real boxes and dialogs, the main window and
// its About box, in that order. Shared by the program and the developer tools that run it.
#pragma once

#include "ui/MortAbout.h"
#include "ui/Mortgage.h"
#include "ui/QtBoxes.h"
#include "ui/QtDialogs.h"
#include "ui/StartUp.h"

namespace ui {

class Program {
  public:
    Program() : frmMortMain(boxes_, dialogs_), frmAbout(&frmMortMain) {
        frmMortMain.SetAboutBox(&frmAbout);
    }

    // The main window, centred on the screen.
    void Show() {
        CenterOnScreen(frmMortMain);
        frmMortMain.show();
    }

  private:
    QtBoxes boxes_;
    QtDialogs dialogs_;

  public:
    TfrmMortMain frmMortMain;
    TfrmAbout frmAbout;
};

}  // namespace ui
