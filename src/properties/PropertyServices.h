#pragma once

#include <QString>

#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace tavlora {

// What the property forms ask of the world: the function catalogs, the image
// chooser, the hot-key capture and message boxes. The designer answers with
// its dialogs; tests answer from a script.
class PropertyServices {
public:
    struct ImageChoice {
        enum Result { Cancelled, Refused, Chosen };
        Result result = Cancelled;
        std::string name; // relative to the Bitmaps folder, backslashes as stored
    };

    virtual ~PropertyServices() = default;

    // The catalog lines of a control type (empty for types without a catalog);
    // nothing when the catalog cannot be read.
    virtual std::optional<std::vector<std::string>> Catalog(int type) = 0;
    virtual ImageChoice ChooseImage(QWidget* parent) = 0;
    // The captured hot-key code; 0 when closed without a key.
    virtual int CaptureHotKey(QWidget* parent) = 0;
    // A message box with the application's name; `stop` shows the stop icon.
    virtual void Message(QWidget* parent, const QString& text, bool stop) = 0;
};

} // namespace tavlora
