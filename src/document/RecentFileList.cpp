#include "RecentFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace tavlora {

namespace {
const char* const kGroup = "Recent File List";
constexpr int kMenuPathLength = 60;
}

RecentFileList::RecentFileList(int size) : size_(size > 0 ? size : 1) {}

void RecentFileList::Load()
{
    QSettings settings(QStringLiteral("Tavlora"), QStringLiteral("Tavlora"));
    settings.beginGroup(QString::fromLatin1(kGroup));
    paths_.clear();
    for (int i = 1; i <= size_; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty() && IndexOf(path) < 0)
            paths_.append(path);
    }
}

void RecentFileList::Save() const
{
    QSettings settings(QStringLiteral("Tavlora"), QStringLiteral("Tavlora"));
    settings.beginGroup(QString::fromLatin1(kGroup));
    for (int i = 1; i <= size_; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= paths_.size())
            settings.setValue(key, paths_.at(i - 1));
        else
            settings.remove(key);
    }
}

int RecentFileList::IndexOf(const QString& path) const
{
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    const QString clean = QDir::cleanPath(path);
    for (int i = 0; i < paths_.size(); ++i) {
        if (QDir::cleanPath(paths_.at(i)).compare(clean, cs) == 0)
            return i;
    }
    return -1;
}

void RecentFileList::Add(const QString& path)
{
    if (path.isEmpty())
        return;
    const int at = IndexOf(path);
    if (at >= 0)
        paths_.removeAt(at);
    paths_.prepend(QDir::cleanPath(path));
    while (paths_.size() > size_)
        paths_.removeLast();
}

void RecentFileList::Remove(const QString& path)
{
    const int at = IndexOf(path);
    if (at >= 0)
        paths_.removeAt(at);
}

QString RecentFileList::MenuText(int index) const
{
    if (index < 0 || index >= paths_.size())
        return {};
    QString shown = QDir::toNativeSeparators(paths_.at(index));
    if (shown.size() > kMenuPathLength) {
        const QFileInfo info(paths_.at(index));
        const QString name = info.fileName();
        const QString sep = QDir::separator();
        const int keep = kMenuPathLength - int(name.size()) - 4;
        shown = keep > 3 ? shown.left(keep) + QStringLiteral("...") + sep + name
                         : QStringLiteral("...") + sep + name;
    }
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

} // namespace tavlora
