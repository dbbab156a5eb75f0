#include "GuiTestFiles.h"
#include "ScriptedPrompter.h"

#include "document/CTavloraDoc.h"
#include "document/DocumentFile.h"
#include "panels/LibraryListModel.h"
#include "panels/LibraryPanel.h"
#include "settings/SettingsProfile.h"
#include "shell/CMainFrame.h"
#include "view/CTavloraView.h"

#include <QAction>
#include <QListView>
#include <QMimeData>
#include <QScrollBar>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavlora;

class LibraryTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        Q_INIT_RESOURCE(tavlora);
        QStandardPaths::setTestModeEnabled(true);
    }

    void addsTheSelectionAndInsertsItByDoubleClickAsOneStep()
    {
        QTemporaryDir data, dir;
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        ScriptedPrompter prompter;
        CMainFrame frame(dir.filePath(QStringLiteral("Tavlora.xml")), &prompter);
        frame.Profile().SetSaveOnDestroy(false);
        frame.show();
        ScreenSet set;
        GuiTestFiles::Add(set, TypeDro, 1, {300, 200, 560, 236}).function = 0;
        GuiTestFiles::Add(set, TypeLabel, 1, {40, 40, 90, 60}).label = "Apart";
        GuiTestFiles::Add(set, TypeButton, 1, {570, 210, 654, 246}).text = "Zero X";
        const QString path = dir.filePath(QStringLiteral("lib.set"));
        QVERIFY(GuiTestFiles::Write(path, set));
        QVERIFY(frame.File().OnOpenDocument(path));
        CTavloraDoc& doc = frame.Document();
        const ControlRecord& dro = doc.Set().At(0);
        const ControlRecord& button = doc.Set().At(2);
        doc.EditSelection([&](Selection& s) {
            s.Select(&button);
            s.Select(&dro);
        });

        prompter.texts = {QStringLiteral(" X Row ")};
        frame.Action(QStringLiteral("ID_EDIT_ADD_TO_LIBRARY"))->trigger();
        LibraryPanel& panel = frame.Library();
        QVERIFY(QFile::exists(data.filePath(QStringLiteral("Tavlora/library/X Row.json"))));
        QCOMPARE(panel.Model()->index(0).data(LibraryListModel::kNameRole).toString(), QStringLiteral("X Row"));
        QCOMPARE(panel.Model()->rowCount(), 6); // the shipped five after it

        // Every block reads and draws something besides its background.
        panel.DrawThumbnails();
        for (int row = 0; row < panel.Model()->rowCount(); ++row) {
            const QModelIndex index = panel.Model()->index(row);
            QVERIFY2(index.data(LibraryListModel::kProblemRole).toString().isEmpty(), qPrintable(index.data().toString()));
            const QImage image = index.data(Qt::DecorationRole).value<QPixmap>().toImage();
            QSet<QRgb> colours;
            for (int y = 0; y < image.height(); y += 2)
                for (int x = 0; x < image.width(); x += 2)
                    colours.insert(image.pixel(x, y));
            QVERIFY2(colours.size() > 3, qPrintable(index.data().toString()));
        }

        doc.SetCurrentScreen(2);
        CTavloraView& view = frame.View();
        view.SetZoom(2.0);
        view.horizontalScrollBar()->setValue(200);
        view.verticalScrollBar()->setValue(100);
        const int steps = doc.UndoStack().count();
        QListView* list = panel.View();
        QVERIFY(list->isVisible());
        const QPoint first = list->visualRect(panel.Model()->index(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(doc.UndoStack().count(), steps + 1);
        QCOMPARE(doc.UndoStack().undoText(), QStringLiteral("Insert X Row"));
        const std::vector<const ControlRecord*> added = doc.CurrentSelection().Records();
        QCOMPARE(added.size(), size_t(2));
        QCOMPARE(doc.Set().Size(), size_t(5));
        const ControlRecord& d = *doc.Set().controls[3];
        const ControlRecord& b = *doc.Set().controls[4];
        QVERIFY(d.type == TypeDro && d.function == 0 && b.text == "Zero X" && d.screen == 2 && b.screen == 2);
        QCOMPARE(QPoint(d.rect.left, d.rect.top), QPoint(100, 50)); // the top-left of the visible part
        QCOMPARE(QPoint(b.rect.left - d.rect.left, b.rect.top - d.rect.top), QPoint(270, 10));
        QCOMPARE(b.rect.Width(), 84);
        doc.Undo();
        QCOMPARE(doc.Set().Size(), size_t(3));

        // A block dragged onto the view lands at the drop point.
        std::unique_ptr<QMimeData> drag(panel.Model()->mimeData({panel.Model()->index(0)}));
        QDragEnterEvent enter(QPoint(40, 60), Qt::CopyAction, drag.get(), Qt::LeftButton, {});
        QApplication::sendEvent(view.viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(40, 60), Qt::CopyAction, drag.get(), Qt::LeftButton, {});
        QApplication::sendEvent(view.viewport(), &drop);
        QCOMPARE(doc.Set().Size(), size_t(5));
        QCOMPARE(QPoint(doc.Set().At(3).rect.left, doc.Set().At(3).rect.top), QPoint(120, 80));
    }
};

QTEST_MAIN(LibraryTest)
#include "LibraryTest.moc"
