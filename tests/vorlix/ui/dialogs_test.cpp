#include "vorlix/ui/aboutdllform.h"
#include "vorlix/ui/aboutplform.h"
#include "vorlix/ui/opcioform.h"

#include "platform/atomic_file.h"
#include "platform/profile.h"
#include "support/test_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace vorlix;

TEST(OpcioForm, ShowsTheSettings) {
    testing_support::TempFolder dir;
    Settings s = ReadSettings(dir.Path());
    s.ColourChange = 0;
    s.RandomOpening = true;
    s.MachineStart = false;
    TOpcioForm f(s, dir.Path());
    EXPECT_EQ(f.windowTitle(), "Options");
    EXPECT_EQ(f.size(), QSize(290, 175));
    EXPECT_TRUE(f.CsereNo->isChecked());
    EXPECT_TRUE(f.RndOpenCb->isChecked()); // the stored value, even with colour change off
    EXPECT_FALSE(f.KezdCb->isChecked());

    s.ColourChange = 7;
    TOpcioForm none(s, dir.Path());
    EXPECT_EQ(none.CsereIndex(), -1);
}

TEST(OpcioForm, TheRadioGroupDrivesRandomOpening) {
    testing_support::TempFolder dir;
    Settings s = ReadSettings(dir.Path());
    TOpcioForm f(s, dir.Path());
    f.CsereNo->click();
    EXPECT_FALSE(f.RndOpenCb->isChecked());
    EXPECT_FALSE(f.RndOpenCb->isEnabled());
    f.CsereAfter5->click();
    EXPECT_TRUE(f.RndOpenCb->isChecked());
    EXPECT_TRUE(f.RndOpenCb->isEnabled());
}

TEST(OpcioForm, OkWritesTheWholeFileCancelNothing) {
    testing_support::TempFolder dir;
    Settings s = ReadSettings(dir.Path());
    {
        TOpcioForm f(s, dir.Path());
        f.CsereAfter5->click();
        f.CancelBt->click();
    }
    EXPECT_EQ(s.ColourChange, 0);
    EXPECT_FALSE(platform::FileExists(dir.Path() + "vorlix.ini"));

    TOpcioForm f(s, dir.Path());
    f.CsereAfter5->click();
    f.KezdCb->setChecked(false);
    f.OkBt->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(s.ColourChange, 1);
    EXPECT_FALSE(s.MachineStart);
    platform::ProfileFile ini;
    ASSERT_TRUE(ini.Load(dir.Path() + "vorlix.ini"));
    EXPECT_EQ(ini.GetInt("Options", "Colour change", -1), 1);
    EXPECT_EQ(ini.GetInt("Options", "Random opening", -1), 1);
    EXPECT_EQ(ini.GetInt("Options", "MachineStart", -1), 0);
    EXPECT_EQ(ini.GetInt("Options", "DrawAt", -1), 223);
    EXPECT_EQ(ini.GetString("Paths", "Output", ""), dir.Path() + "Kronika/");
}

TEST(OpcioForm, AFailedWriteIsReported) {
    testing_support::RecordingBoxes boxes;
    testing_support::TempFolder dir;
    Settings s = ReadSettings(dir.Path());
    TOpcioForm f(s, dir.Path() + "missing/");
    f.OkBt->click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].kind, platform::MessageKind::Error);
}

TEST(AboutPlForm, CaptionAndSize) {
    TAboutPlForm f;
    EXPECT_EQ(f.windowTitle(), "About players");
    EXPECT_EQ(f.size(), QSize(280, 171));
    EXPECT_EQ(f.OkBt->text(), "Ok");
}

TEST(AboutDllForm, ShowsTheLibrarysTextsOrTheDefaults) {
    TAboutDllForm full(std::string(TESTLIB_DIR) + "/testlib_full.so");
    EXPECT_EQ(full.windowTitle(), "About this dll");
    EXPECT_EQ(full.size(), QSize(280, 167));
    EXPECT_FALSE(full.NameLb->text().isEmpty());
    EXPECT_NE(full.NameLb->text(), "Unknow author.");

    TAboutDllForm minimal(std::string(TESTLIB_DIR) + "/testlib_minimal.so");
    EXPECT_EQ(minimal.NameLb->text(), "Unknow author.");
    EXPECT_EQ(minimal.CountryLb->text(), "");
    EXPECT_EQ(minimal.MailLb->text(), "");

    TAboutDllForm missing(std::string(TESTLIB_DIR) + "/no_such_library.so");
    EXPECT_EQ(missing.NameLb->text(), "Name");
    EXPECT_EQ(missing.CountryLb->text(), "Country");
    EXPECT_EQ(missing.MailLb->text(), "Mail address");
}
