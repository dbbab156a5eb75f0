#include "DesignerFixture.h"

#include "core/PreviewRules.h"
#include "preview/PreviewEventList.h"
#include "preview/PreviewScreen.h"
#include "preview/PreviewSignalList.h"
#include "preview/PreviewWindow.h"
#include "shell/CMainFrame.h"
#include "widgets/DRO.h"
#include "widgets/LED.h"
#include "widgets/Vorn1Button.h"
#include "widgets/WidgetFactory.h"

#include <QtTest>

using namespace tavlora;
using test::SetBuilder;

class PreviewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(tavlora); }

    void runsTheScreensWithoutTouchingTheDocument()
    {
        DesignerFixture f;
        ScreenSet set;
        ControlRecord& jump = SetBuilder::Add(set, TypeButton, 0, {10, 10, 110, 40}); // 0
        jump.function = 32;
        jump.parameter = 2;
        ControlRecord& start = SetBuilder::Add(set, TypeButton, 1, {10, 60, 110, 90}); // 1
        start.function = 0;
        start.hotKey = 0x74; // F5
        ControlRecord& empty = SetBuilder::Add(set, TypeButton, 1, {10, 100, 110, 130}); // 2
        empty.function = 32;
        empty.parameter = 7;
        empty.hotKey = 0x75; // F6
        SetBuilder::Add(set, TypeLed, 1, {200, 10, 216, 26}).function = 3; // 3
        SetBuilder::Add(set, TypeDro, 1, {200, 40, 300, 60}).format = "%+10.4f"; // 4
        SetBuilder::Add(set, TypeLabel, 2, {10, 200, 110, 220}); // 5
        f.Open(set);
        const DesignWidget* designStart = WidgetFactory::Of(f.At(1));
        QVERIFY(designStart);

        auto* preview = new PreviewWindow(*f.doc, *f.file);
        preview->show();
        QVERIFY(preview->windowTitle().contains(QStringLiteral("Preview")));
        QVERIFY(preview->windowTitle().contains(QStringLiteral("edit.set")));
        QCOMPARE(preview->ShownScreen(), 1);
        PreviewScreen& screen = preview->Screen();
        const auto centre = [&](size_t i) { return screen.FromDesign(QRect(f.At(i).rect.left, f.At(i).rect.top, 10, 10).center()); };

        // A held hot key shows the preview's button pushed in, not the designer's; its release is an event.
        QTest::keyPress(&screen, Qt::Key_F5);
        QVERIFY(static_cast<Vorn1Button*>(screen.Widgets().Of(f.At(1)))->IsPressed());
        QVERIFY(!static_cast<const Vorn1Button*>(designStart)->IsPressed());
        QCOMPARE(preview->Events().Count(), 0);
        QTest::keyRelease(&screen, Qt::Key_F5);
        QCOMPARE(preview->Events().Count(), 1);
        QCOMPARE(preview->Events().KindAt(0), PreviewEventList::Press);

        // An LED click switches its signal; the widest values reach the preview's DRO only.
        QTest::mouseClick(&screen, Qt::LeftButton, {}, centre(3));
        QVERIFY(preview->SignalList().IsOn(0));
        QVERIFY(static_cast<LED*>(screen.Widgets().Of(f.At(3)))->IsLit());
        preview->ShowWidestValues();
        const std::string shown = static_cast<DRO*>(screen.Widgets().Of(f.At(4)))->DisplayText();
        QCOMPARE(shown.size(), DroFormat("%+10.4f").Apply(-99999.9999).size());
        QVERIFY(static_cast<const DRO*>(WidgetFactory::Of(f.At(4)))->DisplayText() != shown);

        // The persistent jump button shows screen 2; the designer stays on screen 1.
        QTest::mouseClick(&screen, Qt::LeftButton, {}, centre(0));
        QCOMPARE(preview->ShownScreen(), 2);
        QVERIFY(screen.Widgets().Of(f.At(5)));
        QVERIFY(!screen.Widgets().Of(f.At(1)));
        QCOMPARE(f.doc->CurrentScreen(), 1);
        QCOMPARE(f.doc->UndoStack().count(), 0);
        QVERIFY(!f.doc->IsModified());
        QCOMPARE(WidgetFactory::Of(f.At(1)), designStart);
        QVERIFY(!WidgetFactory::Of(f.At(5)));

        // Hot keys of controls not shown do nothing; a jump to an empty screen warns.
        QTest::keyClick(&screen, Qt::Key_F5);
        QCOMPARE(preview->Events().Count(), 1);
        preview->ShowScreen(1);
        QTest::keyClick(&screen, Qt::Key_F6);
        QCOMPARE(preview->ShownScreen(), 7);
        QCOMPARE(preview->Events().KindAt(preview->Events().Count() - 1), PreviewEventList::Warning);

        // Edits in the designer show at once.
        preview->ShowScreen(2);
        GuiTestFiles::Change(*f.doc, 5, [](ControlRecord& r) { r.rect = {20, 300, 120, 320}; });
        QCOMPARE(screen.Widgets().Of(f.At(5))->Geometry().top(), 300);
        GuiTestFiles::Change(*f.doc, 5, [](ControlRecord& r) { r.screen = 3; });
        QVERIFY(!screen.Widgets().Of(f.At(5)));
        QVERIFY(preview->close());
        delete preview; // before the document
    }

    void opensFromTheViewMenuAndEndsWithCtrlW()
    {
        QTemporaryDir dir;
        ScriptedPrompter prompter;
        auto frame = std::make_unique<CMainFrame>(dir.filePath(QStringLiteral("Tavlora.xml")), &prompter);
        frame->Profile().SetSaveOnDestroy(false);
        frame->Action(QStringLiteral("ID_VIEW_PREVIEW"))->trigger();
        frame->Action(QStringLiteral("ID_VIEW_PREVIEW"))->trigger();
        QCOMPARE(frame->Previews().size(), 2);
        PreviewWindow* first = frame->Previews().first();
        QVERIFY(QTest::qWaitForWindowActive(first));
        QTest::keyClick(first, Qt::Key_W, Qt::ControlModifier);
        QTRY_COMPARE(frame->Previews().size(), 1);
        frame.reset(); // the other one goes first
    }
};

QTEST_MAIN(PreviewTest)
#include "PreviewTest.moc"
