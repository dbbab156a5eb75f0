// The design surface's editing flows, driven with mouse and key events:
// selection, rubber band, moving and resizing with the grid, cancelling,
// nudging, placing, and undo/redo of all of it.
#include "DesignerFixture.h"

#include "core/ControlTools.h"
#include "core/Handles.h"
#include "document/CTavloraDoc.h"
#include "settings/SettingsProfile.h"
#include "view/CTavloraView.h"
#include "view/tools/SelectTool.h"
#include "widgets/EmergButton.h"
#include "widgets/WidgetFactory.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <random>

using namespace tavlora;

namespace {

using Fixture = DesignerFixture;

// Three labels side by side on screen 1, a persistent LED and a locked DRO.
void Row(ScreenSet& set)
{
    GuiTestFiles::Add(set, TypeLabel, 1, {50, 50, 110, 70}).label = "A";
    GuiTestFiles::Add(set, TypeLabel, 1, {150, 50, 210, 70}).label = "B";
    GuiTestFiles::Add(set, TypeLabel, 1, {250, 50, 310, 70}).label = "C";
    GuiTestFiles::Add(set, TypeLed, 0, {400, 50, 416, 66});
    GuiTestFiles::Add(set, TypeDro, 1, {50, 200, 250, 240}).locked = true;
}

} // namespace

class EditingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void clicksFollowTheSelectionRules()
    {
        Fixture f;
        ScreenSet set;
        Row(set);
        f.Open(set);
        const ControlRecord* a = &f.At(0);
        const ControlRecord* b = &f.At(1);
        const ControlRecord* c = &f.At(2);
        const ControlRecord* locked = &f.At(4);

        f.Click({60, 60});
        QCOMPARE(f.Selected(), (std::vector<const ControlRecord*>{a}));
        f.Click({160, 60}, Qt::ShiftModifier);
        QCOMPARE(f.Selected(), (std::vector<const ControlRecord*>{a, b}));
        QCOMPARE(f.Anchor(), b);
        f.Click({160, 60}, Qt::ShiftModifier); // already selected: nothing changes
        QCOMPARE(f.Selected().size(), size_t(2));
        f.Click({160, 60}, Qt::ControlModifier); // Ctrl takes it away; no anchor remains
        QCOMPARE(f.Selected(), (std::vector<const ControlRecord*>{a}));
        QCOMPARE(f.Anchor(), nullptr);
        f.Click({260, 60}, Qt::ControlModifier);
        QCOMPARE(f.Selected(), (std::vector<const ControlRecord*>{a, c}));
        QCOMPARE(f.Anchor(), c);

        // Shift or Ctrl on a locked control keep the selection, without anchor.
        f.Click({100, 220}, Qt::ShiftModifier);
        QCOMPARE(f.Selected().size(), size_t(2));
        QCOMPARE(f.Anchor(), nullptr);
        // A plain click on it empties the selection and selects nothing.
        f.Click({100, 220});
        QVERIFY(f.Selected().empty());
        // A click on a selected control keeps the selection.
        f.Click({60, 60});
        f.Click({260, 60}, Qt::ShiftModifier);
        f.Click({60, 60});
        QCOMPARE(f.Selected().size(), size_t(2));
        // A click on empty area empties it.
        f.Click({600, 500});
        QVERIFY(f.Selected().empty());
        QCOMPARE(f.doc->UndoStack().count(), 0);
        QVERIFY(!f.doc->IsModified());
        (void)locked;
    }

    void rubberBandSelectsWhollyInsideControlsOfTheScreen()
    {
        Fixture f;
        ScreenSet set;
        Row(set);
        f.Open(set);
        f.Drag({40, 40}, {230, 100}); // A and B inside; C partly; the LED is persistent
        QCOMPARE(f.Selected(), (std::vector<const ControlRecord*>{&f.At(1), &f.At(0)}));
        QCOMPARE(f.Anchor(), &f.At(0)); // the first in list order
        // Drawn the other way round.
        f.Drag({320, 100}, {140, 40});
        QCOMPARE(f.Selected(), (std::vector<const ControlRecord*>{&f.At(2), &f.At(1)}));
        // Persistent controls are caught only on the persistent layer.
        f.Drag({390, 40}, {430, 80});
        QVERIFY(f.Selected().empty());
        f.doc->SetCurrentScreen(0);
        f.Drag({390, 40}, {430, 80});
        QCOMPARE(f.Selected(), (std::vector<const ControlRecord*>{&f.At(3)}));
        QCOMPARE(f.view->Caption(), CTavloraView::CaptionFor(0));
        // The selection survives screen changes and goes with New.
        f.doc->SetCurrentScreen(2);
        QCOMPARE(f.Selected().size(), size_t(1));
        f.file->OnNewDocument();
        QVERIFY(f.Selected().empty());
    }

    void movingSnapsAndIsOneUndoStep()
    {
        Fixture f(3, true);
        ScreenSet set;
        GuiTestFiles::Add(set, TypeLabel, 1, {50, 50, 110, 70});
        GuiTestFiles::Add(set, TypeLabel, 1, {50, 100, 110, 120});
        f.Open(set);
        const std::string before = f.Bytes();
        f.Click({60, 60});
        f.Click({60, 110}, Qt::ShiftModifier);
        QSignalSpy changed(f.doc.get(), &CTavloraDoc::controlsChanged);
        // Pressed 10 right of the bounding left edge: a left edge of 100 lands on 99.
        f.Drag({60, 60}, {110, 60});
        QCOMPARE(f.At(0).rect, (Rect{99, 48, 159, 68}));
        QCOMPARE(f.At(1).rect, (Rect{99, 98, 159, 118}));
        QCOMPARE(changed.count(), 1); // one change for the whole drag
        QCOMPARE(f.doc->UndoStack().count(), 1);
        QCOMPARE(f.doc->UndoStack().undoText(), QStringLiteral("Move"));
        QVERIFY(f.doc->IsModified());
        // A left edge of -7 lands on -6.
        f.Drag({110, 60}, {4, 60}); // pressed 11 right of the left edge
        QCOMPARE(f.At(0).rect.left, -6);
        f.doc->UndoStack().undo();
        f.doc->UndoStack().undo();
        QCOMPARE(f.Bytes(), before);
        QVERIFY(!f.doc->IsModified());
        f.doc->UndoStack().redo();
        QCOMPARE(f.At(0).rect.left, 99);

        // Pressing and releasing without moving changes nothing, grid or not.
        const int steps = f.doc->UndoStack().count();
        QTest::mousePress(f.Surface(), Qt::LeftButton, {}, QPoint(120, 60));
        QTest::mouseRelease(f.Surface(), Qt::LeftButton, {}, QPoint(120, 60));
        QCOMPARE(f.At(0).rect.left, 99);
        QCOMPARE(f.doc->UndoStack().count(), steps);
    }

    void resizingKeepsTheMinimumAndCancelRestores()
    {
        Fixture f;
        ScreenSet set;
        GuiTestFiles::Add(set, TypeLabel, 1, {100, 100, 200, 140});
        f.Open(set);
        f.Click({150, 120});
        // The right handle, dragged far to the left: 2b pixels remain.
        f.Drag({202, 120}, {20, 300});
        QCOMPARE(f.At(0).rect, (Rect{100, 100, 108, 140}));
        QCOMPARE(f.doc->UndoStack().undoText(), QStringLiteral("Resize"));
        // The bottom-right handle.
        f.Drag({110, 142}, {160, 190});
        QCOMPARE(f.At(0).rect, (Rect{100, 100, 158, 188}));

        // Escape and the right button cancel a drag; nothing is pushed.
        const Rect rect = f.At(0).rect;
        const int steps = f.doc->UndoStack().count();
        QTest::mousePress(f.Surface(), Qt::LeftButton, {}, QPoint(120, 120));
        QTest::mouseMove(f.Surface(), QPoint(300, 300));
        QVERIFY(f.view->CurrentToolObject().Dragging());
        QTest::keyClick(f.view.get(), Qt::Key_Escape);
        QVERIFY(!f.view->CurrentToolObject().Dragging());
        QTest::mouseRelease(f.Surface(), Qt::LeftButton, {}, QPoint(300, 300));
        QCOMPARE(f.At(0).rect, rect);
        QTest::mousePress(f.Surface(), Qt::LeftButton, {}, QPoint(120, 120));
        QTest::mouseMove(f.Surface(), QPoint(300, 300));
        QTest::mousePress(f.Surface(), Qt::RightButton, {}, QPoint(300, 300));
        QTest::mouseRelease(f.Surface(), Qt::RightButton, {}, QPoint(300, 300));
        QTest::mouseRelease(f.Surface(), Qt::LeftButton, {}, QPoint(300, 300));
        QCOMPARE(f.At(0).rect, rect);
        QCOMPARE(f.doc->UndoStack().count(), steps);
        // Escape outside a drag still clears the tool.
        f.view->SetCurrentTool(ControlTools::Led);
        QTest::keyClick(f.view.get(), Qt::Key_Escape);
        QCOMPARE(f.view->CurrentTool(), 0);
    }

    void lockedControlsNeverMove()
    {
        Fixture f;
        ScreenSet set;
        Row(set);
        f.Open(set);
        const Rect rect = f.At(4).rect;
        f.Drag({100, 220}, {300, 400});
        QCOMPARE(f.At(4).rect, rect);
        QVERIFY(f.Selected().empty());
        // Locked after being selected: a drag leaves it, a nudge stops at it.
        f.Click({60, 60});
        f.Click({160, 60}, Qt::ShiftModifier);
        f.Click({260, 60}, Qt::ShiftModifier);
        GuiTestFiles::Change(*f.doc, 1, [](ControlRecord& r) { r.locked = true; });
        f.Key(Qt::Key_Down);
        f.KeyUp(Qt::Key_Down);
        QCOMPARE(f.At(0).rect.top, 51);
        QCOMPARE(f.At(1).rect.top, 50);
        QCOMPARE(f.At(2).rect.top, 50);
        f.Drag({60, 61}, {60, 81});
        QCOMPARE(f.At(0).rect.top, 71);
        QCOMPARE(f.At(1).rect.top, 50);
        QCOMPARE(f.At(2).rect.top, 70);
    }

    void nudgesOfOneKeyPressAreOneStep()
    {
        Fixture f(5, true);
        ScreenSet set;
        GuiTestFiles::Add(set, TypeLabel, 1, {50, 50, 110, 70});
        f.Open(set);
        f.Click({60, 60});
        f.Key(Qt::Key_Right);
        for (int i = 0; i < 4; ++i)
            f.Key(Qt::Key_Right, {}, true);
        f.KeyUp(Qt::Key_Right);
        QCOMPARE(f.At(0).rect.left, 55); // no snap
        QCOMPARE(f.doc->UndoStack().count(), 1);
        QVERIFY(f.doc->IsModified());
        // A tool made anew (a work-bar choice and back) never continues an old burst.
        f.view->SetCurrentTool(ControlTools::Label);
        f.view->SetCurrentTool(0);
        f.Key(Qt::Key_Left);
        f.KeyUp(Qt::Key_Left);
        QCOMPARE(f.doc->UndoStack().count(), 2);
        f.doc->UndoStack().undo();
        f.Key(Qt::Key_Up, {}, false, 3); // the repeat count
        f.KeyUp(Qt::Key_Up);
        QCOMPARE(f.At(0).rect.top, 47);
        QCOMPARE(f.doc->UndoStack().count(), 2);
        // Shift+arrow sizes from the right and bottom edges, down to 2b.
        f.Key(Qt::Key_Right, Qt::ShiftModifier, false, 10);
        f.KeyUp(Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(f.At(0).rect, (Rect{55, 47, 125, 67}));
        f.Key(Qt::Key_Up, Qt::ShiftModifier, false, 50);
        f.KeyUp(Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(f.At(0).rect, (Rect{55, 47, 125, 55}));
        QCOMPARE(f.doc->UndoStack().undoText(), QStringLiteral("Resize"));
        while (f.doc->UndoStack().canUndo())
            f.doc->UndoStack().undo();
        QCOMPARE(f.At(0).rect, (Rect{50, 50, 110, 70}));
        QVERIFY(!f.doc->IsModified());
    }

    void everyToolPlacesItsControl()
    {
        Fixture f;
        f.file->OnNewDocument();
        const struct {
            int tool;
            QPoint at;
        } places[] = {
            {ControlTools::Dro, {110, 30}},         {ControlTools::Button, {260, 30}},
            {ControlTools::Image, {400, 40}},       {ControlTools::ImageButton, {500, 30}},
            {ControlTools::Label, {600, 30}},       {ControlTools::Led, {700, 30}},
            {ControlTools::Mdi, {200, 100}},        {ControlTools::GCodeList, {210, 300}},
            {ControlTools::ToolPath, {620, 300}},
        };
        for (const auto& place : places) {
            const int tool = place.tool;
            f.view->SetCurrentTool(tool);
            f.Click(place.at, Qt::ShiftModifier); // no band: placed at once
            const ControlRecord& rec = *f.Set().controls.back();
            QCOMPARE(rec.type, ControlTools::TypeForTool(tool));
            QCOMPARE(rec.screen, 1);
            QCOMPARE(rec.rect.left + rec.rect.right, 2 * place.at.x());
            QCOMPARE(rec.function, -1);
            QVERIFY(rec.widget);
            QVERIFY(rec.widget->IsVisible());
            const bool framed = tool == ControlTools::GCodeList || tool == ControlTools::ToolPath;
            QCOMPARE(WidgetFactory::Of(rec)->FrameWidth(), framed ? 1 : 0);
        }
        QCOMPARE(int(f.Set().Size()), 9);
        QCOMPARE(f.Set().At(7).parameter, 10); // a placed G-code list shows 10 lines
        QCOMPARE(f.doc->UndoStack().undoText(), QStringLiteral("Place Tool Path"));
        QCOMPARE(f.view->CurrentTool(), int(ControlTools::ToolPath)); // the tool stays
        QVERIFY(f.Selected().empty());                                 // nothing placed is selected

        // Undo takes the record out, redo puts the same one back framed.
        const ControlRecord* list = &f.Set().At(7);
        f.doc->UndoStack().undo();
        f.doc->UndoStack().undo();
        QCOMPARE(int(f.Set().Size()), 7);
        f.doc->UndoStack().redo();
        QCOMPARE(&f.Set().At(7), list);
        QCOMPARE(WidgetFactory::Of(f.Set().At(7))->FrameWidth(), 1);

        // A widget made anew from its record (Lock ticked) looks the same: the
        // placed image button keeps the offline picture and its 0 / -1, and
        // every widget its frame and place in the stacking order, until the
        // fields the set-up stands in for are edited.
        const auto* button = dynamic_cast<const EmergButton*>(f.Set().At(3).widget.get());
        QVERIFY(button->ImagePathName().endsWith(QStringLiteral("offline.jpg")));
        std::vector<DesignWidget::Look> looks;
        for (const auto& rec : f.Set().controls)
            looks.push_back(WidgetFactory::Of(*rec)->CurrentLook());
        for (size_t i = 0; i < f.Set().Size(); ++i)
            GuiTestFiles::Change(*f.doc, i, [](ControlRecord& r) { r.locked = true; });
        button = dynamic_cast<const EmergButton*>(f.Set().At(3).widget.get());
        QVERIFY(button->ImagePathName().endsWith(QStringLiteral("offline.jpg")));
        QCOMPARE(button->Function(), 0);
        for (size_t i = 0; i < f.Set().Size(); ++i)
            QCOMPARE(WidgetFactory::Of(f.Set().At(i))->CurrentLook(), looks[i]);
        GuiTestFiles::Change(*f.doc, 3, [](ControlRecord& r) { r.function = 5; });
        QCOMPARE(dynamic_cast<const EmergButton*>(f.Set().At(3).widget.get())->Function(), 5);
    }

    void placingRulesAroundControls()
    {
        Fixture f;
        ScreenSet set;
        Row(set);
        f.Open(set);
        f.view->SetCurrentTool(ControlTools::Led);
        // A click on a control (or its handle) selects, it does not place.
        f.Click({60, 60});
        f.Click({112, 60}); // A's right handle
        QCOMPARE(int(f.Set().Size()), 5);
        // A locked control's handle does not count as a control.
        f.Click({252, 220});
        QCOMPARE(int(f.Set().Size()), 6);
        QCOMPARE(f.Set().At(5).rect, (Rect{244, 212, 260, 228}));
        // A rubber band first, then the control at the press point.
        f.Drag({40, 40}, {230, 100});
        QCOMPARE(int(f.Set().Size()), 7);
        QCOMPARE(f.Set().At(6).rect, (Rect{32, 32, 48, 48}));
        QCOMPARE(f.Selected().size(), size_t(2));
        // On the persistent layer and the TAB screen.
        f.doc->SetCurrentScreen(0);
        f.Click({500, 500}, Qt::ControlModifier);
        QCOMPARE(f.Set().controls.back()->screen, 0);
        f.doc->ToggleTabScreen();
        f.Click({500, 400}, Qt::ControlModifier);
        QCOMPARE(f.Set().controls.back()->screen, 50);
        // Dropping a work-bar entry places its control where it lands.
        QMimeData mime;
        mime.setData(QString::fromLatin1(CTavloraView::kToolMimeType), QByteArray::number(ControlTools::Button));
        QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(f.Surface(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(f.Surface(), &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(f.Set().controls.back()->type, int(TypeButton));
        QCOMPARE(f.Set().controls.back()->rect, (Rect{270, 290, 330, 310}));
    }

    void dragsSnapToOtherControlsWithGuides()
    {
        Fixture f(3, true, [](SettingsProfile& p) { p.WriteInt(QStringLiteral("Griding"), QStringLiteral("SnapToControls"), 1); });
        ScreenSet set;
        GuiTestFiles::Add(set, TypeLabel, 1, {100, 100, 160, 120});
        GuiTestFiles::Add(set, TypeLabel, 1, {300, 200, 360, 220});
        f.Open(set);
        f.Click({310, 210});
        const auto& tool = static_cast<const SelectTool&>(f.view->CurrentToolObject());
        // The left edge dragged to 103, 3 from the other's: the guide wins over the grid.
        QTest::mousePress(f.Surface(), Qt::LeftButton, {}, QPoint(310, 210));
        QTest::mouseMove(f.Surface(), QPoint(113, 160));
        using L = SmartGuides::Line; // left, centre and right on the other's
        const auto x = SmartGuides::Axis::X;
        QVERIFY(tool.ShownGuides().lines == (std::vector<L>{{x, 100}, {x, 130}, {x, 160}}));
        QCOMPARE(f.Surface()->grab().toImage().pixelColor(100, 400), QColor(230, 0, 170)); // across the view
        // Ctrl held after the start suspends the guides: the grid alone.
        f.Key(Qt::Key_Control, Qt::ControlModifier);
        QVERIFY(tool.ShownGuides().Empty());
        QCOMPARE(f.view->StatusText().left(6), QStringLiteral("x 102,"));
        f.KeyUp(Qt::Key_Control);
        QTest::mouseRelease(f.Surface(), Qt::LeftButton, {}, QPoint(113, 160));
        QCOMPARE(f.At(1).rect, (Rect{100, 150, 160, 170}));
        QCOMPARE(f.doc->UndoStack().count(), 1);
        QVERIFY(tool.ShownGuides().Empty());
        // Switched off (and stored): the same drag lands on the grid.
        f.doc->UndoStack().undo();
        f.view->SetSnapToControls(false);
        QCOMPARE(f.profile.ReadInt(QStringLiteral("Griding"), QStringLiteral("SnapToControls"), 1), 0);
        f.Drag({310, 210}, {113, 160});
        QCOMPARE(f.At(1).rect, (Rect{102, 150, 162, 170}));
    }

    void selectAllTakesTheScreenAndStatusShowsTheAnchor()
    {
        Fixture f;
        ScreenSet set;
        Row(set);
        f.Open(set);
        f.view->OnSelectAll();
        QCOMPARE(f.Selected().size(), size_t(3)); // not the locked one nor the persistent LED
        QCOMPARE(f.Anchor(), &f.At(0));
        QTest::mouseMove(f.Surface(), QPoint(77, 88));
        QVERIFY(f.view->StatusText().startsWith(QStringLiteral("77, 88")));
        QVERIFY(f.view->StatusText().contains(QStringLiteral("x 50, y 50, 60")));
        // The anchor's place follows edits made elsewhere, undo and another set.
        GuiTestFiles::Change(*f.doc, 0, [](ControlRecord& r) { r.rect = {51, 52, 111, 72}; });
        QTRY_VERIFY(f.view->StatusText().contains(QStringLiteral("x 51, y 52")));
        f.doc->UndoStack().undo();
        QTRY_VERIFY(f.view->StatusText().contains(QStringLiteral("x 50, y 50")));
        QCOMPARE(f.Surface()->cursor().shape(), Qt::ArrowCursor);
        QTest::mouseMove(f.Surface(), QPoint(60, 60));
        QCOMPARE(f.Surface()->cursor().shape(), Qt::SizeAllCursor);
        QTest::mouseMove(f.Surface(), QPoint(112, 60));
        QCOMPARE(f.Surface()->cursor().shape(), Qt::SizeHorCursor);
        f.file->OnCloseFile();
        QTRY_VERIFY(!f.view->StatusText().contains(QStringLiteral("Anchor")));
    }

    void randomEditsUndoAndRedoExactly()
    {
        for (unsigned seed = 1; seed <= 12; ++seed) {
            Fixture f(int(seed % 5), seed % 2 == 0);
            ScreenSet set;
            Row(set);
            f.Open(set);
            const std::string before = f.Bytes();
            std::mt19937 rng(seed);
            auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
            const int tools[] = {0, 1, 2, 3, 4, 6, 7, 8, 9, 10};
            for (int step = 0; step < 40; ++step) {
                const QPoint p(pick(0, 780), pick(0, 580));
                switch (pick(0, 5)) {
                case 0:
                    f.view->SetCurrentTool(tools[pick(0, 9)]);
                    f.Click(p, pick(0, 1) ? Qt::ShiftModifier : Qt::NoModifier);
                    break;
                case 1:
                case 2: {
                    if (f.Set().Size() == 0)
                        break;
                    const ControlRecord& rec = f.At(size_t(pick(0, int(f.Set().Size()) - 1)));
                    const QPoint centre((rec.rect.left + rec.rect.right) / 2, (rec.rect.top + rec.rect.bottom) / 2);
                    f.Drag(centre, centre + QPoint(pick(-60, 60), pick(-60, 60)));
                    break;
                }
                case 3: {
                    if (f.Selected().empty())
                        break;
                    const Rect& r = f.Selected().front()->rect;
                    const Rect h = Handles::HandleRect(r, pick(0, 7));
                    f.Drag(QPoint(h.left + 2, h.top + 2), QPoint(h.left + pick(-40, 40), h.top + pick(-40, 40)));
                    break;
                }
                case 4: {
                    const int keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
                    const int key = keys[pick(0, 3)];
                    const Qt::KeyboardModifiers mods = pick(0, 2) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
                    f.Key(key, mods, false, pick(1, 4));
                    for (int r = pick(0, 3); r > 0; --r)
                        f.Key(key, mods, true);
                    f.KeyUp(key, mods);
                    break;
                }
                default:
                    f.Drag(p, p + QPoint(pick(-200, 200), pick(-200, 200)));
                    break;
                }
            }
            const std::string after = f.Bytes();
            QCOMPARE(f.doc->IsModified(), after != before || f.doc->UndoStack().count() > 0);
            while (f.doc->UndoStack().canUndo())
                f.doc->UndoStack().undo();
            QVERIFY2(f.Bytes() == before, qPrintable(QStringLiteral("seed %1").arg(seed)));
            QVERIFY(!f.doc->IsModified());
            while (f.doc->UndoStack().canRedo())
                f.doc->UndoStack().redo();
            QVERIFY2(f.Bytes() == after, qPrintable(QStringLiteral("seed %1").arg(seed)));
            // Saved and opened again, the set is what the screen showed.
            const QString saved = f.dir.filePath(QStringLiteral("saved.set"));
            QVERIFY(f.file->OnSaveDocument(saved));
            QVERIFY(!f.doc->IsModified());
            QVERIFY(f.file->OnOpenDocument(saved));
            QVERIFY(f.Bytes() == after);
        }
    }
};

QTEST_MAIN(EditingTest)
#include "EditingTest.moc"
