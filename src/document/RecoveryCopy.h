#pragma once

#include <QDateTime>
#include <QSize>
#include <QString>

#include <string>
#include <vector>

namespace tavlora {

// A copy of a set with unsaved edits, kept where a crash cannot take it: the
// recovery folder ($XDG_STATE_HOME/Tavlora/recovery, ~/.local/state/...)
// holds one pair of files per running designer, ID.set (the set as Save would
// write it) and ID.json (the file it belongs to and what the document knew of
// it). Both are written atomically, the description last, so a pair is whole
// or not listed. A copy whose designer no longer runs is an orphan, offered
// at the next start.
class RecoveryCopy {
public:
    struct Info {
        QString original;     // the set's file; empty for an unsaved set
        QString title;
        QSize screenSize;
        QDateTime saved;
        qint64 readModified = 0; // the original's stamp when it was read
        qint64 readSize = -1;
        qint64 bytesAfterColours = 0;
        int recordsRead = 0;
    };
    struct Orphan {
        QString setPath;
        QString infoPath;
        Info info;
    };

    static QString DefaultFolder();

    explicit RecoveryCopy(const QString& folder = DefaultFolder());
    ~RecoveryCopy() = default;
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

    // Writes (or replaces) this designer's copy; false when it cannot.
    bool Write(const std::string& setBytes, const Info& info);
    // Removes this designer's copy, if any.
    void Remove();
    bool Written() const { return written_; }
    const QString& Folder() const { return folder_; }

    // Copies of designers that no longer run, newest first.
    static std::vector<Orphan> Orphans(const QString& folder = DefaultFolder());
    static void Discard(const Orphan& orphan);

private:
    QString folder_;
    QString id_;
    bool written_ = false;
};

} // namespace tavlora
