#include "GuiTestFiles.h"
#include "ScriptedPrompter.h"

#include "document/CTavloraDoc.h"
#include "document/DocumentFile.h"
#include "document/RecoveryCopy.h"
#include "shell/AboutDialog.h"
#include "shell/CMainFrame.h"
#include "shell/CMultiFileDialog.h"
#include "settings/SettingsProfile.h"
#include "shell/WorkBar.h"
#include "panels/ControlList.h"
#include "properties/PropertyPanel.h"
#include "view/CTavloraView.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolBox>
#include <QtTest>

using namespace tavlora;

namespace {

struct Frame {
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    std::unique_ptr<CMainFrame> frame;

    Frame() : frame(std::make_unique<CMainFrame>(dir.filePath(QStringLiteral("Tavlora.xml")), &prompter))
    {
        frame->Profile().SetSaveOnDestroy(false);
    }
    ~Frame() { frame.reset(); }

    QString Title() const
    {
        QString t = frame->windowTitle();
        return t.replace(QStringLiteral("[*]"), QString());
    }

    QStringList MenuTexts(const QString& menuTitle) const
    {
        QStringList texts;
        for (QAction* top : frame->menuBar()->actions()) {
            if (top->text() != menuTitle)
                continue;
            for (QAction* a : top->menu()->actions())
                texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        return texts;
    }
};

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        Q_INIT_RESOURCE(tavlora);
        QStandardPaths::setTestModeEnabled(true);
        RecentFileList clean;
        clean.Save();
    }

    void workBarTextsSetTheTools()
    {
        Frame f;
        WorkBar& bar = f.frame->Workspace();
        QCOMPARE(bar.windowTitle(), QStringLiteral("Workspace"));
        QCOMPARE(bar.Groups()->count(), 2);
        QCOMPARE(bar.Groups()->itemText(0), QStringLiteral("Controls"));
        QCOMPARE(bar.Groups()->itemText(1), QStringLiteral("Panels"));
        QCOMPARE(bar.Panels()->count(), 0);
        QCOMPARE(bar.SelectedItem(), bar.NoneItem()); // the tool at start is NONE

        const QStringList texts{QStringLiteral("DRO"),      QStringLiteral("BUTTON"),     QStringLiteral("IMAGE BUTTON"),
                                QStringLiteral("IMAGE"),    QStringLiteral("LABEL"),      QStringLiteral("LED"),
                                QStringLiteral("MDI LINE"), QStringLiteral("GCODE LIST"), QStringLiteral("TOOLPATH"),
                                QStringLiteral("NONE")};
        const QList<int> tools{1, 2, 4, 3, 6, 7, 8, 9, 10, 0};
        QCOMPARE(bar.Controls()->count(), 10);
        CTavloraView& view = f.frame->View();
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(bar.Controls()->item(i)->text(), texts[i]);
            QVERIFY(!bar.Controls()->item(i)->icon().isNull());
            view.SetCurrentTool(-5);
            bar.ItemClicked(QStringLiteral("Controls"), i);
            QCOMPARE(view.CurrentTool(), tools[i]);
        }

        // Clicks on the list itself.
        f.frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.frame.get()));
        QListWidget* list = bar.Controls();
        for (int i : {2, 3, 7}) {
            const QRect r = list->visualItemRect(list->item(i));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
            QCOMPARE(view.CurrentTool(), tools[i]);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&view)); // arrow keys, Escape
        }
        // Escape in another pane of the window drops the tool too.
        QLineEdit* filter = f.frame->Controls().FilterBox();
        filter->setFocus();
        QTest::keyClick(filter, Qt::Key_Escape);
        QCOMPARE(view.CurrentTool(), 0);
        QCOMPARE(bar.SelectedItem(), bar.NoneItem());

        // No item, or another group: no tool change.
        view.SetCurrentTool(6);
        bar.ItemClicked(QStringLiteral("Controls"), -1);
        bar.ItemClicked(QStringLiteral("Panels"), 0);
        QCOMPARE(view.CurrentTool(), 6);
        QCOMPARE(WorkBar::ToolForText(QStringLiteral("dro")), -1);

        // Escape in the view: tool 0 and "NONE" selected.
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_Escape);
        QCOMPARE(view.CurrentTool(), 0);
        QCOMPARE(bar.SelectedItem(), bar.NoneItem());
    }

    void menusAndAccelerators()
    {
        Frame f;
        QStringList tops;
        for (QAction* a : f.frame->menuBar()->actions())
            tops << a->text();
        QCOMPARE(tops, (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("&Arrange"),
                                    QStringLiteral("&View"), QStringLiteral("Defaults"), QStringLiteral("&Help")}));
        QCOMPARE(f.MenuTexts(QStringLiteral("&File")),
                 (QStringList{QStringLiteral("&New"), QStringLiteral("&Open..."), QStringLiteral("Close FIle"),
                              QStringLiteral("&Save"), QStringLiteral("Save &As..."), QStringLiteral("-"),
                              QStringLiteral("&Print..."), QStringLiteral("Print Pre&view"),
                              QStringLiteral("E&xport PDF..."), QStringLiteral("-"), QStringLiteral("Recent File"),
                              QStringLiteral("-"),
                              QStringLiteral("E&xit")}));
        QCOMPARE(f.MenuTexts(QStringLiteral("&Edit")),
                 (QStringList{QStringLiteral("&Undo"), QStringLiteral("&Redo"), QStringLiteral("-"),
                              QStringLiteral("Cu&t"), QStringLiteral("&Copy"), QStringLiteral("&Paste"),
                              QStringLiteral("Paste Exact"), QStringLiteral("Bitmaps To Back"), QStringLiteral("&Delete"),
                              QStringLiteral("D&uplicate"), QStringLiteral("-"), QStringLiteral("Add to &Library..."),
                              QStringLiteral("-"), QStringLiteral("Select &All")}));
        QCOMPARE(f.MenuTexts(QStringLiteral("&Arrange")),
                 (QStringList{QStringLiteral("Align Tops"), QStringLiteral("Align Bottoms"),
                              QStringLiteral("Align Left Edges"), QStringLiteral("Align Right Edges"), QStringLiteral("-"),
                              QStringLiteral("Same Height"), QStringLiteral("Same Width"), QStringLiteral("-"),
                              QStringLiteral("Space Evenly Across"), QStringLiteral("Space Evenly Down"),
                              QStringLiteral("-"), QStringLiteral("Align Centres Across"),
                              QStringLiteral("Align Centres Down"), QStringLiteral("Distribute Across"),
                              QStringLiteral("Distribute Down"), QStringLiteral("-"),
                              QStringLiteral("Scale Screen Set...")}));
        QCOMPARE(f.MenuTexts(QStringLiteral("&View")),
                 (QStringList{QStringLiteral("&Toolbar"), QStringLiteral("&Status Bar"), QStringLiteral("WorkBar"),
                              QStringLiteral("&Panels"), QStringLiteral("-"), QStringLiteral("Jump to Page..."),
                              QStringLiteral("TAB Screen"), QStringLiteral("Remove Bitmaps"), QStringLiteral("Grid..."),
                              QStringLiteral("Show &Grid"), QStringLiteral("Snap to &Controls"), QStringLiteral("-"),
                              QStringLiteral("Zoom &In"), QStringLiteral("Zoom &Out"), QStringLiteral("&Actual Size"),
                              QStringLiteral("&Fit Screen"), QStringLiteral("-"), QStringLiteral("&Preview")}));
        QCOMPARE(f.MenuTexts(QStringLiteral("Defaults")),
                 (QStringList{QStringLiteral("Vorn Location"), QStringLiteral("Colors...")}));
        QCOMPARE(f.MenuTexts(QStringLiteral("&Help")), QStringList{QStringLiteral("&About Tavlora...")});

        auto keys = [&](const char* id) {
            QStringList out;
            for (const QKeySequence& k : f.frame->Action(QString::fromLatin1(id))->shortcuts())
                out << k.toString(QKeySequence::PortableText);
            return out;
        };
        QCOMPARE(keys("ID_FILE_NEW"), QStringList{QStringLiteral("Ctrl+N")});
        QCOMPARE(keys("ID_FILE_OPEN"), QStringList{QStringLiteral("Ctrl+O")});
        QCOMPARE(keys("ID_FILE_SAVE"), QStringList{QStringLiteral("Ctrl+S")});
        QCOMPARE(keys("ID_EDIT_COPY"), (QStringList{QStringLiteral("Ctrl+C"), QStringLiteral("Ctrl+Ins")}));
        QCOMPARE(keys("ID_EDIT_CUT"), (QStringList{QStringLiteral("Ctrl+X"), QStringLiteral("Shift+Del")}));
        QCOMPARE(keys("ID_EDIT_PASTE"), (QStringList{QStringLiteral("Ctrl+V"), QStringLiteral("Shift+Ins")}));
        QCOMPARE(keys("ID_DELETE"), QStringList{QStringLiteral("Del")});
        QCOMPARE(keys("ID_EDIT_UNDO"), (QStringList{QStringLiteral("Ctrl+Z"), QStringLiteral("Alt+Backspace")}));
        QVERIFY(!f.frame->Action(QStringLiteral("ID_EDIT_UNDO"))->isEnabled());
        QCOMPARE(keys("ID_EDIT_REDO"), (QStringList{QStringLiteral("Ctrl+Y"), QStringLiteral("Ctrl+Shift+Z")}));
        QCOMPARE(keys("ID_EDIT_SELECT_ALL"), QStringList{QStringLiteral("Ctrl+A")});
        QCOMPARE(keys("ID_EDIT_DUPLICATE"), QStringList{QStringLiteral("Ctrl+D")});
        QCOMPARE(keys("ID_VIEW_PREVIEW"), QStringList{QStringLiteral("Ctrl+R")});
        // Toolbar-only pictures say what they do.
        QCOMPARE(f.frame->Action(QStringLiteral("ID_SPACE_DOWN"))->toolTip(), QStringLiteral("Space Evenly Down"));

        // Menu items show the toolbar pictures.
        QVERIFY(!f.frame->Action(QStringLiteral("ID_FILE_NEW"))->icon().isNull());
        QVERIFY(!f.frame->Action(QStringLiteral("ID_APP_ABOUT"))->icon().isNull());
    }

    void toolbarGroupsInOrder()
    {
        Frame f;
        QStringList ids;
        for (QAction* a : f.frame->MainToolBar()->actions()) {
            ids << (a->isSeparator() ? QStringLiteral("|") : a->objectName());
            if (!a->isSeparator())
                QVERIFY2(!a->icon().isNull(), qPrintable(a->objectName()));
        }
        QCOMPARE(ids.join(QLatin1Char(' ')),
                 QStringLiteral("ID_FILE_NEW ID_FILE_OPEN ID_FILE_SAVE | ID_EDIT_CUT ID_EDIT_COPY ID_EDIT_PASTE | "
                                "ID_APP_ABOUT ID_PAGE_JUMP | ID_REMOVE_BITMAPS ID_VIEW_TAB ID_VIEW_PREVIEW ID_COLOURS | "
                                "ID_ALIGN_TOPS ID_ALIGN_BOTTOMS ID_ALIGN_LEFTS ID_ALIGN_RIGHTS ID_SAME_HEIGHT "
                                "ID_SAME_WIDTH ID_SPACE_ACROSS ID_SPACE_DOWN ID_GRID"));
        QCOMPARE(f.frame->Action(QStringLiteral("ID_REMOVE_BITMAPS"))->toolTip(), QStringLiteral("Remove Bitmaps"));

        // The TAB and picture buttons show the view's state.
        f.frame->Action(QStringLiteral("ID_VIEW_TAB"))->trigger();
        QCOMPARE(f.frame->Document().CurrentScreen(), 50);
        QVERIFY(f.frame->Action(QStringLiteral("ID_VIEW_TAB"))->isChecked());
        QCOMPARE(f.frame->CaptionLabel()->text(), CTavloraView::CaptionFor(50));
        f.frame->Action(QStringLiteral("ID_VIEW_TAB"))->trigger();
        QCOMPARE(f.frame->Document().CurrentScreen(), 1);
        QVERIFY(!f.frame->Action(QStringLiteral("ID_VIEW_TAB"))->isChecked());
        f.frame->Action(QStringLiteral("ID_REMOVE_BITMAPS"))->trigger();
        QVERIFY(!f.frame->View().ShowImages());
        QVERIFY(f.frame->Action(QStringLiteral("ID_REMOVE_BITMAPS"))->isChecked());
        QAction* snap = f.frame->Action(QStringLiteral("ID_VIEW_SNAP_TO_CONTROLS"));
        QVERIFY(snap->isChecked() && f.frame->View().SnapToControls()); // on by default
        snap->trigger();
        QVERIFY(!f.frame->View().SnapToControls());
    }

    void statusBarAndWorkBarToggle()
    {
        Frame f;
        f.frame->show();
        QStringList texts;
        for (QLabel* l : f.frame->statusBar()->findChildren<QLabel*>())
            texts << l->text();
        QVERIFY(texts.contains(QStringLiteral("CAP")));
        QVERIFY(texts.contains(QStringLiteral("NUM")));
        QVERIFY(texts.contains(QStringLiteral("SCRL")));
        QCOMPARE(f.frame->CaptionLabel()->text(), QStringLiteral("        Currenly designing Window # 1 "));

        QVERIFY(f.frame->Workspace().isVisible());
        f.frame->Action(QStringLiteral("ID_VIEW_WORKBAR"))->trigger();
        QVERIFY(!f.frame->Workspace().isVisible());
        QVERIFY(!f.frame->Action(QStringLiteral("ID_VIEW_WORKBAR"))->isCheckable());
        f.frame->Action(QStringLiteral("ID_VIEW_WORKBAR"))->trigger();
        QVERIFY(f.frame->Workspace().isVisible());
    }

    // Ctrl+Z right after an edit in the Properties panel undoes that edit in
    // the document; the field does not keep it for itself.
    void undoFromThePropertiesPanel()
    {
        Frame f;
        ScreenSet set;
        GuiTestFiles::Add(set, TypeLabel, 1, {10, 10, 80, 30}).label = "One";
        const QString path = f.dir.filePath(QStringLiteral("panel.set"));
        QVERIFY(GuiTestFiles::Write(path, set));
        QVERIFY(f.frame->File().OnOpenDocument(path));
        f.frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.frame.get()));
        CTavloraDoc& doc = f.frame->Document();
        doc.EditSelection([&](Selection& s) { s.Select(doc.Set().controls.front().get()); });
        QLineEdit* text = f.frame->Panel().TextBox();
        text->setFocus();
        text->selectAll();
        QTest::keyClicks(text, QStringLiteral("Two"));
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(doc.Set().At(0).label, std::string("Two"));
        QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(doc.Set().At(0).label, std::string("One"));
        QCOMPARE(text->text(), QStringLiteral("One"));
    }

    // The zoom of the last session comes back, and the status bar says so.
    void zoomComesBackAndIsShown()
    {
        QSettings settings(QStringLiteral("Tavlora"), QStringLiteral("Tavlora"));
        settings.setValue(QStringLiteral("Window/Zoom"), 2.0 / 3);
        Frame f;
        settings.remove(QStringLiteral("Window/Zoom"));
        QCOMPARE(f.frame->View().Zoom(), 2.0 / 3);
        QCOMPARE(f.frame->findChild<QLabel*>(QStringLiteral("ZoomLabel"))->text(), QStringLiteral("67 %"));
    }

    void titleFollowsTheDocument()
    {
        Frame f;
        f.frame->File().OnNewDocument();
        QCOMPARE(f.Title(), QStringLiteral("Untitled - Tavlora"));
        QVERIFY(!f.frame->isWindowModified());
        GuiTestFiles::Touch(f.frame->Document());
        QVERIFY(f.frame->isWindowModified());

        ScreenSet set;
        GuiTestFiles::Basic(set);
        const QString path = f.dir.filePath(QStringLiteral("mill.set"));
        QVERIFY(GuiTestFiles::Write(path, set));
        f.prompter.saveChoice = Prompter::SaveChoice::Discard;
        QVERIFY(f.frame->File().OpenFile(path));
        QCOMPARE(f.Title(), QStringLiteral("mill.set - Tavlora"));
        QVERIFY(!f.frame->isWindowModified());

        // The recent files appear in the File menu.
        QVERIFY(f.MenuTexts(QStringLiteral("&File")).contains(QStringLiteral("&1 ") + QDir::toNativeSeparators(path)));

        // "Close FIle" keeps the title.
        f.frame->Action(QStringLiteral("ID_FILE_CLOSE_FILE"))->trigger();
        QCOMPARE(f.Title(), QStringLiteral("mill.set - Tavlora"));
        QCOMPARE(int(f.frame->Document().Set().Size()), 0);
    }

    void droppedFilesOpen()
    {
        Frame f;
        ScreenSet set;
        GuiTestFiles::Basic(set);
        const QString path = f.dir.filePath(QStringLiteral("dropped.set"));
        QVERIFY(GuiTestFiles::Write(path, set));
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(f.frame.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(f.frame.get(), &drop);
        QCOMPARE(f.frame->File().Title(), QStringLiteral("dropped.set"));
        QCOMPARE(int(f.frame->Document().Set().Size()), 4);
    }

    void closingSavesTheProfile()
    {
        QTemporaryDir dir;
        const QString profilePath = dir.filePath(QStringLiteral("Tavlora.xml"));
        ScriptedPrompter prompter;
        {
            CMainFrame frame(profilePath, &prompter);
            frame.Profile().SetSaveOnDestroy(false);
            frame.Profile().WriteInt(QStringLiteral("Test"), QStringLiteral("Value"), 5);
            frame.show();
            QVERIFY(frame.close());
        }
        QVERIFY(QFile::exists(profilePath));
        SettingsProfile back(profilePath);
        back.SetSaveOnDestroy(false);
        QCOMPARE(back.ReadInt(QStringLiteral("Test"), QStringLiteral("Value"), 0), 5);

        // A modified set asks first; Cancel keeps the window open.
        CMainFrame frame(dir.filePath(QStringLiteral("Other.xml")), &prompter);
        frame.Profile().SetSaveOnDestroy(false);
        frame.show();
        GuiTestFiles::Touch(frame.Document());
        prompter.saveChoice = Prompter::SaveChoice::Cancel;
        QVERIFY(!frame.close());
        QCOMPARE(prompter.saveAsked, 1);
        QVERIFY(frame.isVisible());
        prompter.saveChoice = Prompter::SaveChoice::Discard;
        QVERIFY(frame.close());
    }

    // A designer killed after edits leaves a copy of them; the next start
    // restores it byte for byte, modified, saving to the original file. The
    // killed designer is this test program run again in the role below.
    void editsSurviveAKill()
    {
        const QStringList child = qEnvironmentVariable("TAVLORA_KILLED_DESIGNER").split(QLatin1Char('|'));
        if (child.size() == 2) {
            Frame f;
            QVERIFY(f.frame->File().OnOpenDocument(child[0]));
            GuiTestFiles::Change(f.frame->Document(), 1, [](ControlRecord& r) { r.label = "Edited"; });
            GuiTestFiles::Change(f.frame->Document(), 2, [](ControlRecord& r) { r.rect = {-30, 7, 90, 40}; });
            QVERIFY(GuiTestFiles::Write(child[1], f.frame->Document().Set()));
            const QDir kept(RecoveryCopy::DefaultFolder());
            QTRY_VERIFY_WITH_TIMEOUT(!kept.entryList({QStringLiteral("*.json")}).isEmpty(), 5000);
            std::fputs("ready\n", stdout);
            std::fflush(stdout);
            QTest::qWait(60000);
            return;
        }
        QTemporaryDir dir;
        qputenv("XDG_STATE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("state"))));
        ScreenSet set;
        GuiTestFiles::Basic(set);
        const QString path = dir.filePath(QStringLiteral("killed.set"));
        const QString expected = dir.filePath(QStringLiteral("expected.set"));
        QVERIFY(GuiTestFiles::Write(path, set));
        const QByteArray before = GuiTestFiles::Read(path);

        QProcess designer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TAVLORA_KILLED_DESIGNER"), path + QLatin1Char('|') + expected);
        designer.setProcessEnvironment(env);
        designer.start(QCoreApplication::applicationFilePath(), {QStringLiteral("editsSurviveAKill")});
        QByteArray said;
        QTRY_VERIFY2_WITH_TIMEOUT((said += designer.readAllStandardOutput()).contains("ready\n"), said.constData(), 30000);
        designer.kill(); // SIGKILL
        QVERIFY(designer.waitForFinished(5000));
        QCOMPARE(GuiTestFiles::Read(path), before);

        Frame f;
        QVERIFY(f.frame->File().OfferRecovery());
        QCOMPARE(f.prompter.restoreMessages.size(), 1);
        QVERIFY(f.prompter.restoreMessages.first().contains(QStringLiteral("killed.set")));
        CTavloraDoc& doc = f.frame->Document();
        QCOMPARE(QByteArray::fromStdString(GuiTestFiles::Bytes(doc.Set())), GuiTestFiles::Read(expected));
        QVERIFY(doc.IsModified());
        QCOMPARE(f.frame->File().PathName(), path);
        QVERIFY(f.frame->File().FileSave());
        QCOMPARE(GuiTestFiles::Read(path), GuiTestFiles::Read(expected));
        QVERIFY(QDir(RecoveryCopy::DefaultFolder()).entryList(QDir::Files).isEmpty());
        QVERIFY(!f.frame->File().OfferRecovery());
        qunsetenv("XDG_STATE_HOME");
    }

    void fileNameCompletion()
    {
        QTemporaryDir dir;
        QFile start(dir.filePath(QStringLiteral("Start.bmp")));
        QVERIFY(start.open(QIODevice::WriteOnly));
        start.close();
        auto exists = [](const QString& p) { return QFileInfo::exists(p); };
        const QStringList patterns = CMultiFileDialog::FilterPatterns(QStringLiteral("BMP Files (*.bmp;*.bmp)"));
        QCOMPARE(patterns, (QStringList{QStringLiteral("*.bmp"), QStringLiteral("*.bmp")}));

        CMultiFileDialog::NameCheckOptions open;
        QString path = dir.filePath(QStringLiteral("Start"));
        QCOMPARE(CMultiFileDialog::CheckName(path, patterns, open, exists),
                 CMultiFileDialog::NameCheck::AcceptCompleted);
        QCOMPARE(path, dir.filePath(QStringLiteral("Start.bmp")));

        path = dir.filePath(QStringLiteral("Start.bmp"));
        QCOMPARE(CMultiFileDialog::CheckName(path, patterns, open, exists), CMultiFileDialog::NameCheck::Accept);

        path = dir.filePath(QStringLiteral("Start.xyz"));
        QCOMPARE(CMultiFileDialog::CheckName(path, patterns, open, exists), CMultiFileDialog::NameCheck::Refuse);

        path = dir.filePath(QStringLiteral("Other"));
        QCOMPARE(CMultiFileDialog::CheckName(path, patterns, open, exists), CMultiFileDialog::NameCheck::Accept);
        QCOMPARE(path, dir.filePath(QStringLiteral("Other")));
        CMultiFileDialog::NameCheckOptions retry;
        retry.retry = true;
        QCOMPARE(CMultiFileDialog::CheckName(path, patterns, retry, exists),
                 CMultiFileDialog::NameCheck::RefuseNotFound);

        // Save dialogs, multiple selection and a default extension accept at once.
        for (int i = 0; i < 3; ++i) {
            CMultiFileDialog::NameCheckOptions o;
            (i == 0 ? o.saveDialog : i == 1 ? o.multiSelect : o.hasDefaultExtension) = true;
            path = dir.filePath(QStringLiteral("Start.xyz"));
            QCOMPARE(CMultiFileDialog::CheckName(path, patterns, o, exists), CMultiFileDialog::NameCheck::Accept);
        }

        // Wildcards beyond the first character are skipped; any separator works.
        path = dir.filePath(QStringLiteral("Start"));
        QCOMPARE(CMultiFileDialog::CheckName(path, {QStringLiteral("*.b*"), QStringLiteral("*.bmp")}, open, exists),
                 CMultiFileDialog::NameCheck::AcceptCompleted);
        QCOMPARE(CMultiFileDialog::FilterPatterns(DocumentFile::kFilter),
                 (QStringList{QStringLiteral("*.set"), QStringLiteral("*.lset"), QStringLiteral("*.sset")}));
        QCOMPARE(DocumentFile::kFilter, QStringLiteral("Tavlora Files (*.set; *.lset, *.sset)"));

        CMultiFileDialog dialog(true, QStringLiteral("set"), QString(), {DocumentFile::kFilter});
        QCOMPARE(dialog.nameFilters(), QStringList{DocumentFile::kFilter});
        QCOMPARE(dialog.SelectedFilterPatternsText(), QStringLiteral("*.set *.lset *.sset"));
    }

    void aboutDialog()
    {
        AboutDialog about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About Tavlora"));
        QStringList texts;
        for (QLabel* l : about.findChildren<QLabel*>())
            texts << l->text();
        QVERIFY(texts.contains(QStringLiteral("Tavlora  - Version 1.2")));
        QCOMPARE(about.findChildren<QPushButton*>().size(), 1);
        QCOMPARE(about.findChild<QPushButton*>()->text(), QStringLiteral("OK"));
    }
};

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"
