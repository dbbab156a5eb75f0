#pragma once

#include "document/Prompter.h"
#include "properties/PropertyServices.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

namespace tavlora {

// The prompts as the designer's dialogs, owned by a parent window.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    std::optional<QSize> AskScreenSize() override;
    QString AskPassword() override;
    bool AskReload(bool discardsEdits) override;
    SaveConflict AskSaveConflict(const QString& message, bool canReplace) override;
    bool AskRestore(const QString& message) override;
    SaveChoice AskSaveChanges(const QString& title) override;
    void ShowError(const QString& message) override;
    void ShowWarning(const QString& message) override;
    std::optional<ControlForm> AskControlProperties(const ControlForm& form) override;
    std::optional<ColourAnswer> AskColours(const ColourSet& colours) override;
    // What Setup Control asks of the world (catalogs, pictures, hot keys).
    void SetServices(PropertyServices* services) { services_ = services; }
    QString ChooseOpenPath(const QString& filter) override;
    QString ChooseSavePath(const QString& filter, const QString& suggestedName) override;
    std::optional<QString> ChooseFolder(const QString& initialFolder) override;
    GridAnswer AskGrid(double granularity, bool on) override;
    std::optional<int> AskPage(int currentScreen) override;
    std::optional<int> AskScreenNumber(const QString& title, int current) override;
    std::optional<PrintScope> AskPrintScope(int currentScreen, int usedScreens) override;
    QString ChoosePdfPath(const QString& suggested) override;
    std::optional<QString> AskText(const QString& title, const QString& label, const QString& text) override;
    bool AskConfirm(const QString& question) override;

    // The screens that hold controls, marked in "Jump to Page....".
    void SetUsedScreens(std::function<std::vector<int>()> usedScreens) { usedScreens_ = std::move(usedScreens); }

private:
    QWidget* Parent() const { return parent_.data(); }

    QPointer<QWidget> parent_;
    PropertyServices* services_ = nullptr;
    QString lastFolder_;
    std::function<std::vector<int>()> usedScreens_;
};

} // namespace tavlora
