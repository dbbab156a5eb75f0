#pragma once

#include "core/ColourSet.h"
#include "core/ControlForm.h"
#include "core/PrintScope.h"

#include <QSize>
#include <QString>

#include <optional>

namespace tavlora {

// Every question the document and the view put to the user. The designer runs
// the real dialogs; tests answer from a script.
class Prompter {
public:
    enum class SaveChoice { Save, Discard, Cancel };
    // What Save does with a file it should not simply replace.
    enum class SaveConflict { Replace, SaveAs, Cancel };

    struct ColourAnswer {
        ColourSet colours;
        bool makeDefaults = false; // "Make these colour my startup defaults"
    };

    struct GridAnswer {
        bool accepted = false;   // closed with OK
        double granularity = 1;  // what the numeric box holds when it closed
        bool on = false;         // the "Grid ON" box when it closed
    };

    virtual ~Prompter() = default;

    // "Desired Screen Size"; nothing when closed without OK.
    virtual std::optional<QSize> AskScreenSize() = 0;
    // "Enter Password"; the text typed, or an empty text when closed without OK.
    virtual QString AskPassword() = 0;
    // The outside-change question; true for "Yes". With unsaved edits the
    // question says that they will be lost, and "No" is the default.
    virtual bool AskReload(bool discardsEdits) = 0;
    // Save meets a file it should not simply replace; `message` says why.
    // "Replace" is offered only when `canReplace`; Cancel is the default.
    virtual SaveConflict AskSaveConflict(const QString& message, bool canReplace) = 0;
    // A copy of unsaved edits left by a run that ended without saving them;
    // true restores it (the default).
    virtual bool AskRestore(const QString& message) = 0;
    // Save the modified document called `title` before it is discarded?
    virtual SaveChoice AskSaveChanges(const QString& title) = 0;
    virtual void ShowError(const QString& message) = 0;
    // A warning that changes nothing (a duplicate hot key).
    virtual void ShowWarning(const QString& message) = 0;
    // "Setup Control" for a form; the form as OK left it, or nothing on Cancel.
    virtual std::optional<ControlForm> AskControlProperties(const ControlForm& form) = 0;
    // "Color Definitions"; nothing on Cancel.
    virtual std::optional<ColourAnswer> AskColours(const ColourSet& colours) = 0;
    // File dialogs; an empty result means cancelled.
    virtual QString ChooseOpenPath(const QString& filter) = 0;
    virtual QString ChooseSavePath(const QString& filter, const QString& suggestedName) = 0;
    // "Vorn Location" folder chooser.
    virtual std::optional<QString> ChooseFolder(const QString& initialFolder) = 0;
    // "Grid Granularity", opened showing the given values.
    virtual GridAnswer AskGrid(double granularity, bool on) = 0;
    // "Jump to Page...."; the chosen screen, or nothing when no choice was made.
    virtual std::optional<int> AskPage(int currentScreen) = 0;
    // A screen number for a screen command (copy or move a screen's controls),
    // offered starting at `current`; nothing when cancelled.
    virtual std::optional<int> AskScreenNumber(const QString& title, int current) = 0;
    // Print or export the current screen or every used screen (`usedScreens`
    // pages); nothing on Cancel.
    virtual std::optional<PrintScope> AskPrintScope(int currentScreen, int usedScreens) = 0;
    // "Export PDF" file dialog showing `suggested`; an empty result means cancelled.
    virtual QString ChoosePdfPath(const QString& suggested) = 0;
    // A line of text (a name), offered starting with `text`; nothing when cancelled.
    virtual std::optional<QString> AskText(const QString& title, const QString& label, const QString& text) = 0;
    // A yes-or-no question; "No" is the default.
    virtual bool AskConfirm(const QString& question) = 0;
};

} // namespace tavlora
