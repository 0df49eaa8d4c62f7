#pragma once

#include "speech/voice_catalogue.h"

#include <QObject>
#include <QString>

#include <vector>

class QMenu;
class QWidget;

namespace tellwick {

// The voice a remembered choice comes to at the start, on the voices there are here (the
// default first).
struct RestoredVoice {
    QString name;
    // One line for the user when the remembered voice cannot read here; empty otherwise.
    QString notice;
};
RestoredVoice restoredVoice(const std::vector<VoiceDescription>& voices, const QString& remembered);

// The user's choice among the voices: the one that reads, what the settings keep of it, and the
// menu that changes it. With no voices described (the tests' windows) there is nothing to choose
// and every reading asks for the default voice by an empty name.
class VoiceChoice : public QObject {
    Q_OBJECT

public:
    VoiceChoice(std::vector<VoiceDescription> voices, QObject* parent);

    // Takes the choice the settings kept (empty: none); the notice to show, if any.
    QString restore(const QString& remembered);
    // The voice that reads.
    QString voiceName() const { return voiceName_; }
    const VoiceDescription* voice() const { return findVoice(voices_, voiceName_); }
    const std::vector<VoiceDescription>& voices() const { return voices_; }
    // What the settings keep: the user's last choice, even of a voice that cannot read here now
    // (its package may come back); empty while the user never chose.
    QString remembered() const { return remembered_; }

    // The "Voice" submenu: each voice a checkable item, the one that reads checked, those that
    // cannot read here disabled with the reason as their tool tip.
    QMenu* makeMenu(QWidget* parent);

signals:
    void chosen(const QString& voiceName);

private:
    void choose(const QString& voiceName);

    std::vector<VoiceDescription> voices_;
    QString voiceName_;
    QString remembered_;
};

} // namespace tellwick
