#include "GuiTestFiles.h"
#include "ScriptedPrompter.h"

#include "document/CTavloraDoc.h"
#include "document/DocumentFile.h"
#include "shell/ViewActions.h"
#include "settings/SettingsProfile.h"
#include "view/CTavloraView.h"
#include "view/GridGran.h"
#include "view/PageCon.h"
#include "view/ScreenSize.h"
#include "widgets/DesignWidget.h"
#include "widgets/WidgetContext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavlora;

namespace {

struct Fixture {
    QTemporaryDir dir;
    SettingsProfile profile;
    ScriptedPrompter prompter;
    std::unique_ptr<CTavloraDoc> doc;
    std::unique_ptr<DocumentFile> file;
    std::unique_ptr<CTavloraView> view;
    std::unique_ptr<ViewActions> actions;

    explicit Fixture(const std::function<void(SettingsProfile&)>& setUp = {})
        : profile(dir.filePath(QStringLiteral("Tavlora.xml")))
    {
        profile.SetSaveOnDestroy(false);
        if (setUp)
            setUp(profile);
        doc = std::make_unique<CTavloraDoc>(profile);
        file = std::make_unique<DocumentFile>(*doc, profile, prompter);
        view = std::make_unique<CTavloraView>(*doc, profile);
        actions = std::make_unique<ViewActions>(*doc, *view, prompter, profile);
        view->resize(900, 700);
    }
    ~Fixture()
    {
        actions.reset();
        view.reset();
        file.reset();
        doc.reset();
    }

    const ScreenSet& Set() { return doc->Set(); }

    void Open(const ScreenSet& set)
    {
        const QString path = dir.filePath(QStringLiteral("view.set"));
        QVERIFY(GuiTestFiles::Write(path, set));
        QVERIFY(file->OnOpenDocument(path));
    }

    bool Visible(size_t index) { return Set().At(index).widget && Set().At(index).widget->IsVisible(); }

    void JumpTo(int screen)
    {
        prompter.page = screen;
        actions->PageJump();
    }
};

QColor PixelAt(CTavloraView& view, QPoint p)
{
    return view.viewport()->grab().toImage().pixelColor(p);
}

} // namespace

class ViewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void settingsAreReadAtConstruction()
    {
        Fixture plain;
        QCOMPARE(plain.view->GridGranularity(), 3);
        QVERIFY(!plain.view->GridOn());
        QCOMPARE(plain.view->DefaultSizeOf(DefaultSizes::DROX), 200);
        QCOMPARE(plain.view->DefaultSizeOf(DefaultSizes::DROY), 40);
        QCOMPARE(plain.view->DefaultSizeOf(DefaultSizes::MDIX), 370);
        QCOMPARE(plain.view->DefaultSizeOf(DefaultSizes::TY), 300);
        QVERIFY(plain.Set().colours == ColourSet());
        QCOMPARE(plain.view->CurrentTool(), 0);
        QCOMPARE(plain.doc->CurrentScreen(), 1);
        QVERIFY(plain.doc->ShowImages());

        Fixture custom([](SettingsProfile& p) {
            p.WriteInt(QStringLiteral("Griding"), QStringLiteral("Granularity"), 8);
            p.WriteInt(QStringLiteral("Griding"), QStringLiteral("OnOff"), 1);
            p.WriteInt(QStringLiteral("defs"), QStringLiteral("LEDX"), 24);
            p.WriteInt(QStringLiteral("Colors"), QStringLiteral("ScreenBack"), 0x123456);
        });
        QCOMPARE(custom.view->GridGranularity(), 8);
        QVERIFY(custom.view->GridOn());
        QCOMPARE(custom.view->DefaultSizeOf(DefaultSizes::LEDX), 24);
        QCOMPARE(custom.Set().colours.Get(ColourSet::ScreenBack), ColourRef(0x123456));

        Fixture onTwo([](SettingsProfile& p) { p.WriteInt(QStringLiteral("Griding"), QStringLiteral("OnOff"), 2); });
        QVERIFY(!onTwo.view->GridOn());
    }

    void captionTexts()
    {
        QCOMPARE(CTavloraView::CaptionFor(1), QStringLiteral("        Currenly designing Window # 1 "));
        QCOMPARE(CTavloraView::CaptionFor(50), QStringLiteral("        Currenly designing Window # 50 "));
        QCOMPARE(CTavloraView::CaptionFor(0), QStringLiteral("        Currenly designing Persistant Controls"));

        Fixture f;
        QSignalSpy caption(f.view.get(), &CTavloraView::captionChanged);
        // An empty set changes the caption too.
        f.JumpTo(0);
        QCOMPARE(caption.count(), 1);
        QCOMPARE(caption.last().first().toString(), CTavloraView::CaptionFor(0));
        QCOMPARE(f.view->Caption(), CTavloraView::CaptionFor(0));
        f.JumpTo(12);
        QCOMPARE(f.view->Caption(), QStringLiteral("        Currenly designing Window # 12 "));
    }

    void screensAreShownByTheRule()
    {
        Fixture f;
        ScreenSet set;
        GuiTestFiles::Basic(set);
        f.Open(set);
        QVERIFY(f.Visible(0));
        QVERIFY(f.Visible(1));
        QVERIFY(!f.Visible(2));
        QVERIFY(!f.Visible(3));

        f.JumpTo(2);
        QVERIFY(f.Visible(0));
        QVERIFY(!f.Visible(1));
        QVERIFY(f.Visible(2));

        // Screen 50 hides the persistent layer.
        f.JumpTo(50);
        QVERIFY(!f.Visible(0));
        QVERIFY(!f.Visible(1));
        QVERIFY(f.Visible(3));

        f.JumpTo(0);
        QVERIFY(f.Visible(0));
        QVERIFY(!f.Visible(3));
    }

    void tabTwiceReturns()
    {
        Fixture f;
        ScreenSet set;
        GuiTestFiles::Basic(set);
        f.Open(set);
        f.JumpTo(2);
        f.doc->ToggleTabScreen();
        QCOMPARE(f.doc->CurrentScreen(), 50);
        QVERIFY(!f.Visible(0));
        QVERIFY(f.Visible(3));
        f.doc->ToggleTabScreen();
        QCOMPARE(f.doc->CurrentScreen(), 2);
        QVERIFY(f.Visible(0));
        QVERIFY(f.Visible(2));

        // On 50 through the page jump right after start: TAB goes to screen 1.
        Fixture g;
        g.Open(set);
        g.JumpTo(50);
        g.doc->ToggleTabScreen();
        QCOMPARE(g.doc->CurrentScreen(), 1);
    }

    void removeBitmapsIsSticky()
    {
        Fixture f;
        ScreenSet set;
        GuiTestFiles::Add(set, TypeImage, 1, {0, 0, 50, 50});
        GuiTestFiles::Add(set, TypeImage, 0, {60, 0, 110, 50});
        GuiTestFiles::Add(set, TypeImage, 2, {120, 0, 170, 50});
        GuiTestFiles::Add(set, TypeLabel, 2, {0, 60, 100, 80});
        f.Open(set);
        QVERIFY(f.Visible(0));
        QVERIFY(f.Visible(1));
        QVERIFY(!f.Visible(2));

        QSignalSpy state(f.doc.get(), &CTavloraDoc::showImagesChanged);
        f.doc->SetShowImages(!f.doc->ShowImages());
        QVERIFY(!f.doc->ShowImages());
        QVERIFY(!f.doc->Context().showImages);
        QCOMPARE(state.count(), 1);
        QVERIFY(!f.Visible(0));
        QVERIFY(!f.Visible(1));

        // Switching screens shows neither the old nor the new pictures.
        f.JumpTo(2);
        QVERIFY(!f.Visible(0));
        QVERIFY(!f.Visible(1));
        QVERIFY(!f.Visible(2));
        QVERIFY(f.Visible(3));

        f.doc->SetShowImages(!f.doc->ShowImages());
        QVERIFY(f.doc->ShowImages());
        QVERIFY(f.Visible(1));
        QVERIFY(f.Visible(2));
        QVERIFY(!f.Visible(0));
    }

    void pageJump()
    {
        Fixture f;
        f.JumpTo(12);
        QCOMPARE(f.doc->CurrentScreen(), 12);
        f.prompter.page = std::nullopt;
        f.actions->PageJump();
        QCOMPARE(f.prompter.pageShown, 12);
        QCOMPARE(f.doc->CurrentScreen(), 12);

        PageCon dialog(12);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Jump to Page...."));
        QCOMPARE(dialog.List()->count(), 100);
        QCOMPARE(dialog.List()->itemText(0), QStringLiteral(" pg. 0"));
        QCOMPARE(dialog.List()->itemText(99), QStringLiteral(" pg. 99"));
        QCOMPARE(dialog.List()->currentIndex(), 12);
        QCOMPARE(dialog.findChildren<QPushButton*>().size(), 1);
        dialog.show();
        dialog.List()->setCurrentIndex(50);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Chosen(), std::optional<int>(50));

        PageCon ok(12);
        ok.show();
        ok.findChild<QPushButton*>()->click();
        QCOMPARE(ok.Chosen(), std::optional<int>(12));

        PageCon escaped(3);
        escaped.reject();
        QVERIFY(!escaped.Chosen().has_value());
    }

    void gridGranularity()
    {
        Fixture f;
        f.prompter.grid = {true, 7.9, true};
        f.actions->GridGranularity();
        QCOMPARE(f.prompter.gridShown, 3.0);
        QVERIFY(!f.prompter.gridOnShown);
        QCOMPARE(f.view->GridGranularity(), 7);
        QCOMPARE(f.view->CurrentGrid().Snap(20), 14);
        QVERIFY(f.view->GridOn());
        QCOMPARE(f.profile.ReadInt(QStringLiteral("Griding"), QStringLiteral("Granularity"), -1), 7);
        QCOMPARE(f.profile.ReadInt(QStringLiteral("Griding"), QStringLiteral("OnOff"), -1), 1);
        QVERIFY(QFile::exists(f.profile.Path()));

        // Closed without OK: the view takes the values, the profile keeps its own.
        f.prompter.grid = {false, 4.2, false};
        f.actions->GridGranularity();
        QCOMPARE(f.prompter.gridShown, 7.0);
        QVERIFY(f.prompter.gridOnShown);
        QCOMPARE(f.view->GridGranularity(), 4);
        QVERIFY(!f.view->GridOn());
        QCOMPARE(f.profile.ReadInt(QStringLiteral("Griding"), QStringLiteral("Granularity"), -1), 7);

        // 0 or below (from a profile; the dialog refuses it) is kept, shown as 1
        // and never snaps.
        f.prompter.grid = {true, -2.5, true};
        f.actions->GridGranularity();
        QCOMPARE(f.view->GridGranularity(), -2);
        QVERIFY(!f.view->CurrentGrid().Snaps());
        QCOMPARE(f.view->CurrentGrid().Snap(101), 101);
        QCOMPARE(f.profile.ReadInt(QStringLiteral("Griding"), QStringLiteral("Granularity"), 99), -2);
        f.actions->GridGranularity();
        QCOMPARE(f.prompter.gridShown, 1.0);

        GridGran dialog(7.5, true);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Grid Granularity"));
        QCOMPARE(dialog.GranularityBox()->prefix(), QStringLiteral(" Grid : "));
        QCOMPARE(dialog.GranularityBox()->suffix(), QStringLiteral(" Pixels"));
        QCOMPARE(dialog.GranularityBox()->decimals(), 2);
        QCOMPARE(dialog.GranularityBox()->minimum(), 1.0);
        QCOMPARE(dialog.GridOnBox()->text(), QStringLiteral("Grid ON"));
        QVERIFY(dialog.GridOn());
        QCOMPARE(dialog.Granularity(), 7.5);
        QCOMPARE(dialog.findChildren<QPushButton*>().size(), 1);
    }

    void screenSizeDialog()
    {
        ScreenSize dialog(QSize(1920, 1080));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Desired Screen Size"));
        QStringList radios;
        for (QRadioButton* r : dialog.findChildren<QRadioButton*>())
            radios << r->text();
        QCOMPARE(radios, (QStringList{QStringLiteral("1024x768"), QStringLiteral("800x600"),
                                      QStringLiteral("640x480"), QStringLiteral("Custom")}));
        QCOMPARE(dialog.Choice(), 0);
        QCOMPARE(dialog.Result(), QSize(1024, 768));
        QCOMPARE(dialog.WidthBox()->value(), 1920.0);
        QCOMPARE(dialog.HeightBox()->value(), 1080.0);
        QCOMPARE(dialog.WidthBox()->prefix(), QStringLiteral(" X : "));
        QCOMPARE(dialog.HeightBox()->prefix(), QStringLiteral(" Y : "));
        QCOMPARE(dialog.WidthBox()->suffix(), QStringLiteral(" Pixels"));
        QCOMPARE(dialog.WidthBox()->decimals(), 4);
        QCOMPARE(dialog.findChildren<QPushButton*>().size(), 1);
        dialog.SetChoice(ScreenSize::Size800x600);
        QCOMPARE(dialog.Result(), QSize(800, 600));
        dialog.SetChoice(ScreenSize::Size640x480);
        QCOMPARE(dialog.Result(), QSize(640, 480));
        dialog.SetChoice(ScreenSize::Custom);
        dialog.WidthBox()->setValue(1280.6);
        dialog.HeightBox()->setValue(1024);
        QCOMPARE(dialog.Result(), QSize(1280, 1024));
    }

    void tealStripsBeyondTheDesignArea()
    {
        Fixture f;
        f.prompter.screenSize = QSize(400, 300);
        f.file->OnNewDocument();
        f.file->OnNewDocument();
        QCOMPARE(f.view->DesignSize(), QSize(400, 300));
        f.view->resize(700, 500);
        f.view->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.view.get()));
        const QColor teal(0, 128, 128);
        const QColor back(240, 240, 240);
        QCOMPARE(PixelAt(*f.view, QPoint(600, 100)), teal);
        QCOMPARE(PixelAt(*f.view, QPoint(100, 400)), teal);
        QCOMPARE(PixelAt(*f.view, QPoint(650, 450)), teal);
        QCOMPARE(PixelAt(*f.view, QPoint(10, 10)), back);
        QCOMPARE(PixelAt(*f.view, QPoint(399, 299)), back);
        QCOMPARE(f.view->horizontalScrollBar()->maximum(), 0);

        // A smaller window scrolls and shows no strip.
        f.prompter.screenSize = QSize(1600, 1200);
        f.file->OnNewDocument();
        const QSize client = f.view->viewport()->size();
        QCOMPARE(PixelAt(*f.view, QPoint(client.width() - 2, client.height() - 2)), back);
        QCOMPARE(f.view->horizontalScrollBar()->maximum(), 1600 - client.width());
        QCOMPARE(f.view->verticalScrollBar()->maximum(), 1200 - client.height());
    }

    void scrollingMovesTheDrawingNotTheRecords()
    {
        Fixture f;
        f.prompter.screenSize = QSize(1600, 1200);
        ScreenSet set;
        GuiTestFiles::Add(set, TypeMdi, 1, {1000, 800, 1200, 830});
        f.Open(set);
        f.view->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.view.get()));
        const Rect before = f.Set().At(0).rect;
        f.view->horizontalScrollBar()->setValue(700);
        f.view->verticalScrollBar()->setValue(400);
        QCOMPARE(f.view->ScrollOffset(), QPoint(700, 400));
        QCOMPARE(f.Set().At(0).rect, before);
        // The MDI line is drawn at its design place minus the scroll offset.
        const QColor mdi(176, 176, 255);
        QCOMPARE(PixelAt(*f.view, QPoint(1000 - 700 + 100, 800 - 400 + 5)), mdi);

        // A new load starts unscrolled.
        f.Open(set);
        QCOMPARE(f.view->ScrollOffset(), QPoint(0, 0));
    }

    void clicksThatChangeNothingLeaveTheDocumentUnmodified()
    {
        Fixture f;
        ScreenSet set;
        GuiTestFiles::Basic(set);
        f.Open(set);
        f.view->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.view.get()));
        QVERIFY(!f.doc->IsModified());
        for (Qt::MouseButton b : {Qt::RightButton, Qt::LeftButton}) {
            QTest::mouseClick(f.view->viewport(), b, {}, QPoint(500, 500)); // empty area
            QTest::mouseClick(f.view->viewport(), b, {}, QPoint(50, 50));   // a label: selects it
        }
        QTest::mouseDClick(f.view->viewport(), Qt::LeftButton, {}, QPoint(50, 50));
        QVERIFY(!f.doc->IsModified());
        QCOMPARE(f.doc->UndoStack().count(), 0);
    }

    void buttonPressJumpsScreens()
    {
        Fixture f;
        ScreenSet set;
        ControlRecord& jump = GuiTestFiles::Add(set, TypeImageButton, 1, {100, 100, 180, 140});
        jump.function = 32;
        jump.parameter = 3;
        ControlRecord& far = GuiTestFiles::Add(set, TypeImageButton, 3, {300, 100, 380, 140});
        far.function = 32;
        far.parameter = 100;
        GuiTestFiles::Add(set, TypeLabel, 3, {0, 0, 50, 20});
        f.Open(set);
        f.view->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.view.get()));

        QTest::mouseClick(f.view->viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(120, 120));
        QCOMPARE(f.doc->CurrentScreen(), 1);
        QTest::mouseClick(f.view->viewport(), Qt::LeftButton, {}, QPoint(120, 120));
        QCOMPARE(f.doc->CurrentScreen(), 3);
        QVERIFY(f.Visible(1));
        QVERIFY(f.Visible(2));
        QVERIFY(!f.Visible(0));
        QCOMPARE(f.view->Caption(), CTavloraView::CaptionFor(3));
        QTest::mouseClick(f.view->viewport(), Qt::LeftButton, {}, QPoint(320, 120));
        QCOMPARE(f.doc->CurrentScreen(), 3);
    }

    // Escape, and a new document, leave no tool chosen.
    void escapeAndANewDocumentClearTheTool()
    {
        Fixture f;
        f.view->SetCurrentTool(4);
        QSignalSpy changed(f.view.get(), &CTavloraView::toolChanged);
        f.view->show();
        QTest::keyClick(f.view.get(), Qt::Key_Escape);
        QCOMPARE(f.view->CurrentTool(), 0);
        QCOMPARE(changed.count(), 1);
        f.view->SetCurrentTool(4);
        f.file->OnNewDocument();
        QCOMPARE(f.view->CurrentTool(), 0);
        QCOMPARE(changed.takeLast().at(0).toInt(), 0);
    }
};

QTEST_MAIN(ViewTest)
#include "ViewTest.moc"
