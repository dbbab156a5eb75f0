#pragma once

#include <QStringList>

// tavlora-cli render FILE [--screen N] [--size WxH] [--vorn3 DIR] [--profile PATH]
//                         (-o OUT.png | --all -o DIR | [--all] -o OUT.pdf)
// Needs a QGuiApplication. `args` are the words after "render".
// Exit status: 0 success, 1 bad input or output file, 2 usage error.
int RunRenderCommand(const QStringList& args);

namespace tavlora {
class ScreenSet;
class SettingsProfile;
class WidgetContext;
}

// Makes every widget of a set as render draws it: the Vorn3 folder of
// --vorn3 (or of the profile), the picture budget of the profile, and each
// picture that is missing or cannot be decoded said on stderr.
void BuildRenderWidgets(const tavlora::ScreenSet& set, tavlora::WidgetContext& ctx, tavlora::SettingsProfile& profile,
                        const QString& vorn3Option);
