#include "kelvor/ui/kelvor_app.h"

#include "kelvor/board.h"
#include "kelvor/kelvor_doc.h"
#include "kelvor/ui/board_geometry.h"
#include "kelvor/ui/kelvor_view.h"
#include "kelvor/ui/main_frame.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_message_boxes.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>

namespace kelvor {

QString CKelvorApp::ChooseWorkingFolder(const QString& dataFolder) {
    if (!QFileInfo::exists("renju.tbl") && QFileInfo::exists(dataFolder + "/renju.tbl"))
        QDir::setCurrent(dataFolder);
    return QDir::currentPath();
}

CKelvorApp::CKelvorApp() : boxes_(std::make_unique<platform::QtMessageBoxes>("Kelvor")) {
    ChooseWorkingFolder(QString::fromStdString(
        platform::FilesFolder(platform::ProgramFolder(), platform::ProgramFiles::Data)));
    previousBoxes_ = platform::SetMessageBoxes(boxes_.get());
    frame_ = std::make_unique<CMainFrame>(std::make_unique<CKelvorDoc>());
}

CKelvorApp::~CKelvorApp() {
    frame_.reset();
    platform::SetMessageBoxes(previousBoxes_);
}

bool TakeScreenshot(CMainFrame& frame, const ScreenshotScript& script) {
    CKelvorDoc& doc = frame.Document();
    doc.Variant = script.variant;
    doc.OpeningBook = false;
    doc.HiExtent = 2;
    doc.PlayerLevel = {0, 0};
    doc.SetBoardSize(script.size);
    frame.View().DocumentChanged();
    const BoardGeometry g(doc.BoardSize);
    for (const std::string& m : script.moves) {
        auto cell = ParseCell(m, doc.BoardSize);
        const size_t before = doc.Record.size();
        if (cell) frame.View().ClickAt(g.LineX(cell->first), g.LineY(cell->second));
        if (doc.Record.size() == before) return false;
    }
    doc.PlayerLevel = {script.levels[0], script.levels[1]};
    frame.View().DocumentChanged();
    frame.View().AfterMove();
    QDeadlineTimer deadline(script.thinkMs);
    while (!deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::processEvents();
    return frame.grab().save(script.file, "PNG");
}

} // namespace kelvor
