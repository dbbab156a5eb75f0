// The design surface zoomed, its grid, the area beyond the target screen, and
// rescaling a set to another screen size.
#include "DesignerFixture.h"

#include "settings/DesignSettings.h"
#include "widgets/WidgetColours.h"

#include <QScrollBar>
#include <QStandardPaths>
#include <QWheelEvent>

using namespace tavlora;

namespace {

using Fixture = DesignerFixture;

QColor Pixel(Fixture& f, QPoint p)
{
    return f.view->viewport()->grab().toImage().pixelColor(p);
}

} // namespace

class ZoomTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void toolsWorkAtEveryZoom()
    {
        for (double zoom : {0.5, 1.0, 2.0, 4.0}) {
            Fixture f;
            ScreenSet set;
            GuiTestFiles::Add(set, TypeLabel, 1, {50, 50, 110, 70});
            f.Open(set);
            f.view->SetZoom(zoom, QPoint(0, 0));
            f.view->horizontalScrollBar()->setValue(0);
            f.view->verticalScrollBar()->setValue(0);
            auto screen = [zoom](double x, double y) { return QPoint(int(x * zoom), int(y * zoom)); };
            f.Click(screen(80, 60));
            QCOMPARE(f.Selected().size(), size_t(1));
            // The right handle lies 2 screen pixels right of the control at any zoom.
            const QPoint handle(int(110 * zoom) + 2, int(60 * zoom));
            f.Drag(handle, handle + screen(20, 0));
            QCOMPARE(f.At(0).rect.right, 130);
            QCOMPARE(f.At(0).rect.left, 50);
            // A move follows the mouse in design pixels.
            f.Drag(screen(60, 60), screen(70, 80));
            QCOMPARE(f.At(0).rect, (Rect{60, 70, 140, 90}));
            QCOMPARE(f.doc->UndoStack().count(), 2);
            // The marks keep their size: a 5-pixel handle at the right edge, in
            // the anchor's colour (a single control is the anchor), in a light halo.
            QCOMPARE(Pixel(f, QPoint(int(140 * zoom) + 2, int(80 * zoom))), QColor(0, 110, 230));
            QVERIFY(Pixel(f, QPoint(int(140 * zoom) + 2 + 3, int(80 * zoom))).lightness() > 240);
        }
    }

    // A large selection paints its marks through a mask: 2,000 stacked
    // controls look as one selected control does (handles, outline, halo).
    void largeSelectionsMarkAsOneControlDoes()
    {
        QImage shots[2];
        for (const size_t n : {size_t(1), CTavloraView::kMaskedMarksFrom}) {
            Fixture f;
            ScreenSet set;
            for (size_t i = 0; i < n; ++i)
                GuiTestFiles::Add(set, TypeMdi, 1, {50, 50, 110, 70});
            f.Open(set);
            f.view->OnSelectAll();
            shots[n > 1] = f.view->viewport()->grab().toImage();
        }
        // Only where halos overlap (composited once through the mask) may a pixel differ.
        QCOMPARE(shots[1].size(), shots[0].size());
        int differ = 0;
        for (int y = 0; y < shots[0].height(); ++y)
            for (int x = 0; x < shots[0].width(); ++x)
                differ += shots[0].pixel(x, y) != shots[1].pixel(x, y);
        QVERIFY(differ < 100);
        QCOMPARE(shots[1].pixelColor(112, 60), QColor(0, 110, 230)); // the anchor's handle
        QVERIFY(shots[1].pixelColor(115, 60).lightness() > 240);     // its halo
    }

    // Controls reaching the int32 limits draw clipped right at every zoom:
    // the one spanning the screen fills its band, those far away show nowhere.
    void controlsNearTheLimitsDrawClipped()
    {
        Fixture f;
        ScreenSet set;
        GuiTestFiles::Add(set, TypeDro, 1, {0, 0, 2000000000, 100});
        GuiTestFiles::Add(set, TypeDro, 1, {INT32_MAX - 1000, 200, INT32_MAX, 300});
        GuiTestFiles::Add(set, TypeDro, 1, {10, 2000000000, 110, INT32_MAX});
        GuiTestFiles::Add(set, TypeDro, 1, {300, 150, 400, 2000000000});
        f.Open(set);
        const QColor dro = WidgetColours::Of(f.Set().colours, ColourSet::DROBack);
        for (double zoom : {0.25, 1.0 / 3, 0.5, 2.0 / 3, 0.75, 1.0, 1.5, 3.0, 8.0}) {
            f.view->SetZoom(zoom, QPoint(0, 0));
            const QImage shot = f.view->viewport()->grab().toImage();
            // Design points on the viewport; those beyond it are not looked at.
            const auto check = [&](double x, double y, bool isDro) {
                const QPoint at(int(x * zoom), int(y * zoom));
                if (!shot.rect().contains(at))
                    return;
                QVERIFY2((shot.pixelColor(at) == dro) == isDro,
                         qPrintable(QStringLiteral("zoom %1 at %2, %3").arg(zoom).arg(x).arg(y)));
            };
            for (double x : {5.0, 150.0, 290.0, 0.9 * shot.width() / zoom})
                check(x, 50, true);
            check(350, 600, true);
            for (double y : {250.0, 700.0})
                check(150, y, false);
        }
    }

    void zoomingKeepsThePointUnderTheCursor()
    {
        Fixture f;
        f.prompter.screenSize = QSize(2000, 1500);
        f.file->OnNewDocument();
        f.file->OnNewDocument();
        const QPoint cursor(300, 200);
        QCOMPARE(f.view->ToDesign(cursor), cursor);
        QWheelEvent wheel(QPointF(cursor), f.view->viewport()->mapToGlobal(QPointF(cursor)), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.view->viewport(), &wheel);
        QCOMPARE(f.view->Zoom(), 1.25);
        QCOMPARE(f.view->ToDesign(cursor), cursor);
        for (int i = 0; i < 20; ++i)
            f.view->OnZoomIn();
        QCOMPARE(f.view->Zoom(), 8.0);
        for (int i = 0; i < 20; ++i)
            f.view->OnZoomOut();
        QCOMPARE(f.view->Zoom(), 0.25);
        f.view->OnZoomReset();
        QCOMPARE(f.view->Zoom(), 1.0);
        f.view->OnZoomFit();
        const QSize client = f.view->viewport()->size();
        QCOMPARE(f.view->Zoom(), std::min(client.width() / 2000.0, client.height() / 1500.0));
    }

    void controlsBeyondTheScreenWidenTheSurface()
    {
        Fixture f;
        ScreenSet set;
        GuiTestFiles::Add(set, TypeLabel, 1, {10, 10, 60, 30});
        f.Open(set);
        f.view->resize(500, 400);
        QCOMPARE(f.view->CanvasRect(), QRect(0, 0, 800, 600));
        QCOMPARE(f.view->horizontalScrollBar()->minimum(), 0);
        f.Drag({20, 20}, {-180, 20});
        QCOMPARE(f.At(0).rect.left, -190);
        QCOMPARE(f.view->CanvasRect().left(), -190);
        QCOMPARE(f.view->horizontalScrollBar()->minimum(), -190);
        f.view->horizontalScrollBar()->setValue(-190);
        QCOMPARE(f.view->ToDesign(QPoint(0, 0)).x(), -190);
        // Beyond the target screen a different colour; the screen's edge is drawn.
        QVERIFY(Pixel(f, QPoint(100, 300)) != QColor(240, 240, 240));
        QVERIFY(Pixel(f, QPoint(100, 300)) != QColor(0, 128, 128));
        QCOMPARE(Pixel(f, QPoint(250, 300)), QColor(240, 240, 240));
    }

    void gridIsShownAndRemembered()
    {
        Fixture f(10, true);
        f.file->OnNewDocument();
        QVERIFY(!f.view->GridShown());
        const QColor before = Pixel(f, QPoint(100, 100));
        f.view->SetGridShown(true);
        QVERIFY(DesignSettings::LoadGridShown(f.profile));
        QVERIFY(Pixel(f, QPoint(100, 100)) != before); // a dot on the grid point
        QCOMPARE(Pixel(f, QPoint(105, 105)), before);  // none between them
    }

    void pageKeysStepThroughUsedScreens()
    {
        Fixture f;
        ScreenSet set;
        for (int screen : {0, 1, 4, 50, 7})
            GuiTestFiles::Add(set, TypeLabel, screen, {10, 10, 60, 30});
        f.Open(set);
        std::vector<int> seen;
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(f.view.get(), Qt::Key_PageDown);
            seen.push_back(f.doc->CurrentScreen());
        }
        QCOMPARE(seen, (std::vector<int>{4, 7, 50, 50, 50}));
        QTest::keyClick(f.view.get(), Qt::Key_PageUp);
        QCOMPARE(f.doc->CurrentScreen(), 7);
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(f.view.get(), Qt::Key_PageUp);
        QCOMPARE(f.doc->CurrentScreen(), 0);
    }

    void scalingTheSetIsOneStep()
    {
        Fixture f;
        ScreenSet set;
        GuiTestFiles::Add(set, TypeLabel, 1, {100, 100, 200, 150});
        GuiTestFiles::Add(set, TypeLabel, 1, {200, 100, 300, 150}); // touches the first
        f.Open(set);
        const std::string before = f.Bytes();
        f.edits->ScaleSet(QSize(1024, 768));
        QCOMPARE(f.doc->ScreenSize(), QSize(1024, 768));
        QCOMPARE(f.view->DesignSize(), QSize(1024, 768));
        QCOMPARE(f.At(0).rect, (Rect{128, 128, 256, 192}));
        QCOMPARE(f.At(1).rect.left, f.At(0).rect.right);
        QCOMPARE(f.doc->UndoStack().undoText(), QStringLiteral("Scale Screen Set"));
        f.doc->UndoStack().undo();
        QCOMPARE(f.Bytes(), before);
        QCOMPARE(f.doc->ScreenSize(), QSize(800, 600));
        f.edits->ScaleSet(QSize(800, 600)); // the same size: nothing
        QCOMPARE(f.doc->UndoStack().index(), 0);
    }
};

QTEST_MAIN(ZoomTest)
#include "ZoomTest.moc"
