#pragma once

#include <QObject>

namespace tavlora {

class CTavloraDoc;
class CTavloraView;
class Prompter;
class SettingsProfile;

// The View commands that ask the user something: "Jump to Page...." and
// "Grid Granularity". The view itself runs no dialogs.
class ViewActions : public QObject {
    Q_OBJECT
public:
    ViewActions(CTavloraDoc& doc, CTavloraView& view, Prompter& prompter, SettingsProfile& profile,
                QObject* parent = nullptr);

public slots:
    void PageJump();
    // The dialog's values apply however it closed; only OK stores them.
    void GridGranularity();

private:
    CTavloraDoc& doc_;
    CTavloraView& view_;
    Prompter& prompter_;
    SettingsProfile& profile_;
};

} // namespace tavlora
