#pragma once

#include "app/box_reading.h"
#include "app/controls.h"
#include "app/window_layout.h"
#include "capture/window_state.h"
#include "capture/window_view.h"
#include "platform/platform.h"
#include "rewriter/respell.h"
#include "trainer/trainer.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tellwick {

class InputBox;
class RawTextMirror;
class ReadingHighlight;

// The program's one window: the text box, the buttons that read, pause, skip and capture text,
// the two check boxes that steer the rewriter, and the speed label. Every handler runs on the
// user-interface thread to its end; a failure a handler does not catch is reported by the
// top-level handler and the window goes on.
class frmTextToSpeech : public QWidget, public WindowView {
    Q_OBJECT

public:
    explicit frmTextToSpeech(Platform platform, QWidget* parent = nullptr);
    ~frmTextToSpeech() override;

    WindowState& state() { return state_; }
    const Trainer& trainer() const { return trainer_; }
    Platform& platform() { return platform_; }

    // WindowView: the box's text with CR LF line breaks, whatever the widget holds inside.
    QString inputText() const override;
    void setInputText(const QString& text) override;
    void focusInput() override;
    void showPaused(bool paused) override;

    // The place of a control in twips, as the layout last set it.
    QRectF controlTwips(Control control) const;
    TwipScale twipScale() const { return scale_; }

    // Read Highlighted runs Read as its last step; failures in it propagate to the caller.
    void cmdRead_Click();
    // Read from here: reads the box as Read does, from the start of the sentence that position
    // (a place in the box's text) lies in to the end.
    void readFromHere(qsizetype position);
    // The stretch of the box highlighted as the sentence being heard; none when nothing is.
    std::optional<BoxRange> followedSentence() const;

    void cmdPause_Click();
    void cmdHere_Click();
    void cmdSkipF_Click();
    void cmdPaste_Click();
    void cmdClear_Click();
    void cmdRH_Click();
    // Read Highlighted for a text highlighted anywhere, asked from outside the window; false, and
    // nothing done, when nothing is highlighted.
    bool readSelection();
    void cmdSR_Click();
    void cmdVisit_Click();
    void txtInput_KeyUp(int key);

    void ShowSpeed();

    // Lays the window out for its present size; a minimised window counts as 0 twips high.
    void Form_Resize();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct PlacedControl {
        QWidget* widget = nullptr;
        QRectF twips;
    };
    class Layout;

    void createControls();
    void connectHandlers();
    void Form_Load();
    void placeWindow();
    void placeControl(PlacedControl& control);
    // The widget made for a control; its kind fixes its class, so the cast cannot fail.
    template <typename Widget> Widget* widgetOf(Control control) const {
        return static_cast<Widget*>(controls_[static_cast<std::size_t>(control)].widget);
    }
    void skipOrChangeSpeed(int direction);
    Voice& voiceOrFail(const QString& operation);
    void takeVoice(std::unique_ptr<Voice> voice);
    RespellOptions respellOptions() const;
    void readBoxFrom(qsizetype start, const RespellOptions& options);
    // A text as the voice is to speak it; the reading of the box it is, when it comes from the
    // box, for the highlight to follow.
    struct Spoken {
        QString text;
        std::shared_ptr<const BoxReading> reading;
    };
    using Rewrite = std::function<Spoken(QString)>;
    // Speaks text, as rewrite makes it, through CurVoice: a large text in two steps.
    VoiceResult speakInSteps(QString text, Rewrite rewrite);
    void completeBeside(QString text, Rewrite rewrite);
    void listenTo(Voice& voice);

    Platform platform_;
    WindowState state_;
    Trainer trainer_;
    TwipScale scale_;
    bool framed_ = false;
    // Counts the voices put into CurVoice, so that a late whole text never reaches a voice that
    // merely took the place of its own.
    quint64 voicesTaken_ = 0;
    std::array<PlacedControl, controlCount> controls_;

    InputBox* txtInput = nullptr;
    RawTextMirror* boxText_ = nullptr;
    ReadingHighlight* highlight_ = nullptr;
    QPushButton* cmdRead = nullptr;
    QPushButton* cmdPause = nullptr;
    QPushButton* cmdHere = nullptr;
    QPushButton* cmdPaste = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdSR = nullptr;
    QCheckBox* chkSqBr = nullptr;
    QCheckBox* chkCrPause = nullptr;
    QPushButton* cmdSkipF = nullptr;
    QPushButton* cmdRH = nullptr;
    QPushButton* cmdVisit = nullptr;
    QLabel* lblSpeed = nullptr;
};

} // namespace tellwick
