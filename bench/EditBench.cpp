// Editing a 2,000-control screen with every control selected, through the
// design view as a user does it: one drag-preview frame, the release of a drag
// (command, widget sync and repaint), an arrow-key nudge, and undo/redo of a
// move. Each includes the repaint it causes; compare with BM_PaintScreen2000.
// A drag frame with smart guides is measured against the plain one.
#if defined(TAVLORA_BENCH_WIDGETS) && defined(TAVLORA_BENCH_GUI)

#include "BenchSets.h"
#include "SilentPrompter.h"

#include "document/CTavloraDoc.h"
#include "document/DocumentFile.h"
#include "settings/SettingsProfile.h"
#include "editing/Clipboard.h"
#include "editing/EditActions.h"
#include "view/CTavloraView.h"
#include "view/tools/SelectTool.h"
#include "core/ControlPick.h"
#include "widgets/WidgetContext.h"

#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>

#include <benchmark/benchmark.h>
#include <chrono>

#include <algorithm>
#include <chrono>
#include <memory>

using namespace tavlora;
using namespace tavlora::bench;

namespace {

// A designer on a 2,000-control screen with everything selected.
struct EditFixture {
    QTemporaryDir dir;
    SettingsProfile profile{dir.filePath(QStringLiteral("Tavlora.xml"))};
    SilentPrompter prompter;
    std::unique_ptr<CTavloraDoc> doc;
    std::unique_ptr<DocumentFile> file;
    std::unique_ptr<CTavloraView> view;
    QImage target{kScreen, QImage::Format_RGB32};

    explicit EditFixture(int controls = kScreenControls, bool selectAll = true)
    {
        EnsureApplication();
        profile.SetSaveOnDestroy(false);
        profile.WriteString(QStringLiteral("Locations"), QStringLiteral("VornLocation"), VornFolder().path());
        // Drags without smart guides unless a benchmark switches them on.
        profile.WriteInt(QStringLiteral("Griding"), QStringLiteral("SnapToControls"), 0);
        const QString path = WriteFilledSet(dir, controls, 1);
        doc = std::make_unique<CTavloraDoc>(profile);
        file = std::make_unique<DocumentFile>(*doc, profile, prompter);
        view = std::make_unique<CTavloraView>(*doc, profile);
        view->resize(kScreen);
        view->show();
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        file->OnOpenDocument(path);
        if (selectAll)
            view->OnSelectAll();
        Paint(); // the first paint makes the cached looks
    }

    // The paint a real window does, into its backing store.
    void Paint() { view->viewport()->repaint(); }
    // A paint after the screen's content changed (a widget asked for it).
    void Redraw()
    {
        doc->Context().RequestRepaint();
        Paint();
    }

    void Mouse(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QMouseEvent e(type, QPointF(p), QPointF(view->viewport()->mapToGlobal(p)), button, buttons, mods);
        QApplication::sendEvent(view->viewport(), &e);
    }
    // A point inside the first selected control.
    QPoint Grip() const
    {
        const Rect& r = doc->CurrentSelection().Records().front()->rect;
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void Key(QEvent::Type type, int key)
    {
        QKeyEvent e(type, key, Qt::NoModifier);
        QApplication::sendEvent(view.get(), &e);
    }
};

// Resident memory of this process now, from /proc (0 where there is none).
double ResidentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

EditFixture& Fixture()
{
    static EditFixture f;
    return f;
}

// The view's own paint of the screen with every control selected (marks included).
void BM_ViewPaint2000(benchmark::State& state)
{
    EditFixture& f = Fixture();
    for (auto _ : state)
        f.Paint();
}
BENCHMARK(BM_ViewPaint2000)->Unit(benchmark::kMillisecond);

// The view's paint of a 10,000-control screen: kept between paints, and drawn
// again after a change.
void BM_ViewRepaint10000(benchmark::State& state)
{
    static EditFixture f(10000, false);
    for (auto _ : state)
        f.Paint();
}
BENCHMARK(BM_ViewRepaint10000)->Unit(benchmark::kMillisecond);

void BM_ViewRedraw10000(benchmark::State& state)
{
    static EditFixture f(10000, false);
    for (auto _ : state)
        f.Redraw();
}
BENCHMARK(BM_ViewRedraw10000)->Unit(benchmark::kMillisecond);

// The 2,000-control screen at 400 %: kept, and drawn again after a change.
void BM_ViewRepaint2000At400(benchmark::State& state)
{
    static EditFixture f(kScreenControls, false);
    f.view->SetZoom(4.0, QPoint(0, 0));
    f.Redraw();
    for (auto _ : state)
        f.Paint();
}
BENCHMARK(BM_ViewRepaint2000At400)->Unit(benchmark::kMillisecond);

void BM_ViewRedraw2000At400(benchmark::State& state)
{
    static EditFixture f(kScreenControls, false);
    f.view->SetZoom(4.0, QPoint(0, 0));
    f.Redraw();
    for (auto _ : state)
        f.Redraw();
}
BENCHMARK(BM_ViewRedraw2000At400)->Unit(benchmark::kMillisecond);

// Milliseconds of a BM_DragPreviewFrame2000 frame in this run; 0 before it ran.
double previewFrameMs = 0;

void BM_DragPreviewFrame2000(benchmark::State& state)
{
    EditFixture& f = Fixture();
    const QPoint grip = f.Grip();
    f.Mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        f.Mouse(QEvent::MouseMove, grip + QPoint(1 + step % 40, step % 30), Qt::NoButton, Qt::LeftButton);
        f.Paint();
        ++step;
    }
    previewFrameMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count()
        / double(state.iterations());
    f.Key(QEvent::KeyPress, Qt::Key_Escape);
    f.Mouse(QEvent::MouseButtonRelease, grip, Qt::LeftButton, Qt::NoButton);
    state.counters["selected"] = double(f.doc->CurrentSelection().Size());
}
BENCHMARK(BM_DragPreviewFrame2000)->Unit(benchmark::kMillisecond);

// The same frame with Snap to Controls on: the first N controls of the
// 2,000 dragged, snapping to the other 2,000 - N and the screen (indexed at
// the press), guides and equal gaps drawn. Counters: the press with the index
// (index_ms), the share of frames showing guides (guided_frames), the lines
// and gaps shown per frame (items), and the frame time over that of
// BM_DragPreviewFrame2000 in the same run (per_preview_frame) and over the same
// drag's frames with Ctrl held, guides suspended (per_unguided_frame).
void BM_DragGuidesFrame2000(benchmark::State& state)
{
    static EditFixture f(kScreenControls, false);
    const auto dragged = size_t(state.range(0));
    f.doc->EditSelection([dragged](Selection& s) {
        s.Clear();
        for (size_t i = 0; i < dragged; ++i)
            s.Select(f.doc->Set().controls[i].get());
    });
    f.view->SetSnapToControls(true);
    f.Paint();
    // A point of a dragged control where no smaller control lies on it.
    QPoint grip;
    for (size_t i = 0; i < dragged; ++i) {
        const Rect& r = f.doc->Set().controls[i]->rect;
        const Point p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        if (ControlPick::At(f.doc->Set(), 1, true, p).record == f.doc->Set().controls[i].get()) {
            grip = QPoint(p.x, p.y);
            break;
        }
    }
    const auto pressed = std::chrono::steady_clock::now();
    f.Mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    const double indexMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - pressed).count();
    const auto& tool = static_cast<const SelectTool&>(f.view->CurrentToolObject());
    int step = 0, shown = 0;
    size_t items = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        f.Mouse(QEvent::MouseMove, grip + QPoint(1 + step % 40, step % 30), Qt::NoButton, Qt::LeftButton);
        f.Paint();
        shown += tool.ShownGuides().Empty() ? 0 : 1;
        items += tool.ShownGuides().lines.size() + tool.ShownGuides().gaps.size();
        ++step;
    }
    const auto end = std::chrono::steady_clock::now();
    const double frameMs = std::chrono::duration<double, std::milli>(end - start).count() / double(state.iterations());
    const int unguided = int(std::min<benchmark::IterationCount>(state.iterations(), 200));
    for (int i = 0; i < unguided; ++i, ++step) {
        f.Mouse(QEvent::MouseMove, grip + QPoint(1 + step % 40, step % 30), Qt::NoButton, Qt::LeftButton,
                Qt::ControlModifier);
        f.Paint();
    }
    const double unguidedMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - end).count() / unguided;
    f.Key(QEvent::KeyPress, Qt::Key_Escape);
    f.Mouse(QEvent::MouseButtonRelease, grip, Qt::LeftButton, Qt::NoButton);
    state.counters["dragged"] = double(f.doc->CurrentSelection().Size());
    state.counters["index_ms"] = indexMs;
    state.counters["items"] = double(items) / double(state.iterations());
    state.counters["guided_frames"] = double(shown) / double(state.iterations());
    state.counters["per_unguided_frame"] = frameMs / unguidedMs;
    if (previewFrameMs > 0)
        state.counters["per_preview_frame"] = frameMs / previewFrameMs;
}
BENCHMARK(BM_DragGuidesFrame2000)->Arg(1)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_DragRelease2000(benchmark::State& state)
{
    EditFixture& f = Fixture();
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QPoint grip = f.Grip();
        f.Mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
        const QPoint to = grip + QPoint(step % 2 ? -7 : 7, 3);
        f.Mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        ++step;
        state.ResumeTiming();
        f.Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
        f.Paint();
    }
    f.doc->UndoStack().clear();
}
BENCHMARK(BM_DragRelease2000)->Unit(benchmark::kMillisecond);

void BM_Nudge2000(benchmark::State& state)
{
    EditFixture& f = Fixture();
    int step = 0;
    for (auto _ : state) {
        const int key = step++ % 2 ? Qt::Key_Left : Qt::Key_Right;
        f.Key(QEvent::KeyPress, key);
        f.Key(QEvent::KeyRelease, key);
        f.Paint();
    }
    f.doc->UndoStack().clear();
}
BENCHMARK(BM_Nudge2000)->Unit(benchmark::kMillisecond);

// One undo and one redo of a move of the 2,000 controls, each with its repaint.
void BM_UndoRedoMove2000(benchmark::State& state)
{
    EditFixture& f = Fixture();
    const QPoint grip = f.Grip();
    f.Mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    f.Mouse(QEvent::MouseMove, grip + QPoint(9, 9), Qt::NoButton, Qt::LeftButton);
    f.Mouse(QEvent::MouseButtonRelease, grip + QPoint(9, 9), Qt::LeftButton, Qt::NoButton);
    for (auto _ : state) {
        f.doc->UndoStack().undo();
        f.Paint();
        f.doc->UndoStack().redo();
        f.Paint();
    }
    f.doc->UndoStack().clear();
    state.counters["ops"] = 2;
}
BENCHMARK(BM_UndoRedoMove2000)->Unit(benchmark::kMillisecond);

// Pasting 10,000 controls (widgets made, shown, selected) and undoing it.
void BM_Paste10000AndUndo(benchmark::State& state)
{
    EnsureApplication();
    static QTemporaryDir dir;
    SettingsProfile profile(dir.filePath(QStringLiteral("Tavlora.xml")));
    profile.SetSaveOnDestroy(false);
    profile.WriteString(QStringLiteral("Locations"), QStringLiteral("VornLocation"), VornFolder().path());
    SilentPrompter prompter;
    CTavloraDoc doc(profile);
    DocumentFile file(doc, profile, prompter);
    Clipboard clipboard;
    EditActions edits(doc, clipboard);
    ScreenSet source;
    Fill(source, kLoadControls, 1);
    std::vector<const ControlRecord*> records;
    for (const auto& rec : source.controls)
        records.push_back(rec.get());
    clipboard.Copy(records);
    double paste = 0, undo = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        edits.PasteExact();
        auto mid = std::chrono::steady_clock::now();
        doc.UndoStack().undo();
        auto end = std::chrono::steady_clock::now();
        paste += std::chrono::duration<double, std::milli>(mid - start).count();
        undo += std::chrono::duration<double, std::milli>(end - mid).count();
        state.PauseTiming();
        doc.UndoStack().clear();
        state.ResumeTiming();
    }
    state.counters["paste_ms"] = paste / double(state.iterations());
    state.counters["undo_ms"] = undo / double(state.iterations());
}
BENCHMARK(BM_Paste10000AndUndo)->Unit(benchmark::kMillisecond);

// 100,000 controls pasted from the system clipboard (copied by another
// designer) onto the shown screen of a designer, with the repaint it causes.
// Counters: the paste, the paint, and the resident memory it added.
void BM_PasteFromSystem100k(benchmark::State& state)
{
    EditFixture f(1, false);
    Clipboard other;
    ScreenSet source;
    Fill(source, 100000, 1);
    std::vector<const ControlRecord*> records;
    for (const auto& rec : source.controls)
        records.push_back(rec.get());
    other.Copy(records);
    Clipboard mine;
    EditActions edits(*f.doc, mine);
    double paste = 0, paint = 0, grown = 0;
    for (auto _ : state) {
        const double before = ResidentMegabytes();
        const auto start = std::chrono::steady_clock::now();
        edits.PasteExact();
        const auto mid = std::chrono::steady_clock::now();
        f.Paint();
        const auto end = std::chrono::steady_clock::now();
        paste += std::chrono::duration<double, std::milli>(mid - start).count();
        paint += std::chrono::duration<double, std::milli>(end - mid).count();
        grown += ResidentMegabytes() - before;
        state.PauseTiming();
        f.doc->UndoStack().undo();
        f.doc->UndoStack().clear();
        state.ResumeTiming();
    }
    const double n = double(state.iterations());
    state.counters["paste_ms"] = paste / n;
    state.counters["paint_ms"] = paint / n;
    state.counters["grown_mb"] = grown / n;
}
BENCHMARK(BM_PasteFromSystem100k)->Unit(benchmark::kMillisecond)->Iterations(2);

// A layout command over the 2,000 selected controls, with its repaint, then
// undone (untimed). Argument: the command.
void BM_Arrange2000(benchmark::State& state)
{
    EditFixture& f = Fixture();
    static Clipboard clipboard;
    EditActions edits(*f.doc, clipboard);
    const auto command = Arrange::Command(state.range(0));
    double cmd = 0, paint = 0; int n = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        edits.Arrange(command);
        auto t1 = std::chrono::steady_clock::now();
        f.Paint();
        auto t2 = std::chrono::steady_clock::now();
        cmd += std::chrono::duration<double, std::milli>(t1 - t0).count();
        paint += std::chrono::duration<double, std::milli>(t2 - t1).count(); ++n;
        state.counters["cmd"] = cmd / n; state.counters["paint"] = paint / n;
        state.PauseTiming();
        while (f.doc->UndoStack().canUndo())
            f.doc->UndoStack().undo();
        f.Paint();
        state.ResumeTiming();
    }
    f.doc->UndoStack().clear();
    state.SetLabel(EditActions::ArrangeText(command).toStdString());
}
BENCHMARK(BM_Arrange2000)
    ->Arg(Arrange::AlignLefts)
    ->Arg(Arrange::SpaceAcross)
    ->Arg(Arrange::DistributeDown)
    ->Arg(Arrange::SameWidth)
    ->Unit(benchmark::kMillisecond);

} // namespace

#endif
