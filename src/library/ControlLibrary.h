#pragma once

#include "core/ControlRecord.h"

#include <QString>

#include <memory>
#include <vector>

namespace tavlora {

// Reusable blocks of controls, one JSON file each (the "controls" of
// `tavlora-cli dump`, "NAME.json"): the user's in a folder of their own, and
// those shipped with Tavlora, read-only and listed after them. A file that
// cannot be used is listed with the reason and stops nothing. Reads are size
// limited; writes replace a file whole or leave it as it was.
class ControlLibrary {
public:
    struct Block {
        QString name;
        QString path;
        bool shipped = false;
        QString problem; // why the file cannot be used; empty for a good block
        std::vector<std::unique_ptr<ControlRecord>> records; // none when damaged
    };

    static constexpr long long kMaxFileBytes = 4LL << 20;
    static constexpr size_t kMaxControls = 5000;
    static constexpr int kMaxNameLength = 80;

    ControlLibrary(const QString& userFolder, const QString& shippedFolder);

    // $XDG_DATA_HOME/Tavlora/library (~/.local/share/Tavlora/library by default).
    static QString DefaultUserFolder();
    // The blocks installed with the program (or in the source tree); empty if none.
    static QString DefaultShippedFolder();

    const QString& UserFolder() const { return userFolder_; }
    const QString& ShippedFolder() const { return shippedFolder_; }

    // Reads both folders again.
    void Load();
    const std::vector<Block>& Blocks() const { return blocks_; }
    // Index of the user's (or a shipped) block of that name, or -1.
    int IndexOf(const QString& name, bool shipped = false) const;
    // Copies of a good block's records; none for a damaged one.
    std::vector<std::unique_ptr<ControlRecord>> Copies(int index) const;

    // Why a name cannot name a block file; empty when it can.
    static QString NameProblem(const QString& name);
    // Saves records as the user's block `name`, moved so that their bounding
    // box starts at 0,0; an existing block is replaced only with `replace`.
    bool Save(const QString& name, const std::vector<const ControlRecord*>& records, QString& error,
              bool replace = false);
    // Renames or deletes one of the user's blocks (a shipped one never).
    bool Rename(const QString& from, const QString& to, QString& error);
    bool Remove(const QString& name, QString& error);

private:
    void Read(const QString& folder, bool shipped);
    static Block ReadBlock(const QString& path, bool shipped);
    QString UserPath(const QString& name) const;
    // The user's block of that name, or the reason there is none to change.
    const Block* Changeable(const QString& name, QString& error) const;

    QString userFolder_;
    QString shippedFolder_;
    std::vector<Block> blocks_;
};

} // namespace tavlora
