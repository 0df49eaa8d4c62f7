#include "app/control_font.h"

#include "app/controls.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

namespace tellwick {

namespace {

// Families with the metrics of the sans the controls were designed for, best first.
constexpr const char* narrowSansFamilies[] = {"Liberation Sans", "Arimo", "Nimbus Sans", "Arial"};
constexpr double largestPoints = 8.0;
constexpr double smallestPoints = 7.0;
constexpr double pointStep = 0.25;
// What a button's frame and a label's focus border take of the design width, in pixels.
constexpr double buttonPaddingPixels = 6.0;
constexpr double labelBorderPixels = 2.0;
constexpr const char* widestSpeed = "Speed: -9";

double designPixels(int twips, const TwipScale& scale) {
    return twips / scale.twipsPerPixelX;
}

bool captionsFit(const QFont& font, const TwipScale& scale) {
    const QFontMetricsF metrics(font);
    for (const ControlSpec& control : controlTable) {
        // The tall Read Hilighted button wraps its caption onto two lines.
        if (control.kind != ControlKind::Button ||
            control.height > 2 * specOf(Control::readButton).height)
            continue;
        QString caption =
            QString::fromLatin1(control.caption.data(), qsizetype(control.caption.size()));
        caption.remove(QLatin1Char('&'));
        if (metrics.horizontalAdvance(caption) + buttonPaddingPixels >
            designPixels(control.width, scale))
            return false;
    }
    return speedTextFits(font, scale);
}

} // namespace

bool speedTextFits(const QFont& font, const TwipScale& scale) {
    const double room =
        designPixels(specOf(Control::visitButton).left - specOf(Control::speedLabel).left, scale);
    return QFontMetricsF(font).horizontalAdvance(QLatin1String(widestSpeed)) + labelBorderPixels <=
           room;
}

QFont fittingControlFont(const QFont& base, const TwipScale& scale) {
    QFont font = base;
    const QStringList installed = QFontDatabase::families();
    for (const char* family : narrowSansFamilies) {
        if (installed.contains(QLatin1String(family))) {
            font.setFamilies({QString::fromLatin1(family)});
            break;
        }
    }
    font.setStyleHint(QFont::SansSerif);
    for (double points = largestPoints; points >= smallestPoints; points -= pointStep) {
        font.setPointSizeF(points);
        if (captionsFit(font, scale))
            return font;
    }
    font.setPointSizeF(smallestPoints);
    return font;
}

} // namespace tellwick
