#pragma once

namespace tavlora {

// Which screens a print or a PDF export takes: the one being designed, or
// every screen that holds controls (the persistent layer as a page of its own).
enum class PrintScope { CurrentScreen, UsedScreens };

} // namespace tavlora
