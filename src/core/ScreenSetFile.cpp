#include "ScreenSetFile.h"

#include "ArchiveReader.h"
#include "ArchiveWriter.h"

#include <algorithm>
#include <climits>

namespace tavlora {

bool ScreenSetFile::IsProtectionText(const std::string& text)
{
    return text == "wisp";
}

bool ScreenSetFile::IsProtectionGcode(const std::string& gcode)
{
    return gcode.find("ZUXTide538") != std::string::npos;
}

ReadResult ScreenSetFile::Read(const void* data, size_t size, ScreenSet& fresh)
{
    ReadResult result;
    ArchiveReader in(data, size);
    int32_t index = -1;
    try {
        const int32_t count = in.ReadInt32("the control count");
        result.recordsRead = count;
        // Never trust the count for allocation: reserve only what the bytes can hold.
        if (count > 0) {
            const size_t fit = in.Remaining() / kMinRecordBytes;
            fresh.controls.reserve(std::min<size_t>(size_t(count), fit));
        }
        for (index = 0; index < count; ++index) {
            auto rec = std::make_unique<ControlRecord>();
            ControlRecord& r = *rec;
            fresh.controls.push_back(std::move(rec));
            ReadRecord(in, r);
            if (!result.isProtected && (IsProtectionText(r.text) || IsProtectionGcode(r.gcode))) {
                result.isProtected = true;
                result.password = r.gcode;
            }
            if (r.rect.left < 0 || r.rect.top < 0) {
                r.rect.left = 0;
                r.rect.top = 0;
            }
        }
        index = -1;
        for (int i = 0; i < ColourSet::Count; ++i)
            fresh.colours[size_t(i)] = ColourRef(in.ReadInt32("the colour set"));
        result.bytesAfterColours = in.Remaining();
    } catch (const ArchiveError& e) {
        result.error = "unexpected end of file at byte offset " + std::to_string(e.Offset())
            + " while reading " + e.Item();
        if (index >= 0)
            result.error += " " + std::to_string(index + 1);
        result.error += " (" + e.Detail() + ")";
        result.errorOffset = e.Offset();
        return result;
    }
    result.ok = true;
    return result;
}

WriteResult ScreenSetFile::Write(const ScreenSet& set)
{
    WriteResult result;
    int64_t minLeft = 0;
    int64_t minTop = 0;
    for (const auto& rec : set.controls) {
        minLeft = std::min<int64_t>(minLeft, rec->rect.left);
        minTop = std::min<int64_t>(minTop, rec->rect.top);
    }
    const int64_t dx = -minLeft;
    const int64_t dy = -minTop;
    if (dx != 0 || dy != 0) {
        for (size_t i = 0; i < set.controls.size(); ++i) {
            const Rect& r = set.controls[i]->rect;
            if (int64_t(r.right) + dx > INT32_MAX || int64_t(r.left) + dx > INT32_MAX
                || int64_t(r.bottom) + dy > INT32_MAX || int64_t(r.top) + dy > INT32_MAX) {
                result.error = "cannot save: moving control " + std::to_string(i + 1)
                    + " by (" + std::to_string(dx) + ", " + std::to_string(dy)
                    + ") so that no control lies left of or above the screen would take its"
                      " rectangle outside the 32-bit range";
                return result;
            }
        }
    }

    ArchiveWriter out;
    out.Reserve(4 + set.controls.size() * 96 + kColourBytes);
    out.WriteInt32(int32_t(set.controls.size()));
    for (const auto& rp : set.controls)
        WriteRecord(out, *rp, dx, dy);
    for (int i = 0; i < ColourSet::Count; ++i)
        out.WriteInt32(int32_t(set.colours[size_t(i)]));
    result.ok = true;
    result.bytes = out.TakeBytes();
    return result;
}

void ScreenSetFile::ReadRecord(ArchiveReader& in, ControlRecord& r)
{
    r.function = in.ReadInt32("the function of control");
    r.type = in.ReadInt32("the type of control");
    r.screen = in.ReadInt32("the screen of control");
    r.text = in.ReadString("the text of control");
    r.gcode = in.ReadString("the G-code of control");
    r.image = in.ReadString("the image of control");
    r.reservedA = in.ReadInt32("a reserved value of control");
    r.reservedB = in.ReadInt32("a reserved value of control");
    r.label = in.ReadString("the label of control");
    r.ledColour = in.ReadInt32("the LED colour of control");
    r.parameter = in.ReadInt32("the parameter of control");
    r.hotKey = in.ReadInt32("the hot key of control");
    r.ledFlashing = in.ReadInt32("the LED flashing flag of control");
    r.ledRedGreen = in.ReadInt32("the LED red/green flag of control");
    r.format = in.ReadString("the format of control");
    r.tabGroup = in.ReadInt16("the tab group of control");
    r.locked = in.ReadInt16("the locked flag of control") == 1;
    r.rect.left = in.ReadInt32("the rectangle of control");
    r.rect.top = in.ReadInt32("the rectangle of control");
    r.rect.right = in.ReadInt32("the rectangle of control");
    r.rect.bottom = in.ReadInt32("the rectangle of control");
}

void ScreenSetFile::WriteRecord(ArchiveWriter& out, const ControlRecord& r, int64_t dx, int64_t dy)
{
    out.WriteInt32(r.function);
    out.WriteInt32(r.type);
    out.WriteInt32(r.screen);
    out.WriteString(r.text);
    out.WriteString(r.gcode);
    out.WriteString(r.image);
    out.WriteInt32(r.reservedA);
    out.WriteInt32(r.reservedB);
    out.WriteString(r.label);
    out.WriteInt32(r.ledColour);
    out.WriteInt32(r.parameter);
    out.WriteInt32(r.hotKey);
    out.WriteInt32(r.ledFlashing);
    out.WriteInt32(r.ledRedGreen);
    out.WriteString(r.format);
    out.WriteInt16(int16_t(uint16_t(uint32_t(r.tabGroup) & 0xFFFF)));
    out.WriteInt16(r.locked ? 1 : 0);
    out.WriteInt32(int32_t(r.rect.left + dx));
    out.WriteInt32(int32_t(r.rect.top + dy));
    out.WriteInt32(int32_t(r.rect.right + dx));
    out.WriteInt32(int32_t(r.rect.bottom + dy));
}

} // namespace tavlora
