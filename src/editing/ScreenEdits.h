#pragma once

#include <QString>
#include <QUndoCommand>

#include <memory>
#include <vector>

namespace tavlora {

class CTavloraDoc;
class ControlRecord;
class ScreenSet;

// Commands on every control of a screen, each one undo step: copy them to
// another screen, move them there, or delete them.
class ScreenEdits {
public:
    // The records of one screen (its own, not the persistent layer's), in list order.
    static std::vector<const ControlRecord*> ControlsOf(const ScreenSet& set, int screen);

    // Copies of the controls of `from` on screen `to`, appended to the list and
    // stacked above what `to` holds in their own stacking order. Nothing when
    // `from` is empty or equals `to`.
    static std::unique_ptr<QUndoCommand> Copy(CTavloraDoc& doc, int from, int to);
    // The controls of `from` take the screen number `to`, keeping their place
    // in the list.
    static std::unique_ptr<QUndoCommand> Move(CTavloraDoc& doc, int from, int to);
    // Removes the controls of `screen`.
    static std::unique_ptr<QUndoCommand> Delete(CTavloraDoc& doc, int screen);

    // "Screen 3", "Persistent Controls", "TAB Screen".
    static QString ScreenName(int screen);
};

} // namespace tavlora
