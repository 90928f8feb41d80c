// The program: where it finds its data files, and a run from its command line.

#include "kelvor/ui/kelvor_app.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using kelvor::CKelvorApp;

// Restores the working folder the test found.
struct WorkingFolder {
    QString saved = QDir::currentPath();
    ~WorkingFolder() { QDir::setCurrent(saved); }
};

TEST(KelvorApp, ChangesToItsOwnFolderOnlyWhenTheWorkingFolderLacksTheTables) {
    WorkingFolder keep;
    testing_support::TempFolder empty, program, own;
    QFile(QString::fromStdString(program.Path() + "renju.tbl")).open(QIODevice::WriteOnly);
    QFile(QString::fromStdString(own.Path() + "renju.tbl")).open(QIODevice::WriteOnly);
    const QString programFolder = QDir(QString::fromStdString(program.Path())).canonicalPath();

    QDir::setCurrent(QString::fromStdString(empty.Path()));
    EXPECT_EQ(CKelvorApp::ChooseWorkingFolder(programFolder), programFolder);

    const QString ownFolder = QDir(QString::fromStdString(own.Path())).canonicalPath();
    QDir::setCurrent(ownFolder);
    EXPECT_EQ(CKelvorApp::ChooseWorkingFolder(programFolder), ownFolder);

    // Neither has them: the working folder stays, and the document reports the files.
    QDir::setCurrent(QString::fromStdString(empty.Path()));
    const QString emptyFolder = QDir::currentPath();
    EXPECT_EQ(CKelvorApp::ChooseWorkingFolder(emptyFolder), emptyFolder);
}

TEST(KelvorProgram, PlaysScriptedMovesAndSavesThePicture) {
    testing_support::TempFolder tmp;
    const std::string png = tmp.Path() + "window.png";
    // Started from another folder: the program finds its data files itself.
    const std::string command = "cd " + tmp.Path() + " && QT_QPA_PLATFORM=offscreen timeout 120 " +
                                KELVOR_BIN + " --screenshot " + png +
                                " --variant renju --white 1 --think 200 --moves H8,J9,J7" +
                                " > /dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    QImage picture(QString::fromStdString(png));
    EXPECT_GT(picture.width(), 500);
    EXPECT_GT(picture.height(), 400);
}

} // namespace
