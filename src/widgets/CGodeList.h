#pragma once

#include "DesignWidget.h"

#include <QPair>

#include <optional>

namespace tavlora {

// A G-code listing: sample lines in bands of height / line count, with the
// middle line on a white band. Given a current line (a preview's), it shows
// the sample program once, that line on the white band.
class CGodeList : public DesignWidget {
public:
    static constexpr int kMaxLines = 80;
    static constexpr int kSampleCount = 11;
    static const char* const kSampleLines[kSampleCount];

    CGodeList(const ControlRecord& record, WidgetContext& ctx, int controlId, bool disabled);

    // Stores min(n, 80); counts below 1 are drawn as one line.
    void Configure(const ControlRecord& record) override;
    void SetLineCount(int n);
    int LineCount() const { return lineCount_; }

    // Height of one line band for a client height (at least 1).
    int LineHeight(int clientHeight) const;
    // Sample line shown in band k (0, 1 ... 10, 1 ... 10, ...).
    static int SampleIndexForBand(long long band);
    // The program line (index of kSampleLines) on the current band; nothing:
    // the repeated sample.
    void SetCurrentLine(std::optional<int> line);
    // Program line in band k when `current` is on band `currentBand`; -1 for none.
    static int ProgramLineForBand(long long band, long long currentBand, int current);
    // Top and bottom (exclusive) of the white current-line band.
    QPair<int, int> CurrentBand(int clientHeight) const;

    void Paint(QPainter& p) override;

protected:
    bool CachesLook() const override { return true; }
    bool LookIsOpaque() const override { return true; }
    LookKey CurrentLookKey() const override;

private:
    int EffectiveCount() const { return lineCount_ < 1 ? 1 : lineCount_; }

    int lineCount_ = 10;
    std::optional<int> currentLine_;
};

} // namespace tavlora
