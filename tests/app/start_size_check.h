#pragma once

#include "app/main_window.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>

namespace tellwick {

// What hides at the window's present size: buttons over buttons, buttons over the check boxes,
// and the speed label's widest text under the website button. The design itself lets two pairs
// touch by a sliver (Read Hilighted under Read by 40 twips, ">" under the check boxes by 25),
// so an overlap of up to 3 pixels does not count. Empty when nothing hides.
inline QStringList hiddenParts(MainWindow& window) {
    constexpr int sliverPixels = 3;
    QStringList problems;
    const QList<QPushButton*> buttons = window.findChildren<QPushButton*>();
    QList<QWidget*> covered(buttons.begin(), buttons.end());
    covered << window.findChild<QWidget*>(QStringLiteral("chkSqBr"))
            << window.findChild<QWidget*>(QStringLiteral("chkCrPause"));
    for (QPushButton* button : buttons) {
        for (QWidget* other : covered) {
            const QRect overlap = button->geometry() & other->geometry();
            if (other != button && !overlap.isEmpty() && overlap.width() > sliverPixels &&
                !problems.contains(other->objectName() + QStringLiteral(" over ") +
                                   button->objectName()))
                problems << button->objectName() + QStringLiteral(" over ") + other->objectName();
        }
    }
    auto* speed = window.findChild<QLabel*>(QStringLiteral("lblSpeed"));
    auto* visit = window.findChild<QWidget*>(QStringLiteral("cmdVisit"));
    const QString shown = speed->text();
    speed->setText(QStringLiteral("Speed: -9"));
    if (speed->x() + speed->sizeHint().width() > visit->x() &&
        !speed->testAttribute(Qt::WA_TransparentForMouseEvents))
        problems << QStringLiteral("Speed: -9 under cmdVisit");
    speed->setText(shown);
    return problems;
}

} // namespace tellwick
