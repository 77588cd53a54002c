// Boxes and dialogs that answer at once and remember what the window asked.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

#include "ui/Boxes.h"
#include "ui/Dialogs.h"
#include "ui/FileDialogSettings.h"

namespace ui::testing {

class RecordingBoxes final : public Boxes {
  public:
    void ShowInfoBox(const QString& message) override { infos.append(message); }
    void ShowErrorBox(const QString& title, const QString& text) override {
        errorTitles.append(title);
        errors.append(text);
    }
    void Clear() {
        infos.clear();
        errors.clear();
        errorTitles.clear();
    }

    QStringList infos;
    QStringList errors;
    QStringList errorTitles;
};

// Answers each file dialog with the next queued path, or a cancel when none is queued.
class RecordingDialogs final : public Dialogs {
  public:
    bool ExecuteOpen(QWidget*, FileDialogSettings& settings) override {
        ++opens;
        openAsked = settings;
        return Answer(settings);
    }
    bool ExecuteSave(QWidget*, FileDialogSettings& settings) override {
        ++saves;
        saveAsked = settings;
        return Answer(settings);
    }
    bool ExecutePrint(QWidget*, QPrinter&) override {
        ++prints;
        return confirmPrint;
    }

    std::deque<QString> paths;
    bool confirmPrint = false;
    int opens = 0;
    int saves = 0;
    int prints = 0;
    // The settings each file dialog was last opened with, as the window gave them.
    FileDialogSettings openAsked;
    FileDialogSettings saveAsked;
    // The file type the person picks along with a queued path; empty keeps the dialog's own.
    QString chosenFilter;

  private:
    bool Answer(FileDialogSettings& settings) {
        if (paths.empty()) {
            return false;
        }
        settings.fileName = paths.front();
        paths.pop_front();
        if (!chosenFilter.isEmpty()) {
            settings.filter = chosenFilter;
        }
        return true;
    }
};

}  // namespace ui::testing
