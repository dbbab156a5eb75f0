// The docked panels: the control list (rows, selection both ways, lock,
// marks, filter), the screens overview (entries, thumbnails, copy, move and
// delete as undo steps) and the problems list (debounced checks, counts, the
// double-click).
#include "DesignerFixture.h"

#include "core/CheckCode.h"
#include "core/FunctionCatalog.h"
#include "core/ScreenVisibility.h"
#include "editing/ScreenEdits.h"
#include "panels/ControlList.h"
#include "panels/ControlListModel.h"
#include "panels/ProblemListModel.h"
#include "panels/ProblemsPanel.h"
#include "properties/PropertyServices.h"
#include "panels/ScreenListModel.h"
#include "panels/ScreensPanel.h"
#include "view/PageCon.h"
#include "widgets/WidgetContext.h"
#include "widgets/WidgetFactory.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStandardPaths>
#include <QTreeView>

#include <algorithm>

using namespace tavlora;

namespace {

using Fixture = DesignerFixture;

// Catalogs of 60 lines each in `folder`: "Button fn N" for buttons, "Fn N"
// for DROs and LEDs (a type left out has no file).
void WriteCatalogs(const QString& folder, const QString& buttonPrefix = QStringLiteral("Button fn "),
                   bool buttons = true)
{
    QDir().mkpath(folder);
    for (const char* name : {"DROs.txt", "Buttons.txt", "Leds.txt"}) {
        const bool isButtons = QLatin1String(name) == QLatin1String("Buttons.txt");
        if (isButtons && !buttons)
            continue;
        QByteArray lines;
        for (int i = 0; i < 60; ++i)
            lines += (isButtons ? buttonPrefix : QStringLiteral("Fn ")).toUtf8() + QByteArray::number(i) + "\r\n";
        QVERIFY(GuiTestFiles::WriteOutside(folder + QLatin1Char('/') + QLatin1String(name), lines, 0));
    }
}

// Screen 1 holds "One", a button and a DRO; the persistent layer a label;
// screen 2 a label; screen 50 an LED.
void Sample(ScreenSet& set)
{
    GuiTestFiles::Basic(set);
    ControlRecord& go = GuiTestFiles::Add(set, TypeButton, 1, {200, 40, 260, 60});
    go.text = "Go";
    go.function = 3;
    GuiTestFiles::Add(set, TypeDro, 1, {300, 40, 400, 60}).function = 12;
}

struct ListFixture : Fixture {
    std::unique_ptr<ControlList> list;

    explicit ListFixture(const std::function<void(ScreenSet&)>& fill = Sample, bool buttonCatalog = true)
    {
        WriteCatalogs(dir.filePath(QStringLiteral("vorn3")), QStringLiteral("Button fn "), buttonCatalog);
        profile.WriteString(QStringLiteral("Locations"), QStringLiteral("VornLocation"), dir.filePath(QStringLiteral("vorn3")));
        ScreenSet set;
        fill(set);
        Open(set);
        list = std::make_unique<ControlList>(*doc);
        list->resize(700, 400);
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list.get()));
    }
    ~ListFixture() { list.reset(); }

    QString Cell(int row, int column) const
    {
        return list->Model()->index(row, column).data().toString();
    }
    std::vector<const ControlRecord*> Rows() const
    {
        std::vector<const ControlRecord*> rows;
        for (int r = 0; r < list->Model()->rowCount(); ++r)
            rows.push_back(list->ShownRecord(r));
        return rows;
    }
    std::vector<const ControlRecord*> ListSelected() const
    {
        QModelIndexList rows = list->View()->selectionModel()->selectedRows();
        std::sort(rows.begin(), rows.end());
        std::vector<const ControlRecord*> records;
        for (const QModelIndex& i : rows)
            records.push_back(list->ShownRecord(i.row()));
        return records;
    }
    const ControlRecord* ListCurrent() const
    {
        const QModelIndex current = list->View()->currentIndex();
        return current.isValid() ? list->ShownRecord(current.row()) : nullptr;
    }
    void ClickRow(const ControlRecord* rec, Qt::KeyboardModifiers mods = {})
    {
        const int row = list->ShownRow(rec);
        QVERIFY(row >= 0);
        const QRect r = list->View()->visualRect(list->Model()->index(row, ControlListModel::CaptionColumn));
        QTest::mouseClick(list->View()->viewport(), Qt::LeftButton, mods, r.center());
    }
};

struct ScreensFixture : Fixture {
    std::unique_ptr<ScreensPanel> panel;

    explicit ScreensFixture(const std::function<void(ScreenSet&)>& fill = Sample)
    {
        ScreenSet set;
        fill(set);
        Open(set);
        panel = std::make_unique<ScreensPanel>(*doc, prompter);
        panel->resize(260, 600);
        panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
    }
    ~ScreensFixture() { panel.reset(); }

    std::vector<int> Screens() const { return panel->Model()->Screens(); }
    int Count(int screen) const { return panel->Model()->CountAt(panel->Model()->RowOf(screen)); }
};

} // namespace

class PanelsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // --- Control list ---------------------------------------------------

    void listShowsTheScreenAndThePersistentLayerInListOrder()
    {
        ListFixture f;
        QCOMPARE(f.Rows(), (std::vector<const ControlRecord*>{&f.At(0), &f.At(1), &f.At(4), &f.At(5)}));
        const struct {
            int row;
            int column;
            const char* text;
        } cells[] = {
            {0, ControlListModel::TypeColumn, "Label Control (persistent)"},
            {0, ControlListModel::CaptionColumn, "Persistent"},
            {1, ControlListModel::TypeColumn, "Label Control"},
            {2, ControlListModel::TypeColumn, "Button Control"},
            {2, ControlListModel::CaptionColumn, "Go"},
            {2, ControlListModel::FunctionColumn, "Button fn 3"},
            {2, ControlListModel::XColumn, "200"},
            {2, ControlListModel::YColumn, "40"},
            {2, ControlListModel::SizeColumn, "60 \u00d7 20"},
            {3, ControlListModel::FunctionColumn, "Fn 12 0"}, // the OEM entry with its code
        };
        for (const auto& c : cells)
            QCOMPARE(f.Cell(c.row, c.column), QString::fromUtf8(c.text));
        QVERIFY(f.list->Model()->index(0, 0).data(Qt::FontRole).value<QFont>().italic());
        QVERIFY(!f.list->Model()->index(1, 0).data(Qt::FontRole).value<QFont>().italic());

        f.doc->SetCurrentScreen(2);
        QCOMPARE(f.Rows(), (std::vector<const ControlRecord*>{&f.At(0), &f.At(2)}));
        f.doc->SetCurrentScreen(50); // no persistent controls on the TAB screen
        QCOMPARE(f.Rows(), (std::vector<const ControlRecord*>{&f.At(3)}));
        f.doc->SetCurrentScreen(1);
    }

    // Function names follow the catalogs: a catalog made after the set was
    // opened, and another Vorn3 folder, show at once.
    void namesFollowTheCatalogs()
    {
        ListFixture f(Sample, false);
        QCOMPARE(f.Cell(2, ControlListModel::FunctionColumn), QStringLiteral("Function 3"));
        WriteCatalogs(f.dir.filePath(QStringLiteral("vorn3")));
        QTRY_COMPARE(f.Cell(2, ControlListModel::FunctionColumn), QStringLiteral("Button fn 3"));
        const QString other = f.dir.filePath(QStringLiteral("other"));
        WriteCatalogs(other, QStringLiteral("Other fn "));
        f.prompter.folder = other;
        f.file->OnVornLocation();
        QCOMPARE(f.Cell(2, ControlListModel::FunctionColumn), QStringLiteral("Other fn 3"));
    }

    void rowsFollowEditsAndUndo()
    {
        ListFixture f;
        QSignalSpy resets(f.list->Model(), &QAbstractItemModel::modelReset);
        // A move changes the row in place.
        GuiTestFiles::Change(*f.doc, 4, [](ControlRecord& r) { r.rect = {210, 45, 290, 65}; });
        QCOMPARE(f.Cell(2, ControlListModel::XColumn), QStringLiteral("210"));
        QCOMPARE(f.Cell(2, ControlListModel::SizeColumn), QString::fromUtf8("80 \u00d7 20"));
        // Another screen number takes the row out; the screen's number brings one in.
        GuiTestFiles::Change(*f.doc, 1, [](ControlRecord& r) { r.screen = 2; });
        QCOMPARE(f.Rows(), (std::vector<const ControlRecord*>{&f.At(0), &f.At(4), &f.At(5)}));
        GuiTestFiles::Change(*f.doc, 2, [](ControlRecord& r) { r.screen = 1; });
        QCOMPARE(f.Rows(), (std::vector<const ControlRecord*>{&f.At(0), &f.At(2), &f.At(4), &f.At(5)}));
        // Delete and paste through the edit actions.
        f.doc->EditSelection([&](Selection& s) { s.Select(&f.At(4)); });
        const ControlRecord* go = &f.At(4);
        f.edits->Copy();
        f.edits->Delete();
        QCOMPARE(f.list->ShownRow(go), -1);
        QCOMPARE(f.list->Model()->rowCount(), 3);
        f.edits->Paste();
        QCOMPARE(f.list->Model()->rowCount(), 4);
        QCOMPARE(f.Cell(3, ControlListModel::CaptionColumn), QStringLiteral("Go"));
        while (f.doc->UndoStack().canUndo())
            f.doc->UndoStack().undo();
        QCOMPARE(f.Rows(), (std::vector<const ControlRecord*>{&f.At(0), &f.At(1), &f.At(4), &f.At(5)}));
        QCOMPARE(f.Cell(2, ControlListModel::XColumn), QStringLiteral("200"));
        QCOMPARE(resets.count(), 0); // rows came and went one by one
    }

    void selectionFollowsTheDocumentWithTheAnchorAsCurrentRow()
    {
        ListFixture f;
        f.doc->EditSelection([&](Selection& s) {
            s.Select(&f.At(5));
            s.Select(&f.At(1));
            s.Select(&f.At(2)); // on screen 2: not listed
        });
        QCOMPARE(f.ListSelected(), (std::vector<const ControlRecord*>{&f.At(1), &f.At(5)}));
        QVERIFY(!f.ListCurrent()); // the anchor is not listed
        f.doc->EditSelection([&](Selection& s) { s.Select(&f.At(5)); });
        QCOMPARE(f.ListCurrent(), &f.At(5));
        f.doc->EditSelection([&](Selection& s) { s.Deselect(&f.At(5)); }); // no anchor
        QCOMPARE(f.ListSelected(), (std::vector<const ControlRecord*>{&f.At(1)}));
        QVERIFY(!f.list->View()->currentIndex().isValid());
        // A click in the view reaches the list.
        f.doc->EditSelection([](Selection& s) { s.Clear(); });
        f.Click({230, 50});
        QCOMPARE(f.ListSelected(), (std::vector<const ControlRecord*>{&f.At(4)}));
        QCOMPARE(f.ListCurrent(), &f.At(4));
    }

    void listSelectionReachesTheDocument()
    {
        ListFixture f;
        QSignalSpy changes(f.doc.get(), &CTavloraDoc::selectionChanged);
        f.ClickRow(&f.At(4));
        QCOMPARE(f.Selected(), (std::vector<const ControlRecord*>{&f.At(4)}));
        QCOMPARE(f.Anchor(), &f.At(4));
        f.ClickRow(&f.At(0), Qt::ControlModifier);
        QCOMPARE(f.Selected(), (std::vector<const ControlRecord*>{&f.At(4), &f.At(0)}));
        QCOMPARE(f.Anchor(), &f.At(0));
        // Clicking a selected row makes it the anchor.
        f.ClickRow(&f.At(4), Qt::ControlModifier);
        QCOMPARE(f.Selected(), (std::vector<const ControlRecord*>{&f.At(0)}));
        QVERIFY(!f.Anchor()); // a Ctrl-click that deselects leaves none, as in the view
        f.ClickRow(&f.At(1));
        f.ClickRow(&f.At(5), Qt::ShiftModifier);
        QCOMPARE(f.Selected(), (std::vector<const ControlRecord*>{&f.At(1), &f.At(4), &f.At(5)}));
        QCOMPARE(f.Anchor(), &f.At(5));
        QCOMPARE(f.ListSelected(), (std::vector<const ControlRecord*>{&f.At(1), &f.At(4), &f.At(5)}));
        // Moving the current row onto a selected one moves the anchor.
        f.list->View()->selectionModel()->setCurrentIndex(f.list->Model()->index(f.list->ShownRow(&f.At(4)), 0),
                                                           QItemSelectionModel::NoUpdate);
        QCOMPARE(f.Anchor(), &f.At(4));
        QCOMPARE(f.Selected().size(), size_t(3));
        // A selection on another screen stays when the list is clicked.
        f.doc->EditSelection([&](Selection& s) {
            s.Clear();
            s.Select(&f.At(2));
        });
        f.ClickRow(&f.At(1));
        QCOMPARE(f.Selected(), (std::vector<const ControlRecord*>{&f.At(2), &f.At(1)}));
        QVERIFY(changes.count() > 0);
    }

    void lockedControlsAreNotSelected()
    {
        ListFixture f;
        GuiTestFiles::Change(*f.doc, 5, [](ControlRecord& r) { r.locked = true; });
        f.ClickRow(&f.At(5));
        QVERIFY(f.Selected().empty());
        QTRY_VERIFY(f.ListSelected().empty());
    }

    void lockToggleIsOneUndoStep()
    {
        ListFixture f;
        const std::string before = f.Bytes();
        const QModelIndex lock = f.list->Model()->index(2, ControlListModel::LockColumn);
        QCOMPARE(lock.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QVERIFY(f.list->Model()->setData(lock, Qt::Checked, Qt::CheckStateRole));
        QVERIFY(f.At(4).locked);
        QCOMPARE(f.doc->UndoStack().count(), 1);
        QCOMPARE(f.doc->UndoStack().undoText(), QStringLiteral("Lock"));
        QCOMPARE(lock.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        f.doc->UndoStack().undo();
        QVERIFY(!f.At(4).locked);
        QCOMPARE(lock.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QCOMPARE(f.Bytes(), before);
        // Setting what is there already pushes nothing.
        QVERIFY(f.list->Model()->setData(lock, Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(f.doc->UndoStack().index(), 0);
    }

    void controlsThatCannotBeSeenAreMarked()
    {
        ListFixture f([](ScreenSet& set) {
            GuiTestFiles::Add(set, TypeLabel, 1, {10, 10, 60, 30}).label = "Seen";
            GuiTestFiles::Add(set, TypeObsolete, 1, {10, 40, 60, 60});
            GuiTestFiles::Add(set, TypeLabel, 1, {10, 70, 10, 90}).label = "Flat";
            GuiTestFiles::Add(set, TypeLabel, 1, {900, 10, 950, 30}).label = "Beyond"; // 800 x 600
            GuiTestFiles::Add(set, TypeImage, 1, {100, 100, 150, 150}).image = "Pic.png";
        });
        const QAbstractItemModel* m = f.list->Model();
        const struct {
            int row;
            unsigned reasons;
            const char* tip;
        } rows[] = {
            {0, ScreenVisibility::Visible, ""},
            {1, ScreenVisibility::NoWidget, "Obsolete or unknown type"},
            {2, ScreenVisibility::NoArea, "Zero or negative size"},
            {3, ScreenVisibility::OffScreen, "Entirely outside the target screen"},
            {4, ScreenVisibility::Visible, ""},
        };
        for (const auto& r : rows) {
            QCOMPARE(m->index(r.row, 0).data(ControlListModel::kHiddenRole).toUInt(), r.reasons);
            QCOMPARE(m->index(r.row, 1).data(Qt::ForegroundRole).isValid(), r.reasons != 0);
            QVERIFY(m->index(r.row, 1).data(Qt::ToolTipRole).toString().contains(QString::fromLatin1(r.tip)));
        }
        // "Remove Bitmaps" hides the picture; the list is told to look again.
        f.doc->SetShowImages(false);
        QCOMPARE(m->index(4, 0).data(ControlListModel::kHiddenRole).toUInt(), unsigned(ScreenVisibility::PictureHidden));
        QVERIFY(m->index(4, 2).data(Qt::ToolTipRole).toString().contains(QStringLiteral("Remove Bitmaps")));
    }

    void filterNarrowsByAnyColumnAndKeepsTheSelection()
    {
        ListFixture f;
        f.doc->EditSelection([&](Selection& s) {
            s.Select(&f.At(1));
            s.Select(&f.At(4));
        });
        const struct {
            const char* text;
            std::vector<size_t> records;
        } filters[] = {
            {"go", {4}},             // caption, any case
            {"button fn", {4}},      // function
            {"persistent", {0}},     // the mark
            {"300", {5}},            // x
            {"label", {0, 1}},       // type
            {"nothing like it", {}},
            {"", {0, 1, 4, 5}},
        };
        for (const auto& c : filters) {
            f.list->FilterBox()->setText(QString::fromLatin1(c.text));
            std::vector<const ControlRecord*> expected;
            for (size_t i : c.records)
                expected.push_back(&f.At(i));
            QCOMPARE(f.Rows(), expected);
        }
        QCOMPARE(f.ListSelected(), (std::vector<const ControlRecord*>{&f.At(1), &f.At(4)}));
        QCOMPARE(f.ListCurrent(), &f.At(4));
        QCOMPARE(f.Selected().size(), size_t(2));
    }

    // Between aboutToReset and documentReset the list shows no rows; the
    // password of a protected set is asked before the set is touched.
    void rowsShowNothingWhileTheSetIsReplaced()
    {
        ListFixture f;
        ScreenSet other;
        GuiTestFiles::Add(other, TypeLabel, 1, {10, 10, 60, 30}).label = "Other";
        ControlRecord& key = GuiTestFiles::Add(other, TypeLabel, 1, {10, 40, 60, 60});
        key.text = "wisp";
        key.gcode = "pw";
        const QString path = f.dir.filePath(QStringLiteral("other.set"));
        QVERIFY(GuiTestFiles::Write(path, other));
        int rowsDuringPassword = -1, rowsInReset = -1;
        f.prompter.duringPassword = [&] { rowsDuringPassword = f.list->Model()->rowCount(); };
        QObject::connect(f.doc.get(), &CTavloraDoc::aboutToReset, f.list.get(), [&] {
            rowsInReset = f.list->Model()->rowCount();
            f.list->View()->viewport()->repaint();
        });
        f.prompter.passwords << QStringLiteral("pw");
        QVERIFY(f.file->OnOpenDocument(path));
        QCOMPARE(rowsDuringPassword, 4); // the old set, untouched
        QCOMPARE(rowsInReset, 0);
        QCOMPARE(f.Cell(0, ControlListModel::CaptionColumn), QStringLiteral("Other"));
    }

    void doubleClickAsksForTheProperties()
    {
        ListFixture f;
        QSignalSpy asked(f.list.get(), &ControlList::editRequested);
        const QRect r = f.list->View()->visualRect(f.list->Model()->index(3, ControlListModel::TypeColumn));
        QTest::mouseClick(f.list->View()->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(f.list->View()->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(asked.count(), 1);
        QCOMPARE(asked.first().first().value<const ControlRecord*>(), &f.At(5));
    }

    // --- Screens --------------------------------------------------------

    void screensAreListedWithCountsAndThumbnails()
    {
        ScreensFixture f;
        QCOMPARE(f.Screens(), (std::vector<int>{0, 1, 2, 50}));
        QCOMPARE(f.Count(0), 1);
        QCOMPARE(f.Count(1), 3);
        QCOMPARE(f.panel->Model()->index(1).data().toString(), QStringLiteral("Screen 1\n3 controls"));
        QCOMPARE(f.panel->Model()->index(0).data().toString(), QStringLiteral("Persistent Controls (0)\n1 control"));
        QVERIFY(f.panel->Model()->index(1).data(Qt::FontRole).value<QFont>().bold());
        for (int row = 0; row < 4; ++row)
            QTRY_VERIFY(f.panel->Model()->index(row).data(ScreenListModel::kDrawnRole).toBool());
        QCOMPARE(f.panel->Model()->index(0).data(Qt::DecorationRole).value<QPixmap>().size(), f.panel->ThumbnailSize());
        QCOMPARE(f.panel->ThumbnailSize(), QSize(120, 90)); // 800 x 600

        // The thumbnail is the screen drawn small: the button shows on screen 1.
        const QImage one = f.panel->Model()->index(1).data(Qt::DecorationRole).value<QPixmap>().toImage();
        const QImage two = f.panel->Model()->index(2).data(Qt::DecorationRole).value<QPixmap>().toImage();
        QVERIFY(one != two);

        // An edit draws only the screen it touched again.
        QVERIFY(!f.panel->ThumbnailsPending());
        GuiTestFiles::Change(*f.doc, 2, [](ControlRecord& r) { r.rect = {300, 300, 500, 340}; });
        QVERIFY(f.panel->ThumbnailsPending());
        QSignalSpy drawn(f.panel->Model(), &QAbstractItemModel::dataChanged);
        QTRY_VERIFY(!f.panel->ThumbnailsPending());
        QCOMPARE(drawn.count(), 1);
        QCOMPARE(drawn.first().first().toModelIndex().row(), f.panel->Model()->RowOf(2));
        QVERIFY(f.panel->Model()->index(2).data(Qt::DecorationRole).value<QPixmap>().toImage() != two);

        // The design view keeps its own widgets and looks; other screens' widgets
        // are made for their thumbnails and go again.
        QVERIFY(WidgetFactory::Of(f.At(4))->IsVisible());
        QVERIFY(!f.At(2).widget);
        f.view->viewport()->repaint();
        QVERIFY(!WidgetFactory::Of(f.At(4))->NeedsLook(1.0));
        f.panel->InvalidateThumbnails();
        f.panel->DrawThumbnails();
        QVERIFY(!WidgetFactory::Of(f.At(4))->NeedsLook(1.0));
        QVERIFY(!f.At(2).widget);
    }

    void thumbnailsStayWithinTheLookBudgetAndFollowTheView()
    {
        ScreensFixture f([](ScreenSet& set) {
            GuiTestFiles::Basic(set);
            for (int screen = 2; screen < 40; ++screen)
                GuiTestFiles::Add(set, TypeButton, screen, {10, 10, 200, 60}).text = "B";
        });
        WidgetContext& ctx = f.doc->Context();
        const QSize size = f.panel->ThumbnailSize();
        const qint64 one = qint64(size.width()) * size.height() * 4;
        const qint64 budget = ctx.LookBytes() - f.panel->Model()->HeldBytes() + 6 * one;
        ctx.SetLookBudget(budget);
        f.panel->InvalidateThumbnails();
        f.panel->DrawThumbnails();
        ScreenListModel* model = f.panel->Model();
        const auto drawnInView = [&] {
            QListView* view = f.panel->View();
            for (int row = 0; row < model->rowCount(); ++row)
                if (view->visualRect(model->index(row)).intersects(view->viewport()->rect()) && !model->IsDrawn(row))
                    return false;
            return true;
        };
        QVERIFY(drawnInView());
        QVERIFY(model->IsDrawn(model->RowOf(f.doc->CurrentScreen())));
        QVERIFY(model->HeldBytes() <= 6 * one && ctx.LookBytes() <= budget);
        QVERIFY(!model->IsDrawn(model->rowCount() - 1));
        // Scrolled to the end, the rows there are drawn in room made by rows out of view.
        f.panel->View()->scrollToBottom();
        QTRY_VERIFY(drawnInView());
        QVERIFY(model->IsDrawn(model->rowCount() - 1));
        QVERIFY(model->HeldBytes() <= 6 * one && ctx.LookBytes() <= budget);
    }

    void clickingAnEntryShowsItsScreen()
    {
        ScreensFixture f;
        QListView* view = f.panel->View();
        const QRect r = view->visualRect(f.panel->Model()->index(f.panel->Model()->RowOf(2)));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
        QTRY_COMPARE(f.doc->CurrentScreen(), 2);
        QVERIFY(f.panel->Model()->index(2).data(Qt::FontRole).value<QFont>().bold());
        // An empty current screen is listed in its place while it is current.
        f.doc->SetCurrentScreen(7);
        QCOMPARE(f.Screens(), (std::vector<int>{0, 1, 2, 7, 50}));
        QCOMPARE(view->currentIndex().row(), 3);
        QCOMPARE(f.panel->Model()->index(3).data().toString(), QStringLiteral("Screen 7\nempty"));
        QVERIFY(!f.panel->DeleteButton()->isEnabled());
        // Clicking another entry drops the empty one; the clicked one stays chosen.
        const QRect tab = view->visualRect(f.panel->Model()->index(f.panel->Model()->RowOf(50)));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, tab.center());
        QTRY_COMPARE(f.doc->CurrentScreen(), 50);
        QCOMPARE(f.Screens(), (std::vector<int>{0, 1, 2, 50}));
        QCOMPARE(view->currentIndex().row(), 3);
        QCOMPARE(view->selectionModel()->selectedRows(), (QModelIndexList{f.panel->Model()->index(3)}));
        QVERIFY(f.panel->DeleteButton()->isEnabled());
    }

    void copyMoveAndDeleteAreOneUndoStepEach()
    {
        ScreensFixture f;
        const std::string before = f.Bytes();
        f.doc->EditSelection([&](Selection& s) { s.Select(&f.At(4)); });

        // Cancelled: nothing.
        f.prompter.screenNumber = std::nullopt;
        QVERIFY(!f.panel->CopyScreen(1));
        QCOMPARE(f.prompter.screenNumberShown, 3); // the first free screen
        QCOMPARE(f.doc->UndoStack().count(), 0);

        f.prompter.screenNumber = 9;
        f.panel->CopyButton()->click();
        QCOMPARE(f.prompter.screenNumberTitle, QStringLiteral("Copy Screen 1 to Screen"));
        QCOMPARE(f.doc->UndoStack().count(), 1);
        QCOMPARE(f.doc->UndoStack().undoText(), QStringLiteral("Copy Screen 1 to Screen 9"));
        QCOMPARE(f.Set().Size(), size_t(9));
        QCOMPARE(f.Count(9), 3);
        QCOMPARE(f.Count(1), 3);
        for (size_t i = 6; i < 9; ++i)
            QCOMPARE(f.At(i).screen, 9);
        QCOMPARE(f.At(7).text, std::string("Go"));
        QVERIFY(!f.At(7).widget); // not the designed screen
        f.doc->UndoStack().undo();
        QCOMPARE(f.Bytes(), before);
        QCOMPARE(f.Screens(), (std::vector<int>{0, 1, 2, 50}));

        f.prompter.screenNumber = 2;
        f.panel->MoveButton()->click();
        QCOMPARE(f.doc->UndoStack().undoText(), QStringLiteral("Move Screen 1 to Screen 2"));
        QCOMPARE(f.Count(2), 4);
        QCOMPARE(f.Screens(), (std::vector<int>{0, 1, 2, 50})); // 1 stays listed: it is current
        QCOMPARE(f.Count(1), 0);
        QVERIFY(!f.At(4).widget);
        f.doc->UndoStack().undo();
        QCOMPARE(f.Bytes(), before);
        QCOMPARE(f.Count(1), 3);
        QVERIFY(WidgetFactory::Of(f.At(4))->IsVisible());

        QVERIFY(f.panel->DeleteScreen(2));
        QCOMPARE(f.doc->UndoStack().undoText(), QStringLiteral("Delete Screen 2"));
        QCOMPARE(f.Screens(), (std::vector<int>{0, 1, 50}));
        f.panel->DeleteButton()->click();
        QCOMPARE(f.Set().Size(), size_t(2));
        QVERIFY(f.Selected().empty());
        f.doc->UndoStack().undo();
        f.doc->UndoStack().undo();
        QCOMPARE(f.Bytes(), before);
        QCOMPARE(f.Screens(), (std::vector<int>{0, 1, 2, 50}));
        QCOMPARE(f.doc->UndoStack().count(), 2); // each push after an undo dropped the undone step
        QVERIFY(!f.doc->IsModified());
        QVERIFY(!f.panel->DeleteScreen(33));
    }

    void copiesKeepTheirStackingOrder()
    {
        Fixture f;
        ScreenSet set;
        GuiTestFiles::Add(set, TypeLabel, 1, {0, 0, 100, 100}).label = "Under";
        GuiTestFiles::Add(set, TypeLabel, 1, {50, 50, 150, 150}).label = "Over";
        GuiTestFiles::Add(set, TypeLabel, 4, {0, 0, 300, 300}).label = "Target";
        f.Open(set);
        // "Under" is stacked on top, then screen 1 is copied onto screen 4.
        WidgetFactory::Of(f.At(0))->RaiseToTop();
        const qint64 underZ = WidgetFactory::Of(f.At(0))->ZOrder();
        QVERIFY(underZ > WidgetFactory::Of(f.At(1))->ZOrder());
        f.doc->UndoStack().push(ScreenEdits::Copy(*f.doc, 1, 4).release());
        const auto z = [&f](size_t i) { return WidgetContext::LookOf(f.At(i))->z; }; // screen 4 is not shown
        QCOMPARE(f.At(3).label, std::string("Under"));
        QVERIFY(z(3) > z(4));
        QVERIFY(z(4) > z(2)); // above the target's own
        QVERIFY(ScreenEdits::Copy(*f.doc, 1, 1) == nullptr);
        QVERIFY(ScreenEdits::Move(*f.doc, 3, 5) == nullptr);
    }

    void pageJumpMarksUsedScreens()
    {
        PageCon dialog(1);
        dialog.MarkUsed({0, 1, 50, 120, -2});
        QCOMPARE(dialog.List()->count(), 100);
        QCOMPARE(dialog.List()->itemText(1), QString::fromUtf8(" pg. 1 \u2022"));
        QCOMPARE(dialog.List()->itemText(2), QStringLiteral(" pg. 2"));
        QCOMPARE(dialog.List()->itemText(50), QString::fromUtf8(" pg. 50 \u2022"));
        QVERIFY(dialog.List()->itemData(0, Qt::FontRole).value<QFont>().bold());
        QVERIFY(!dialog.List()->itemData(2, Qt::FontRole).isValid());
        QCOMPARE(dialog.List()->currentIndex(), 1);
        QVERIFY(!dialog.Chosen()); // marking picks nothing
    }

    // --- Problems -------------------------------------------------------

    void problemsFollowEditsAfterAPause()
    {
        Fixture f;
        ScreenSet set;
        Sample(set);
        f.Open(set);
        ProblemsPanel panel(*f.doc);
        QSignalSpy counts(&panel, &ProblemsPanel::countsChanged);
        QVERIFY(panel.CheckPending());
        QTRY_VERIFY(!panel.CheckPending());
        QCOMPARE(counts.count(), 1);
        const int errors = panel.Errors();
        const int total = panel.Model()->rowCount();
        QCOMPARE(panel.Errors() + panel.Warnings() + panel.Notes(), total);

        // Moving the button off the screen is an error, listed shortly after.
        GuiTestFiles::Change(*f.doc, 4, [](ControlRecord& r) { r.rect = {900, 40, 960, 60}; });
        QCOMPARE(panel.Model()->rowCount(), total); // not inside the edit
        QVERIFY(panel.CheckPending());
        QTRY_COMPARE(panel.Errors(), errors + 1);
        QCOMPARE(counts.last(), (QVariantList{panel.Errors(), panel.Warnings(), panel.Notes()}));
        int row = -1;
        for (int r = 0; r < panel.Model()->rowCount(); ++r) {
            if (panel.Model()->At(r)->finding.code == CheckCode::OffScreen)
                row = r;
        }
        QVERIFY(row >= 0);
        QCOMPARE(panel.Model()->index(row, ProblemListModel::ControlColumn).data().toString(),
                 QStringLiteral("#4 Button Control \"Go\""));
        QCOMPARE(panel.Model()->index(row, ProblemListModel::SeverityColumn).data().toString(), QStringLiteral("error"));
        QVERIFY(panel.Summary().contains(QStringLiteral("error")));

        // Double-clicking shows its screen and selects it.
        f.doc->SetCurrentScreen(2);
        panel.resize(600, 300);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        panel.View()->scrollTo(panel.Model()->index(row, 0));
        const QRect r = panel.View()->visualRect(panel.Model()->index(row, ProblemListModel::MessageColumn));
        QTest::mouseClick(panel.View()->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(panel.View()->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(f.doc->CurrentScreen(), 1);
        QCOMPARE(f.Selected(), (std::vector<const ControlRecord*>{&f.At(4)}));

        // Undo clears it again; a new document empties the list at once.
        f.doc->UndoStack().undo();
        QTRY_COMPARE(panel.Errors(), errors);
        f.file->FileNew();
        QCOMPARE(panel.Model()->rowCount(), 0);
        QTRY_COMPARE(panel.Summary(), QStringLiteral("No problems"));
    }

    void summaryCounts()
    {
        Fixture f;
        ScreenSet set;
        GuiTestFiles::Add(set, TypeLabel, 1, {900, 10, 950, 30});   // off-screen: error
        GuiTestFiles::Add(set, TypeLabel, 1, {10, 10, 10, 30});     // empty: warning
        GuiTestFiles::Add(set, TypeLabel, 1, {1000, 10, 1050, 30}); // off-screen: error
        GuiTestFiles::Add(set, TypeObsolete, 1, {10, 50, 60, 70});  // obsolete: note
        f.Open(set);
        ProblemsPanel panel(*f.doc);
        panel.CheckNow();
        QVERIFY(!panel.CheckPending());
        QCOMPARE(panel.Errors(), 2);
        QVERIFY(panel.Warnings() >= 1);
        QVERIFY(panel.Notes() >= 1);
        QVERIFY(panel.Summary().startsWith(QStringLiteral("2 errors, ")));
    }

    // Docks with content, written to TAVLORA_SCREENSHOTS when it names a folder.
    void screenshots()
    {
        const QString out = qEnvironmentVariable("TAVLORA_SCREENSHOTS");
        if (out.isEmpty())
            QSKIP("TAVLORA_SCREENSHOTS is not set");
        QDir().mkpath(out);
        const QString source = QStringLiteral(TAVLORA_SOURCE_DIR);
        const auto open = [&source](Fixture& f, const char* file, const char* vorn) {
            f.profile.WriteString(QStringLiteral("Locations"), QStringLiteral("VornLocation"),
                                  source + QLatin1Char('/') + QLatin1String(vorn));
            f.prompter.screenSize = QSize(1024, 768);
            QVERIFY2(f.file->OnOpenDocument(source + QLatin1Char('/') + QLatin1String(file)),
                     qPrintable(f.prompter.errors.join(QLatin1Char('\n'))));
        };
        const auto save = [&out](QWidget& dock, QSize size, const char* name) {
            dock.resize(size);
            dock.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dock));
            QApplication::processEvents();
            QVERIFY(dock.grab().save(out + QLatin1Char('/') + QLatin1String(name)));
        };

        Fixture mill;
        open(mill, "examples/mill.set", "share/vorn3");
        ControlList list(*mill.doc);
        mill.doc->EditSelection([&](Selection& s) {
            for (size_t i = 0; i < mill.Set().Size(); ++i) {
                if (mill.At(i).screen == 1 && mill.At(i).type == TypeButton && s.Size() < 3)
                    s.Select(&mill.At(i));
            }
        });
        save(list, QSize(640, 420), "controls-dock.png");

        ScreensPanel screens(*mill.doc, mill.prompter);
        screens.DrawThumbnails();
        save(screens, QSize(260, 640), "screens-dock.png");

        Fixture faulty;
        faulty.prompter.passwords << QStringLiteral("None"); // the protected record's G-code
        open(faulty, "tests/check/faulty.set", "tests/check/vorn3");
        ProblemsPanel problems(*faulty.doc);
        problems.CheckNow();
        problems.setWindowTitle(QStringLiteral("Problems: ") + problems.Summary());
        save(problems, QSize(900, 300), "problems-dock.png");
    }
};

QTEST_MAIN(PanelsTest)
#include "PanelsTest.moc"
