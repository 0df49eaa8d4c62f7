#pragma once

#include "app/window_layout.h"

#include <QFont>

namespace tellwick {

// The font of the buttons, check boxes and label. The window's controls keep their design sizes,
// which were laid out for an 8-point sans of narrow metrics: the font is the nearest such family
// here, at the largest size, from 8 points down to a legible 7, at which every caption fits its
// control and the widest speed, "Speed: -9", fits in front of the website button.
QFont fittingControlFont(const QFont& base, const TwipScale& scale);

// Whether the speed label's widest text fits in front of the website button in this font.
bool speedTextFits(const QFont& font, const TwipScale& scale);

} // namespace tellwick
