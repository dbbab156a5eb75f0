#pragma once

#include <cstdint>

namespace tavlora {

// The screen a preview shows: changed by screen jumps, and by the TAB control
// as in the designer (to the TAB screen and back to the screen it was called from).
class PreviewScreens {
public:
    explicit PreviewScreens(int32_t start);

    int32_t Shown() const { return shown_; }
    bool OnTab() const;
    // A jump to the TAB screen, too, goes back where it came from.
    void Jump(int32_t screen);
    void ToggleTab();

private:
    int32_t shown_;
    int32_t beforeTab_ = 1;
};

} // namespace tavlora
