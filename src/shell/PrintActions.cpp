#include "PrintActions.h"

#include "core/AtomicFile.h"
#include "document/CTavloraDoc.h"
#include "document/DocumentFile.h"
#include "document/Prompter.h"
#include "widgets/ScreenPages.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWidget>

#include <algorithm>
#include <string>
#include <string_view>

namespace tavlora {

namespace {

QAction* MakeAction(QObject* owner, const char* id, const QString& text)
{
    auto* action = new QAction(text, owner);
    action->setObjectName(QString::fromLatin1(id));
    return action;
}

void PrepareForScreen(QPrinter& printer, const QString& docName, QSize screenSize)
{
    printer.setDocName(docName);
    printer.setPageOrientation(ScreenPages::OrientationFor(screenSize));
}

} // namespace

PrintActions::PrintActions(DocumentFile& file, Prompter& prompter, QWidget* parent)
    : QObject(parent), file_(file), doc_(file.Document()), prompter_(prompter), dialogParent_(parent)
{
    print_ = MakeAction(this, "ID_FILE_PRINT", tr("&Print..."));
    print_->setShortcut(QKeySequence::Print);
    print_->setStatusTip(tr("Print the current screen or every used screen"));
    connect(print_, &QAction::triggered, this, &PrintActions::Print);

    preview_ = MakeAction(this, "ID_FILE_PRINT_PREVIEW", tr("Print Pre&view"));
    preview_->setStatusTip(tr("Show the printed pages"));
    connect(preview_, &QAction::triggered, this, &PrintActions::PrintPreview);

    exportPdf_ = MakeAction(this, "ID_FILE_EXPORT_PDF", tr("E&xport PDF..."));
    exportPdf_->setStatusTip(tr("Write the current screen or every used screen to a PDF file"));
    connect(exportPdf_, &QAction::triggered, this, &PrintActions::ExportPdf);
}

QList<QAction*> PrintActions::Actions() const
{
    return {print_, preview_, exportPdf_};
}

QString PrintActions::FileName() const
{
    return file_.PathName().isEmpty() ? file_.Title() : QFileInfo(file_.PathName()).fileName();
}

QString PrintActions::SuggestedPdfPath() const
{
    if (file_.PathName().isEmpty())
        return file_.Title() + QStringLiteral(".pdf");
    const QFileInfo info(file_.PathName());
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".pdf"));
}

std::vector<int> PrintActions::Screens(PrintScope scope) const
{
    return ScreenPages::Screens(doc_.Set(), scope, doc_.CurrentScreen());
}

std::optional<PrintScope> PrintActions::AskScope()
{
    return prompter_.AskPrintScope(doc_.CurrentScreen(), int(ScreenPages::UsedScreens(doc_.Set()).size()));
}

bool PrintActions::PaintScreens(QPagedPaintDevice& device, const std::vector<int>& screens)
{
    const ScreenPages pages(doc_.Set(), doc_.Context(), doc_.ScreenSize(), FileName());
    if (pages.Paint(device, screens))
        return true;
    prompter_.ShowError(tr("The screens of %1 could not be printed.").arg(FileName()));
    return false;
}

bool PrintActions::PrintTo(QPagedPaintDevice& device, PrintScope scope)
{
    return PaintScreens(device, Screens(scope));
}

bool PrintActions::WritePdf(const QString& path, PrintScope scope)
{
    const ScreenPages pages(doc_.Set(), doc_.Context(), doc_.ScreenSize(), FileName());
    const QByteArray pdf = pages.Pdf(Screens(scope), FileName());
    const QString shown = QDir::toNativeSeparators(path);
    if (pdf.isEmpty()) {
        prompter_.ShowError(tr("The PDF document for %1 could not be made; nothing was written.").arg(shown));
        return false;
    }
    std::string error;
    if (!AtomicFile::WriteAll(path.toStdString(), std::string_view(pdf.constData(), size_t(pdf.size())), error)) {
        prompter_.ShowError(tr("The PDF was not written to %1.\n\n%2").arg(shown, QString::fromStdString(error)));
        return false;
    }
    return true;
}

void PrintActions::Print()
{
    const std::optional<PrintScope> scope = AskScope();
    if (!scope)
        return;
    std::vector<int> screens = Screens(*scope);
    QPrinter printer(QPrinter::HighResolution);
    PrepareForScreen(printer, FileName(), doc_.ScreenSize());
    QPrintDialog dialog(&printer, dialogParent_.data());
    dialog.setWindowTitle(tr("Print"));
    dialog.setMinMax(1, int(screens.size()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        const int from = std::min(printer.fromPage(), int(screens.size()));
        const int to = std::clamp(printer.toPage() > 0 ? printer.toPage() : from, from, int(screens.size()));
        screens = std::vector<int>(screens.begin() + (from - 1), screens.begin() + to);
    }
    PaintScreens(printer, screens);
}

void PrintActions::PrintPreview()
{
    const std::optional<PrintScope> scope = AskScope();
    if (!scope)
        return;
    QPrinter printer(QPrinter::HighResolution);
    PrepareForScreen(printer, FileName(), doc_.ScreenSize());
    QPrintPreviewDialog dialog(&printer, dialogParent_.data());
    dialog.setWindowTitle(tr("Print Preview"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this, scope](QPrinter* target) { PrintTo(*target, *scope); });
    dialog.exec();
}

void PrintActions::ExportPdf()
{
    const QString path = prompter_.ChoosePdfPath(SuggestedPdfPath());
    if (path.isEmpty())
        return;
    const std::optional<PrintScope> scope = AskScope();
    if (!scope)
        return;
    WritePdf(path, *scope);
}

} // namespace tavlora
