#include "rewriter/respell.h"

namespace tellwick {

std::u16string RespellText(std::u16string_view Txt, const RespellOptions&) {
    return std::u16string(Txt);
}

} // namespace tellwick
