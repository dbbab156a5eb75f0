#include "GuiTestFiles.h"
#include "ScriptedPrompter.h"

#include "core/ScreenVisibility.h"
#include "core/Windows1252.h"
#include "document/CTavloraDoc.h"
#include "document/DocumentFile.h"
#include "document/Password.h"
#include "document/RecentFileList.h"
#include "document/Reload.h"
#include "settings/SettingsProfile.h"
#include "view/CTavloraView.h"
#include "widgets/Picture.h"
#include "widgets/WidgetContext.h"

#include "Unprivileged.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavlora;

namespace {

// A document with its view, a profile in a temporary folder and a script.
struct Fixture {
    QTemporaryDir dir;
    SettingsProfile profile{dir.filePath(QStringLiteral("Tavlora.xml"))};
    ScriptedPrompter prompter;
    CTavloraDoc doc{profile};
    DocumentFile file{doc, profile, prompter};
    CTavloraView view{doc, profile};

    Fixture()
    {
        profile.SetSaveOnDestroy(false);
        view.resize(900, 700);
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    QString WriteBasic(const QString& name)
    {
        ScreenSet set;
        GuiTestFiles::Basic(set);
        set.colours.Set(ColourSet::ScreenBack, MakeColourRef(10, 20, 30));
        const QString path = Path(name);
        GuiTestFiles::Write(path, set);
        return path;
    }
};

} // namespace

class DocumentTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        RecentFileList clean;
        clean.Save();
    }

    void firstNewShowsSplashInsteadOfSizePrompt()
    {
        Fixture f;
        QSignalSpy splash(&f.file, &DocumentFile::splashRequested);
        QVERIFY(f.file.OnNewDocument());
        QCOMPARE(splash.count(), 1);
        QCOMPARE(f.prompter.screenSizeAsked, 0);
        QCOMPARE(f.file.Title(), QStringLiteral("Untitled"));
        QCOMPARE(f.doc.ScreenSize(), QSize(1024, 768));

        f.prompter.screenSize = QSize(640, 480);
        f.doc.SetCurrentScreen(7);
        QVERIFY(f.file.OnNewDocument());
        QCOMPARE(splash.count(), 1);
        QCOMPARE(f.prompter.screenSizeAsked, 1);
        QCOMPARE(f.doc.ScreenSize(), QSize(640, 480));
        QCOMPARE(f.doc.ScreenRect(), QRect(0, 0, 640, 480));
        QCOMPARE(f.view.DesignSize(), QSize(640, 480));
        QCOMPARE(f.doc.CurrentScreen(), 1);
    }

    void aSetOpenedAtStartTakesThePlaceOfTheFirstNew()
    {
        Fixture f;
        f.file.SetFixedScreenSize(QSize(1280, 1024));
        QVERIFY(f.file.OnOpenDocument(f.WriteBasic(QStringLiteral("start.set"))));
        QCOMPARE(f.prompter.screenSizeAsked, 0);
        QCOMPARE(f.doc.ScreenSize(), QSize(1280, 1024));
        QSignalSpy splash(&f.file, &DocumentFile::splashRequested);
        QVERIFY(f.file.OnNewDocument());
        QCOMPARE(splash.count(), 0);
        // The fixed size answered one prompt only.
        QCOMPARE(f.prompter.screenSizeAsked, 1);
        QCOMPARE(f.doc.ScreenSize(), QSize(800, 600));
    }

    void sizePromptClosedWithoutOkKeepsPreviousSize()
    {
        Fixture f;
        f.file.OnNewDocument();
        f.prompter.screenSize = std::nullopt;
        f.file.OnNewDocument();
        QCOMPARE(f.doc.ScreenSize(), QSize(1024, 768));
        f.prompter.screenSize = QSize(800, 600);
        f.file.OnNewDocument();
        f.prompter.screenSize = std::nullopt;
        QVERIFY(f.file.OnOpenDocument(f.WriteBasic(QStringLiteral("a.set"))));
        QCOMPARE(f.doc.ScreenSize(), QSize(800, 600));
    }

    void openReadsTheSetAndBuildsWidgets()
    {
        Fixture f;
        const QString path = f.WriteBasic(QStringLiteral("basic.set"));
        f.doc.SetCurrentScreen(9);
        QSignalSpy title(&f.file, &DocumentFile::titleChanged);
        QVERIFY(f.file.OnOpenDocument(path));
        QCOMPARE(f.prompter.screenSizeAsked, 1);
        QCOMPARE(f.doc.ScreenSize(), QSize(800, 600));
        QCOMPARE(int(f.doc.Set().Size()), 4);
        QCOMPARE(f.doc.RecordsRead(), 4);
        QCOMPARE(f.doc.CurrentScreen(), 1);
        QCOMPARE(f.file.Title(), QStringLiteral("basic.set"));
        QCOMPARE(f.file.PathName(), QFileInfo(path).absoluteFilePath());
        QVERIFY(!f.doc.IsModified());
        QVERIFY(title.count() >= 1);
        QCOMPARE(f.doc.Set().colours.Get(ColourSet::ScreenBack), MakeColourRef(10, 20, 30));
        for (const auto& rec : f.doc.Set().controls) // widgets only where they show
            QCOMPARE(rec->widget != nullptr, ScreenVisibility::ShowsOn(rec->screen, f.doc.CurrentScreen()));
        QVERIFY(f.file.WatchedPaths().contains(QFileInfo(path).absolutePath()));
        QCOMPARE(f.prompter.errors.size(), 0);
    }

    // The document shows the widgets of its current screen itself: whoever
    // reads visibility needs no view, and the picture switch is the document's.
    void theDocumentAppliesVisibility()
    {
        QTemporaryDir dir;
        SettingsProfile profile{dir.filePath(QStringLiteral("Tavlora.xml"))};
        profile.SetSaveOnDestroy(false);
        ScriptedPrompter prompter;
        CTavloraDoc doc{profile};
        DocumentFile file{doc, profile, prompter};
        ScreenSet set;
        GuiTestFiles::Basic(set); // labels on 0, 1, 2 and an LED on 50
        GuiTestFiles::Add(set, TypeImage, 1, {0, 0, 10, 10});
        const QString path = dir.filePath(QStringLiteral("v.set"));
        QVERIFY(GuiTestFiles::Write(path, set));
        QVERIFY(file.OnOpenDocument(path));
        const auto shown = [&doc] {
            QList<bool> v;
            for (const auto& rec : doc.Set().controls)
                v << (rec->widget && rec->widget->IsVisible());
            return v;
        };
        const auto made = [&doc] {
            QList<bool> v;
            for (const auto& rec : doc.Set().controls)
                v << bool(rec->widget);
            return v;
        };
        QCOMPARE(shown(), (QList<bool>{true, true, false, false, true}));
        QCOMPARE(made(), shown());
        doc.SetCurrentScreen(2);
        QCOMPARE(shown(), (QList<bool>{true, false, true, false, false}));
        QCOMPARE(made(), shown());
        doc.ToggleTabScreen();
        QCOMPARE(shown(), (QList<bool>{false, false, false, true, false}));
        QCOMPARE(made(), shown());
        doc.ToggleTabScreen();
        doc.SetCurrentScreen(1);
        doc.SetShowImages(false);
        QCOMPARE(shown(), (QList<bool>{true, true, false, false, false}));
        QCOMPARE(made(), (QList<bool>{true, true, false, false, true})); // hidden, still there
    }

    void failedOpenKeepsThePreviousSet()
    {
        Fixture f;
        const QString good = f.WriteBasic(QStringLiteral("good.set"));
        QVERIFY(f.file.OnOpenDocument(good));
        const ControlRecord* first = f.doc.Set().controls.front().get();

        // A file cut off in the middle of its second record.
        ScreenSet other;
        GuiTestFiles::Basic(other);
        GuiTestFiles::Add(other, TypeDro, 1, {0, 0, 200, 40});
        std::string bytes = GuiTestFiles::Bytes(other);
        bytes.resize(120);
        const QString bad = f.Path(QStringLiteral("bad.set"));
        QFile out(bad);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes.data(), qint64(bytes.size()));
        out.close();

        const int asked = f.prompter.screenSizeAsked;
        QVERIFY(!f.file.OnOpenDocument(bad));
        QCOMPARE(f.prompter.errors.size(), 1);
        QVERIFY2(f.prompter.errors.first().contains(QStringLiteral("bad.set")), qPrintable(f.prompter.errors.first()));
        QVERIFY2(f.prompter.errors.first().contains(QStringLiteral("byte offset")),
                 qPrintable(f.prompter.errors.first()));
        QCOMPARE(f.prompter.screenSizeAsked, asked);
        QCOMPARE(int(f.doc.Set().Size()), 4);
        QCOMPARE(f.doc.Set().controls.front().get(), first);
        QVERIFY(first->widget != nullptr);
        QCOMPARE(f.file.Title(), QStringLiteral("good.set"));
        QCOMPARE(f.file.PathName(), QFileInfo(good).absoluteFilePath());

        QVERIFY(!f.file.OnOpenDocument(f.Path(QStringLiteral("missing.set"))));
        QCOMPARE(f.prompter.errors.size(), 2);
        QVERIFY(f.prompter.errors.last().contains(QStringLiteral("missing.set")));
        QCOMPARE(int(f.doc.Set().Size()), 4);
    }

    void saveWritesTheFileAndClearsModified()
    {
        Fixture f;
        const QString path = f.WriteBasic(QStringLiteral("s.set"));
        QVERIFY(f.file.OnOpenDocument(path));
        GuiTestFiles::Change(f.doc, 1, [](ControlRecord& r) { r.label = "Changed"; });
        QVERIFY(f.doc.IsModified());
        QVERIFY(f.file.FileSave());
        QVERIFY(!f.doc.IsModified());
        QCOMPARE(f.prompter.saveAsAsked, 0);
        ScreenSet back;
        const QByteArray bytes = GuiTestFiles::Read(path);
        QVERIFY(ScreenSetFile::Read(bytes.constData(), size_t(bytes.size()), back).ok);
        QCOMPARE(back.At(1).label, std::string("Changed"));
        QCOMPARE(f.file.Stamp(), DocumentFile::FileStamp::Of(path));
    }

    void failedSaveIsReportedAndKeepsThePreviousFile()
    {
        Fixture f;
        const QString path = f.WriteBasic(QStringLiteral("keep.set"));
        const QByteArray before = GuiTestFiles::Read(path);
        QVERIFY(f.file.OnOpenDocument(path));
        GuiTestFiles::Change(f.doc, 0, [](ControlRecord& r) { r.rect = {INT32_MIN, 0, 10, 10}; });
        QVERIFY(!f.file.OnSaveDocument(path));
        QCOMPARE(f.prompter.errors.size(), 1);
        QVERIFY(f.doc.IsModified());
        QCOMPARE(GuiTestFiles::Read(path), before);

        GuiTestFiles::Change(f.doc, 0, [](ControlRecord& r) { r.rect = {0, 0, 10, 10}; });
        QVERIFY(!f.file.OnSaveDocument(f.Path(QStringLiteral("no/such/folder/x.set"))));
        QCOMPARE(f.prompter.errors.size(), 2);
        QVERIFY(f.prompter.errors.last().contains(QStringLiteral("x.set")));
        QCOMPARE(f.file.PathName(), QFileInfo(path).absoluteFilePath());
    }

    void saveAsOfUntitledAsksForAName()
    {
        Fixture f;
        f.file.OnNewDocument();
        f.prompter.savePath = f.Path(QStringLiteral("named"));
        QVERIFY(f.file.FileSave());
        QCOMPARE(f.prompter.saveAsAsked, 1);
        QCOMPARE(f.prompter.lastSuggestedName, QStringLiteral("Untitled.set"));
        QVERIFY(QFile::exists(f.Path(QStringLiteral("named.set"))));
        QCOMPARE(f.file.Title(), QStringLiteral("named.set"));
    }

    void closeFileKeepsTitleSizeAndColoursAndSavesAnEmptySet()
    {
        Fixture f;
        f.prompter.screenSize = QSize(640, 480);
        const QString path = f.WriteBasic(QStringLiteral("close.set"));
        QVERIFY(f.file.OnOpenDocument(path));
        f.doc.SetCurrentScreen(2);
        GuiTestFiles::Touch(f.doc);
        const ColourSet colours = f.doc.Set().colours;

        f.file.OnCloseFile();
        QCOMPARE(int(f.doc.Set().Size()), 0);
        QCOMPARE(f.file.Title(), QStringLiteral("close.set"));
        QCOMPARE(f.doc.ScreenSize(), QSize(640, 480));
        QCOMPARE(f.view.DesignSize(), QSize(640, 480));
        QVERIFY(f.doc.Set().colours == colours);
        QCOMPARE(f.doc.CurrentScreen(), 2);
        QVERIFY(!f.doc.IsModified());
        QVERIFY(f.file.PathName().isEmpty());

        const QString target = f.Path(QStringLiteral("empty.set"));
        f.prompter.savePath = target;
        QVERIFY(f.file.FileSave());
        QCOMPARE(f.prompter.saveAsAsked, 1);
        const QByteArray bytes = GuiTestFiles::Read(target);
        QCOMPARE(bytes.size(), 44);
        QCOMPARE(bytes.left(4), QByteArray(4, '\0'));
        ScreenSet back;
        QVERIFY(ScreenSetFile::Read(bytes.constData(), size_t(bytes.size()), back).ok);
        QVERIFY(back.colours == colours);
    }

    void ownSaveRaisesNoReload()
    {
        Fixture f;
        const QString path = f.WriteBasic(QStringLiteral("own.set"));
        QVERIFY(f.file.OnOpenDocument(path));
        QSignalSpy notes(&f.file, &DocumentFile::fileChangeNotified);
        for (int i = 0; i < 3; ++i) {
            GuiTestFiles::Change(f.doc, 1, [i](ControlRecord& r) { r.label = "Saved " + std::to_string(i); });
            QVERIFY(f.file.FileSave());
        }
        QTRY_VERIFY_WITH_TIMEOUT(notes.count() > 0, 5000);
        QTest::qWait(300);
        QCOMPARE(f.prompter.reloadAsked, 0);

        // The first outside change after a save is still offered.
        QVERIFY(GuiTestFiles::WriteOutside(path, GuiTestFiles::Read(path), 3));
        QTRY_COMPARE_WITH_TIMEOUT(f.prompter.reloadAsked, 1, 5000);
    }

    void anotherFileOfTheFolderRaisesNoReload()
    {
        Fixture f;
        const QString path = f.WriteBasic(QStringLiteral("mine.set"));
        QVERIFY(f.file.OnOpenDocument(path));
        QSignalSpy notes(&f.file, &DocumentFile::fileChangeNotified);
        ScreenSet other;
        QVERIFY(GuiTestFiles::Write(f.Path(QStringLiteral("other.set")), other));
        QFile text(f.Path(QStringLiteral("notes.txt")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("x");
        text.close();
        QTRY_VERIFY_WITH_TIMEOUT(notes.count() > 0, 5000);
        QTest::qWait(300);
        QCOMPARE(f.prompter.reloadAsked, 0);
    }

    void outsideChangeOffersReloadAndNoHoldsForThatChangeOnly()
    {
        Fixture f;
        const QString path = f.WriteBasic(QStringLiteral("watched.set"));
        QVERIFY(f.file.OnOpenDocument(path));
        f.view.show();

        ScreenSet changed;
        GuiTestFiles::Basic(changed);
        GuiTestFiles::Add(changed, TypeLabel, 1, {200, 200, 300, 220});
        f.prompter.reloadAnswers = {false};
        QVERIFY(GuiTestFiles::WriteOutside(path, QByteArray::fromStdString(GuiTestFiles::Bytes(changed)), 2));
        QTRY_COMPARE_WITH_TIMEOUT(f.prompter.reloadAsked, 1, 5000);
        // More notifications of the same change are not offered again.
        QTest::qWait(500);
        QCOMPARE(f.prompter.reloadAsked, 1);
        QCOMPARE(int(f.doc.Set().Size()), 4);

        // A second change is offered again; "Yes" reloads without asking the size.
        GuiTestFiles::Add(changed, TypeLabel, 2, {200, 230, 300, 250});
        f.prompter.reloadAnswers = {true};
        GuiTestFiles::Touch(f.doc);
        f.doc.SetCurrentScreen(2);
        const int sizeAsked = f.prompter.screenSizeAsked;
        QVERIFY(GuiTestFiles::WriteOutside(path, QByteArray::fromStdString(GuiTestFiles::Bytes(changed)), 4));
        QTRY_COMPARE_WITH_TIMEOUT(f.prompter.reloadAsked, 2, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(int(f.doc.Set().Size()), 6, 5000);
        QCOMPARE(f.prompter.screenSizeAsked, sizeAsked);
        QCOMPARE(f.doc.ScreenSize(), QSize(800, 600));
        QVERIFY(!f.doc.IsModified());
        QCOMPARE(f.doc.CurrentScreen(), 1);
    }

    void deletedFileIsIgnored()
    {
        Fixture f;
        const QString path = f.WriteBasic(QStringLiteral("gone.set"));
        QVERIFY(f.file.OnOpenDocument(path));
        QSignalSpy notes(&f.file, &DocumentFile::fileChangeNotified);
        QSignalSpy missing(&f.file, &DocumentFile::fileMissing);
        GuiTestFiles::Change(f.doc, 1, [](ControlRecord& r) { r.label = "Kept"; });
        QVERIFY(QFile::remove(path));
        QTRY_VERIFY_WITH_TIMEOUT(notes.count() > 0, 5000);
        QTest::qWait(200);
        QCOMPARE(f.prompter.reloadAsked, 0);
        // Said once; the set stays open and Save writes the file again.
        QCOMPARE(missing.count(), 1);
        QCOMPARE(int(f.doc.Set().Size()), 4);
        QVERIFY(f.doc.IsModified());
        QVERIFY(f.file.FileSave());
        QCOMPARE(f.prompter.saveAsAsked, 0);
        ScreenSet back;
        const QByteArray bytes = GuiTestFiles::Read(path);
        QVERIFY(ScreenSetFile::Read(bytes.constData(), size_t(bytes.size()), back).ok);
        QCOMPARE(back.At(1).label, std::string("Kept"));
    }

    void aChangeDuringAnotherLoadWaitsForIt()
    {
        Fixture f;
        const QString first = f.WriteBasic(QStringLiteral("first.set"));
        ScreenSet locked;
        GuiTestFiles::Basic(locked);
        GuiTestFiles::Add(locked, TypeButton, 1, {0, 0, 50, 20}).gcode = "ZUXTide538";
        const QString second = f.Path(QStringLiteral("second.set"));
        QVERIFY(GuiTestFiles::Write(second, locked));
        QVERIFY(f.file.OnOpenDocument(first));

        // While the second file's password is asked, the first changes outside.
        f.prompter.reloadDefault = true;
        f.prompter.passwords = {QStringLiteral("ZUXTide538")};
        f.prompter.duringPassword = [&] {
            ScreenSet changed;
            GuiTestFiles::Basic(changed);
            GuiTestFiles::Add(changed, TypeLabel, 1, {200, 200, 300, 220});
            QVERIFY(GuiTestFiles::WriteOutside(first, QByteArray::fromStdString(GuiTestFiles::Bytes(changed)), 3));
            QTest::qWait(600);
        };
        QVERIFY(f.file.OnOpenDocument(second));
        QCOMPARE(f.prompter.reloadAsked, 0);
        QTest::qWait(600);
        // The first file is no longer open: its change is not offered.
        QCOMPARE(f.prompter.reloadAsked, 0);
        QCOMPARE(f.file.Title(), QStringLiteral("second.set"));
        QCOMPARE(int(f.doc.Set().Size()), 5);
    }

    // A reload with unsaved edits says so, and is one undo step that brings
    // the edits back; a "No" leaves the next Save to warn of the outside change.
    void reloadIsOneUndoStepAndNoMakesSaveAsk()
    {
        Fixture f;
        const QString path = f.WriteBasic(QStringLiteral("undo.set"));
        QVERIFY(f.file.OnOpenDocument(path));
        GuiTestFiles::Change(f.doc, 1, [](ControlRecord& r) { r.label = "Unsaved"; });
        ScreenSet changed;
        GuiTestFiles::Basic(changed);
        GuiTestFiles::Add(changed, TypeLabel, 1, {200, 200, 300, 220});
        const QByteArray outside = QByteArray::fromStdString(GuiTestFiles::Bytes(changed));
        f.prompter.reloadAnswers = {true};
        QVERIFY(GuiTestFiles::WriteOutside(path, outside, 2));
        QTRY_COMPARE_WITH_TIMEOUT(f.prompter.reloadAsked, 1, 5000);
        QCOMPARE(f.prompter.reloadDiscardsShown, QList<bool>{true});
        QCOMPARE(int(f.doc.Set().Size()), 5);
        QVERIFY(!f.doc.IsModified());
        QCOMPARE(f.doc.UndoStack().undoText(), QStringLiteral("Reload"));
        f.doc.UndoStack().undo();
        QCOMPARE(int(f.doc.Set().Size()), 4);
        QCOMPARE(f.doc.Set().At(1).label, std::string("Unsaved"));
        QVERIFY(f.doc.IsModified());
        f.doc.UndoStack().undo(); // the edit itself
        QCOMPARE(f.doc.Set().At(1).label, std::string("One"));
        f.doc.UndoStack().redo();
        f.doc.UndoStack().redo();
        QCOMPARE(int(f.doc.Set().Size()), 5);
        QVERIFY(!f.doc.IsModified());
        for (const auto& rec : f.doc.Set().controls) // widgets only where they show
            QCOMPARE(rec->widget != nullptr, ScreenVisibility::ShowsOn(rec->screen, f.doc.CurrentScreen()));

        // "No": the set stays, and Save asks before it replaces the newer file.
        GuiTestFiles::Change(f.doc, 1, [](ControlRecord& r) { r.label = "Mine"; });
        GuiTestFiles::Add(changed, TypeLabel, 2, {10, 10, 50, 30});
        const QByteArray newer = QByteArray::fromStdString(GuiTestFiles::Bytes(changed));
        f.prompter.reloadAnswers = {false};
        QVERIFY(GuiTestFiles::WriteOutside(path, newer, 4));
        QTRY_COMPARE_WITH_TIMEOUT(f.prompter.reloadAsked, 2, 5000);
        QVERIFY(!f.file.FileSave()); // answered Cancel
        QVERIFY(f.prompter.conflictMessages.last().contains(QStringLiteral("changed on disk")));
        QCOMPARE(GuiTestFiles::Read(path), newer);
        f.prompter.conflictAnswers = {Prompter::SaveConflict::SaveAs};
        f.prompter.savePath = f.Path(QStringLiteral("mine.set"));
        QVERIFY(f.file.FileSave());
        QCOMPARE(GuiTestFiles::Read(path), newer);
        QCOMPARE(f.file.Title(), QStringLiteral("mine.set"));
    }

    // Save never silently replaces a read-only file or one whose reading
    // dropped bytes; each asks, offering Save As, and Cancel keeps the file.
    void saveAsksBeforeReplacingWhatItShouldNot()
    {
        Fixture f;
        const QString locked = f.WriteBasic(QStringLiteral("locked.set"));
        QVERIFY(f.file.OnOpenDocument(locked));
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        GuiTestFiles::Touch(f.doc);
        QVERIFY(!f.file.FileSave());
        QVERIFY(f.prompter.conflictMessages.last().contains(QStringLiteral("locked.set")));
        QVERIFY(f.prompter.conflictMessages.last().contains(QStringLiteral("read-only")));
        f.prompter.conflictAnswers = {Prompter::SaveConflict::Replace}; // not offered: nothing written
        QVERIFY(!f.file.FileSave());
        QVERIFY(f.doc.IsModified());

        // 3000 bytes of something else: reading keeps 44 of them.
        QByteArray other(4, '\xff'); // a negative control count
        other += QByteArray(2996, 'x');
        const QString foreign = f.Path(QStringLiteral("foreign.set"));
        QVERIFY(GuiTestFiles::WriteOutside(foreign, other, 0));
        QVERIFY(f.file.OnOpenDocument(foreign));
        for (bool replace : {false, true}) {
            if (replace)
                f.prompter.conflictAnswers = {Prompter::SaveConflict::Replace};
            const int asked = int(f.prompter.conflictMessages.size());
            QCOMPARE(f.file.FileSave(), replace);
            QCOMPARE(int(f.prompter.conflictMessages.size()), asked + 1);
            QCOMPARE(GuiTestFiles::Read(foreign).size(), replace ? 44 : 3000);
        }
        QVERIFY(f.file.FileSave()); // the file is a screen set now: no question
        QCOMPARE(int(f.prompter.conflictMessages.size()), 4);
    }

    // A normal user sees every picture of the example set in a read-only
    // Vorn3 folder (an installed package, a share). As root the test runs
    // itself as the user nobody over a read-only copy of the folder.
    void picturesOfAReadOnlyFolderShowForAUser()
    {
        QString tree = qEnvironmentVariable("TAVLORA_READ_ONLY_TREE");
        QTemporaryDir copy;
        if (tree.isEmpty()) {
            tree = copy.path();
            const QString source = QStringLiteral(TAVLORA_SOURCE_DIR);
            QCOMPARE(QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), source + QStringLiteral("/share/vorn3"),
                                                               source + QStringLiteral("/examples/mill.set"), tree}),
                     0);
            QCOMPARE(QProcess::execute(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("a-w,a+rX"), tree}), 0);
            if (test::Unprivileged::IsRoot()) {
                const int status = test::Unprivileged::RunSelf(
                    {"picturesOfAReadOnlyFolderShowForAUser"}, {"TAVLORA_READ_ONLY_TREE=" + tree.toStdString()});
                QCOMPARE(status, 0);
                return;
            }
        }
        Fixture f;
        f.profile.WriteString(QStringLiteral("Locations"), QStringLiteral("VornLocation"), tree + QStringLiteral("/vorn3"));
        QVERIFY(f.file.OnOpenDocument(tree + QStringLiteral("/mill.set")));
        QCOMPARE(f.doc.Context().MissingImages(), QStringList());
        QCOMPARE(f.prompter.errors, QStringList());
        int shown = 0;
        for (const auto& rec : f.doc.Set().controls) {
            if (auto* picture = dynamic_cast<const Picture*>(rec->widget.get()))
                shown += picture->ImageLoaded() ? 1 : 0;
        }
        QVERIFY(shown > 0);
        if (!copy.path().isEmpty() && tree == copy.path())
            QProcess::execute(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("u+w"), tree});
    }

    void aFailedReloadKeepsTheSetAndItsMark()
    {
        Fixture f;
        const QString path = f.WriteBasic(QStringLiteral("reload.set"));
        QVERIFY(f.file.OnOpenDocument(path));
        GuiTestFiles::Change(f.doc, 1, [](ControlRecord& r) { r.label = "Unsaved"; });
        f.prompter.reloadAnswers = {true};
        QVERIFY(GuiTestFiles::WriteOutside(path, QByteArray("broken"), 2));
        QTRY_COMPARE_WITH_TIMEOUT(f.prompter.reloadAsked, 1, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!f.prompter.errors.isEmpty(), 5000);
        QCOMPARE(f.doc.Set().At(1).label, std::string("Unsaved"));
        QVERIFY(f.doc.IsModified());
    }

    void wrongPasswordClearsTheSet()
    {
        Fixture f;
        ScreenSet locked;
        GuiTestFiles::Basic(locked);
        ControlRecord& key = GuiTestFiles::Add(locked, TypeButton, 1, {0, 0, 50, 20});
        key.gcode = "M3 ZUXTide538 secret";
        const QString path = f.Path(QStringLiteral("locked.set"));
        QVERIFY(GuiTestFiles::Write(path, locked));

        const QString previous = f.WriteBasic(QStringLiteral("previous.set"));
        QVERIFY(f.file.OnOpenDocument(previous));

        bool promptFlag = false;
        f.prompter.duringPassword = [&] { promptFlag = f.file.AskingPassword(); };
        f.prompter.passwords = {QStringLiteral("m3 zuxtide538 secret")};
        QVERIFY(!f.file.OnOpenDocument(path));
        QCOMPARE(f.prompter.passwordAsked, 1);
        QVERIFY(promptFlag);
        QVERIFY(!f.file.AskingPassword());
        QCOMPARE(int(f.doc.Set().Size()), 0);
        QCOMPARE(f.doc.RecordsRead(), 0);
        QCOMPARE(f.file.Title(), QStringLiteral("Untitled"));
        QVERIFY(f.file.PathName().isEmpty());
        QVERIFY(!f.prompter.errors.isEmpty());

        f.prompter.passwords = {QStringLiteral("M3 ZUXTide538 secret")};
        QVERIFY(f.file.OnOpenDocument(path));
        QCOMPARE(f.prompter.passwordAsked, 2);
        QCOMPARE(int(f.doc.Set().Size()), 5);
        QCOMPARE(f.file.Title(), QStringLiteral("locked.set"));
    }

    void passwordEscapeAnswersEmpty()
    {
        Fixture f;
        ScreenSet locked;
        GuiTestFiles::Add(locked, TypeLabel, 1, {0, 0, 50, 20}).text = "wisp";
        const QString path = f.Path(QStringLiteral("wisp.set"));
        QVERIFY(GuiTestFiles::Write(path, locked));
        f.prompter.passwords = {};
        // The password is the gcode of the record: "None".
        QVERIFY(!f.file.OnOpenDocument(path));
        f.prompter.passwords = {QStringLiteral("None")};
        QVERIFY(f.file.OnOpenDocument(path));
    }

    void recentListHoldsFour()
    {
        RecentFileList list;
        for (int i = 1; i <= 5; ++i)
            list.Add(QStringLiteral("/tmp/r%1.set").arg(i));
        QCOMPARE(list.Paths().size(), 4);
        QCOMPARE(list.Paths().first(), QStringLiteral("/tmp/r5.set"));
        QCOMPARE(list.Paths().last(), QStringLiteral("/tmp/r2.set"));
        list.Add(QStringLiteral("/tmp/r3.set"));
        QCOMPARE(list.Paths().size(), 4);
        QCOMPARE(list.Paths().first(), QStringLiteral("/tmp/r3.set"));
        QCOMPARE(list.MenuText(0), QStringLiteral("&1 /tmp/r3.set"));
        list.Save();

        RecentFileList loaded;
        loaded.Load();
        QCOMPARE(loaded.Paths(), list.Paths());

        Fixture f;
        for (int i = 0; i < 6; ++i)
            QVERIFY(f.file.OnOpenDocument(f.WriteBasic(QStringLiteral("m%1.set").arg(i))));
        QCOMPARE(f.file.RecentFiles().Paths().size(), 4);
        QCOMPARE(QFileInfo(f.file.RecentFiles().Paths().first()).fileName(), QStringLiteral("m5.set"));
    }

    void saveChangesPromptGuardsDiscarding()
    {
        Fixture f;
        QVERIFY(f.file.OnOpenDocument(f.WriteBasic(QStringLiteral("guard.set"))));
        GuiTestFiles::Touch(f.doc);
        f.prompter.saveChoice = Prompter::SaveChoice::Cancel;
        QVERIFY(!f.file.FileNew());
        QCOMPARE(f.prompter.saveAsked, 1);
        QCOMPARE(int(f.doc.Set().Size()), 4);

        f.prompter.saveChoice = Prompter::SaveChoice::Discard;
        QVERIFY(f.file.FileNew());
        QCOMPARE(int(f.doc.Set().Size()), 0);

        // Not modified: no question.
        QVERIFY(f.file.FileNew());
        QCOMPARE(f.prompter.saveAsked, 2);
    }

    void vornLocationIsStoredAndApplied()
    {
        Fixture f;
        f.prompter.folder = std::nullopt;
        f.file.OnVornLocation();
        QCOMPARE(f.prompter.folderAsked, 1);
        QVERIFY(!QFile::exists(f.profile.Path()));

        f.prompter.folder = f.dir.path();
        f.file.OnVornLocation();
        QCOMPARE(f.profile.ReadString(QStringLiteral("Locations"), QStringLiteral("VornLocation"), QString()),
                 QDir::toNativeSeparators(f.dir.path()));
        QCOMPARE(QString::fromStdString(f.doc.Context().vornFolder), QDir::toNativeSeparators(f.dir.path()));
        // Committed settings reach the disk at once.
        QVERIFY(QFile::exists(f.profile.Path()));
    }

    void reloadAndPasswordDialogs()
    {
        Reload reload;
        QCOMPARE(reload.windowTitle(), QStringLiteral("The ScreenSet has changed externally!!"));
        QStringList texts;
        for (QLabel* l : reload.findChildren<QLabel*>())
            texts << l->text();
        QVERIFY(texts.contains(QStringLiteral("The ScreenFile has been changed by another application")));
        QVERIFY(texts.contains(QStringLiteral("Reload?")));
        QStringList buttons;
        for (QPushButton* b : reload.findChildren<QPushButton*>())
            buttons << b->text();
        QCOMPARE(buttons, (QStringList{QStringLiteral("Yes"), QStringLiteral("No")}));
        QVERIFY(reload.findChildren<QPushButton*>().first()->isDefault());
        Reload losing(true);
        QVERIFY(losing.findChildren<QPushButton*>().last()->isDefault()); // "No"
        QCOMPARE(losing.findChildren<QLabel*>().size(), reload.findChildren<QLabel*>().size() + 1);

        Password password;
        QCOMPARE(password.windowTitle(), QStringLiteral("Enter Password"));
        QCOMPARE(password.findChildren<QPushButton*>().size(), 1);
        password.findChild<QLineEdit*>()->setText(QStringLiteral("abc"));
        password.reject();
        QCOMPARE(password.Text(), QString());
        password.accept();
        QCOMPARE(password.Text(), QStringLiteral("abc"));
    }
};

QTEST_MAIN(DocumentTest)
#include "DocumentTest.moc"
