#include "app/voice_choice.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace tellwick {

namespace {

const VoiceDescription* firstUsable(const std::vector<VoiceDescription>& voices) {
    for (const VoiceDescription& voice : voices) {
        if (voice.unavailableBecause.isEmpty())
            return &voice;
    }
    return nullptr;
}

} // namespace

RestoredVoice restoredVoice(const std::vector<VoiceDescription>& voices,
                            const QString& remembered) {
    // When no voice can read here, the default is asked for all the same, so that Read says why.
    const VoiceDescription* usable = firstUsable(voices);
    const QString fallback =
        usable ? usable->name : (voices.empty() ? QString() : voices.front().name);
    if (remembered.isEmpty())
        return {fallback, {}};
    const VoiceDescription* voice = findVoice(voices, remembered);
    if (voice && voice->unavailableBecause.isEmpty())
        return {voice->name, {}};
    const QString why = voice
                            ? QObject::tr("cannot be used here (%1)").arg(voice->unavailableBecause)
                            : QObject::tr("is not known here");
    return {fallback, QObject::tr("The voice %1, chosen last time, %2: %3 reads instead.")
                          .arg(remembered, why, fallback)};
}

VoiceChoice::VoiceChoice(std::vector<VoiceDescription> voices, QObject* parent)
    : QObject(parent), voices_(std::move(voices)), voiceName_(restoredVoice(voices_, {}).name) {}

QString VoiceChoice::restore(const QString& remembered) {
    if (voices_.empty())
        return {};
    const RestoredVoice restored = restoredVoice(voices_, remembered);
    voiceName_ = restored.name;
    remembered_ = remembered;
    return restored.notice;
}

void VoiceChoice::choose(const QString& voiceName) {
    voiceName_ = voiceName;
    remembered_ = voiceName;
    emit chosen(voiceName);
}

QMenu* VoiceChoice::makeMenu(QWidget* parent) {
    auto* menu = new QMenu(tr("&Voice"), parent);
    menu->setObjectName(QStringLiteral("voice-menu"));
    menu->setToolTipsVisible(true);
    menu->setEnabled(!voices_.empty());
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    for (const VoiceDescription& voice : voices_) {
        auto* item = new QAction(
            QStringLiteral("%1 (%2, %3)").arg(voice.name, voice.language, voice.engine), group);
        item->setObjectName(QStringLiteral("voice-") + voice.name);
        item->setCheckable(true);
        item->setChecked(voice.name == voiceName_);
        item->setEnabled(voice.unavailableBecause.isEmpty());
        if (!voice.unavailableBecause.isEmpty())
            item->setToolTip(voice.unavailableBecause);
        connect(item, &QAction::triggered, this, [this, name = voice.name] { choose(name); });
        menu->addAction(item);
    }
    return menu;
}

} // namespace tellwick
