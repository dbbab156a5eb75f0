#include "WidgetFixture.h"

#include "core/CheckCode.h"
#include "core/ControlType.h"
#include "widgets/CheckRunner.h"
#include "widgets/DRO.h"
#include "widgets/PictureCheck.h"
#include "widgets/TextFitCheck.h"
#include "widgets/Vorn1Button.h"

#include <QFile>

#include <algorithm>
#include <unistd.h>

using namespace tavlora;

namespace {

class CheckWidgetsTest : public WidgetFixture {
protected:
    // Codes found for one control.
    std::vector<std::string> PictureCodes(int type, const std::string& image, const std::string& label = "Label")
    {
        ScreenSet set;
        auto r = std::make_unique<ControlRecord>();
        r->type = type;
        r->image = image;
        r->label = label;
        r->rect = {0, 0, 40, 40};
        set.Append(std::move(r));
        std::vector<std::string> codes;
        for (const Finding& f : pictures_.Run(set, ctx_.vornFolder)) {
            EXPECT_EQ(f.index, 0u);
            codes.emplace_back(f.code);
        }
        return codes;
    }

    ControlRecord Record(int type, Rect rect, const std::string& caption)
    {
        ControlRecord r;
        r.type = type;
        r.rect = rect;
        r.text = caption;
        r.label = caption;
        return r;
    }

    PictureCheck pictures_;
    TextFitCheck text_;
};

using Codes = std::vector<std::string>;

} // namespace

TEST_F(CheckWidgetsTest, PicturesResolvedWithTheRulesOfEachType)
{
    WriteBitmap("Good.png", Solid(4, 4, Qt::red));
    WriteBitmap("Sub/Pic.png", Solid(4, 4, Qt::red));
    WriteRawBitmap("Broken.png", "not a picture");
    WriteRawBitmap("NoExtension", "BM");
    const std::string missing(CheckCode::PictureMissing), bad(CheckCode::PictureUndecodable),
        caseOnly(CheckCode::PictureCaseMismatch), outside(CheckCode::PictureOutsideBitmaps);
    const struct {
        int type;
        const char* image;
        const char* label;
        Codes expected;
    } table[] = {
        {TypeImage, "Good.png", "", {}},
        {TypeImage, "/Good.png", "", {}},
        {TypeImage, "Gone.png", "", {missing}},
        {TypeImage, "Broken.png", "", {bad}},
        {TypeImage, "NoExtension", "", {bad}},
        {TypeImage, "sub\\PIC.png", "", {caseOnly}},
        {TypeImage, "", "", {}},
        {TypeImage, "None", "", {missing}}, // the offline picture, not in this folder
        {TypeOlderImage, "Missing", "", {}}, // reported as an older type instead
        {TypeDro, "Gone.png", "Label", {}}, // not skinned: no picture
        {TypeDro, "Gone.png", "Skinned", {missing}},
        {TypeDro, "Good.png", "Skinned", {}},
        {TypeImageButton, "None", "", {}},
        {TypeImageButton, "", "", {}},
        {TypeImageButton, "Missing", "", {missing}},
        {TypeImageButton, "Broken.png", "", {bad}},
        {TypeLed, "None", "", {}},
        {TypeLed, "", "", {}},
        {TypeLed, "Gone.png", "", {missing}},
        {TypeImage, "..\\..\\etc\\passwd", "", {outside}},
        {TypeImage, "Sub/../../Good.png", "", {outside}},
        {TypeImage, "Sub/../Good.png", "", {}},
        {TypeLed, "../Good.png", "", {outside}},
        {TypeButton, "Gone.png", "", {}},
        {TypeLabel, "Gone.png", "", {}},
    };
    for (const auto& row : table)
        EXPECT_EQ(PictureCodes(row.type, row.image, row.label), row.expected)
            << "type " << row.type << " image " << row.image;

    WriteBitmap("MillBitmaps/offline.jpg", Solid(4, 4, Qt::gray));
    EXPECT_EQ(PictureCodes(TypeImage, "None"), Codes{});
    EXPECT_EQ(PictureCodes(TypeImageButton, "Missing"), Codes{});
}

// A read-only picture in a read-only folder (an installed or shared Vorn3
// folder) is present; one this user cannot read is missing, and says so.
TEST_F(CheckWidgetsTest, ReadOnlyPicturesArePresentUnreadableOnesMissing)
{
    if (RanAsNobody())
        return;
    const QString readOnly = WriteBitmap("Shared/ReadOnly.png", Solid(4, 4, Qt::red));
    const QString unreadable = WriteBitmap("Shared/Unreadable.png", Solid(4, 4, Qt::red));
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner);
    QFile::setPermissions(unreadable, QFileDevice::WriteOwner);
    const QString folder = dir_.filePath("Bitmaps/Shared");
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(PictureCodes(TypeImage, "Shared\\ReadOnly.png"), Codes{});
    EXPECT_EQ(PictureCodes(TypeImage, "Shared\\Unreadable.png"), Codes{std::string(CheckCode::PictureMissing)});
    ScreenSet set;
    set.Append(std::make_unique<ControlRecord>(Record(TypeImage, {0, 0, 4, 4}, ""))).image = "Shared/Unreadable.png";
    const std::vector<Finding> found = pictures_.Run(set, ctx_.vornFolder);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found[0].message.find("cannot be read"), std::string::npos) << found[0].message;
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(CheckWidgetsTest, ASecondRunSeesChangedFiles)
{
    WriteRawBitmap("Pic.png", "garbage");
    EXPECT_EQ(PictureCodes(TypeImage, "Pic.png"), Codes{std::string(CheckCode::PictureUndecodable)});
    WriteBitmap("Pic.png", Solid(5, 5, Qt::blue));
    EXPECT_EQ(PictureCodes(TypeImage, "Pic.png"), Codes{});
    QFile::remove(dir_.filePath("Bitmaps/Pic.png"));
    EXPECT_EQ(PictureCodes(TypeImage, "Pic.png"), Codes{std::string(CheckCode::PictureMissing)});
}

// The check measures what the widgets draw: the DRO's text and the button's
// caption height come from the widgets themselves.
TEST_F(CheckWidgetsTest, MeasuresWhatTheWidgetsDraw)
{
    ControlRecord& dro = Add(TypeDro, 0, 0, 150, 30);
    dro.format = "X %08.3f mm";
    ControlRecord& button = Add(TypeButton, 0, 40, 37, 80);
    button.text = "Go";
    ControlRecord& label = Add(TypeLabel, 0, 90, 300, 110);
    label.label = "Line one\r\nLine two";
    Rebuild();
    EXPECT_EQ(text_.Measure(dro).text.toStdString(), static_cast<DRO*>(dro.widget.get())->DisplayText());
    const auto* w = static_cast<Vorn1Button*>(button.widget.get());
    EXPECT_LT(w->CaptionHeight(), Vorn1Button::kMaxCaptionHeight); // a narrow button gets a smaller font
    EXPECT_EQ(text_.Measure(button).textHeight, w->CaptionHeight());
    EXPECT_EQ(text_.Measure(label).lines, 2);
    EXPECT_EQ(text_.Measure(label).visibleLines, 1);
}

TEST_F(CheckWidgetsTest, TextThatDoesNotFit)
{
    const struct {
        ControlRecord record;
        bool fits;
    } table[] = {
        {Record(TypeButton, {0, 0, 160, 40}, "Cycle Start"), true},
        {Record(TypeButton, {0, 0, 60, 40}, "Cycle Start"), false},
        {Record(TypeButton, {0, 0, 160, 10}, "Go"), false}, // caption taller than the button
        {Record(TypeButton, {0, 0, 60, 40}, ""), true},
        {Record(TypeLabel, {0, 0, 200, 20}, "WORK POSITION"), true},
        {Record(TypeLabel, {0, 0, 60, 20}, "WORK POSITION"), false},
        {Record(TypeLabel, {0, 0, 400, 40}, "one\ntwo"), false},
        {Record(TypeLabel, {0, 0, 0, 40}, "empty rect"), true}, // reported as an empty rect instead
        {Record(TypeDro, {0, 0, 260, 36}, ""), true},
        {Record(TypeDro, {0, 0, 60, 36}, ""), false},
        {Record(TypeMdi, {0, 0, 5, 5}, "anything"), true},
    };
    for (const auto& row : table)
        EXPECT_EQ(text_.Measure(row.record).Fits(), row.fits)
            << "type " << row.record.type << " '" << row.record.text << "' " << row.record.rect.Width();
    ControlRecord skinned = Record(TypeDro, {0, 0, 60, 36}, "");
    skinned.format = "ST%+.4f"; // no digits drawn
    EXPECT_TRUE(text_.Measure(skinned).Fits());
}

// Property: making a control wider never makes its text stop fitting.
TEST_F(CheckWidgetsTest, WiderNeverFitsWorse)
{
    for (int type : {TypeButton, TypeLabel, TypeDro}) {
        bool fitted = false;
        for (int width = 1; width < 400; width += 3) {
            const bool fits = text_.Measure(Record(type, {0, 0, width, 30}, "Spindle Speed")).Fits();
            EXPECT_TRUE(fits || !fitted) << "type " << type << " width " << width;
            fitted = fitted || fits;
        }
        EXPECT_TRUE(fitted) << type;
    }
}

TEST_F(CheckWidgetsTest, RunnerMergesAndSortsAllChecks)
{
    ScreenSet set;
    auto add = [&set](int type, Rect r, const char* image, const char* caption) {
        auto rec = std::make_unique<ControlRecord>();
        rec->type = type;
        rec->rect = r;
        rec->image = image;
        rec->text = caption;
        rec->screen = 1;
        set.Append(std::move(rec));
    };
    add(TypeButton, {0, 0, 30, 30}, "None", "A caption far too wide"); // text
    add(TypeImage, {0, 40, 30, 70}, "Gone.png", "");                    // picture
    add(TypeLabel, {2000, 0, 2100, 20}, "None", "");                    // geometry
    CheckRunner runner;
    CheckRunner::Options o;
    o.vornFolder = ctx_.vornFolder;
    auto codes = [&] {
        std::vector<std::string> out;
        for (const Finding& f : runner.Run(set, o))
            out.emplace_back(f.code);
        return out;
    };
    EXPECT_EQ(codes(), (Codes{std::string(CheckCode::TextDoesNotFit), std::string(CheckCode::PictureMissing),
                              std::string(CheckCode::OffScreen)}));
    o.checkPictures = false;
    o.checkText = false;
    EXPECT_EQ(codes(), Codes{std::string(CheckCode::OffScreen)});
}
