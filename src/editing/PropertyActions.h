#pragma once

#include "core/Point.h"

#include <QObject>

namespace tavlora {

class CTavloraDoc;
class ControlRecord;
class Prompter;
class SettingsProfile;

// The property edits of the design view: "Setup Control" for the control
// under a double-click or right-click, the duplicate hot-key warning after it,
// and "Color Definitions". A change is one undo step; OK that changes nothing
// and Cancel push nothing.
class PropertyActions : public QObject {
    Q_OBJECT
public:
    PropertyActions(CTavloraDoc& doc, Prompter& prompter, SettingsProfile& profile, QObject* parent = nullptr);

public slots:
    // Nothing while more than one control is selected; otherwise the selection
    // is emptied and the smallest control holding the point is edited.
    void EditAt(tavlora::Point designPoint);
    void Edit(const tavlora::ControlRecord* record);
    void EditColours();

private:
    CTavloraDoc& doc_;
    Prompter& prompter_;
    SettingsProfile& profile_;
};

} // namespace tavlora
