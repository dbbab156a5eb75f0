#include "SetBuilder.h"

#include "core/ArchiveWriter.h"
#include "core/ScreenSetFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

using namespace tavlora;

namespace {

std::string VariedFile()
{
    ScreenSet set;
    test::SetBuilder::Varied(set);
    return test::SetBuilder::Bytes(set);
}

std::string Le32(int32_t v)
{
    ArchiveWriter w;
    w.WriteInt32(v);
    return w.Bytes();
}

ReadResult ReadBytes(const std::string& bytes, ScreenSet& set)
{
    return ScreenSetFile::Read(bytes.data(), bytes.size(), set);
}

std::string WriteOne(const ControlRecord& rec)
{
    ScreenSet set;
    set.Append(std::make_unique<ControlRecord>(rec));
    return ScreenSetFile::Write(set).bytes;
}

} // namespace

TEST(ScreenSetFile, EmptySetIsCountAndColours)
{
    ScreenSet set;
    const WriteResult w = ScreenSetFile::Write(set);
    ASSERT_TRUE(w.ok);
    ASSERT_EQ(w.bytes.size(), 44u);
    EXPECT_EQ(w.bytes.substr(0, 4), Le32(0));
    EXPECT_EQ(w.bytes.substr(4, 4), Le32(0xF0F0F0));
    EXPECT_EQ(w.bytes.substr(40, 4), Le32(0));

    ScreenSet back;
    const ReadResult r = ReadBytes(w.bytes, back);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(back.Size(), 0u);
    EXPECT_EQ(back.colours, set.colours);
}

TEST(ScreenSetFile, DefaultRecordExactBytes)
{
    ControlRecord rec;
    const std::string bytes = WriteOne(rec);
    std::string expected = Le32(1);
    expected += Le32(-1) + Le32(0) + Le32(0);
    expected += std::string("\x04None\x04None\x04None", 15);
    expected += Le32(0) + Le32(1);
    expected += std::string("\x05Label", 6);
    expected += Le32(0) + Le32(0) + Le32(0) + Le32(0) + Le32(0);
    expected += std::string("\x05%+.4f", 6);
    expected += std::string("\0\0\0\0", 4);
    expected += std::string(16, '\0');
    ASSERT_EQ(bytes.size(), expected.size() + 40);
    EXPECT_EQ(bytes.substr(0, expected.size()), expected);
}

TEST(ScreenSetFile, StringLengthForms)
{
    ArchiveWriter w;
    w.WriteString(std::string(254, 'a'));
    EXPECT_EQ(uint8_t(w.Bytes()[0]), 254);
    EXPECT_EQ(w.Bytes().size(), 255u);

    ArchiveWriter w255;
    w255.WriteString(std::string(255, 'b'));
    ASSERT_EQ(w255.Bytes().size(), 3u + 255u);
    EXPECT_EQ(w255.Bytes().substr(0, 3), std::string("\xFF\xFF\x00", 3));

    ArchiveWriter w65533;
    w65533.WriteString(std::string(65533, 'c'));
    EXPECT_EQ(w65533.Bytes().substr(0, 3), std::string("\xFF\xFD\xFF", 3));

    // 65534 would collide with the wide-string marker, so it takes the long form.
    ArchiveWriter w65534;
    w65534.WriteString(std::string(65534, 'd'));
    EXPECT_EQ(w65534.Bytes().substr(0, 7), std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7));

    for (size_t len : {0u, 1u, 254u, 255u, 65533u, 65534u, 65535u, 70000u}) {
        ControlRecord rec;
        rec.text = std::string(len, 'x');
        rec.text[len ? len - 1 : 0] = len ? 'y' : 'x';
        if (len == 0)
            rec.text.clear();
        ScreenSet back;
        ASSERT_TRUE(ReadBytes(WriteOne(rec), back).ok) << len;
        EXPECT_EQ(back.At(0).text, rec.text) << len;
    }
}

TEST(ScreenSetFile, WideStringsConvertToWindows1252)
{
    // One record whose text is stored in the wide form: "Ä€→" (→ has no byte).
    std::string file = Le32(1) + Le32(5) + Le32(4) + Le32(1);
    file += std::string("\xFF\xFE\xFF\x03", 4);
    file += std::string("\xC4\x00\xAC\x20\x92\x21", 6);
    // Wide form whose length uses the 16-bit scheme.
    file += std::string("\xFF\xFE\xFF\xFF\x00\x01", 6);
    for (int i = 0; i < 256; ++i)
        file += std::string("A\0", 2);
    file += std::string("\x04None", 5) + Le32(0) + Le32(1) + std::string("\x05Label", 6);
    file += Le32(0) + Le32(0) + Le32(0) + Le32(0) + Le32(0) + std::string("\x05%+.4f", 6);
    file += std::string(4, '\0') + Le32(1) + Le32(2) + Le32(3) + Le32(4);
    for (int i = 0; i < 10; ++i)
        file += Le32(i);
    ScreenSet set;
    const ReadResult r = ReadBytes(file, set);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(set.At(0).text, std::string("\xC4\x80?", 3));
    EXPECT_EQ(set.At(0).gcode, std::string(256, 'A'));
    EXPECT_EQ(set.At(0).rect, (Rect{1, 2, 3, 4}));
    EXPECT_EQ(set.colours[9], 9u);
}

TEST(ScreenSetFile, RoundTripIsByteExact)
{
    const std::string original = VariedFile();
    ScreenSet set;
    ASSERT_TRUE(ReadBytes(original, set).ok);
    EXPECT_EQ(ScreenSetFile::Write(set).bytes, original);
}

TEST(ScreenSetFile, TrailingBytesAreIgnored)
{
    const std::string original = VariedFile() + "trailing garbage";
    ScreenSet set;
    ASSERT_TRUE(ReadBytes(original, set).ok);
    EXPECT_EQ(set.Size(), 11u);
}

TEST(ScreenSetFile, NormalisesOnSaveWithoutMovingControls)
{
    ScreenSet set;
    auto a = std::make_unique<ControlRecord>();
    a->rect = {-20, 30, 40, 60};
    auto b = std::make_unique<ControlRecord>();
    b->rect = {100, 5, 150, 25};
    set.Append(std::move(a));
    set.Append(std::move(b));
    const WriteResult w = ScreenSetFile::Write(set);
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(set.At(0).rect, (Rect{-20, 30, 40, 60}));
    ScreenSet back;
    ASSERT_TRUE(ReadBytes(w.bytes, back).ok);
    EXPECT_EQ(back.At(0).rect, (Rect{0, 30, 60, 60}));
    EXPECT_EQ(back.At(1).rect, (Rect{120, 5, 170, 25}));
}

TEST(ScreenSetFile, RefusesShiftBeyondInt32)
{
    ScreenSet set;
    auto a = std::make_unique<ControlRecord>();
    a->rect = {-10, 0, 10, 10};
    auto b = std::make_unique<ControlRecord>();
    b->rect = {0, 0, INT32_MAX - 5, 10};
    set.Append(std::move(a));
    set.Append(std::move(b));
    const WriteResult w = ScreenSetFile::Write(set);
    EXPECT_FALSE(w.ok);
    EXPECT_TRUE(w.bytes.empty());
    EXPECT_NE(w.error.find("control 2"), std::string::npos) << w.error;

    ScreenSet extreme;
    auto c = std::make_unique<ControlRecord>();
    c->rect = {INT32_MIN, INT32_MIN, -1, -1};
    extreme.Append(std::move(c));
    EXPECT_TRUE(ScreenSetFile::Write(extreme).ok);
    extreme.At(0).rect.right = 0;
    EXPECT_FALSE(ScreenSetFile::Write(extreme).ok);
}

TEST(ScreenSetFile, ReadingRules)
{
    ControlRecord rec;
    rec.rect = {-3, 40, 20, 60};
    rec.tabGroup = 40000;
    rec.locked = true;
    std::string bytes;
    {
        // Bypass the writer's normalisation to store a negative left.
        ScreenSet set;
        set.Append(std::make_unique<ControlRecord>(rec));
        set.Append(std::make_unique<ControlRecord>());
        set.At(1).rect = {-100, 0, 0, 0};
        bytes = ScreenSetFile::Write(set).bytes;
    }
    ScreenSet back;
    ASSERT_TRUE(ReadBytes(bytes, back).ok);
    EXPECT_EQ(back.At(0).rect, (Rect{97, 40, 120, 60}));
    EXPECT_EQ(back.At(0).tabGroup, 40000 - 65536);
    EXPECT_TRUE(back.At(0).locked);

    // Patch the raw rect to a negative left and top 40; locked to 2.
    rec.rect = {5, 40, 20, 60};
    std::string raw = WriteOne(rec);
    const size_t rectAt = raw.size() - 40 - 16;
    std::memcpy(&raw[rectAt], Le32(-3).data(), 4);
    std::memcpy(&raw[rectAt - 2], "\x02\x00", 2);
    ScreenSet patched;
    ASSERT_TRUE(ReadBytes(raw, patched).ok);
    EXPECT_EQ(patched.At(0).rect, (Rect{0, 0, 20, 60}));
    EXPECT_FALSE(patched.At(0).locked);
}

TEST(ScreenSetFile, ProtectionMarkers)
{
    auto check = [](const std::string& text, const std::string& gcode) {
        ControlRecord rec;
        rec.text = text;
        rec.gcode = gcode;
        ScreenSet set;
        set.Append(std::make_unique<ControlRecord>());
        set.Append(std::make_unique<ControlRecord>(rec));
        ControlRecord later;
        later.gcode = "ZUXTide538-later";
        set.Append(std::make_unique<ControlRecord>(later));
        const std::string bytes = ScreenSetFile::Write(set).bytes;
        ScreenSet back;
        return ScreenSetFile::Read(bytes.data(), bytes.size(), back);
    };
    const ReadResult wisp = check("wisp", "secret");
    EXPECT_TRUE(wisp.isProtected);
    EXPECT_EQ(wisp.password, "secret");

    const ReadResult wrongCase = check("Wisp", "None");
    EXPECT_TRUE(wrongCase.isProtected);          // only through the later record's gcode
    EXPECT_EQ(wrongCase.password, "ZUXTide538-later");

    const ReadResult inside = check("None", "G0 ZUXTide538 X1");
    EXPECT_TRUE(inside.isProtected);
    EXPECT_EQ(inside.password, "G0 ZUXTide538 X1");

    ScreenSet plain;
    const std::string bytes = VariedFile();
    EXPECT_FALSE(ScreenSetFile::Read(bytes.data(), bytes.size(), plain).isProtected);
}

TEST(ScreenSetFile, EveryPrefixFailsCleanly)
{
    const std::string file = VariedFile();
    for (size_t n = 0; n < file.size(); ++n) {
        ScreenSet set;
        const ReadResult r = ScreenSetFile::Read(file.data(), n, set);
        ASSERT_FALSE(r.ok) << n;
        EXPECT_LE(r.errorOffset, n);
        EXPECT_NE(r.error.find("byte offset " + std::to_string(r.errorOffset)), std::string::npos);
    }
}

TEST(ScreenSetFile, HugeCountsAndLengths)
{
    // A count of two billion in a 50-byte file.
    std::string file = Le32(2000000000) + std::string(46, '\0');
    ScreenSet set;
    ReadResult r = ReadBytes(file, set);
    EXPECT_FALSE(r.ok);
    EXPECT_LT(set.controls.capacity(), 10u);

    // A string claiming 4 GiB.
    std::string longString = Le32(1) + Le32(0) + Le32(1) + Le32(0)
        + std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7) + "abc";
    ScreenSet s2;
    r = ReadBytes(longString, s2);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.errorOffset, 16u);
    EXPECT_NE(r.error.find("the text of control 1"), std::string::npos) << r.error;

    // A wide string claiming 2^31 characters.
    std::string wide = Le32(1) + Le32(0) + Le32(1) + Le32(0)
        + std::string("\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 9) + "abc";
    ScreenSet s3;
    EXPECT_FALSE(ReadBytes(wide, s3).ok);
}

TEST(ScreenSetFile, NegativeCountReadsNoRecords)
{
    std::string file = Le32(-5);
    for (int i = 0; i < 10; ++i)
        file += Le32(i + 1);
    ScreenSet set;
    const ReadResult r = ReadBytes(file, set);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(set.Size(), 0u);
    EXPECT_EQ(r.recordsRead, -5);
    EXPECT_EQ(set.colours[0], 1u);
}
