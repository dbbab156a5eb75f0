#pragma once

#include "core/SetCheck.h"

#include <QFileSystemWatcher>
#include <QObject>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tavlora {

// The function catalogs of the Vorn3 folder ("DROs.txt", "Buttons.txt",
// "Leds.txt"), read when the folder is set and again when one of them
// changes on disk. The one place every form, list and check of the designer
// takes function names from; `changed` says when what they hold changed.
class FunctionCatalogs : public QObject {
    Q_OBJECT
public:
    explicit FunctionCatalogs(QObject* parent = nullptr);

    // The Vorn3 folder in its stored form; the catalogs are read again.
    void SetFolder(const std::string& folder);
    const std::string& Folder() const { return folder_; }
    // Reads the catalogs again (`changed` follows when anything differs).
    void Refresh();

    // The lines of a type's catalog: empty for a type without one, nothing
    // when the file cannot be read.
    std::optional<std::vector<std::string>> Lines(int type) const;
    // The same without a copy: null when the file cannot be read or the type
    // has no catalog.
    const std::vector<std::string>* Entries(int type) const;
    // The line counts, for the set checks.
    void FillCheckOptions(SetCheck::Options& options) const;

signals:
    void changed();

private:
    struct File {
        std::string path; // platform form, for messages
        std::optional<std::vector<std::string>> lines;
        bool operator==(const File&) const = default;
    };

    void Watch();

    std::string folder_;
    std::map<std::string, File> files_; // by file name
    std::map<int, const File*> byType_;  // the catalog of each type that has one
    QFileSystemWatcher watcher_;
};

} // namespace tavlora
