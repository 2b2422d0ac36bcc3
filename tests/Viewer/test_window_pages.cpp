// Pages as the main window shows them at its default size: nothing the operator must read is
// cut off.

#include <QHeaderView>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>

#include "DVRInfo/DVRInfoWidget.h"
#include "DVRInfo/HDDWidget.h"
#include "DVRInfo/InfoWidget.h"
#include "DVRSetup/SetupTabIndex.h"
#include "DVRSetup/SetupWidget.h"
#include "window_test_util.h"

using namespace windowtest;

namespace {

// True when the widget lies wholly inside the viewport that shows it.
bool WhollyShown(const QWidget* widget, const QWidget* viewport)
{
    const QRect at(widget->mapTo(viewport, QPoint(0, 0)), widget->size());
    return viewport->rect().contains(at);
}

// The window at the size it opens with, its information page read from one DVR of `disks`
// disks.
struct InfoPage {
    explicit InfoPage(int disks)
    {
        simdvr::CSimDvr& sim = rig.addDvr("Store", false, 16);
        simdvr::Config config = sim.config();
        // Versions as long as a DVR in the field reports them.
        config.kernelVersion = QStringLiteral("2.6.24-hisilicon-20101231");
        config.appVersion = QStringLiteral("2.1.14_20101231_1600H");
        for (int i = 0; i < disks; ++i) {
            cgi::HddInfo_Info* disk = config.hddInfo.add_info();
            disk->set_total(2000000u);
            disk->set_used(500000u * (i + 1));
        }
        sim.setConfig(config);
        EXPECT_TRUE(CControlDVRList().Save(rig.list));
        rig.window = std::make_unique<Viewer>();
        rig.window->show();
    }
    // The disk boxes once the page has read them; empty when it did not.
    QList<CHDDWidget*> open()
    {
        if (!rig.connect())
            return {};
        rig.button("Information")->click();
        CDVRInfoWidget* page = rig.window->infoWidget();
        if (!QTest::qWaitFor([&] { return !page->isReading(); }, 10000))
            return {};
        WindowRig::settle();
        uitest::Screenshot(rig.window.get(), QStringLiteral("window-information-%1-disks").arg(disks()));
        return page->infoWidget()->findChildren<CHDDWidget*>();
    }
    void expectEveryDiskWhole()
    {
        const QList<CHDDWidget*> shown = open();
        ASSERT_EQ(shown.size(), disks());
        for (const CHDDWidget* disk : shown)
            EXPECT_TRUE(WhollyShown(disk, area()) && disk->visibleRegion() == QRegion(disk->rect()))
                << disk->geometry().x() << "," << disk->geometry().y();
    }
    int disks() const { return rig.sims.front()->config().hddInfo.info_size(); }
    const QWidget* area() const { return rig.window->infoWidget()->findChild<QScrollArea*>("hddArea")->viewport(); }

    WindowRig rig;
};

// The window at the size it opens with, on the Record tab of the configuration.
struct RecordPage {
    const QTableWidget* open()
    {
        rig.window = std::make_unique<Viewer>();
        rig.window->show();
        rig.button("Setup")->click();
        rig.window->setupWidget()->findChild<QTabWidget*>("tabWidget")->setCurrentIndex(SETUP_TAB_RECORD);
        WindowRig::settle();
        uitest::Screenshot(rig.window.get(), "window-configuration-record");
        return rig.window->setupWidget()->findChild<QTableWidget*>("schedule");
    }

    WindowRig rig;
};

}  // namespace

TEST(WindowPages, TwoDisksAreWhollyShownOnTheInformationPage)
{
    InfoPage page(2);
    page.expectEveryDiskWhole();
}

TEST(WindowPages, FourDisksAreWhollyShownOnTheInformationPage)
{
    InfoPage page(4);
    page.expectEveryDiskWhole();
}

TEST(WindowPages, EveryHourOfTheRecordScheduleIsWhollyShown)
{
    RecordPage page;
    const QTableWidget* table = page.open();
    ASSERT_TRUE(table && table->isVisible());
    const QHeaderView* hours = table->horizontalHeader();
    ASSERT_EQ(hours->count(), 24);
    const int last = hours->count() - 1;
    EXPECT_LE(hours->sectionViewportPosition(last) + hours->sectionSize(last), table->viewport()->width());
}

TEST(WindowPages, TheRecordScheduleIsWhollyInsideItsPage)
{
    RecordPage page;
    const QTableWidget* table = page.open();
    ASSERT_TRUE(table && table->isVisible());
    EXPECT_EQ(table->visibleRegion().boundingRect(), table->rect());
}
