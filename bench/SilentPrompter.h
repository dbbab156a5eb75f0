#pragma once
// Prompts answered without asking, for benchmarks of the designer.
#if defined(TAVLORA_BENCH_WIDGETS) && defined(TAVLORA_BENCH_GUI)

#include "BenchSets.h"

#include "document/Prompter.h"

namespace tavlora::bench {

class SilentPrompter : public Prompter {
public:
    std::optional<QSize> AskScreenSize() override { return kScreen; }
    QString AskPassword() override { return {}; }
    bool AskReload(bool) override { return false; }
    SaveConflict AskSaveConflict(const QString&, bool) override { return SaveConflict::Cancel; }
    bool AskRestore(const QString&) override { return false; }
    SaveChoice AskSaveChanges(const QString&) override { return SaveChoice::Discard; }
    void ShowError(const QString&) override {}
    void ShowWarning(const QString&) override {}
    std::optional<ControlForm> AskControlProperties(const ControlForm&) override { return std::nullopt; }
    std::optional<ColourAnswer> AskColours(const ColourSet&) override { return std::nullopt; }
    QString ChooseOpenPath(const QString&) override { return {}; }
    QString ChooseSavePath(const QString&, const QString&) override { return {}; }
    std::optional<QString> ChooseFolder(const QString&) override { return std::nullopt; }
    GridAnswer AskGrid(double, bool) override { return {}; }
    std::optional<int> AskPage(int) override { return std::nullopt; }
    std::optional<int> AskScreenNumber(const QString&, int) override { return std::nullopt; }
    std::optional<PrintScope> AskPrintScope(int, int) override { return std::nullopt; }
    QString ChoosePdfPath(const QString&) override { return {}; }
    std::optional<QString> AskText(const QString&, const QString&, const QString&) override { return std::nullopt; }
    bool AskConfirm(const QString&) override { return false; }
};

} // namespace tavlora::bench

#endif
