#pragma once

#include <string_view>
#include <vector>

namespace tavlora {

// The stable codes of the screen-set checks. Tools and scripts match on them,
// so a code never changes its meaning.
class CheckCode {
public:
    // Two controls shown at the same time share a hot key.
    static constexpr std::string_view DuplicateHotKey = "duplicate-hot-key";
    // A picture file is not found or cannot be read.
    static constexpr std::string_view PictureMissing = "picture-missing";
    // A picture name climbs out of the Bitmaps folder ("..\\..\\etc\\shadow").
    static constexpr std::string_view PictureOutsideBitmaps = "picture-outside-bitmaps";
    // A picture file is there but is never shown: no extension, or undecodable.
    static constexpr std::string_view PictureUndecodable = "picture-undecodable";
    // A picture is found only because names are matched without regard to case.
    static constexpr std::string_view PictureCaseMismatch = "picture-case-mismatch";
    // A screen-jump button goes to a screen that holds no controls.
    static constexpr std::string_view JumpToEmptyScreen = "jump-to-empty-screen";
    // A screen in use that no chain of jumps reaches from screen 1.
    static constexpr std::string_view UnreachableScreen = "unreachable-screen";
    // A DRO format drawn as it stands instead of formatting the value.
    static constexpr std::string_view DroFormatLiteral = "dro-format-literal";
    // DRO, button or label text wider (or with more lines) than its control.
    static constexpr std::string_view TextDoesNotFit = "text-does-not-fit";
    // A function number beyond the lines of its type's function catalog.
    static constexpr std::string_view FunctionBeyondCatalog = "function-beyond-catalog";
    // The catalog of a type in use cannot be read, so its functions go unchecked.
    static constexpr std::string_view CatalogMissing = "catalog-missing";
    static constexpr std::string_view ObsoleteType = "obsolete-type";
    static constexpr std::string_view OlderImageType = "older-image-type";
    static constexpr std::string_view UnknownType = "unknown-type";
    static constexpr std::string_view EmptyRect = "empty-rect";
    static constexpr std::string_view OffScreen = "off-screen";
    static constexpr std::string_view PartlyOffScreen = "partly-off-screen";
    // Completely covered by an opaque control drawn above it on the same screen.
    static constexpr std::string_view HiddenControl = "hidden-control";
    static constexpr std::string_view NegativeCount = "negative-count";
    static constexpr std::string_view BytesAfterColours = "bytes-after-colours";
    static constexpr std::string_view ProtectedSet = "protected-set";

    // Every code above, in this order.
    static const std::vector<std::string_view>& All();
};

} // namespace tavlora
