// The Edit and Arrange commands: layout, clipboard, delete, reordering and the
// system clipboard between designers, each one undo step.
#include "DesignerFixture.h"

#include "core/ControlTools.h"
#include "widgets/WidgetFactory.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>
#include <QStandardPaths>

#include <random>

using namespace tavlora;

namespace {

using Fixture = DesignerFixture;

// Labels A, B, C (screen 1), a picture, and a persistent LED.
void Four(ScreenSet& set)
{
    GuiTestFiles::Add(set, TypeLabel, 1, {10, 50, 70, 70}).label = "A";
    GuiTestFiles::Add(set, TypeLabel, 1, {150, 10, 230, 40}).label = "B";
    GuiTestFiles::Add(set, TypeLabel, 1, {60, 200, 100, 220}).label = "C";
    GuiTestFiles::Add(set, TypeImage, 1, {300, 300, 350, 350});
    GuiTestFiles::Add(set, TypeLed, 0, {500, 10, 516, 26});
}

void SelectInOrder(Fixture& f, std::initializer_list<size_t> indices)
{
    f.doc->EditSelection([&](Selection& s) {
        s.Clear();
        for (size_t i : indices)
            s.Select(&f.At(i));
    });
}

qint64 Z(const ControlRecord& rec)
{
    return WidgetFactory::Of(rec)->ZOrder();
}

} // namespace

class EditCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void layoutCommandsUseTheAnchorAndPushOnlyChanges()
    {
        Fixture f;
        ScreenSet set;
        Four(set);
        f.Open(set);
        SelectInOrder(f, {0, 1, 2});
        f.edits->Arrange(Arrange::AlignLefts);
        QCOMPARE(f.At(0).rect, (Rect{60, 50, 120, 70}));
        QCOMPARE(f.At(1).rect, (Rect{60, 10, 140, 40}));
        QCOMPARE(f.doc->UndoStack().undoText(), QStringLiteral("Align Left Edges"));
        // Again: nothing moves, nothing is pushed.
        f.edits->Arrange(Arrange::AlignLefts);
        QCOMPARE(f.doc->UndoStack().count(), 1);
        f.doc->UndoStack().undo();
        QVERIFY(!f.doc->IsModified());

        // Ctrl+click a member away: no anchor, the commands do nothing.
        f.doc->EditSelection([&](Selection& s) { s.Deselect(&f.At(1)); });
        for (int c = Arrange::AlignTops; c <= Arrange::AlignCentresDown; ++c) {
            if (Arrange::NeedsReference(Arrange::Command(c)))
                f.edits->Arrange(Arrange::Command(c));
        }
        QCOMPARE(f.doc->UndoStack().index(), 0);
        QVERIFY(!f.doc->IsModified());

        // Spacing: A 10, C 60 (...), B 150 spread to 10, 80, 150 in left-edge order.
        SelectInOrder(f, {0, 1, 2});
        f.edits->Arrange(Arrange::SpaceAcross);
        QCOMPARE(f.At(0).rect.left, 10);
        QCOMPARE(f.At(2).rect.left, 80);
        QCOMPARE(f.At(1).rect.left, 150);
        // A control locked since it was selected keeps its place.
        GuiTestFiles::Change(*f.doc, 0, [](ControlRecord& r) { r.locked = true; });
        f.edits->Arrange(Arrange::AlignTops);
        QCOMPARE(f.At(0).rect.top, 50);
        QCOMPARE(f.At(1).rect.top, 200);

        // A record without a widget (the obsolete type) keeps its rectangle,
        // in Arrange as in a drag.
        ScreenSet withObsolete;
        Four(withObsolete);
        GuiTestFiles::Add(withObsolete, TypeObsolete, 1, {400, 400, 420, 420});
        Fixture g;
        g.Open(withObsolete);
        SelectInOrder(g, {5, 2, 0});
        g.edits->Arrange(Arrange::AlignLefts);
        QCOMPARE(g.At(5).rect, (Rect{400, 400, 420, 420}));
        QCOMPARE(g.At(2).rect.left, 10);
        g.Drag({30, 60}, {50, 60});
        QCOMPARE(g.At(5).rect, (Rect{400, 400, 420, 420}));
        QCOMPARE(g.At(0).rect.left, 30);
    }

    // Undo and Redo of a change out of sight show the screen where it
    // happened, with the controls it touched selected.
    void undoShowsWhereItChanged()
    {
        Fixture f;
        ScreenSet set;
        Four(set);
        GuiTestFiles::Add(set, TypeLabel, 4, {10, 10, 60, 30}).label = "D";
        f.Open(set);
        f.doc->SetCurrentScreen(4);
        SelectInOrder(f, {5});
        f.edits->Arrange(Arrange::SameWidth); // nothing to do with one control
        GuiTestFiles::Change(*f.doc, 5, [](ControlRecord& r) { r.label = "D2"; });
        f.doc->SetCurrentScreen(2);
        f.doc->Undo();
        QCOMPARE(f.doc->CurrentScreen(), 4);
        QCOMPARE(f.Selected(), (std::vector<const ControlRecord*>{&f.At(5)}));
        f.doc->SetCurrentScreen(1);
        f.doc->Redo();
        QCOMPARE(f.doc->CurrentScreen(), 4);
        QCOMPARE(f.At(5).label, std::string("D2"));
        // A persistent control is seen from any screen: no jump.
        GuiTestFiles::Change(*f.doc, 4, [](ControlRecord& r) { r.locked = true; });
        f.doc->Undo();
        QCOMPARE(f.doc->CurrentScreen(), 4);
        QCOMPARE(f.Selected(), (std::vector<const ControlRecord*>{&f.At(4)}));
    }

    void pasteCascadesAndSelectsEachPaste()
    {
        Fixture f;
        ScreenSet set;
        Four(set);
        f.Open(set);
        SelectInOrder(f, {0});
        f.edits->Copy();
        for (int i = 1; i <= 3; ++i) {
            f.edits->Paste();
            const ControlRecord& pasted = *f.Set().controls.back();
            QCOMPARE(pasted.rect, (Rect{10 + 20 * i, 50 + 10 * i, 70 + 20 * i, 70 + 10 * i}));
            QCOMPARE(pasted.label, std::string("A"));
            QCOMPARE(f.Selected(), (std::vector<const ControlRecord*>{const_cast<const ControlRecord*>(&pasted)}));
            QVERIFY(pasted.widget && pasted.widget->IsVisible());
        }
        QCOMPARE(int(f.Set().Size()), 8);
        QCOMPARE(f.doc->UndoStack().undoText(), QStringLiteral("Paste"));
        // "Paste Exact" stacks copies on the same spot.
        f.edits->PasteExact();
        f.edits->PasteExact();
        QCOMPARE(f.Set().At(8).rect, f.Set().At(9).rect);
        QCOMPARE(f.Set().At(9).rect, f.Set().At(7).rect);

        // Undoing a paste removes exactly the pasted records.
        const std::string before = f.Bytes();
        f.edits->Paste();
        f.doc->UndoStack().undo();
        QCOMPARE(f.Bytes(), before);
    }

    void pasteGoesToTheCurrentScreen()
    {
        Fixture f;
        ScreenSet set;
        GuiTestFiles::Add(set, TypeDro, 2, {10, 10, 210, 50}).format = "%.2f";
        GuiTestFiles::Add(set, TypeGCodeList, 2, {10, 60, 210, 160}).parameter = 5;
        GuiTestFiles::Add(set, TypeObsolete, 2, {10, 200, 20, 210});
        GuiTestFiles::Add(set, 42, 2, {10, 220, 20, 230});
        f.Open(set);
        f.doc->SetCurrentScreen(2);
        f.view->OnSelectAll();
        QCOMPARE(f.Selected().size(), size_t(4));
        f.edits->Copy();
        f.doc->SetCurrentScreen(3);
        f.edits->PasteExact();
        // Obsolete and unknown types are dropped; the others come in selection
        // order (Select All takes the last record first) and look like their records.
        QCOMPARE(int(f.Set().Size()), 6);
        QCOMPARE(f.Set().At(5).screen, 3);
        QCOMPARE(f.Set().At(5).rect, (Rect{10, 10, 210, 50}));
        QCOMPARE(f.Set().At(4).type, int(TypeGCodeList));
        QVERIFY(f.Set().At(5).widget->IsVisible());
        QCOMPARE(WidgetFactory::Of(f.Set().At(4))->FrameWidth(), 0); // pasted lists have no frame
    }

    void copyOfNothingEmptiesTheClipboardAndCutPastesBack()
    {
        Fixture f;
        ScreenSet set;
        Four(set);
        f.Open(set);
        SelectInOrder(f, {0});
        f.edits->Copy();
        QCOMPARE(f.clipboard.Size(), size_t(1));
        f.doc->EditSelection([](Selection& s) { s.Clear(); });
        f.edits->Copy();
        QCOMPARE(f.clipboard.Size(), size_t(0));
        f.edits->Paste();
        QCOMPARE(int(f.Set().Size()), 5);
        QCOMPARE(f.doc->UndoStack().count(), 0);

        // Cut removes the controls; Paste brings them back offset.
        SelectInOrder(f, {1, 2});
        f.edits->Cut();
        QCOMPARE(int(f.Set().Size()), 3);
        QVERIFY(f.Selected().empty());
        QCOMPARE(f.doc->UndoStack().undoText(), QStringLiteral("Cut"));
        f.edits->Paste();
        QCOMPARE(int(f.Set().Size()), 5);
        QCOMPARE(f.Set().At(3).rect, (Rect{170, 20, 250, 50}));
        QCOMPARE(f.Set().At(4).rect, (Rect{80, 210, 120, 230}));
        // Delete with nothing selected changes nothing.
        f.doc->EditSelection([](Selection& s) { s.Clear(); });
        const int steps = f.doc->UndoStack().count();
        f.edits->Delete();
        QCOMPARE(f.doc->UndoStack().count(), steps);
    }

    void undoingADeleteRestoresPlacesAndStacking()
    {
        Fixture f;
        ScreenSet set;
        Four(set);
        f.Open(set);
        const std::string before = f.Bytes();
        std::vector<qint64> z;
        std::vector<const ControlRecord*> records;
        for (const auto& rec : f.Set().controls) {
            z.push_back(Z(*rec));
            records.push_back(rec.get());
        }
        SelectInOrder(f, {3, 0, 2});
        f.edits->Delete();
        QCOMPARE(int(f.Set().Size()), 2);
        f.doc->UndoStack().undo();
        QCOMPARE(f.Bytes(), before);
        for (size_t i = 0; i < records.size(); ++i) {
            QCOMPARE(&f.Set().At(i), records[i]); // the same records at the same places
            QCOMPARE(Z(f.Set().At(i)), z[i]);
        }
        f.doc->UndoStack().redo();
        QCOMPARE(int(f.Set().Size()), 2);
    }

    void bitmapsToBackTwiceRestoresEachGroup()
    {
        Fixture f;
        ScreenSet set;
        GuiTestFiles::Add(set, TypeLabel, 1, {0, 0, 50, 20});        // 0
        GuiTestFiles::Add(set, TypeImage, 1, {0, 0, 50, 50});        // 1
        GuiTestFiles::Add(set, TypeDro, 1, {0, 30, 200, 70});        // 2
        GuiTestFiles::Add(set, TypeImage, 1, {60, 0, 110, 50});      // 3
        GuiTestFiles::Add(set, TypeImage, 2, {0, 0, 10, 10});        // 4: not shown
        f.Open(set);
        std::vector<const ControlRecord*> original;
        for (const auto& rec : f.Set().controls)
            original.push_back(rec.get());
        f.edits->BitmapsToBack();
        // Shown pictures first, then the rest, each group reversed.
        const std::vector<const ControlRecord*> expected = {original[3], original[1], original[4], original[2],
                                                             original[0]};
        for (size_t i = 0; i < expected.size(); ++i)
            QCOMPARE(&f.Set().At(i), expected[i]);
        // The pictures are painted beneath the other controls of the screen.
        for (const ControlRecord* pic : {original[1], original[3]}) {
            for (const ControlRecord* other : {original[0], original[2]})
                QVERIFY(Z(*pic) < Z(*other));
        }
        QCOMPARE(f.doc->UndoStack().undoText(), QStringLiteral("Bitmaps To Back"));
        f.edits->BitmapsToBack();
        const std::vector<const ControlRecord*> twice = {original[1], original[3], original[0], original[2],
                                                          original[4]}; // each group in its former order
        for (size_t i = 0; i < twice.size(); ++i)
            QCOMPARE(&f.Set().At(i), twice[i]);
        f.doc->UndoStack().undo();
        f.doc->UndoStack().undo();
        for (size_t i = 0; i < original.size(); ++i)
            QCOMPARE(&f.Set().At(i), original[i]);
        QVERIFY(!f.doc->IsModified());
    }

    void duplicateLeavesTheClipboardAlone()
    {
        Fixture f;
        ScreenSet set;
        Four(set);
        f.Open(set);
        SelectInOrder(f, {2});
        f.edits->Copy();
        SelectInOrder(f, {0, 1});
        f.edits->Duplicate();
        QCOMPARE(int(f.Set().Size()), 7);
        QCOMPARE(f.Set().At(5).rect, (Rect{30, 60, 90, 80}));
        QCOMPARE(f.Selected().size(), size_t(2));
        QCOMPARE(f.doc->UndoStack().count(), 1);
        QCOMPARE(f.clipboard.Size(), size_t(1));
        QCOMPARE(f.clipboard.Records().front()->label, std::string("C"));
        // A persistent control's copy stays persistent.
        SelectInOrder(f, {4});
        f.edits->Duplicate();
        QCOMPARE(f.Set().controls.back()->screen, 0);
    }

    void controlsTravelBetweenDesignersThroughTheSystemClipboard()
    {
        Fixture one;
        Fixture two;
        ScreenSet set;
        Four(set);
        one.Open(set);
        two.file->OnNewDocument();
        SelectInOrder(one, {0, 3});
        one.edits->Copy();
        QVERIFY(QGuiApplication::clipboard()->mimeData()->hasFormat(QString::fromLatin1(Clipboard::kMimeType)));
        QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("\"controls\"")));
        two.edits->Paste();
        QCOMPARE(int(two.Set().Size()), 2);
        QCOMPARE(two.Set().At(0).label, std::string("A"));
        QCOMPARE(two.Set().At(0).rect, (Rect{30, 60, 90, 80}));
        QCOMPARE(two.Set().At(1).type, int(TypeImage));
        // The second designer's paste put its own copy there: the first one now
        // pastes those.
        one.edits->PasteExact();
        QCOMPARE(one.Set().controls.back()->rect, (Rect{320, 310, 370, 360}));

        // JSON of controls from a text editor is accepted.
        QGuiApplication::clipboard()->setText(QStringLiteral(
            R"([{"type": 7, "label": "From text", "rect": [5, 5, 80, 25]}])"));
        two.edits->PasteExact();
        QCOMPARE(two.Set().controls.back()->label, std::string("From text"));
        QCOMPARE(two.Set().controls.back()->screen, 1);
    }

    void hostileClipboardDataPastesNothing()
    {
        Fixture f;
        f.file->OnNewDocument();
        QStringList messages;
        connect(f.edits.get(), &EditActions::statusMessage, this, [&](const QString& m) { messages << m; });
        std::mt19937 rng(5);
        for (int i = 0; i < 200; ++i) {
            QByteArray junk(int(rng() % 300), '\0');
            for (char& c : junk)
                c = char(rng());
            if (i % 3 == 0 && junk.size() >= 4)
                junk[0] = char(1), junk[1] = junk[2] = junk[3] = 0; // a believable count
            auto* mime = new QMimeData;
            mime->setData(QString::fromLatin1(Clipboard::kMimeType), junk);
            QGuiApplication::clipboard()->setMimeData(mime);
            f.edits->Paste();
        }
        QCOMPARE(messages.size(), 200);
        // Data (Tavlora data or text) and the message it gives, each within a second.
        auto block = [](qint32 count) { return QByteArray(reinterpret_cast<const char*>(&count), 4); };
        const QString none = QStringLiteral("The clipboard holds no controls");
        const QList<std::tuple<QString, QByteArray, QString>> rows = {
            {Clipboard::kMimeType, QByteArray(), "while reading the control count"},
            {Clipboard::kMimeType, block(-3), "negative"},
            {Clipboard::kMimeType, block(1000000), "1000000 controls, more than the 200000"},
            {Clipboard::kMimeType, block(150000) + QByteArray(70, 'x'), "holds at most 1"},
            {"text/plain", "hello", none},
            {"text/plain", "\xff\xfe\xc0\x80{", none},
            {"text/plain", "{\"name\": 1}", none},
            {"text/plain", QByteArray(100000, '['), none},
            {"text/plain", "[" + QByteArray(1000000 * 3, ',').replace(",,,", "{},") + "{}]", "1000001 controls"},
            {"text/plain", "[{\"type\": 7}, {\"type\": \"x\"}]", "control 2: field \"type\""},
            {"text/plain", "{\"controls\": [{\"rect\": [1, 2, 3]}]}", "rect"},
            {"text/plain", "{\"controls\": [{\"label\": \"\u2192\"}]}", "U+2192"},
            {"text/plain", "{\"controls\":[{\"type\":4,\"text\":\"\\ud800x\"}]}", "U+d800, which Windows-1252"},
            {"text/plain", "[{\"type\": 99}, {\"type\": 2}]", "no controls of a type that can be placed"},
        };
        for (const auto& [format, bytes, message] : rows) {
            auto* mime = new QMimeData;
            mime->setData(format, bytes);
            QGuiApplication::clipboard()->setMimeData(mime);
            QElapsedTimer timer;
            timer.start();
            f.edits->Paste();
            QVERIFY2(timer.elapsed() < 1000, qPrintable(message));
            QVERIFY2(message == none ? messages.last() == none : messages.last().contains(message),
                     qPrintable(messages.last()));
        }
        QCOMPARE(int(f.Set().Size()), 0);
        QCOMPARE(f.doc->UndoStack().count(), 0);
        QCOMPARE(messages.size(), 200 + rows.size());
        // Valid controls at the ends of the coordinate range paste, clamped.
        QGuiApplication::clipboard()->setText(QStringLiteral(
            R"([{"type": 7, "rect": [2147483640, -2147483648, -5, -2147483648]}])"));
        f.edits->Paste();
        QCOMPARE(int(f.Set().Size()), 1);
        QCOMPARE(f.Set().At(0).rect, (Rect{INT32_MAX, -2147483638, 15, -2147483638}));
        QGuiApplication::clipboard()->setText(QStringLiteral(R"([{"type": 7}, {"type": -4}])"));
        f.edits->Paste();
        QCOMPARE(int(f.Set().Size()), 2);
        QVERIFY(messages.last().startsWith(QStringLiteral("1 of the 2 controls")));
    }

    void randomCommandsUndoAndRedoExactly()
    {
        for (unsigned seed = 1; seed <= 10; ++seed) {
            Fixture f(int(seed % 4), seed % 2 == 1);
            ScreenSet set;
            Four(set);
            GuiTestFiles::Add(set, TypeImage, 1, {400, 100, 450, 150});
            f.Open(set);
            const std::string before = f.Bytes();
            std::mt19937 rng(seed);
            auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
            for (int step = 0; step < 50; ++step) {
                const size_t n = f.Set().Size();
                switch (pick(0, 9)) {
                case 0:
                case 1:
                    if (n > 0) {
                        f.doc->EditSelection([&](Selection& s) {
                            s.Clear();
                            for (int k = pick(1, 4); k > 0; --k)
                                s.Select(&f.At(size_t(pick(0, int(n) - 1))));
                        });
                    }
                    break;
                case 2: f.edits->Arrange(Arrange::Command(pick(0, Arrange::DistributeDown))); break;
                case 3: f.edits->Copy(); break;
                case 4: pick(0, 1) ? f.edits->Paste() : f.edits->PasteExact(); break;
                case 5: f.edits->Cut(); break;
                case 6: f.edits->Delete(); break;
                case 7: f.edits->BitmapsToBack(); break;
                case 8: f.edits->Duplicate(); break;
                default:
                    f.view->SetCurrentTool(ControlTools::Label);
                    f.Click({pick(0, 780), pick(0, 580)}, Qt::ShiftModifier);
                    f.Key(Qt::Key_Right, pick(0, 1) ? Qt::ShiftModifier : Qt::NoModifier, false, pick(1, 3));
                    f.KeyUp(Qt::Key_Right);
                    break;
                }
            }
            const std::string after = f.Bytes();
            while (f.doc->UndoStack().canUndo())
                f.doc->UndoStack().undo();
            QVERIFY2(f.Bytes() == before, qPrintable(QStringLiteral("seed %1").arg(seed)));
            QVERIFY(!f.doc->IsModified());
            while (f.doc->UndoStack().canRedo())
                f.doc->UndoStack().redo();
            QVERIFY2(f.Bytes() == after, qPrintable(QStringLiteral("seed %1").arg(seed)));
        }
    }
};

QTEST_MAIN(EditCommandsTest)
#include "EditCommandsTest.moc"
