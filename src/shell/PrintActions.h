#pragma once

#include "core/PrintScope.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>
#include <vector>

class QAction;
class QPagedPaintDevice;
class QWidget;

namespace tavlora {

class CTavloraDoc;
class DocumentFile;
class Prompter;

// Print, Print Preview and Export PDF of the document's screens: each asks
// for the scope (the current screen or every used screen, one per page) and
// paints through ScreenPages. The printer dialogs run here, the questions
// through the prompter. An export replaces its file whole or leaves it as it
// was, with a message.
class PrintActions : public QObject {
    Q_OBJECT
public:
    // `parent` also parents the dialogs.
    PrintActions(DocumentFile& file, Prompter& prompter, QWidget* parent = nullptr);

    // ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_EXPORT_PDF, in menu order.
    QList<QAction*> Actions() const;

    // The document's path with ".pdf" for its extension, or "<title>.pdf".
    QString SuggestedPdfPath() const;
    // Paints the scope's pages on a printer or PDF writer; false after a message.
    bool PrintTo(QPagedPaintDevice& device, PrintScope scope);
    // Writes the scope's pages to a PDF file; false after a message.
    bool WritePdf(const QString& path, PrintScope scope);

public slots:
    void Print();
    void PrintPreview();
    void ExportPdf();

private:
    std::optional<PrintScope> AskScope();
    std::vector<int> Screens(PrintScope scope) const;
    bool PaintScreens(QPagedPaintDevice& device, const std::vector<int>& screens);
    QString FileName() const;

    DocumentFile& file_;
    CTavloraDoc& doc_;
    Prompter& prompter_;
    QPointer<QWidget> dialogParent_;
    QAction* print_;
    QAction* preview_;
    QAction* exportPdf_;
};

} // namespace tavlora
