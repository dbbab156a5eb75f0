// Property edits from the design view: the pick, the take-back through one
// undo step, the widget brought up to date, the duplicate hot-key warning,
// "Original Size" and the colours.
#include "DesignerFixture.h"

#include "core/HotKey.h"
#include "properties/PropertyPanel.h"
#include "properties/PropertyServices.h"
#include "settings/ColourSettings.h"
#include "widgets/CGodeList.h"
#include "widgets/DRO.h"
#include "widgets/LED.h"
#include "widgets/Vorn1Button.h"
#include "widgets/WidgetFactory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QImage>
#include <QStandardPaths>

using namespace tavlora;

namespace {

using Fixture = DesignerFixture;

class PanelServices : public PropertyServices {
public:
    int hotKey = 0;
    QStringList messages;
    std::optional<std::vector<std::string>> Catalog(int type) override
    {
        if (ControlForm::OemEntry(type) < 0)
            return std::vector<std::string>{};
        return std::vector<std::string>(60, "Function");
    }
    ImageChoice ChooseImage(QWidget*) override { return {ImageChoice::Chosen, "Mill\\Logo.png"}; }
    int CaptureHotKey(QWidget*) override { return hotKey; }
    void Message(QWidget*, const QString& text, bool) override { messages << text; }
};

void Commit(QLineEdit* box, const QString& text)
{
    box->setText(text);
    emit box->editingFinished();
}

void DoubleClick(Fixture& f, QPoint p)
{
    QTest::mouseDClick(f.Surface(), Qt::LeftButton, {}, p);
}

} // namespace

class PropertiesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void theSmallestControlUnderThePointIsEdited()
    {
        Fixture f;
        ScreenSet set;
        GuiTestFiles::Add(set, TypeLabel, 1, {0, 0, 300, 200}).label = "Big";
        GuiTestFiles::Add(set, TypeLabel, 1, {50, 50, 150, 80}).label = "Small";
        GuiTestFiles::Add(set, TypeLabel, 1, {60, 55, 160, 85}).label = "Twin"; // same area, later
        f.Open(set);
        f.prompter.properties = [](ControlForm& form) {
            form.text = "Edited " + form.text;
            return true;
        };
        DoubleClick(f, {100, 60});
        QCOMPARE(f.prompter.propertiesAsked, 1);
        QCOMPARE(f.At(2).label, std::string("Edited Twin"));
        QCOMPARE(f.At(1).label, std::string("Small"));
        QCOMPARE(f.doc->UndoStack().undoText(), QStringLiteral("Properties"));
        f.doc->UndoStack().undo();
        QCOMPARE(f.At(2).label, std::string("Twin"));
        // Outside the smaller ones, the big label; the right button asks too.
        QTest::mouseClick(f.Surface(), Qt::RightButton, {}, QPoint(250, 150));
        QCOMPARE(f.At(0).label, std::string("Edited Big"));
        // Nothing is asked while several controls are selected.
        f.doc->EditSelection([&](Selection& s) {
            s.Select(&f.At(0));
            s.Select(&f.At(1));
        });
        QTest::mouseClick(f.Surface(), Qt::RightButton, {}, QPoint(250, 150));
        QCOMPARE(f.prompter.propertiesAsked, 2);
        QCOMPARE(f.Selected().size(), size_t(2));
    }

    void cancelAndUnchangedOkPushNothing()
    {
        Fixture f;
        ScreenSet set;
        // (OK stores the one text box in both the text and the label, a change
        // of the file unless they are equal.)
        GuiTestFiles::Add(set, TypeLabel, 1, {50, 50, 250, 90}).text = "Label";
        f.Open(set);
        f.prompter.properties = [](ControlForm&) { return false; };
        DoubleClick(f, {100, 60});
        f.prompter.properties = [](ControlForm&) { return true; };
        DoubleClick(f, {100, 60});
        QCOMPARE(f.prompter.propertiesAsked, 2);
        QCOMPARE(f.doc->UndoStack().count(), 0);
        QVERIFY(!f.doc->IsModified());
        QVERIFY(f.Selected().empty());
    }

    void widgetsFollowTheirEditedRecords()
    {
        Fixture f;
        ScreenSet set;
        GuiTestFiles::Add(set, TypeGCodeList, 1, {0, 0, 200, 200}).parameter = 10;
        GuiTestFiles::Add(set, TypeDro, 1, {300, 0, 500, 40});
        GuiTestFiles::Add(set, TypeLed, 1, {300, 100, 316, 116});
        GuiTestFiles::Add(set, TypeButton, 1, {300, 200, 360, 220}).function = 5;
        f.Open(set);
        f.prompter.properties = [](ControlForm& form) {
            form.lines = 25;
            form.format = "%.2f";
            form.ledChoice = 1;
            form.text = "Go";
            form.kind = ControlForm::ScriptFunction;
            return true;
        };
        for (QPoint p : {QPoint(100, 100), QPoint(400, 20), QPoint(308, 108), QPoint(330, 210)})
            DoubleClick(f, p);
        QCOMPARE(f.At(0).parameter, 25);
        QCOMPARE(static_cast<CGodeList*>(WidgetFactory::Of(f.At(0)))->LineCount(), 25);
        QCOMPARE(static_cast<DRO*>(WidgetFactory::Of(f.At(1)))->DisplayText(), std::string("0.00"));
        QCOMPARE(f.At(2).ledColour, 1);
        QCOMPARE(static_cast<LED*>(WidgetFactory::Of(f.At(2)))->ColourCode(), LED::kRed);
        QCOMPARE(f.At(3).function, 34);
        QCOMPARE(static_cast<Vorn1Button*>(WidgetFactory::Of(f.At(3)))->Text(), std::string("Go"));
        QCOMPARE(static_cast<Vorn1Button*>(WidgetFactory::Of(f.At(3)))->Function(), 34);
        QCOMPARE(f.doc->UndoStack().count(), 4);
        while (f.doc->UndoStack().canUndo())
            f.doc->UndoStack().undo();
        QCOMPARE(static_cast<CGodeList*>(WidgetFactory::Of(f.At(0)))->LineCount(), 10);
        QVERIFY(!f.doc->IsModified());
    }

    void duplicateHotKeysAreReported()
    {
        Fixture f;
        ScreenSet set;
        ControlRecord& first = GuiTestFiles::Add(set, TypeButton, 1, {0, 0, 60, 20});
        first.hotKey = 0x8041;
        first.text = "Go";
        GuiTestFiles::Add(set, TypeButton, 0, {0, 100, 60, 120}).hotKey = 0x8042; // persistent
        GuiTestFiles::Add(set, TypeButton, 1, {0, 200, 60, 220});
        f.Open(set);
        f.prompter.properties = [](ControlForm& form) {
            form.useHotKey = true;
            form.hotKey = 0x8041;
            return true;
        };
        DoubleClick(f, {30, 210});
        QCOMPARE(f.prompter.warnings.size(), 1);
        QCOMPARE(f.prompter.warnings.last(), QString::fromStdString(HotKey::DuplicateMessage(f.At(0))));
        QVERIFY(f.prompter.warnings.last().startsWith(QStringLiteral("The hotkey just set up duplicates another on:")));
        // Cancel checks again; the persistent layer's keys are not compared on screen 1.
        f.prompter.properties = [](ControlForm& form) {
            form.hotKey = 0x8042;
            return false;
        };
        DoubleClick(f, {30, 210});
        QCOMPARE(f.prompter.warnings.size(), 2);
        f.prompter.properties = [](ControlForm& form) {
            form.hotKey = 0x8042;
            return true;
        };
        DoubleClick(f, {30, 210});
        QCOMPARE(f.prompter.warnings.size(), 2);
    }

    void originalSizeTakesThePicturesSize()
    {
        QTemporaryDir vorn;
        QDir(vorn.path()).mkpath(QStringLiteral("Bitmaps/Sub"));
        QImage picture(120, 80, QImage::Format_RGB32);
        picture.fill(Qt::green);
        QVERIFY(picture.save(vorn.filePath(QStringLiteral("Bitmaps/Sub/Big.png"))));
        Fixture f(3, false, [&](SettingsProfile& p) {
            p.WriteString(QStringLiteral("Locations"), QStringLiteral("VornLocation"), vorn.path());
        });
        ScreenSet set;
        GuiTestFiles::Add(set, TypeImage, 1, {30, 40, 50, 50});
        f.Open(set);
        f.prompter.properties = [](ControlForm& form) {
            form.image = "Sub\\Big.png";
            form.keepImageSize = true;
            return true;
        };
        DoubleClick(f, {35, 45});
        QCOMPARE(f.At(0).rect, (Rect{30, 40, 150, 120}));
        QCOMPARE(f.doc->UndoStack().count(), 1);
    }

    void panelEditsEverySelectedControlInOneStep()
    {
        Fixture f;
        ScreenSet set;
        GuiTestFiles::Add(set, TypeLabel, 1, {10, 10, 80, 30}).label = "One";
        GuiTestFiles::Add(set, TypeLabel, 1, {10, 50, 80, 70}).label = "Two";
        GuiTestFiles::Add(set, TypeButton, 1, {200, 10, 260, 30}).hotKey = 0x41;
        GuiTestFiles::Add(set, TypeDro, 1, {300, 10, 400, 30});
        f.Open(set);
        PanelServices services;
        PropertyPanel panel(*f.doc, services);
        QCOMPARE(panel.Heading()->text(), QStringLiteral("No control selected"));
        f.doc->EditSelection([&](Selection& s) {
            s.Select(&f.At(0));
            s.Select(&f.At(1));
        });
        QCOMPARE(panel.Heading()->text(), QStringLiteral("2 controls"));
        QCOMPARE(panel.TextBox()->text(), QString());           // the labels differ
        QCOMPARE(panel.GeometryBox(0)->value(), 10);             // both at x 10
        QVERIFY(!panel.FormatBox()->isEnabled());                // labels have no format
        Commit(panel.TextBox(), QStringLiteral("Same"));
        QCOMPARE(f.At(0).label, std::string("Same"));
        QCOMPARE(f.At(1).label, std::string("Same"));
        QCOMPARE(f.doc->UndoStack().count(), 1);
        QCOMPARE(panel.TextBox()->text(), QStringLiteral("Same"));
        panel.LockedBox()->click();
        QVERIFY(f.At(0).locked && f.At(1).locked);
        f.doc->UndoStack().undo();
        f.doc->UndoStack().undo();
        QCOMPARE(f.At(1).label, std::string("Two"));
        QCOMPARE(panel.TextBox()->text(), QString());

        // One control: the panel follows moves and undo at once.
        f.doc->EditSelection([&](Selection& s) {
            s.Clear();
            s.Select(&f.At(2));
        });
        QCOMPARE(panel.Heading()->text(), QStringLiteral("Button Control"));
        QVERIFY(panel.HotKeyBox()->text().contains(QStringLiteral("(A)")));
        f.Key(Qt::Key_Right, {}, false, 5);
        f.KeyUp(Qt::Key_Right);
        QCOMPARE(panel.GeometryBox(0)->value(), 205);
        panel.GeometryBox(2)->setValue(90);
        emit panel.GeometryBox(2)->editingFinished();
        QCOMPARE(f.At(2).rect, (Rect{205, 10, 295, 30}));
        services.hotKey = 0x8474;
        panel.HotKeyButton()->click();
        QCOMPARE(f.At(2).hotKey, 0x8474);
        panel.ClearHotKeyButton()->click();
        QCOMPARE(f.At(2).hotKey, 0);
        emit panel.FunctionBox()->activated(32);
        QCOMPARE(f.At(2).function, 32);
        QCOMPARE(panel.KindBox()->currentIndex(), int(ControlForm::OemFunction));
        Commit(panel.OemBox(), QStringLiteral("x7"));
        QCOMPARE(services.messages.last(), QStringLiteral("Please enter an integer."));
        f.doc->UndoStack().undo();
        QCOMPARE(panel.GeometryBox(0)->value(), 205);

        // An edit changes the field edited alone: Locked on a DRO keeps its label.
        f.doc->EditSelection([&](Selection& s) {
            s.Clear();
            s.Select(&f.At(3));
        });
        panel.LockedBox()->click();
        QVERIFY(f.At(3).locked);
        QCOMPARE(f.At(3).label, std::string("Label"));
        // A hot key set here is checked for duplicates as Setup Control's is.
        GuiTestFiles::Change(*f.doc, 2, [](ControlRecord& r) { r.hotKey = 0x41; });
        services.hotKey = 0x41;
        const qsizetype messages = services.messages.size();
        panel.HotKeyButton()->click();
        QCOMPARE(f.At(3).hotKey, 0x41);
        QCOMPARE(services.messages.size(), messages + 1);
        QVERIFY(services.messages.last().startsWith(QStringLiteral("The hotkey just set up duplicates another on:")));
        // The x box, on a row of its own, shows any 32-bit value whole.
        panel.resize(270, 700);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QVERIFY(panel.GeometryBox(0)->width()
                > panel.GeometryBox(0)->fontMetrics().horizontalAdvance(QStringLiteral("-2147483648")) + 20);
        QVERIFY(panel.HotKeyBox()->width()
                > panel.HotKeyBox()->fontMetrics().horizontalAdvance(QStringLiteral("35952  (Ctrl+Shift+Alt+F12)")));
    }

    void coloursAreOneStepAndMayBecomeDefaults()
    {
        Fixture f;
        f.file->OnNewDocument();
        const ColourSet before = f.Set().colours;
        f.properties->EditColours(); // Cancel
        QCOMPARE(f.doc->UndoStack().count(), 0);
        ColourSet changed = before;
        changed.Set(ColourSet::ScreenBack, 0x102030);
        f.prompter.colours = Prompter::ColourAnswer{changed, false};
        QSignalSpy coloursChanged(f.doc.get(), &CTavloraDoc::coloursChanged);
        f.properties->EditColours();
        QVERIFY(f.Set().colours == changed);
        QCOMPARE(coloursChanged.count(), 1);
        QVERIFY(f.doc->IsModified());
        QCOMPARE(f.doc->UndoStack().undoText(), QStringLiteral("Colors"));
        QVERIFY(ColourSettings::Load(f.profile) == before); // not the defaults
        f.prompter.colours = Prompter::ColourAnswer{changed, true};
        f.properties->EditColours(); // same colours: no step, but now the defaults
        QCOMPARE(f.doc->UndoStack().count(), 1);
        QVERIFY(ColourSettings::Load(f.profile) == changed);
        f.doc->UndoStack().undo();
        QVERIFY(f.Set().colours == before);
        QVERIFY(!f.doc->IsModified());
    }
};

QTEST_MAIN(PropertiesTest)
#include "PropertiesTest.moc"
