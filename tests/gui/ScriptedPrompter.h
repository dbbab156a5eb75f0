#pragma once

#include "document/Prompter.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace tavlora {

// Answers every prompt from a script and counts the questions.
class ScriptedPrompter : public Prompter {
public:
    std::optional<QSize> screenSize = QSize(800, 600);
    QStringList passwords;           // answers in order; empty text when exhausted
    QList<bool> reloadAnswers;       // answers in order; `reloadDefault` when exhausted
    bool reloadDefault = false;
    QList<bool> reloadDiscardsShown; // what each reload question said about unsaved edits
    QList<SaveConflict> conflictAnswers; // answers in order; Cancel when exhausted
    QStringList conflictMessages;
    bool restoreAnswer = true;
    QStringList restoreMessages;
    SaveChoice saveChoice = SaveChoice::Discard;
    QString openPath;
    QString savePath;
    std::optional<QString> folder;
    GridAnswer grid;
    std::optional<int> page;
    std::optional<int> screenNumber; // answer of AskScreenNumber
    std::function<void()> duringPassword;
    // "Setup Control": changes the form as the user would; returning false cancels.
    std::function<bool(ControlForm&)> properties;
    std::optional<ColourAnswer> colours;
    std::optional<PrintScope> printScope = PrintScope::CurrentScreen;
    QString pdfPath;
    QStringList texts;               // answers of AskText in order; cancelled when exhausted
    bool confirmAnswer = false;

    int screenSizeAsked = 0;
    int passwordAsked = 0;
    int reloadAsked = 0;
    int saveAsked = 0;
    int openAsked = 0;
    int saveAsAsked = 0;
    int folderAsked = 0;
    int gridAsked = 0;
    int pageAsked = 0;
    int propertiesAsked = 0;
    int coloursAsked = 0;
    int printScopeAsked = 0;
    int pdfPathAsked = 0;
    QStringList errors;
    QStringList warnings;
    ControlForm lastForm;
    QString lastSuggestedName;
    double gridShown = 0;
    bool gridOnShown = false;
    int pageShown = -1;
    int screenNumberAsked = 0;
    QString screenNumberTitle;
    int screenNumberShown = -1;
    int printScreenShown = -1;
    int usedScreensShown = -1;
    QString pdfSuggested;

    std::optional<QSize> AskScreenSize() override
    {
        ++screenSizeAsked;
        return screenSize;
    }
    QString AskPassword() override
    {
        ++passwordAsked;
        if (duringPassword)
            duringPassword();
        return passwords.isEmpty() ? QString() : passwords.takeFirst();
    }
    bool AskReload(bool discardsEdits) override
    {
        ++reloadAsked;
        reloadDiscardsShown.append(discardsEdits);
        return reloadAnswers.isEmpty() ? reloadDefault : reloadAnswers.takeFirst();
    }
    SaveConflict AskSaveConflict(const QString& message, bool) override
    {
        conflictMessages.append(message);
        return conflictAnswers.isEmpty() ? SaveConflict::Cancel : conflictAnswers.takeFirst();
    }
    bool AskRestore(const QString& message) override
    {
        restoreMessages.append(message);
        return restoreAnswer;
    }
    SaveChoice AskSaveChanges(const QString&) override
    {
        ++saveAsked;
        return saveChoice;
    }
    void ShowError(const QString& message) override { errors.append(message); }
    void ShowWarning(const QString& message) override { warnings.append(message); }
    std::optional<ControlForm> AskControlProperties(const ControlForm& form) override
    {
        ++propertiesAsked;
        lastForm = form;
        ControlForm answer = form;
        if (!properties || !properties(answer))
            return std::nullopt;
        return answer;
    }
    std::optional<ColourAnswer> AskColours(const ColourSet&) override
    {
        ++coloursAsked;
        return colours;
    }
    QString ChooseOpenPath(const QString&) override
    {
        ++openAsked;
        return openPath;
    }
    QString ChooseSavePath(const QString&, const QString& suggestedName) override
    {
        ++saveAsAsked;
        lastSuggestedName = suggestedName;
        return savePath;
    }
    std::optional<QString> ChooseFolder(const QString&) override
    {
        ++folderAsked;
        return folder;
    }
    GridAnswer AskGrid(double granularity, bool on) override
    {
        ++gridAsked;
        gridShown = granularity;
        gridOnShown = on;
        return grid;
    }
    std::optional<int> AskPage(int currentScreen) override
    {
        ++pageAsked;
        pageShown = currentScreen;
        return page;
    }
    std::optional<int> AskScreenNumber(const QString& title, int current) override
    {
        ++screenNumberAsked;
        screenNumberTitle = title;
        screenNumberShown = current;
        return screenNumber;
    }
    std::optional<PrintScope> AskPrintScope(int currentScreen, int usedScreens) override
    {
        ++printScopeAsked;
        printScreenShown = currentScreen;
        usedScreensShown = usedScreens;
        return printScope;
    }
    QString ChoosePdfPath(const QString& suggested) override
    {
        ++pdfPathAsked;
        pdfSuggested = suggested;
        return pdfPath;
    }
    std::optional<QString> AskText(const QString&, const QString&, const QString&) override
    {
        return texts.isEmpty() ? std::nullopt : std::optional<QString>(texts.takeFirst());
    }
    bool AskConfirm(const QString&) override { return confirmAnswer; }
};

} // namespace tavlora
