#include "QtPrompter.h"
#include "core/ScreenVisibility.h"

#include "properties/ColourPicker.h"
#include "properties/SetupControl.h"

#include "CMultiFileDialog.h"
#include "document/Password.h"
#include "document/Reload.h"
#include "view/GridGran.h"
#include "view/PageCon.h"
#include "view/ScreenSize.h"
#include "widgets/ScreenPages.h"

#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace tavlora {

namespace {
const QString kTitle = QStringLiteral("Tavlora");
}

std::optional<QSize> QtPrompter::AskScreenSize()
{
    QSize desktop(1024, 768);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        desktop = screen->size();
    ScreenSize dialog(desktop, Parent());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Result();
}

QString QtPrompter::AskPassword()
{
    Password dialog(Parent());
    dialog.exec();
    return dialog.Text();
}

bool QtPrompter::AskReload(bool discardsEdits)
{
    Reload dialog(discardsEdits, Parent());
    return dialog.exec() == QDialog::Accepted;
}

Prompter::SaveConflict QtPrompter::AskSaveConflict(const QString& message, bool canReplace)
{
    QMessageBox box(QMessageBox::Warning, kTitle, message, QMessageBox::Cancel, Parent());
    QPushButton* replace = canReplace ? box.addButton(QObject::tr("&Replace"), QMessageBox::DestructiveRole) : nullptr;
    QPushButton* saveAs = box.addButton(QObject::tr("Save &As..."), QMessageBox::AcceptRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    if (replace && box.clickedButton() == replace)
        return SaveConflict::Replace;
    if (box.clickedButton() == saveAs)
        return SaveConflict::SaveAs;
    return SaveConflict::Cancel;
}

bool QtPrompter::AskRestore(const QString& message)
{
    return QMessageBox::question(Parent(), kTitle, message, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        == QMessageBox::Yes;
}

Prompter::SaveChoice QtPrompter::AskSaveChanges(const QString& title)
{
    const auto answer = QMessageBox::warning(Parent(), kTitle, QObject::tr("Save changes to %1?").arg(title),
                                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                             QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        return SaveChoice::Save;
    if (answer == QMessageBox::No)
        return SaveChoice::Discard;
    return SaveChoice::Cancel;
}

void QtPrompter::ShowError(const QString& message)
{
    QMessageBox::warning(Parent(), kTitle, message);
}

void QtPrompter::ShowWarning(const QString& message)
{
    QMessageBox::warning(Parent(), kTitle, message);
}

std::optional<ControlForm> QtPrompter::AskControlProperties(const ControlForm& form)
{
    if (!services_)
        return std::nullopt;
    SetupControl dialog(form, *services_, Parent());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Form();
}

std::optional<Prompter::ColourAnswer> QtPrompter::AskColours(const ColourSet& colours)
{
    ColourPicker dialog(colours, Parent());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return ColourAnswer{dialog.Colours(), dialog.MakeDefaults()};
}

QString QtPrompter::ChooseOpenPath(const QString& filter)
{
    CMultiFileDialog dialog(true, QStringLiteral("set"), QString(), {filter}, Parent());
    dialog.setWindowTitle(QObject::tr("Open"));
    if (!lastFolder_.isEmpty())
        dialog.setDirectory(lastFolder_);
    const QString path = dialog.Run();
    if (!path.isEmpty())
        lastFolder_ = QFileInfo(path).absolutePath();
    return path;
}

QString QtPrompter::ChooseSavePath(const QString& filter, const QString& suggestedName)
{
    CMultiFileDialog dialog(false, QStringLiteral("set"), suggestedName, {filter}, Parent());
    dialog.setWindowTitle(QObject::tr("Save As"));
    if (!QFileInfo(suggestedName).isAbsolute() && !lastFolder_.isEmpty())
        dialog.setDirectory(lastFolder_);
    const QString path = dialog.Run();
    if (!path.isEmpty())
        lastFolder_ = QFileInfo(path).absolutePath();
    return path;
}

std::optional<QString> QtPrompter::ChooseFolder(const QString& initialFolder)
{
    CMultiFileDialog dialog(true, QString(), QString(),
                            {QStringLiteral("Mill Files (*.set)"), QStringLiteral("Mill Simple Sets (*.sset)"),
                             QStringLiteral("Turn Files (*.lset)")},
                            Parent());
    dialog.setWindowTitle(QObject::tr("Vorn Location"));
    dialog.ChooseFolders();
    if (QFileInfo(initialFolder).isDir())
        dialog.setDirectory(initialFolder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

Prompter::GridAnswer QtPrompter::AskGrid(double granularity, bool on)
{
    GridGran dialog(granularity, on, Parent());
    const bool accepted = dialog.exec() == QDialog::Accepted;
    return {accepted, dialog.Granularity(), dialog.GridOn()};
}

std::optional<int> QtPrompter::AskPage(int currentScreen)
{
    PageCon dialog(currentScreen, Parent());
    if (usedScreens_)
        dialog.MarkUsed(usedScreens_());
    dialog.exec();
    return dialog.Chosen();
}

std::optional<int> QtPrompter::AskScreenNumber(const QString& title, int current)
{
    bool ok = false;
    const int screen = QInputDialog::getInt(Parent(), title,
                                            QObject::tr("Screen number (0 persistent, 50 TAB):"),
                                            current, 0, ScreenVisibility::kScreenCount - 1, 1, &ok);
    if (!ok)
        return std::nullopt;
    return screen;
}

std::optional<PrintScope> QtPrompter::AskPrintScope(int currentScreen, int usedScreens)
{
    QMessageBox box(QMessageBox::Question, kTitle, QObject::tr("Which screens?"), QMessageBox::Cancel, Parent());
    QPushButton* current = box.addButton(
        QObject::tr("Current Screen (%1)").arg(ScreenPages::ScreenName(currentScreen)), QMessageBox::AcceptRole);
    QPushButton* used = box.addButton(
        usedScreens == 1 ? QObject::tr("All Used Screens (1 page)")
                         : QObject::tr("All Used Screens (%1 pages)").arg(usedScreens),
        QMessageBox::AcceptRole);
    box.setDefaultButton(current);
    box.exec();
    if (box.clickedButton() == current)
        return PrintScope::CurrentScreen;
    if (box.clickedButton() == used)
        return PrintScope::UsedScreens;
    return std::nullopt;
}

QString QtPrompter::ChoosePdfPath(const QString& suggested)
{
    CMultiFileDialog dialog(false, QStringLiteral("pdf"), suggested, {QStringLiteral("PDF Files (*.pdf)")}, Parent());
    dialog.setWindowTitle(QObject::tr("Export PDF"));
    if (!QFileInfo(suggested).isAbsolute() && !lastFolder_.isEmpty())
        dialog.setDirectory(lastFolder_);
    const QString path = dialog.Run();
    if (!path.isEmpty())
        lastFolder_ = QFileInfo(path).absolutePath();
    return path;
}

std::optional<QString> QtPrompter::AskText(const QString& title, const QString& label, const QString& text)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(Parent(), title, label, QLineEdit::Normal, text, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

bool QtPrompter::AskConfirm(const QString& question)
{
    return QMessageBox::question(Parent(), kTitle, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

} // namespace tavlora
