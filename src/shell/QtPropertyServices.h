#pragma once

#include "properties/PropertyServices.h"

namespace tavlora {

class FunctionCatalogs;

// The property forms' services as the designer's dialogs: catalogs from the
// current Vorn3 folder, the image chooser (with a preview, remembering its
// folder and filter in the application's settings), the hot-key capture and
// message boxes.
class QtPropertyServices : public PropertyServices {
public:
    explicit QtPropertyServices(FunctionCatalogs& catalogs) : catalogs_(catalogs) {}

    // The image chooser's filters, in order.
    static const char* const kImageFilters[5];

    std::optional<std::vector<std::string>> Catalog(int type) override;
    ImageChoice ChooseImage(QWidget* parent) override;
    int CaptureHotKey(QWidget* parent) override;
    void Message(QWidget* parent, const QString& text, bool stop) override;

private:
    FunctionCatalogs& catalogs_;
};

} // namespace tavlora
