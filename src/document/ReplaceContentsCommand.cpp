#include "ReplaceContentsCommand.h"

#include "CTavloraDoc.h"
#include "ControlEdits.h"

namespace tavlora {

ReplaceContentsCommand::ReplaceContentsCommand(CTavloraDoc& doc, ScreenSet&& contents, const ReadResult& read,
                                               const QString& text)
    : QUndoCommand(text), doc_(doc), contents_(std::move(contents)), read_(read)
{
}

void ReplaceContentsCommand::Swap()
{
    doc_.Edits().SwapContents(contents_, read_);
}

} // namespace tavlora
