#include "CMultiFileDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QRegularExpression>

#include <algorithm>

namespace tavlora {

QStringList CMultiFileDialog::FilterPatterns(const QString& filter)
{
    QString inner = filter;
    const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
    const qsizetype close = filter.lastIndexOf(QLatin1Char(')'));
    if (open >= 0 && close > open)
        inner = filter.mid(open + 1, close - open - 1);
    static const QRegularExpression separators(QStringLiteral("[;,\\s]+"));
    return inner.split(separators, Qt::SkipEmptyParts);
}

CMultiFileDialog::NameCheck CMultiFileDialog::CheckName(QString& path, const QStringList& patterns,
                                                        const NameCheckOptions& options,
                                                        const std::function<bool(const QString&)>& exists)
{
    if (options.saveDialog || options.multiSelect || options.hasDefaultExtension)
        return NameCheck::Accept;
    if (exists(path))
        return NameCheck::Accept;

    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    if (dot > slash)
        return NameCheck::Refuse;

    for (const QString& pattern : patterns) {
        if (pattern.isEmpty())
            continue;
        const QString rest = pattern.mid(1);
        if (rest.isEmpty() || rest.contains(QLatin1Char('*')))
            continue;
        if (exists(path + rest)) {
            path += rest;
            return NameCheck::AcceptCompleted;
        }
    }
    return options.retry ? NameCheck::RefuseNotFound : NameCheck::Accept;
}

CMultiFileDialog::CMultiFileDialog(bool openDialog, const QString& defaultExtension, const QString& fileName,
                                   const QStringList& filters, QWidget* parent)
    : QFileDialog(parent), openDialog_(openDialog), defaultExtension_(defaultExtension), filters_(filters)
{
    setOption(QFileDialog::DontUseNativeDialog, true);
    setAcceptMode(openDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    if (openDialog)
        setFileMode(defaultExtension.isEmpty() ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    else
        setFileMode(QFileDialog::AnyFile);
    if (!defaultExtension.isEmpty())
        setDefaultSuffix(defaultExtension);
    if (!filters_.isEmpty())
        setNameFilters(filters_);

    // The dialog's own pattern parsing only knows blank-separated patterns.
    if (auto* types = findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
        connect(types, &QComboBox::activated, this, [this](int) { ApplyPatterns(); }, Qt::QueuedConnection);
    ApplyPatterns();

    if (!fileName.isEmpty()) {
        const QFileInfo info(fileName);
        if (info.isAbsolute())
            setDirectory(info.absolutePath());
        selectFile(info.fileName());
    }
}

void CMultiFileDialog::ChooseFolders()
{
    setFileMode(QFileDialog::Directory);
    setOption(QFileDialog::ShowDirsOnly, false);
    if (filters_.isEmpty())
        return;
    // The folder mode replaces the filter list with "Directories": put it back.
    setNameFilters(filters_);
    if (auto* types = findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
        types->setEnabled(true);
    ApplyPatterns();
}

QString CMultiFileDialog::SelectedFilterPatternsText() const
{
    return FilterPatterns(selectedNameFilter()).join(QLatin1Char(' '));
}

void CMultiFileDialog::ApplyPatterns()
{
    if (filters_.isEmpty())
        return;
    auto* model = findChild<QFileSystemModel*>();
    if (!model)
        return;
    model->setNameFilters(FilterPatterns(selectedNameFilter()));
}

QString CMultiFileDialog::Run()
{
    for (;;) {
        ApplyPatterns();
        if (exec() != QDialog::Accepted)
            return {};
        const QStringList files = selectedFiles();
        if (files.isEmpty())
            return {};
        QString path = files.first();
        NameCheckOptions options;
        options.saveDialog = !openDialog_;
        options.multiSelect = fileMode() == QFileDialog::ExistingFiles;
        options.hasDefaultExtension = !defaultExtension_.isEmpty();
        options.retry = retry != 0;
        const NameCheck check = CheckName(path, FilterPatterns(selectedNameFilter()), options,
                                          [](const QString& p) { return QFileInfo::exists(p); });
        switch (check) {
        case NameCheck::Accept:
        case NameCheck::AcceptCompleted:
            return path;
        case NameCheck::RefuseNotFound:
            QMessageBox::warning(this, windowTitle(),
                                 tr("%1\nFile not found.\nCheck the file name and try again.")
                                     .arg(QFileInfo(path).fileName()));
            break;
        case NameCheck::Refuse:
            break;
        }
        const QFileInfo info(path);
        setDirectory(info.absolutePath());
        selectFile(info.fileName());
    }
}

} // namespace tavlora
