#include "CheckCode.h"

namespace tavlora {

const std::vector<std::string_view>& CheckCode::All()
{
    static const std::vector<std::string_view> all = {
        DuplicateHotKey, PictureMissing, PictureOutsideBitmaps, PictureUndecodable, PictureCaseMismatch,
        JumpToEmptyScreen, UnreachableScreen, DroFormatLiteral, TextDoesNotFit,
        FunctionBeyondCatalog, CatalogMissing, ObsoleteType, OlderImageType,
        UnknownType, EmptyRect, OffScreen, PartlyOffScreen,
        HiddenControl, NegativeCount, BytesAfterColours, ProtectedSet,
    };
    return all;
}

} // namespace tavlora
