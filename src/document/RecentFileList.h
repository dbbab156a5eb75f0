#pragma once

#include <QString>
#include <QStringList>

namespace tavlora {

// The most recently opened or saved screen-set files, newest first, kept in
// QSettings("Tavlora", "Tavlora") under "Recent File List" (File1 ... FileN).
class RecentFileList {
public:
    static constexpr int kDefaultSize = 4;

    explicit RecentFileList(int size = kDefaultSize);

    void Load();
    void Save() const;

    // Moves or inserts a path at the front; the oldest entry falls off.
    void Add(const QString& path);
    void Remove(const QString& path);
    void Clear() { paths_.clear(); }

    const QStringList& Paths() const { return paths_; }
    int Size() const { return size_; }

    // Menu text of entry i: "&1 name" with long folders shortened.
    QString MenuText(int index) const;

private:
    int IndexOf(const QString& path) const;

    int size_;
    QStringList paths_;
};

} // namespace tavlora
