#pragma once

#include "core/ControlRecord.h"

#include <QString>

#include <memory>
#include <vector>

class QMimeData;

namespace tavlora {

// The designer's clipboard: its own list of copied records (the cascade of
// repeated pastes lives here, and it outlives New and Open), mirrored on the
// system clipboard as Tavlora data (the records in the file's encoding) and as
// the JSON that `tavlora-cli dump` prints. Paste takes the system clipboard's
// controls when another designer or program put them there after our copy.
class Clipboard {
public:
    static const char* const kMimeType;
    static const char* const kCopyIdType;

    Clipboard();
    ~Clipboard();
    Clipboard(const Clipboard&) = delete;
    Clipboard& operator=(const Clipboard&) = delete;

    // Replaces the list with copies of the records (none empties it).
    void Copy(const std::vector<const ControlRecord*>& records);

    struct Contents {
        std::vector<std::unique_ptr<ControlRecord>> records;
        bool fromSystem = false;
        QString problem; // why nothing can be pasted
    };
    // Copies of what the next paste takes.
    Contents Take() const;

    size_t Size() const { return own_.size(); }
    const std::vector<std::unique_ptr<ControlRecord>>& Records() const { return own_; }

    // Controls carried by clipboard data of any program: Tavlora data first,
    // then JSON text, at most ControlsBlock::kMaxControls. All or nothing;
    // `problem` says why there are none ("The clipboard holds no controls" for
    // text that is no JSON of controls).
    static std::vector<std::unique_ptr<ControlRecord>> Decode(const QMimeData& data, QString& problem);

private:
    std::vector<std::unique_ptr<ControlRecord>> own_;
    QByteArray copyId_; // names our latest copy on the system clipboard
};

} // namespace tavlora
