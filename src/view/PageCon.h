#pragma once

#include <QDialog>

#include <optional>
#include <vector>

class QComboBox;

namespace tavlora {

// "Jump to Page....": one entry per screen 0 to 99; choosing another entry
// closes the dialog at once.
class PageCon : public QDialog {
    Q_OBJECT
public:

    explicit PageCon(int currentScreen, QWidget* parent = nullptr);

    // The entry chosen (by picking it or by OK); nothing when closed otherwise.
    std::optional<int> Chosen() const { return chosen_; }

    QComboBox* List() const { return list_; }

    // Marks the entries of screens that hold controls: bold, with a trailing
    // " •" after their " pg. %d" text.
    void MarkUsed(const std::vector<int>& screens);
    static constexpr const char* kUsedMark = " \u2022";

    void accept() override;

private:
    QComboBox* list_ = nullptr;
    std::optional<int> chosen_;
};

} // namespace tavlora
