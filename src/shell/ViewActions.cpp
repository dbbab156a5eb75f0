#include "ViewActions.h"

#include "core/ScreenVisibility.h"
#include "document/CTavloraDoc.h"
#include "document/Prompter.h"
#include "settings/DesignSettings.h"
#include "settings/SettingsProfile.h"
#include "view/CTavloraView.h"

#include <climits>
#include <cmath>

namespace tavlora {

namespace {

int TruncateToInt(double value)
{
    if (!(value == value))
        return 0;
    if (value >= double(INT_MAX))
        return INT_MAX;
    if (value <= double(INT_MIN))
        return INT_MIN;
    return int(std::trunc(value));
}

} // namespace

ViewActions::ViewActions(CTavloraDoc& doc, CTavloraView& view, Prompter& prompter, SettingsProfile& profile,
                         QObject* parent)
    : QObject(parent), doc_(doc), view_(view), prompter_(prompter), profile_(profile)
{
}

void ViewActions::PageJump()
{
    const std::optional<int> page = prompter_.AskPage(doc_.CurrentScreen());
    if (page && *page >= 0 && *page < ScreenVisibility::kScreenCount)
        doc_.SetCurrentScreen(*page);
}

void ViewActions::GridGranularity()
{
    const Grid stored = DesignSettings::LoadGrid(profile_);
    const Prompter::GridAnswer answer =
        prompter_.AskGrid(stored.Step() <= 0 ? 1.0 : double(stored.Step()), stored.On());
    const Grid grid(TruncateToInt(answer.granularity), answer.on);
    view_.SetGrid(grid);
    if (answer.accepted) {
        DesignSettings::StoreGrid(profile_, grid);
        profile_.Save();
    }
}

} // namespace tavlora
