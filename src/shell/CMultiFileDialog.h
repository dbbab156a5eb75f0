#pragma once

#include <QFileDialog>
#include <QStringList>

#include <functional>

namespace tavlora {

// File dialog that completes a typed name without extension from the patterns
// of the selected filter ("Start" becomes "Start.bmp" when that file exists).
// Filters are shown exactly as given; their patterns may be separated by ";",
// "," or blanks.
class CMultiFileDialog : public QFileDialog {
    Q_OBJECT
public:
    enum class NameCheck {
        Accept,          // the name stands as typed
        AcceptCompleted, // an extension was appended
        Refuse,          // the dialog stays open, without a message
        RefuseNotFound,  // the dialog stays open with a not-found message
    };

    struct NameCheckOptions {
        bool saveDialog = false;
        bool multiSelect = false;
        bool hasDefaultExtension = false;
        bool retry = false;
    };

    // The name check, free of any dialog: `path` is the full confirmed name,
    // `patterns` those of the selected filter, `exists` tests a path. On
    // AcceptCompleted, `path` receives the completed name.
    static NameCheck CheckName(QString& path, const QStringList& patterns, const NameCheckOptions& options,
                               const std::function<bool(const QString&)>& exists);

    // The patterns of a filter: "BMP Files (*.bmp;*.bmp)" gives *.bmp, *.bmp.
    static QStringList FilterPatterns(const QString& filter);

    // openDialog false makes a save dialog. `filters` are the descriptions with
    // their patterns, in order.
    CMultiFileDialog(bool openDialog, const QString& defaultExtension, const QString& fileName,
                     const QStringList& filters, QWidget* parent = nullptr);

    // Refuse, with the not-found message, a name that cannot be completed.
    int retry = 0;

    // Makes the dialog choose a folder while its filters keep showing the
    // matching files.
    void ChooseFolders();

    // Runs the dialog until a name passes the check; the chosen path, or empty
    // when cancelled.
    QString Run();

    QString SelectedFilterPatternsText() const;

private:
    void ApplyPatterns();

    bool openDialog_;
    QString defaultExtension_;
    QStringList filters_;
};

} // namespace tavlora
