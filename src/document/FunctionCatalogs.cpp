#include "FunctionCatalogs.h"

#include "core/ControlType.h"
#include "core/ControlTypes.h"
#include "core/FunctionCatalog.h"
#include "core/ImagePath.h"

#include <QFileInfo>

namespace tavlora {

namespace {
constexpr int kTypes[] = {TypeDro, TypeButton, TypeLed};
}

FunctionCatalogs::FunctionCatalogs(QObject* parent) : QObject(parent)
{
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &FunctionCatalogs::Refresh);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &FunctionCatalogs::Refresh);
}

void FunctionCatalogs::SetFolder(const std::string& folder)
{
    if (folder == folder_ && !files_.empty()) {
        Refresh();
        return;
    }
    folder_ = folder;
    Refresh();
}

void FunctionCatalogs::Refresh()
{
    std::map<std::string, File> fresh;
    for (int type : kTypes) {
        File file;
        file.path = ImagePath::ToPlatform(FunctionCatalog::PathForType(folder_, type));
        FunctionCatalog catalog;
        if (catalog.Load(folder_, type))
            file.lines = catalog.Entries();
        fresh.emplace(std::string(FunctionCatalog::FileNameForType(type)), std::move(file));
    }
    Watch();
    if (fresh == files_ && !byType_.empty())
        return;
    files_ = std::move(fresh);
    byType_.clear();
    for (const ControlTypes::Facts& f : ControlTypes::All()) {
        const auto it = files_.find(std::string(FunctionCatalog::FileNameForType(f.type)));
        if (it != files_.end())
            byType_.emplace(f.type, &it->second);
    }
    emit changed();
}

void FunctionCatalogs::Watch()
{
    // The folder tells of catalogs made or removed, the files of edits.
    QStringList wanted;
    for (const auto& [name, file] : files_) {
        (void)name;
        const QString path = QString::fromStdString(file.path);
        if (QFileInfo(path).isFile())
            wanted << path;
    }
    const QString folder = QString::fromStdString(ImagePath::ToPlatform(folder_));
    if (QFileInfo(folder).isDir())
        wanted << folder;
    const QStringList watched = watcher_.files() + watcher_.directories();
    QStringList stale;
    for (const QString& p : watched) {
        if (!wanted.contains(p))
            stale << p;
    }
    if (!stale.isEmpty())
        watcher_.removePaths(stale);
    for (const QString& p : wanted) {
        if (!watched.contains(p))
            watcher_.addPath(p);
    }
}

std::optional<std::vector<std::string>> FunctionCatalogs::Lines(int type) const
{
    const std::string_view name = FunctionCatalog::FileNameForType(type);
    if (name.empty())
        return std::vector<std::string>();
    const auto it = files_.find(std::string(name));
    if (it == files_.end())
        return std::nullopt;
    return it->second.lines;
}

const std::vector<std::string>* FunctionCatalogs::Entries(int type) const
{
    const auto it = byType_.find(type);
    if (it == byType_.end() || !it->second->lines)
        return nullptr;
    return &*it->second->lines;
}

void FunctionCatalogs::FillCheckOptions(SetCheck::Options& options) const
{
    options.catalogs.clear();
    for (const auto& [name, file] : files_)
        options.catalogs.emplace(name, SetCheck::Catalog{file.path, file.lines ? long(file.lines->size()) : -1});
}

} // namespace tavlora
