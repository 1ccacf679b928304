// The page "Zeitpläne" with a recording service manager: a schedule made and deleted, and the page
// without a manager.
#include "windows/SchedulesPage.h"

#include "core/Schedule.h"
#include "mock/RecordingMessageBoxes.h"
#include "mock/RecordingServiceManager.h"
#include "mock/TempDir.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

using namespace test;

struct PageFixture
{
    explicit PageFixture(ServiceManager* manager)
        : page(std::make_unique<QWidget>()),
          schedules(page.get(), {manager, folder.path(), options, [] { return std::vector<TROptionen>(); }, boxes,
                                 QStringLiteral("/usr/bin/kelvaro")})
    {
        page->show();
    }

    TempDir folder;
    TEinst options;
    RecordingMessageBoxes boxes;
    std::unique_ptr<QWidget> page;
    SchedulesPage schedules;
};

TEST(SchedulesPageTest, MakesAndDeletesASchedule)
{
    RecordingServiceManager manager;
    PageFixture fixture(&manager);
    SchedulesPage& page = fixture.schedules;
    page.Btn_ZeitplanNeu->click();
    EXPECT_EQ(fixture.boxes.boxes.size(), 1); // no day chosen
    EXPECT_EQ(page.LBx_Zeitplaene->topLevelItemCount(), 0);

    page.CBx_Tage[5]->setChecked(true);
    page.CBx_Tage[6]->setChecked(true);
    page.Btn_ZeitplanNeu->click();
    ASSERT_EQ(page.LBx_Zeitplaene->topLevelItemCount(), 1);
    EXPECT_EQ(page.LBx_Zeitplaene->topLevelItem(0)->text(2), QStringLiteral("23:00"));
    EXPECT_TRUE(QFile::exists(fixture.folder.file(Schedule::timerName(QStringLiteral("1")))));

    page.LBx_Zeitplaene->setCurrentItem(page.LBx_Zeitplaene->topLevelItem(0));
    page.Btn_ZeitplanLoeschen->click();
    EXPECT_EQ(page.LBx_Zeitplaene->topLevelItemCount(), 0);
    EXPECT_TRUE(QDir(fixture.folder.path()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(fixture.boxes.boxes.size(), 1);
}

TEST(SchedulesPageTest, WithoutAServiceManagerOffersNothing)
{
    PageFixture fixture(nullptr);
    EXPECT_TRUE(fixture.schedules.L_ZeitplanHinweis->isVisible());
    EXPECT_FALSE(fixture.schedules.Btn_ZeitplanNeu->isEnabled());
    EXPECT_FALSE(fixture.schedules.LBx_Zeitplaene->isVisible());
}

} // namespace
} // namespace kelvaro
