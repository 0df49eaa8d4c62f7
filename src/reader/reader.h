#pragma once

#include "platform/clipboard.h"
#include "reader/box_reading.h"
#include "rewriter/respell.h"
#include "speech/voice.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace tellwick {

// Reads texts aloud for the window: it owns the voice of the present reading, the speed, whether
// the reading is paused, and the reading of the box with its way back to the box's text. A text
// too large to rewrite at once is read in two steps: the rewrite of its beginning is spoken at
// once, while the whole is rewritten on a thread of its own. What happens is said by signals, on
// the thread that made the reader.
class Reader : public QObject {
    Q_OBJECT

public:
    static constexpr int slowestSpeed = -9;
    static constexpr int fastestSpeed = 9;

    explicit Reader(VoiceFactory voices, QObject* parent = nullptr);
    ~Reader() override;

    int speed() const { return speed_; }
    void setSpeed(int speed);
    // What the Pause button offers: resume while paused, pause otherwise.
    bool isPaused() const { return paused_; }
    void setPaused(bool paused);
    // The voice of the present reading; none until the first reading.
    Voice* voice() const { return voice_.get(); }

    // Reads box, the box's raw text (paragraphs parted by U+2029), from start to its end, with a
    // new voice at the present speed. Fails, the present reading left as it was, when no voice
    // can be made; fails when the voice refuses the speed or the text.
    VoiceResult readBox(const CompactText& box, qsizetype start, const RespellOptions& options);
    // Reads the clipboard's text as read (nothing: a clipboard that could not be read), every
    // step that fails skipped: without a new voice the old one, if any, reads it. Only a
    // clipboard known to hold no text reads nothing and changes nothing.
    void readClipboard(const std::optional<QString>& text, const RespellOptions& options);
    // Pauses, or resumes a paused reading; a resume that fails (no reading at all, among others)
    // is the failure.
    VoiceResult pauseOrResume();
    // Pauses the voice without offering Resume: the text it read is gone (Clear).
    void silence();
    // The box's text changed: no sentence of the reading can be shown in it any more, so neither
    // the box's old text nor the way back to it is kept. The voice reads on.
    void forgetBox();
    // Offers Pause again, whatever the voice does: a new text has come into the box (Paste).
    void offerPause();
    // Ends the present reading at once: its voice goes.
    void stop();
    // Moves the reading by a sentence, back (direction -1) or on (+1); where the voice cannot
    // (no reading, paused, finished), the speed takes a step that way instead, within its limits.
    void skipOrChangeSpeed(int direction);

signals:
    // The sentence of the box's reading now heard, as a stretch of the box's text.
    void sentenceHeard(tellwick::BoxRange range);
    void pausedChanged(bool paused);
    void speedChanged(int speed);
    // The last sound of the reading has been heard.
    void finished();
    // The reading stopped for good before its end; message names the cause.
    void failed(const QString& message);

private:
    // A text as the voice is to speak it; the reading of the box it is, when it comes from the
    // box, for the sentences heard to be found in the box.
    struct Spoken {
        QString text;
        std::shared_ptr<const BoxReading> reading;
    };
    template <typename Text> using Rewrite = std::function<Spoken(const Text&)>;

    void takeVoice(std::unique_ptr<Voice> voice);
    template <typename Text> VoiceResult speakInSteps(Text text, Rewrite<Text> rewrite);
    template <typename Text> void completeBeside(Text text, Rewrite<Text> rewrite);

    VoiceFactory voices_;
    std::unique_ptr<Voice> voice_;
    int speed_ = 1;
    bool paused_ = false;
    // The reading of the box being heard, and the box's text it was made from; none for a text
    // that does not come from the box.
    std::shared_ptr<const BoxReading> reading_;
    CompactText box_;
    // Counts the voices taken, so that a late whole text never reaches a voice that merely took
    // the place of its own.
    quint64 voicesTaken_ = 0;
};

} // namespace tellwick
