#include "ControlTypes.h"

#include "ControlForm.h"
#include "ControlTools.h"
#include "ControlType.h"

#include <algorithm>
#include <array>

namespace tavlora {

namespace {

constexpr unsigned Bit(ControlForm::Item item)
{
    return 1u << item;
}

constexpr unsigned kScreenAndLock = Bit(ControlForm::ScreenAndLock);
constexpr unsigned kButtonItems = Bit(ControlForm::SystemAndOem) | Bit(ControlForm::GCodeAndScript)
    | Bit(ControlForm::HotKeyItems) | kScreenAndLock;
constexpr unsigned kAllItems = ~0u;

using D = DefaultSizes;
using T = ControlTypes;

constexpr std::array<T::Facts, 11> kFacts = {{
    {TypeDro, " DRO Control", "DRO", T::DroWidget, false, false, ControlTools::Dro, 0, "DRO", "work-dro", D::DROX, D::DROY,
     Bit(ControlForm::SkinnedBox) | Bit(ControlForm::SystemAndOem) | Bit(ControlForm::HotKeyItems)
         | Bit(ControlForm::FormatBox) | Bit(ControlForm::TabGroupBox) | Bit(ControlForm::ImageItems)
         | kScreenAndLock},
    {TypeObsolete, " Obsolete Control", "Obsolete Control", T::NoWidget, false, false, 0, -1, {}, {}, D::Count, D::Count, 0},
    {TypeImage, " Bitmap or Image Control", "Image", T::PictureWidget, false, false, ControlTools::Image, 3, "IMAGE",
     "work-image", D::BX, D::BY, Bit(ControlForm::ImageItems) | kScreenAndLock},
    {TypeButton, " Button Control", "Button", T::ButtonWidget, false, false, ControlTools::Button, 1, "BUTTON", "work-button",
     D::PBX, D::PBY, kButtonItems | Bit(ControlForm::TextBox)},
    {TypeOlderImage, {}, "Older Image Control", T::MissingPictureWidget, false, false, 0, -1, {}, {}, D::Count, D::Count,
     kAllItems},
    {TypeLed, " LED Control", "LED", T::LedWidget, false, false, ControlTools::Led, 5, "LED", "work-led", D::LEDX, D::LEDY,
     Bit(ControlForm::SystemAndOem) | Bit(ControlForm::ImageItems) | Bit(ControlForm::LedColourList)
         | kScreenAndLock},
    {TypeLabel, "Label Control", "Label", T::LabelWidget, false, false, ControlTools::Label, 4, "LABEL", "work-label", D::LX,
     D::LY, Bit(ControlForm::TextBox) | kScreenAndLock},
    {TypeImageButton, " Image Button", "Image Button", T::ImageButtonWidget, true, false, ControlTools::ImageButton, 2,
     "IMAGE BUTTON", "work-image-button", D::PBX, D::PBY,
     kButtonItems | Bit(ControlForm::TabGroupBox) | Bit(ControlForm::ImageItems)},
    {TypeMdi, " MDI Control", "MDI Line", T::MdiWidget, false, false, ControlTools::Mdi, 6, "MDI LINE", "work-mdi", D::MDIX,
     D::MDIY, kScreenAndLock},
    {TypeGCodeList, "GCode Display", "G-code List", T::GCodeListWidget, false, true, ControlTools::GCodeList, 7, "GCODE LIST",
     "work-gcode", D::GCX, D::GCY, Bit(ControlForm::TabGroupBox) | Bit(ControlForm::LinesBox) | kScreenAndLock},
    {TypeToolPath, " ToolPath Display", "Tool Path", T::ToolPathWidget, false, true, ControlTools::ToolPath, 8, "TOOLPATH",
     "work-toolpath", D::TX, D::TY, Bit(ControlForm::TurningBox) | kScreenAndLock},
}};

} // namespace

std::span<const ControlTypes::Facts> ControlTypes::All()
{
    return kFacts;
}

const ControlTypes::Facts* ControlTypes::Of(int type)
{
    if (type < TypeDro || type > TypeToolPath)
        return nullptr;
    return &kFacts[size_t(type - TypeDro)];
}

std::vector<const ControlTypes::Facts*> ControlTypes::WorkBar()
{
    std::vector<const Facts*> entries;
    for (const Facts& f : kFacts) {
        if (f.barPosition >= 0)
            entries.push_back(&f);
    }
    std::sort(entries.begin(), entries.end(),
              [](const Facts* a, const Facts* b) { return a->barPosition < b->barPosition; });
    return entries;
}

const ControlTypes::Facts* ControlTypes::ForTool(int tool)
{
    if (tool <= 0)
        return nullptr;
    for (const Facts& f : kFacts) {
        if (f.tool == tool)
            return &f;
    }
    return nullptr;
}

bool ControlTypes::Shown(int type)
{
    const Facts* f = Of(type);
    return f && f->widget != NoWidget;
}

std::string_view ControlTypes::Title(int type)
{
    const Facts* f = Of(type);
    return f ? f->title : std::string_view();
}

} // namespace tavlora
