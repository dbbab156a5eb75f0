#include "PreviewScreens.h"

#include "ScreenVisibility.h"

namespace tavlora {

PreviewScreens::PreviewScreens(int32_t start) : shown_(start) {}

bool PreviewScreens::OnTab() const
{
    return shown_ == ScreenVisibility::kTabScreen;
}

void PreviewScreens::Jump(int32_t screen)
{
    if (screen == ScreenVisibility::kTabScreen && !OnTab())
        beforeTab_ = shown_;
    shown_ = screen;
}

void PreviewScreens::ToggleTab()
{
    if (OnTab()) {
        shown_ = beforeTab_;
    } else {
        beforeTab_ = shown_;
        shown_ = ScreenVisibility::kTabScreen;
    }
}

} // namespace tavlora
