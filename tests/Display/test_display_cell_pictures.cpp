// Pictures made at the size of the cell that shows them, and cells that draw their newest
// picture once per paint with texts laid out only when they change.
#include <thread>

#include "Display/DisplayWidget.h"
#include "Display/ScreenWidget.h"
#include "display_test_util.h"

using namespace displaytest;

namespace {

class CellPictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        EmptySettings();
        CAppSettings().writeSetting(CAppSettings::OPENGL, OPENGL_MODE_OFF);
        w = std::make_unique<CDisplayWidget>(nullptr, [] { return std::unique_ptr<CAudioDevice>(); });
        w->show();
        info.channelMask = 0xFFFF;
    }
    const CDisplayInfo& Cell(int i) const { return w->screenContainer()->getInfo(i); }
    QSize Rect(int i) const { return w->screenContainer()->getDisplayRect(i).size(); }
    // Channel 0's key frame from a thread of its own, as a stream thread hands it over.
    bool ShowKeyFrame()
    {
        w->screenContainer()->clear();
        const Frame frame = CFrameOf(clip, 0, 0, 1000);
        std::thread([&] { w->slotDisplayVideo(info, frame.data(), frame.size()); }).join();
        return WaitFor([&] { return !Cell(0).image.isNull(); });
    }

    std::unique_ptr<CDisplayWidget> w;
    DISPLAY_DVR_INFO info;
    const testmedia::Clip clip = testmedia::LoadClip(testmedia::Codec::H264, "cif");
};

}  // namespace

TEST_F(CellPictures, ACellOfAWallGetsItsPictureAtItsOwnSize)
{
    w->setScreens(16);
    ASSERT_TRUE(ShowKeyFrame());
    EXPECT_EQ(Cell(0).image.size(), Rect(0));
}

TEST_F(CellPictures, PicturesComeIn32BitsThatArePaintedWithoutConversion)
{
    w->setScreens(16);
    ASSERT_TRUE(ShowKeyFrame());
    EXPECT_EQ(Cell(0).image.format(), QImage::Format_RGB32);
}

TEST_F(CellPictures, OneCellAloneKeepsTheStreamsSizeForTheDigitalZoom)
{
    w->setScreens(1);
    ASSERT_TRUE(ShowKeyFrame());
    EXPECT_EQ(Cell(0).image.size(), QSize(clip.width, clip.height));
}

TEST_F(CellPictures, ANewLayoutTellsTheDecoderItsCellsNewSize)
{
    w->setScreens(16);
    const QSize small = Rect(0);
    w->setScreens(4);
    ASSERT_NE(Rect(0), small);
    EXPECT_EQ(w->displayVideo()->cellSize(0), Rect(0));
}

TEST_F(CellPictures, AResizedDisplayTellsTheDecoderItsCellsNewSize)
{
    w->setScreens(16);
    w->resize(w->width() + 80, w->height() + 40);
    QApplication::processEvents();
    EXPECT_EQ(w->displayVideo()->cellSize(5), Rect(5));
}

TEST_F(CellPictures, CellsOutsideTheLayoutMakeNoScaledPictures)
{
    w->setScreens(4);
    EXPECT_EQ(w->displayVideo()->cellSize(4), QSize());
}

TEST_F(CellPictures, AfterALayoutChangeTheNextPictureTakesTheNewSize)
{
    w->setScreens(16);
    ASSERT_TRUE(ShowKeyFrame());
    w->setScreens(9);
    ASSERT_TRUE(ShowKeyFrame());
    EXPECT_EQ(Cell(0).image.size(), Rect(0));
}

// ---- widget cells ---------------------------------------------------------------------------

namespace {

struct WidgetCell : ::testing::Test {
    void SetUp() override
    {
        parent.resize(200, 150);
        cell.setGeometry(0, 0, 200, 150);
        parent.show();
    }
    CDisplayInfo Titled(const QString& title)
    {
        CDisplayInfo info = Picture(Solid(200, 150, Qt::darkGreen, QImage::Format_RGB32), 3);
        info.title = title;
        info.channelName = QStringLiteral("CAM4");
        return info;
    }
    QWidget parent;
    CScreenWidget cell{&parent};
};

}  // namespace

TEST_F(WidgetCell, PicturesReplacedBeforeAPaintAreNeitherPreparedNorCounted)
{
    for (int i = 0; i < 5; ++i)
        cell.setInfo(Titled(QStringLiteral("DVR 1")));
    EXPECT_EQ(cell.texts().layouts(), 0);
    cell.grab();
    EXPECT_EQ(cell.picturesDrawn(), 1u);
}

TEST_F(WidgetCell, TextsAreLaidOutOnceWhileTheyStayTheSame)
{
    for (int i = 0; i < 3; ++i) {
        cell.setInfo(Titled(QStringLiteral("DVR 1")));
        cell.grab();
    }
    EXPECT_EQ(cell.texts().layouts(), 1);
}

TEST_F(WidgetCell, ANewTitleIsLaidOutAgain)
{
    cell.setInfo(Titled(QStringLiteral("DVR 1")));
    cell.grab();
    cell.setInfo(Titled(QStringLiteral("DVR 2")));
    cell.grab();
    EXPECT_EQ(cell.texts().layouts(), 2);
}

TEST_F(WidgetCell, ATitleThatLooksLikeMarkupIsDrawnAsItIs)
{
    // Rich text would drop the tags and draw a shorter title.
    cell.setInfo(Titled(QStringLiteral("<b>x</b>")));
    cell.grab();
    const QFontMetrics metrics(cell.font());
    EXPECT_GE(cell.texts().title().size().width(), metrics.horizontalAdvance(QStringLiteral("<b>x</b>")) - 1);
}

TEST_F(WidgetCell, AMessageLongerThanACellWithoutAPictureIsWrappedInsideIt)
{
    CDisplayInfo info = Titled(QStringLiteral("Waiting for the DVR to end the last stream"));
    info.image = QImage();
    cell.setInfo(info);
    cell.grab();
    EXPECT_LE(cell.texts().title().size().width(), 200 - 2 * CellPainter::TITLE_X);
    EXPECT_GE(cell.texts().title().size().height(), 2 * cell.texts().lineHeight());
}

TEST_F(WidgetCell, AFailureTitleBesideItsStatePictureStaysOneLine)
{
    // As the OpenGL wall writes it beside the picture of a failed connection.
    CDisplayInfo info = Titled(QStringLiteral("Waiting for the DVR to end the last stream"));
    info.image = QImage();
    info.failed = true;
    QImage canvas(200, 150, QImage::Format_RGB32);
    QPainter painter(&canvas);
    CCellTexts texts;
    CellPainter::drawTexts(painter, canvas.rect(), info, CCellOsd(), CCellPictures::get(), texts);
    EXPECT_GT(texts.title().size().width(), 0);
    EXPECT_LT(texts.title().size().height(), 2 * texts.lineHeight());
}

TEST_F(WidgetCell, ATitleOverAPictureStaysOneLine)
{
    cell.setInfo(Titled(QStringLiteral("Waiting for the DVR to end the last stream")));
    cell.grab();
    EXPECT_LT(cell.texts().title().size().height(), 2 * cell.texts().lineHeight());
}

TEST_F(WidgetCell, APictureOfTheCellsSizeIsShownPixelForPixel)
{
    // Stripes one pixel wide would be blurred by any scaling.
    QImage stripes(200, 150, QImage::Format_RGB32);
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 150; ++y)
            stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 128));
    cell.setInfo(Picture(stripes, 3));
    const QImage shot = cell.grab().toImage();
    // Inside the white edge and away from the texts.
    EXPECT_EQ(Mismatches(shot, 60, 60, stripes.copy(60, 60, 80, 40), 0), 0);
}

namespace {

struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

}  // namespace

TEST_F(WidgetCell, UnderTheProgramsStyleSheetANewPictureRepaintsTheCellAloneNotTheBackgroundBeneath)
{
    // As the program's own sheet: every widget a background, labels a transparent one.
    parent.setStyleSheet(QStringLiteral("QWidget { background-color: #1e2126; } QLabel { background-color: transparent; }"));
    cell.setInfo(Titled(QStringLiteral("DVR 1")));
    ASSERT_TRUE(WaitFor([&] { return cell.picturesDrawn() == 1; }));
    PaintCounter counter;
    parent.installEventFilter(&counter);
    cell.setInfo(Titled(QStringLiteral("DVR 1")));
    ASSERT_TRUE(WaitFor([&] { return cell.picturesDrawn() == 2; }));
    EXPECT_EQ(counter.paints, 0);
}
