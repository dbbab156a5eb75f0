#include "EditActions.h"

#include "Clipboard.h"
#include "InsertControlsCommand.h"
#include "RemoveControlsCommand.h"
#include "ReorderCommand.h"
#include "ScaleSetCommand.h"
#include "SetRectsCommand.h"

#include "core/ControlType.h"
#include "core/ControlTypes.h"
#include "core/Reorder.h"
#include "document/CTavloraDoc.h"
#include "widgets/WidgetContext.h"
#include "widgets/WidgetFactory.h"

#include <QCoreApplication>

#include <algorithm>
#include <unordered_map>
#include <climits>

namespace tavlora {

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("EditActions", text);
}

int32_t Clamp(long long v)
{
    return int32_t(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

} // namespace

EditActions::EditActions(CTavloraDoc& doc, Clipboard& clipboard, QObject* parent)
    : QObject(parent), doc_(doc), clipboard_(clipboard)
{
}

QString EditActions::ArrangeText(Arrange::Command command)
{
    switch (command) {
    case Arrange::AlignTops: return Tr("Align Tops");
    case Arrange::AlignBottoms: return Tr("Align Bottoms");
    case Arrange::AlignLefts: return Tr("Align Left Edges");
    case Arrange::AlignRights: return Tr("Align Right Edges");
    case Arrange::SameHeight: return Tr("Same Height");
    case Arrange::SameWidth: return Tr("Same Width");
    case Arrange::SpaceAcross: return Tr("Space Evenly Across");
    case Arrange::SpaceDown: return Tr("Space Evenly Down");
    case Arrange::AlignCentresAcross: return Tr("Align Centres Across");
    case Arrange::AlignCentresDown: return Tr("Align Centres Down");
    case Arrange::DistributeAcross: return Tr("Distribute Across");
    case Arrange::DistributeDown: return Tr("Distribute Down");
    }
    return {};
}

std::vector<const ControlRecord*> EditActions::Selected() const
{
    const auto& records = doc_.CurrentSelection().Records();
    return std::vector<const ControlRecord*>(records.begin(), records.end());
}

void EditActions::Arrange(tavlora::Arrange::Command command)
{
    const Selection& selection = doc_.CurrentSelection();
    // Records without a widget (the obsolete type) keep their rectangle.
    std::vector<const ControlRecord*> laid;
    std::vector<Rect> rects;
    int anchor = -1;
    for (const ControlRecord* rec : selection.Records()) {
        if (!ControlTypes::Shown(rec->type))
            continue;
        if (rec == selection.Anchor())
            anchor = int(laid.size());
        laid.push_back(rec);
        rects.push_back(rec->rect);
    }
    const auto arranged = Arrange::Apply(command, rects, anchor);
    if (!arranged)
        return;
    std::vector<ControlEdits::RectSwap> swaps;
    for (size_t i = 0; i < rects.size(); ++i) {
        const ControlRecord* rec = laid[i];
        // A control locked since it was selected stays where it is.
        if (!rec->locked && !((*arranged)[i] == rec->rect))
            swaps.push_back({rec, (*arranged)[i]});
    }
    if (swaps.empty())
        return;
    doc_.UndoStack().push(new SetRectsCommand(doc_, ArrangeText(command), std::move(swaps)));
}

void EditActions::Copy()
{
    clipboard_.Copy(Selected());
}

void EditActions::Cut()
{
    clipboard_.Copy(Selected());
    RemoveSelection(Tr("Cut"));
}

void EditActions::Delete()
{
    RemoveSelection(Tr("Delete"));
}

void EditActions::RemoveSelection(const QString& text)
{
    std::vector<const ControlRecord*> doomed = doc_.CurrentSelection().Records();
    if (doomed.empty())
        return;
    doc_.EditSelection([](Selection& s) { s.Clear(); });
    doc_.UndoStack().push(new RemoveControlsCommand(doc_, text, std::move(doomed)));
}

std::vector<const ControlRecord*> EditActions::Add(std::vector<std::unique_ptr<ControlRecord>> records, int dx, int dy,
                                                   const QString& text, bool keepScreens)
{
    std::vector<ControlEdits::Held> held;
    size_t at = doc_.Set().Size();
    for (auto& rec : records) {
        // Obsolete and unknown types are dropped.
        if (!ControlTypes::Shown(rec->type))
            continue;
        Rect& r = rec->rect;
        r = {Clamp(static_cast<long long>(r.left) + dx), Clamp(static_cast<long long>(r.top) + dy),
             Clamp(static_cast<long long>(r.right) + dx), Clamp(static_cast<long long>(r.bottom) + dy)};
        if (!keepScreens)
            rec->screen = doc_.CurrentScreen();
        ApplyCreationRules(*rec);
        ControlEdits::Held h;
        h.index = at++;
        h.record = std::move(rec);
        held.push_back(std::move(h));
    }
    if (held.empty())
        return {};
    auto* command = new InsertControlsCommand(doc_, text, std::move(held));
    const std::vector<const ControlRecord*> added = command->Records();
    doc_.EditSelection([](Selection& s) { s.Clear(); });
    doc_.UndoStack().push(command);
    doc_.EditSelection([&added](Selection& s) {
        for (const ControlRecord* rec : added)
            s.Select(rec);
    });
    return added;
}

void EditActions::PasteClipboard(bool offset)
{
    Clipboard::Contents contents = clipboard_.Take();
    if (contents.records.empty()) {
        if (!contents.problem.isEmpty())
            emit statusMessage(contents.problem);
        return;
    }
    const size_t offered = contents.records.size();
    const std::vector<const ControlRecord*> pasted = Add(std::move(contents.records), offset ? kPasteDx : 0,
                                                   offset ? kPasteDy : 0, offset ? Tr("Paste") : Tr("Paste Exact"));
    if (pasted.empty())
        emit statusMessage(Tr("The clipboard holds no controls of a type that can be placed; nothing was pasted."));
    else if (pasted.size() < offered)
        emit statusMessage(Tr("%1 of the %2 controls on the clipboard are of no type that can be placed; "
                              "they were left out.")
                               .arg(offered - pasted.size())
                               .arg(offered));
    // The clipboard now holds the pasted controls: repeated pastes cascade.
    if (!pasted.empty())
        clipboard_.Copy(std::vector<const ControlRecord*>(pasted.begin(), pasted.end()));
}

std::vector<const ControlRecord*> EditActions::Insert(std::vector<std::unique_ptr<ControlRecord>> records, QPoint at,
                                                      const QString& text)
{
    // Placed by the controls that are placed: the others are dropped by Add.
    long long left = LLONG_MAX;
    long long top = LLONG_MAX;
    for (const auto& rec : records) {
        if (!ControlTypes::Shown(rec->type))
            continue;
        left = std::min<long long>(left, rec->rect.left);
        top = std::min<long long>(top, rec->rect.top);
    }
    if (left == LLONG_MAX)
        return {};
    return Add(std::move(records), Clamp(at.x() - left), Clamp(at.y() - top), text);
}

bool EditActions::InsertDropped(const QMimeData& data, QPoint at, const QString& text)
{
    QString problem;
    std::vector<std::unique_ptr<ControlRecord>> records = Clipboard::Decode(data, problem);
    if (Insert(std::move(records), at, text).empty()) {
        emit statusMessage(problem.isEmpty() ? Tr("The dropped data holds no controls of a type that can be placed.")
                                             : problem);
        return false;
    }
    return true;
}

void EditActions::ScaleSet(QSize target)
{
    if (target.isEmpty() || target == doc_.ScreenSize() || doc_.ScreenSize().isEmpty())
        return;
    doc_.UndoStack().push(new ScaleSetCommand(doc_, target));
}

void EditActions::Duplicate()
{
    std::vector<std::unique_ptr<ControlRecord>> copies;
    for (const ControlRecord* rec : Selected())
        copies.push_back(std::make_unique<ControlRecord>(*rec));
    // A copy stays on its source's screen (the persistent layer included).
    Add(std::move(copies), kPasteDx, kPasteDy, Tr("Duplicate"), true);
}

bool EditActions::PaintOrderUnchanged(const std::vector<ControlEdits::ZSwap>& stacking) const
{
    std::unordered_map<const ControlRecord*, qint64> raised;
    for (const ControlEdits::ZSwap& s : stacking)
        raised.emplace(s.record, s.z);
    std::vector<std::pair<qint64, qint64>> shown; // (old place, new place) of every shown widget
    for (const auto& rec : doc_.Set().controls) {
        const DesignWidget* w = WidgetFactory::Of(*rec);
        if (!w || !w->IsVisible())
            continue;
        const auto it = raised.find(rec.get());
        shown.emplace_back(w->ZOrder(), it == raised.end() ? w->ZOrder() : it->second);
    }
    std::vector<std::pair<qint64, qint64>> byNew = shown;
    std::stable_sort(shown.begin(), shown.end());
    std::stable_sort(byNew.begin(), byNew.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    return shown == byNew;
}

void EditActions::BitmapsToBack()
{
    const auto& controls = doc_.Set().controls;
    std::vector<bool> shownPicture;
    shownPicture.reserve(controls.size());
    for (const auto& rec : controls)
        shownPicture.push_back(rec->type == TypeImage && rec->widget && rec->widget->IsVisible());
    const std::vector<size_t> order = Reorder::PicturesFirst(shownPicture);
    std::vector<const ControlRecord*> reordered;
    reordered.reserve(order.size());
    for (size_t i : order)
        reordered.push_back(controls[i].get());

    // Stacking of the current screen's controls: pictures beneath the others,
    // the first of each group on top of its group.
    std::vector<ControlEdits::ZSwap> stacking;
    for (const bool pictures : {true, false}) {
        for (size_t k = order.size(); k-- > 0;) {
            const ControlRecord* rec = reordered[k];
            if (shownPicture[order[k]] == pictures && rec->screen == doc_.CurrentScreen() && rec->widget)
                stacking.push_back({rec, 0});
        }
    }
    // Nothing to do when neither the file order nor the painting order changes.
    bool sameOrder = true;
    for (size_t k = 0; k < order.size() && sameOrder; ++k)
        sameOrder = order[k] == k;
    WidgetContext& ctx = doc_.Context();
    for (ControlEdits::ZSwap& s : stacking)
        s.z = ctx.TakeTopZ();
    if (sameOrder && PaintOrderUnchanged(stacking))
        return;
    doc_.UndoStack().push(new ReorderCommand(doc_, Tr("Bitmaps To Back"), std::move(reordered), std::move(stacking)));
}

} // namespace tavlora
