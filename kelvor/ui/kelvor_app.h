#pragma once
// CKelvorApp: kelvor's application object. It finds the data files, installs the
// message boxes, and creates the document and the main frame.
//
// kelvor reads its tables and opening books from its working folder. When that folder
// lacks "renju.tbl" but the program's own folder has it, the program changes to its
// own folder first, so it starts from anywhere in its build tree; an installed kelvor
// changes to the folder of its installed data files (platform::FilesFolder).

#include "platform/messages.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace kelvor {

class CMainFrame;

class CKelvorApp {
  public:
    // Needs the QApplication.
    CKelvorApp();
    ~CKelvorApp();

    CMainFrame& MainFrame() { return *frame_; }

    // Changes to `dataFolder` when the working folder has no "renju.tbl" and that
    // folder has one; returns the working folder used.
    static QString ChooseWorkingFolder(const QString& dataFolder);

  private:
    std::unique_ptr<platform::MessageBoxes> boxes_;
    platform::MessageBoxes* previousBoxes_ = nullptr;
    std::unique_ptr<CMainFrame> frame_;
};

// A window picture for the documentation: the game set up by `setup` ("variant=renju",
// "size=15", "black=L", "white=L", then the moves played as clicks), the computer of the
// side to move thinking for `thinkMs` milliseconds, then the window grabbed to `file`.
struct ScreenshotScript {
    QString file;
    int variant = 0;
    int size = 15;
    int levels[2] = {0, 0};
    std::vector<std::string> moves;
    int thinkMs = 1500;
};
// Runs the script on the frame's document; false when a move is refused or the picture
// cannot be written.
bool TakeScreenshot(CMainFrame& frame, const ScreenshotScript& script);

} // namespace kelvor
