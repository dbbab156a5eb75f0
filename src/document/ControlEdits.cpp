#include "ControlEdits.h"

#include "CTavloraDoc.h"

#include "core/ControlType.h"
#include "core/ControlTypes.h"
#include "core/ScreenVisibility.h"
#include "widgets/WidgetContext.h"
#include "widgets/WidgetFactory.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace tavlora {

ControlRecord& ControlEdits::Writable(const ControlRecord* record)
{
    // The set's records are the document's own: ControlEdits, its one writer,
    // is given them as read-only pointers by every other piece of code.
    return const_cast<ControlRecord&>(*record);
}

void ControlEdits::SwapRects(std::vector<RectSwap>& swaps)
{
    RecordList changed;
    changed.reserve(qsizetype(swaps.size()));
    doc_.Context().BeginBatch();
    for (RectSwap& s : swaps) {
        std::swap(Writable(s.record).rect, s.rect);
        WidgetFactory::Sync(*s.record, doc_.Context(), false);
        doc_.NoteTouched(*s.record);
        changed.append(s.record);
    }
    doc_.Context().EndBatch();
    if (!changed.isEmpty())
        emit doc_.controlsChanged(changed, ControlChange::Geometry);
}

void ControlEdits::SwapFields(std::vector<FieldsSwap>& swaps)
{
    RecordList changed;
    ControlChanges what;
    doc_.Context().BeginBatch();
    for (FieldsSwap& s : swaps) {
        ControlRecord& rec = Writable(s.record);
        const bool fields = !rec.SameFieldsButRect(s.fields);
        if (!(rec.rect == s.fields.rect))
            what |= ControlChange::Geometry;
        if (fields)
            what |= ControlChange::Fields;
        // The placing set-up shows until the fields it stands in for change.
        if (rec.image != s.fields.image || rec.function != s.fields.function || rec.parameter != s.fields.parameter)
            ForgetLookFlag(rec, &ControlLook::placed);
        if (fields)
            ForgetLookFlag(rec, &ControlLook::placeholder);
        const bool newPng = rec.type == TypeImage && rec.image != s.fields.image;
        rec.SwapStoredFields(s.fields);
        if (newPng)
            RaisePng(rec);
        doc_.NoteTouched(rec);
        WidgetFactory::Sync(rec, doc_.Context(), fields);
        if (fields) {
            WidgetFactory::Keep(rec, doc_.Context(), ScreenVisibility::ShowsOn(rec.screen, doc_.CurrentScreen()));
            ScreenVisibility::Apply(rec, doc_.CurrentScreen(), doc_.Context().showImages);
        }
        changed.append(&rec);
    }
    doc_.Context().EndBatch();
    if (!changed.isEmpty())
        emit doc_.controlsChanged(changed, what);
}

void ControlEdits::Insert(std::vector<Held>& held)
{
    if (held.empty())
        return;
    auto& controls = doc_.set_.controls;
    std::vector<OwnedRecord> merged;
    merged.reserve(controls.size() + held.size());
    size_t from = 0;
    RecordList inserted;
    inserted.reserve(qsizetype(held.size()));
    for (Held& h : held) {
        while (merged.size() < h.index && from < controls.size())
            merged.push_back(std::move(controls[from++]));
        h.index = merged.size();
        inserted.append(h.record.get());
        merged.push_back(std::move(h.record));
    }
    while (from < controls.size())
        merged.push_back(std::move(controls[from++]));
    controls = std::move(merged);

    WidgetContext& ctx = doc_.Context();
    ctx.BeginBatch(); // one presence test per picture, however many controls show it
    for (Held& h : held) {
        const ControlRecord& rec = *inserted[qsizetype(&h - held.data())];
        if (h.look)
            ctx.KeepLook(rec, *h.look);
        const int kind = WidgetFactory::KindForType(rec.type);
        if (h.placed && kind != 0 && !(ctx.LookOf(rec) && ctx.LookOf(rec)->placed)) {
            // Placed for the first time: lists and tool paths get a frame.
            ControlLook look = ctx.LookOf(rec) ? *ctx.LookOf(rec) : WidgetFactory::FirstLook(rec, kind, ctx);
            look.framed = ControlTypes::Of(rec.type)->framedWhenPlaced;
            look.placed = true;
            ctx.KeepLook(rec, look);
        }
        rec.widget.reset();
        WidgetFactory::Keep(rec, ctx, ScreenVisibility::ShowsOn(rec.screen, doc_.CurrentScreen()));
        ScreenVisibility::Apply(rec, doc_.CurrentScreen(), ctx.showImages);
        doc_.NoteTouched(rec);
    }
    ctx.EndBatch();
    emit doc_.controlsInserted(inserted);
}

void ControlEdits::RaisePng(const ControlRecord& rec)
{
    // A picture given a PNG goes to the top of the stacking order.
    WidgetContext& ctx = doc_.Context();
    const ControlLook* kept = ctx.LookOf(rec);
    const QString path = ctx.ResolvePicture(rec.image, ImagePath::Keywords::Picture, false);
    if (!kept || !DesignWidget::IsPngPath(path) || !ctx.IsPresent(path, false))
        return;
    ControlLook look = *kept;
    look.z = ctx.TakeTopZ();
    ctx.KeepLook(rec, look);
    if (DesignWidget* w = WidgetFactory::Of(rec))
        w->SetLook(look);
}

void ControlEdits::ForgetLookFlag(const ControlRecord& rec, bool ControlLook::*flag)
{
    WidgetContext& ctx = doc_.Context();
    if (const ControlLook* kept = ctx.LookOf(rec); kept && (*kept).*flag) {
        ControlLook look = *kept;
        look.*flag = false;
        ctx.KeepLook(rec, look);
    }
}

void ControlEdits::SwapContents(ScreenSet& other, ReadResult& read)
{
    emit doc_.aboutToReset();
    doc_.selection_.Clear();
    for (auto& rec : doc_.set_.controls)
        rec->widget.reset();
    std::swap(doc_.set_.controls, other.controls);
    std::swap(doc_.set_.colours, other.colours);
    std::swap(doc_.lastRead_, read);
    doc_.currentScreen_ = 1;
    doc_.BuildWidgets();
    emit doc_.documentReset();
}

void ControlEdits::SwapScreenSize(QSize& size)
{
    std::swap(doc_.screenSize_, size);
    emit doc_.screenSizeChanged(doc_.screenSize_);
}

void ControlEdits::SwapColours(ColourSet& colours)
{
    // Widgets read the colours when they paint (their cached looks are keyed on them).
    std::swap(doc_.set_.colours, colours);
    emit doc_.coloursChanged();
}

void ControlEdits::SwapOrder(std::vector<const ControlRecord*>& order, std::vector<ZSwap>& stacking)
{
    auto& controls = doc_.set_.controls;
    if (!order.empty()) {
        // Only a permutation of the list is taken; anything else changes nothing.
        if (order.size() != controls.size())
            return;
        std::unordered_map<const ControlRecord*, size_t> at;
        at.reserve(controls.size());
        for (size_t i = 0; i < controls.size(); ++i)
            at.emplace(controls[i].get(), i);
        std::vector<size_t> from;
        from.reserve(order.size());
        std::vector<bool> used(controls.size(), false);
        for (const ControlRecord* rec : order) {
            const auto it = at.find(rec);
            if (it == at.end() || used[it->second])
                return;
            used[it->second] = true;
            from.push_back(it->second);
        }
        std::vector<const ControlRecord*> before;
        before.reserve(controls.size());
        for (const auto& rec : controls)
            before.push_back(rec.get());
        std::vector<OwnedRecord> reordered;
        reordered.reserve(controls.size());
        for (size_t i : from)
            reordered.push_back(std::move(controls[i]));
        controls = std::move(reordered);
        order = std::move(before);
    }
    RecordList changed;
    changed.reserve(qsizetype(controls.size()));
    WidgetContext& ctx = doc_.Context();
    for (ZSwap& s : stacking) {
        const ControlLook* kept = ctx.LookOf(*s.record);
        if (!kept)
            continue;
        ControlLook look = *kept;
        std::swap(look.z, s.z);
        if (DesignWidget* w = WidgetFactory::Of(*s.record))
            w->SetLook(look);
        else
            ctx.KeepLook(*s.record, look);
    }
    for (const auto& rec : controls)
        changed.append(rec.get());
    emit doc_.controlsChanged(changed, ControlChange::Stacking);
}

std::vector<ControlEdits::Held> ControlEdits::Remove(const std::vector<const ControlRecord*>& records)
{
    std::vector<Held> held;
    if (records.empty())
        return held;
    const std::unordered_set<const ControlRecord*> targets(records.begin(), records.end());
    auto& controls = doc_.set_.controls;
    std::vector<OwnedRecord> kept;
    kept.reserve(controls.size());
    RecordList removed;
    for (size_t i = 0; i < controls.size(); ++i) {
        if (!targets.count(controls[i].get())) {
            kept.push_back(std::move(controls[i]));
            continue;
        }
        Held h;
        h.index = i;
        doc_.NoteTouched(*controls[i]);
        controls[i]->widget.reset();
        removed.append(controls[i].get());
        h.record = controls[i].Release();
        held.push_back(std::move(h));
    }
    controls = std::move(kept);
    const size_t selected = doc_.selection_.Size();
    const ControlRecord* anchor = doc_.selection_.Anchor();
    doc_.selection_.Forget(targets);
    if (!removed.isEmpty())
        emit doc_.controlsRemoved(removed);
    if (doc_.selection_.Size() != selected || doc_.selection_.Anchor() != anchor)
        emit doc_.selectionChanged();
    return held;
}

} // namespace tavlora
