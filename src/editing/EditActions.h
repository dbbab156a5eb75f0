#pragma once

#include "core/Arrange.h"
#include "document/ControlEdits.h"

#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>

#include <vector>

class QMimeData;

namespace tavlora {

class CTavloraDoc;
class Clipboard;
class ControlRecord;

// The Edit and Arrange commands on the document's selection: each that
// changes something is one undo step; one that changes nothing pushes nothing.
class EditActions : public QObject {
    Q_OBJECT
public:
    // Offset of a paste from the copied controls.
    static constexpr int kPasteDx = 20;
    static constexpr int kPasteDy = 10;

    EditActions(CTavloraDoc& doc, Clipboard& clipboard, QObject* parent = nullptr);

    // The undo text of a layout command ("Align Left Edges", ...).
    static QString ArrangeText(Arrange::Command command);

    // Copies of controls from elsewhere (a library block) on the current
    // screen as one step, the top-left of their bounding box at the design
    // point `at`, selected in place of the selection. Returns the records added.
    std::vector<const ControlRecord*> Insert(std::vector<std::unique_ptr<ControlRecord>> records, QPoint at,
                                             const QString& text);
    // The controls dropped data carries (as pasting takes them) inserted at
    // `at`; false, with a status message, when it holds none that can be placed.
    bool InsertDropped(const QMimeData& data, QPoint at, const QString& text);

public slots:
    void Arrange(tavlora::Arrange::Command command);
    void Copy();
    void Cut();
    void Paste() { PasteClipboard(true); }
    void PasteExact() { PasteClipboard(false); }
    void Delete();
    void BitmapsToBack();
    // A copy of the selection at +20/+10, selected; the clipboard stays.
    void Duplicate();
    // Every control rescaled from the target screen size to `target`, which
    // the set then takes.
    void ScaleSet(QSize target);

signals:
    // Why a command did nothing, for the status bar.
    void statusMessage(const QString& text);

private:
    void PasteClipboard(bool offset);
    void RemoveSelection(const QString& text);
    // True when raising the given widgets would not change what is painted over what.
    bool PaintOrderUnchanged(const std::vector<ControlEdits::ZSwap>& stacking) const;
    // Adds copies at the end of the list as one step, on the current screen
    // unless they keep their own, and selects them. Returns the records added.
    std::vector<const ControlRecord*> Add(std::vector<std::unique_ptr<ControlRecord>> records, int dx, int dy,
                                          const QString& text, bool keepScreens = false);
    std::vector<const ControlRecord*> Selected() const;

    CTavloraDoc& doc_;
    Clipboard& clipboard_;
};

} // namespace tavlora
