#pragma once

#include "ScreenSet.h"

#include <vector>

namespace tavlora {

// Which widgets the design surface shows for the current screen.
class ScreenVisibility {
public:
    static constexpr int kPersistentScreen = 0;
    static constexpr int kTabScreen = 50;
    // Screens are numbered 0 to kScreenCount - 1; a screen jump goes below it.
    static constexpr int kScreenCount = 100;

    // True when a control of the given screen shows while `current` is designed.
    static bool ShowsOn(int controlScreen, int current)
    {
        return controlScreen == current || (controlScreen == kPersistentScreen && current != kTabScreen);
    }

    // Shows and hides the widgets for the current screen. Image controls follow
    // the rule only while images are shown; otherwise they keep their state.
    static void Refresh(const ScreenSet& set, int current, bool showImages);
    // The same rule for one record whose widget was just made: hidden images
    // stay hidden.
    static void Apply(const ControlRecord& record, int current, bool showImages);

    // After the image display switch changed: image controls of the current
    // screen and of the persistent layer are shown or hidden with it.
    static void ApplyImageSwitch(const ScreenSet& set, int current, bool showImages);

    // The screens that hold controls: 0 first when used, then the others ascending.
    static std::vector<int> UsedScreens(const ScreenSet& set);

    // Why a control of the designed screen cannot be seen on the surface (flags).
    enum Hidden : unsigned {
        Visible = 0,
        NoWidget = 1,      // obsolete type 2 or an unknown type
        NoArea = 2,        // zero or negative width or height
        OffScreen = 4,     // entirely outside the target screen
        PictureHidden = 8, // a picture while pictures are removed
    };
    static unsigned HiddenReasons(const ControlRecord& record, int screenWidth, int screenHeight, bool showImages);
};

} // namespace tavlora
