// The docked panels on large sets: every thumbnail of a 10,000-control set
// spread over 99 screens; the control list filled anew for a 10,000-control
// screen, following one edit there, painting, and taking a selection of 2,000
// controls; the set checks of the Problems panel for the 10,000 controls.
// Compare with BM_PaintScreen2000.
#if defined(TAVLORA_BENCH_WIDGETS) && defined(TAVLORA_BENCH_GUI)

#include "BenchSets.h"
#include "SilentPrompter.h"

#include "document/CTavloraDoc.h"
#include "document/DocumentFile.h"
#include "editing/SetFieldsCommand.h"
#include "panels/ControlList.h"
#include "panels/ProblemsPanel.h"
#include "properties/PropertyServices.h"
#include "panels/ScreensPanel.h"
#include "settings/SettingsProfile.h"

#include <QTreeView>

#include <benchmark/benchmark.h>

#include <memory>

using namespace tavlora;
using namespace tavlora::bench;

namespace {

// A document holding kLoadControls controls spread over `screens` screens.
struct PanelDoc {
    QTemporaryDir dir;
    SettingsProfile profile{dir.filePath(QStringLiteral("Tavlora.xml"))};
    SilentPrompter prompter;
    std::unique_ptr<CTavloraDoc> doc;
    std::unique_ptr<DocumentFile> file;

    explicit PanelDoc(int screens)
    {
        EnsureApplication();
        profile.SetSaveOnDestroy(false);
        profile.WriteString(QStringLiteral("Locations"), QStringLiteral("VornLocation"), VornFolder().path());
        const QString path = WriteFilledSet(dir, kLoadControls, screens);
        doc = std::make_unique<CTavloraDoc>(profile);
        file = std::make_unique<DocumentFile>(*doc, profile, prompter);
        file->OnOpenDocument(path);
    }
};

void BM_Thumbnails99Screens10000(benchmark::State& state)
{
    PanelDoc d(99);
    ScreensPanel panel(*d.doc, d.prompter);
    panel.show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    panel.DrawThumbnails(); // pictures decoded once, as after a load
    for (auto _ : state) {
        panel.InvalidateThumbnails();
        panel.DrawThumbnails();
    }
    state.counters["controls"] = kLoadControls;
    state.counters["screens"] = 99;
}
BENCHMARK(BM_Thumbnails99Screens10000)->Unit(benchmark::kMillisecond);

// The list of a 10,000-control screen, shown.
struct ShownList {
    PanelDoc d{1};
    ControlList list{*d.doc};

    explicit ShownList(benchmark::State& state)
    {
        list.resize(700, 600);
        list.show();
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        if (!list.View()->viewport()->isVisible())
            state.SkipWithError("the list is not shown");
    }
};

// Switching to the 10,000-control screen: rows, filter, selection and one paint.
void BM_ControlListFill10000(benchmark::State& state)
{
    ShownList shown(state);
    PanelDoc& d = shown.d;
    ControlList& list = shown.list;
    for (auto _ : state) {
        d.doc->SetCurrentScreen(2);
        d.doc->SetCurrentScreen(1);
        list.View()->viewport()->repaint();
    }
    state.counters["rows"] = list.View()->model()->rowCount();
}
BENCHMARK(BM_ControlListFill10000)->Unit(benchmark::kMillisecond);

// A list of 10,000 rows with 2,000 scattered rows selected (every fifth).
struct SelectedList : ShownList {
    explicit SelectedList(benchmark::State& state) : ShownList(state)
    {
        d.doc->EditSelection([this](Selection& s) {
            for (int i = 0; i < kScreenControls; ++i)
                s.Select(d.doc->Set().controls[size_t(i) * 5].get());
        });
    }
};

// One control moved and the move undone: the rows follow, nothing is painted.
void BM_ControlListEdit10000(benchmark::State& state)
{
    SelectedList l(state);
    const ControlRecord* rec = l.d.doc->Set().controls[5000].get();
    for (auto _ : state) {
        ControlRecord moved(*rec);
        moved.rect.left += 3;
        moved.rect.right += 3;
        l.d.doc->UndoStack().push(new SetFieldsCommand(*l.d.doc, QStringLiteral("Move"), {{rec, moved}}));
        l.d.doc->UndoStack().undo();
    }
    l.d.doc->UndoStack().clear();
    state.counters["ops"] = 2;
}
BENCHMARK(BM_ControlListEdit10000)->Unit(benchmark::kMillisecond);

// One paint of the list (the rows in sight, 2,000 selection ranges).
void BM_ControlListPaint10000(benchmark::State& state)
{
    SelectedList l(state);
    for (auto _ : state)
        l.list.View()->viewport()->repaint();
}
BENCHMARK(BM_ControlListPaint10000)->Unit(benchmark::kMillisecond);

// The selection of 2,000 scattered controls reaching the list.
void BM_ControlListSelect2000(benchmark::State& state)
{
    SelectedList l(state);
    for (auto _ : state) {
        l.d.doc->EditSelection([](Selection& s) { s.Clear(); });
        l.d.doc->EditSelection([&l](Selection& s) {
            for (int i = 0; i < kScreenControls; ++i)
                s.Select(l.d.doc->Set().controls[size_t(i) * 5].get());
        });
    }
    state.counters["selected"] = kScreenControls;
}
BENCHMARK(BM_ControlListSelect2000)->Unit(benchmark::kMillisecond);

// The checks the Problems panel runs after a pause in editing.
void BM_ProblemsCheck10000(benchmark::State& state)
{
    PanelDoc d(99);
    ProblemsPanel panel(*d.doc);
    panel.CheckNow();
    for (auto _ : state)
        panel.CheckNow();
    state.counters["findings"] = panel.Errors() + panel.Warnings() + panel.Notes();
}
BENCHMARK(BM_ProblemsCheck10000)->Unit(benchmark::kMillisecond);

} // namespace

#endif
