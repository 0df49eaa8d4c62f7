#include "app/frm_text_to_speech.h"

#include "app/box_text.h"
#include "app/control_font.h"
#include "app/controls.h"
#include "app/input_box.h"
#include "app/raw_text_mirror.h"
#include "app/reading_highlight.h"
#include "app/sentences.h"
#include "app/top_level_handler.h"
#include "app/website.h"
#include "app/welcome_text.h"
#include "app/window_icon.h"
#include "app/wrapping_button.h"
#include "capture/paste_clear.h"
#include "capture/read_highlighted.h"
#include "platform/virtual_keys.h"
#include "rewriter/respell.h"
#include "speech/qt_text.h"
#include "trainer/trainer.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <QThread>
#include <QTimer>

#include <cmath>
#include <string>

namespace tellwick {

namespace {

constexpr double placementDivisor = 2.3; // the window sits a little above the middle
constexpr double offScreenRightTwips = 100;
constexpr int slowestSpeed = -9;
constexpr int fastestSpeed = 9;

// The two skip buttons differ only in direction: a skip the voice refuses becomes a speed step.
struct SkipButton {
    int sentences;
    int speedStep;
    int speedLimit;
};
constexpr SkipButton skipBack{-1, -1, slowestSpeed};
constexpr SkipButton skipForward{+1, +1, fastestSpeed};

QString qs(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QWidget* makeControl(const ControlSpec& spec, QWidget* parent) {
    switch (spec.kind) {
    case ControlKind::TextBox: {
        auto* box = new InputBox(parent);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        // A text box of this kind takes no Tab: Tab and Shift+Tab move along the controls.
        box->setTabChangesFocus(true);
        QFont font(QStringLiteral("Verdana"));
        font.setStyleHint(QFont::SansSerif);
        font.setPointSizeF(9.75);
        font.setWeight(QFont::Normal);
        box->setFont(font);
        return box;
    }
    case ControlKind::Button:
        return new WrappingButton(qs(spec.caption), parent);
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(qs(spec.caption), parent);
        box->setChecked(true);
        return box;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(qs(spec.caption), parent);
        label->setTextFormat(Qt::PlainText);
        // The speed is read out to a keyboard user who tabs to it, so the label takes the focus
        // from Tab and shows it.
        label->setFocusPolicy(Qt::TabFocus);
        label->setStyleSheet(QStringLiteral("QLabel { border: 1px solid transparent; }"
                                            "QLabel:focus { border: 1px dotted palette(text); }"));
        return label;
    }
    }
    return nullptr;
}

// What a screen reader says of the controls that show no caption. Those with a caption are named
// by it (without its access key mark) as it changes.
struct SpokenControl {
    Control control;
    std::string_view accessibleName;
    std::string_view description; // for controls without a tool tip
};
constexpr SpokenControl spokenControls[] = {
    {Control::txtInput, "Text to read", "The text that Read reads aloud"},
    {Control::chkSqBr, "Leave out text in square brackets", ""},
    {Control::chkCrPause, "Do not pause at line breaks", ""},
    {Control::cmdPause, "", "Pauses the reading, or resumes it"},
    {Control::cmdVisit, "", "Opens the help page of Tellwick"},
};

void describeForScreenReaders(QWidget* widget, const ControlSpec& spec) {
    widget->setAccessibleDescription(qs(spec.toolTip));
    for (const SpokenControl& spoken : spokenControls) {
        if (spoken.control != spec.id)
            continue;
        if (!spoken.accessibleName.empty())
            widget->setAccessibleName(qs(spoken.accessibleName));
        if (!spoken.description.empty())
            widget->setAccessibleDescription(qs(spoken.description));
    }
}

void failUnless(const VoiceResult& result) {
    if (!result)
        throw UncaughtFailure{result.error};
}

} // namespace

// Applies layout steps to the window's controls, which refuse a negative width or height.
class frmTextToSpeech::Layout : public LayoutTarget {
public:
    explicit Layout(frmTextToSpeech& window) : window_(window) {}

    bool set(Control control, LayoutProperty property, double twips) override {
        PlacedControl& placed = window_.controls_[static_cast<std::size_t>(control)];
        QRectF& rect = placed.twips;
        switch (property) {
        case LayoutProperty::Left:
            rect.moveLeft(twips);
            break;
        case LayoutProperty::Top:
            rect.moveTop(twips);
            break;
        case LayoutProperty::Width:
            if (twips < 0)
                return false;
            rect.setWidth(twips);
            break;
        case LayoutProperty::Height:
            if (twips < 0)
                return false;
            rect.setHeight(twips);
            break;
        }
        window_.placeControl(placed);
        return true;
    }

    double reportedInputHeight() const override {
        return window_.txtInput->height() * window_.scale_.twipsPerPixelY;
    }

private:
    frmTextToSpeech& window_;
};

frmTextToSpeech::frmTextToSpeech(Platform platform, QWidget* parent)
    : QWidget(parent), platform_(std::move(platform)),
      scale_(TwipScale::fromLogicalDpi(logicalDpiX(), logicalDpiY())) {
    setObjectName(QStringLiteral("frmTextToSpeech"));
    setWindowTitle(qs(tellwick::windowTitle));
    setWindowIcon(tellwickIcon());
    // The controls are sized for a small dialog font; the text box sets its own.
    setFont(fittingControlFont(font(), scale_));
    resize(static_cast<int>(std::lround(startClientWidth / scale_.twipsPerPixelX)),
           static_cast<int>(std::lround(designClientHeight / scale_.twipsPerPixelY)));
    createControls();
    connectHandlers();
    Form_Load();
    // After the window has been shown, so that it does not appear later for it.
    if (platform_.prepareVoices)
        QTimer::singleShot(0, this, platform_.prepareVoices);
}

frmTextToSpeech::~frmTextToSpeech() = default;

void frmTextToSpeech::createControls() {
    QWidget* previous = nullptr;
    for (const ControlSpec& spec : controlTable) {
        QWidget* widget = makeControl(spec, this);
        widget->setObjectName(qs(spec.name));
        if (!spec.toolTip.empty())
            widget->setToolTip(qs(spec.toolTip));
        describeForScreenReaders(widget, spec);
        PlacedControl& placed = controls_[static_cast<std::size_t>(spec.id)];
        placed = {widget, QRectF(spec.left, spec.top, spec.width, spec.height)};
        placeControl(placed);
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
    txtInput = widgetOf<QPlainTextEdit>(Control::txtInput);
    cmdRead = widgetOf<QPushButton>(Control::cmdRead);
    cmdPause = widgetOf<QPushButton>(Control::cmdPause);
    cmdHere = widgetOf<QPushButton>(Control::cmdHere);
    cmdPaste = widgetOf<QPushButton>(Control::cmdPaste);
    cmdClear = widgetOf<QPushButton>(Control::cmdClear);
    cmdSR = widgetOf<QPushButton>(Control::cmdSR);
    chkSqBr = widgetOf<QCheckBox>(Control::chkSqBr);
    chkCrPause = widgetOf<QCheckBox>(Control::chkCrPause);
    cmdSkipF = widgetOf<QPushButton>(Control::cmdSkipF);
    cmdRH = widgetOf<QPushButton>(Control::cmdRH);
    cmdVisit = widgetOf<QPushButton>(Control::cmdVisit);
    lblSpeed = widgetOf<QLabel>(Control::lblSpeed);
    txtInput->installEventFilter(this);
    boxText_ = new RawTextMirror(txtInput->document());
    highlight_ = new ReadingHighlight(txtInput, boxText_);
    // Where even the smallest legible font leaves the speed too wide for its place, the label
    // stays in front of the website button rather than losing its digit; clicks go through it.
    if (!speedTextFits(font(), scale_)) {
        lblSpeed->raise();
        lblSpeed->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
}

void frmTextToSpeech::connectHandlers() {
    using Handler = void (frmTextToSpeech::*)();
    const std::pair<QPushButton*, Handler> clicks[] = {
        {cmdRead, &frmTextToSpeech::cmdRead_Click},   {cmdPause, &frmTextToSpeech::cmdPause_Click},
        {cmdHere, &frmTextToSpeech::cmdHere_Click},   {cmdSkipF, &frmTextToSpeech::cmdSkipF_Click},
        {cmdPaste, &frmTextToSpeech::cmdPaste_Click}, {cmdClear, &frmTextToSpeech::cmdClear_Click},
        {cmdRH, &frmTextToSpeech::cmdRH_Click},       {cmdSR, &frmTextToSpeech::cmdSR_Click},
        {cmdVisit, &frmTextToSpeech::cmdVisit_Click},
    };
    for (const auto& [button, handler] : clicks)
        connect(button, &QPushButton::clicked, this,
                [this, handler = handler] { runHandler(this, [&] { (this->*handler)(); }); });
    connect(static_cast<InputBox*>(txtInput), &InputBox::readFromHereAsked, this,
            [this](int position) { runHandler(this, [&] { readFromHere(position); }); });
}

void frmTextToSpeech::placeControl(PlacedControl& control) {
    const QRectF& t = control.twips;
    const auto px = [](double twips, double perPixel) {
        return static_cast<int>(std::lround(twips / perPixel));
    };
    control.widget->setGeometry(
        px(t.left(), scale_.twipsPerPixelX), px(t.top(), scale_.twipsPerPixelY),
        px(t.width(), scale_.twipsPerPixelX), px(t.height(), scale_.twipsPerPixelY));
}

QRectF frmTextToSpeech::controlTwips(Control control) const {
    return controls_[static_cast<std::size_t>(control)].twips;
}

void frmTextToSpeech::Form_Load() {
    state_.LineCount = 0;
    state_.ScreenLines = 30;
    state_.ReadSpeed = 1;
    lblSpeed->setText(QStringLiteral("Speed: +%1").arg(state_.ReadSpeed));

    placeWindow();
    setInputText(welcomeText(state_.ScreenLines));
}

void frmTextToSpeech::placeWindow() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize outer = frameGeometry().size();
    const double left =
        (area.width() - outer.width()) * scale_.twipsPerPixelX + offScreenRightTwips;
    const double top = (area.height() - outer.height()) * scale_.twipsPerPixelY / placementDivisor;
    move(area.left() + static_cast<int>(std::lround(left / scale_.twipsPerPixelX)),
         area.top() + static_cast<int>(std::lround(top / scale_.twipsPerPixelY)));
}

bool frmTextToSpeech::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // The placement and the layout go by the window's outer size, which is known only once the
    // window manager has framed the shown window. Until then they used the inner size, so the
    // window is placed and laid out again, once, when the frame appears.
    if (!framed_ && isVisible() && frameGeometry().size() != size()) {
        framed_ = true;
        placeWindow();
        Form_Resize();
    }
    return handled;
}

void frmTextToSpeech::Form_Unload() {
    if (platform_.appKeyboard)
        platform_.appKeyboard->keyEvent(VK_SHIFT, KEYEVENTF_KEYUP);
}

void frmTextToSpeech::Form_Resize() {
    const bool minimised = isMinimized();
    const double clientHeight = minimised ? 0 : height() * scale_.twipsPerPixelY;
    const double outerWidth = minimised ? 0 : frameGeometry().width() * scale_.twipsPerPixelX;
    Layout target(*this);
    layOut(target, clientHeight, outerWidth, state_.ScreenLines);
}

void frmTextToSpeech::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmTextToSpeech::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frmTextToSpeech::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

bool frmTextToSpeech::eventFilter(QObject* watched, QEvent* event) {
    // Only real releases count: a held key's repeats must not step the trainer again.
    if (watched == txtInput && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            const int keyCode = virtualKeyFromQtKey(key->key());
            const int shift = shiftStateFromModifiers(key->modifiers());
            runHandler(this, [&] { txtInput_KeyUp(keyCode, shift); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString frmTextToSpeech::inputText() const {
    // The rewriter is given CR LF line breaks, as Read and the capture handlers see the box.
    return withCrLfLineBreaks(txtInput->document()->toRawText());
}

void frmTextToSpeech::setInputText(const QString& text) {
    const QString plain = withLfLineBreaks(text);
    boxText_->replaceAll(rawTextOf(plain), [&] { txtInput->setPlainText(plain); });
}

void frmTextToSpeech::focusInput() {
    txtInput->setFocus(Qt::OtherFocusReason);
}

void frmTextToSpeech::showPaused(bool paused) {
    cmdPause->setText(qs(paused ? resumeCaption : pauseCaption));
}

RespellOptions frmTextToSpeech::respellOptions() const {
    return {chkCrPause->isChecked(), chkSqBr->isChecked()};
}

void frmTextToSpeech::cmdRead_Click() {
    focusInput();
    highlight_->stop();
    const RespellOptions options = respellOptions();
    if (!txtInput->document()->isEmpty()) {
        readBoxFrom(0, options);
        return;
    }

    // The clipboard case skips every failing step. Only a clipboard known to hold no text ends
    // the reading here; a read that fails is skipped like any other step, and the steps after it
    // run.
    Clipboard* clipboard = platform_.clipboard.get();
    const std::optional<QString> first = clipboard ? clipboard->text() : std::nullopt;
    if (first && first->isEmpty())
        return;
    QString error;
    if (std::unique_ptr<Voice> voice = platform_.voices ? platform_.voices(&error) : nullptr)
        takeVoice(std::move(voice));
    // Without a new voice the steps fall on whichever voice is held, as the steps are written.
    if (state_.CurVoice) {
        (void)state_.CurVoice->setRate(state_.ReadSpeed);
        if (const std::optional<QString> again = clipboard ? clipboard->text() : std::nullopt)
            (void)speakInSteps(*again, [options](QString text) {
                return Spoken{respelled(text, options), nullptr};
            });
    }
    showPaused(false);
}

void frmTextToSpeech::readFromHere(qsizetype position) {
    focusInput();
    highlight_->stop();
    const RespellOptions options = respellOptions();
    if (txtInput->document()->isEmpty())
        return;
    const qsizetype start = sentenceStartAt(boxText_->text(), position);
    // A box of white space only has no sentence; it is read whole, as Read reads it.
    readBoxFrom(start < boxText_->text().size() ? start : 0, options);
}

std::optional<BoxRange> frmTextToSpeech::followedSentence() const {
    return highlight_->shown();
}

void frmTextToSpeech::readBoxFrom(qsizetype start, const RespellOptions& options) {
    QString error;
    std::unique_ptr<Voice> voice = platform_.voices ? platform_.voices(&error) : nullptr;
    if (!voice)
        throw UncaughtFailure{error.isEmpty() ? QStringLiteral("No speech voice is available.")
                                              : error};
    takeVoice(std::move(voice));
    failUnless(state_.CurVoice->setRate(state_.ReadSpeed));
    failUnless(speakInSteps(boxText_->text().mid(start), [start, options](QString raw) {
        auto reading = std::make_shared<const BoxReading>(raw, start, options);
        return Spoken{reading->spoken(), reading};
    }));
    showPaused(false);
}

void frmTextToSpeech::takeVoice(std::unique_ptr<Voice> voice) {
    state_.CurVoice = std::move(voice);
    ++voicesTaken_;
    listenTo(*state_.CurVoice);
}

VoiceResult frmTextToSpeech::speakInSteps(QString text, Rewrite rewrite) {
    if (text.size() <= twoStepLength) {
        Spoken spoken = rewrite(std::move(text));
        highlight_->follow(std::move(spoken.reading));
        return state_.CurVoice->speak(spoken.text);
    }
    Spoken beginning = rewrite(text.left(beginningEnd(text)));
    highlight_->follow(std::move(beginning.reading));
    const VoiceResult begun = state_.CurVoice->speakBeginning(beginning.text);
    if (begun)
        completeBeside(std::move(text), std::move(rewrite));
    return begun;
}

void frmTextToSpeech::completeBeside(QString text, Rewrite rewrite) {
    // The rewriter holds nothing between calls, so it runs on a thread of its own while the
    // window goes on; the whole goes to the voice only if no later Read has replaced it, and the
    // highlight takes its map only if it still follows the beginning (no edit came between).
    auto whole = std::make_shared<Spoken>();
    QThread* rewriter = QThread::create(
        [text = std::move(text), rewrite, whole]() mutable { *whole = rewrite(std::move(text)); });
    connect(rewriter, &QThread::finished, rewriter, &QObject::deleteLater);
    connect(rewriter, &QThread::finished, this,
            [this, voice = state_.CurVoice.get(), taken = voicesTaken_, whole,
             beginning = highlight_->following()] {
                if (taken != voicesTaken_ || state_.CurVoice.get() != voice)
                    return;
                if (const VoiceResult result = voice->completeText(whole->text); !result) {
                    reportUncaught(this,
                                   QStringLiteral("The reading stopped: %1.").arg(result.error));
                    return;
                }
                if (beginning && highlight_->following() == beginning)
                    highlight_->follow(std::move(whole->reading));
            });
    rewriter->start();
}

void frmTextToSpeech::listenTo(Voice& voice) {
    // A reading that stops by itself (the sound server went away) is reported when it happens,
    // not at the next Read; the text and the state stay.
    voice.onFailure([this](const QString& message) {
        reportUncaught(this, QStringLiteral("The reading stopped: %1.").arg(message));
    });
    voice.onSentenceHeard([this](int, qsizetype position) { highlight_->sentenceHeard(position); });
    voice.onFinished([this] { highlight_->stop(); });
}

Voice& frmTextToSpeech::voiceOrFail(const QString& operation) {
    if (!state_.CurVoice)
        throw UncaughtFailure{operation + QStringLiteral(": no reading has been started.")};
    return *state_.CurVoice;
}

void frmTextToSpeech::cmdPause_Click() {
    if (!txtInput->document()->isEmpty()) {
        if (cmdPause->text() == qs(pauseCaption)) {
            if (state_.CurVoice && state_.CurVoice->pause())
                showPaused(true);
        } else {
            failUnless(voiceOrFail(QStringLiteral("Resume")).resume());
            showPaused(false);
        }
    }
    focusInput();
}

void frmTextToSpeech::skipOrChangeSpeed(int direction) {
    const SkipButton& button = direction < 0 ? skipBack : skipForward;
    focusInput();
    if (state_.CurVoice && state_.CurVoice->skipSentence(button.sentences))
        return;
    const bool withinLimit = button.speedStep < 0 ? state_.ReadSpeed > button.speedLimit
                                                  : state_.ReadSpeed < button.speedLimit;
    if (withinLimit)
        state_.ReadSpeed = static_cast<std::int16_t>(state_.ReadSpeed + button.speedStep);
    ShowSpeed();
}

void frmTextToSpeech::cmdHere_Click() {
    skipOrChangeSpeed(-1);
}

void frmTextToSpeech::cmdSkipF_Click() {
    skipOrChangeSpeed(+1);
}

void frmTextToSpeech::ShowSpeed() {
    const int speed = state_.ReadSpeed;
    const QString shown = speed > 0    ? QStringLiteral("+%1").arg(speed)
                          : speed == 0 ? QStringLiteral("N")
                                       : QString::number(speed);
    lblSpeed->setText(QStringLiteral("Speed: ") + shown);
}

void frmTextToSpeech::cmdPaste_Click() {
    if (platform_.clipboard)
        pasteClipboard(*this, state_, *platform_.clipboard);
}

void frmTextToSpeech::cmdClear_Click() {
    clearInput(*this, state_);
}

void frmTextToSpeech::cmdRH_Click() {
    if (platform_.clipboard)
        readHighlighted(
            *this, platform_.systemKeyboard.get(), *platform_.clipboard,
            [this] { cmdPaste_Click(); }, [this] { cmdRead_Click(); });
}

bool frmTextToSpeech::readSelection() {
    // A failure of Read is reported like any other; the selection was read all the same.
    bool read = false;
    if (platform_.clipboard)
        runHandler(this, [&] {
            readHighlightedSelection(
                *this, *platform_.clipboard,
                [&] {
                    read = true;
                    cmdPaste_Click();
                },
                [this] { cmdRead_Click(); });
        });
    return read;
}

void frmTextToSpeech::cmdSR_Click() {
    if (platform_.appKeyboard)
        toggleTrainer(state_, *platform_.appKeyboard, *this,
                      [this](const QString& caption) { cmdSR->setText(caption); });
}

void frmTextToSpeech::cmdVisit_Click() {
    if (platform_.launcher)
        visitWebsite(*this, *platform_.launcher);
}

void frmTextToSpeech::txtInput_KeyUp(int KeyCode, int Shift) {
    (void)Shift; // the trainer's own held Shift is what extends the selection
    if (platform_.appKeyboard && platform_.clipboard)
        trainerKeyUp(KeyCode, state_, *platform_.appKeyboard, *this, *platform_.clipboard);
}

} // namespace tellwick
