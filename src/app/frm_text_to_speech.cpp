#include "app/frm_text_to_speech.h"

#include "app/control_font.h"
#include "app/controls.h"
#include "app/input_box.h"
#include "app/raw_text_mirror.h"
#include "app/reading_highlight.h"
#include "app/top_level_handler.h"
#include "app/website.h"
#include "app/welcome_text.h"
#include "app/window_icon.h"
#include "app/wrapping_button.h"
#include "reader/box_text.h"
#include "reader/highlighted_text.h"
#include "reader/sentences.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <QTimer>

#include <cmath>
#include <string>
#include <string_view>

namespace tellwick {

namespace {

constexpr double placementDivisor = 2.3; // the window sits a little above the middle
constexpr double offScreenRightTwips = 100;

QString qs(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QWidget* makeControl(const ControlSpec& spec, Clipboard* clipboard, QWidget* parent) {
    switch (spec.kind) {
    case ControlKind::TextBox: {
        auto* box = new InputBox(clipboard, parent);
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

frmTextToSpeech::frmTextToSpeech(WindowServices services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)), reader_(services_.voices),
      scale_(TwipScale::fromLogicalDpi(logicalDpiX(), logicalDpiY())) {
    setObjectName(QStringLiteral("frmTextToSpeech"));
    setWindowTitle(qs(tellwick::windowTitle));
    setWindowIcon(tellwickIcon());
    // The controls are sized for a small dialog font; the text box sets its own.
    setFont(fittingControlFont(font(), scale_));
    resize(static_cast<int>(std::lround(startClientWidth / scale_.twipsPerPixelX)),
           static_cast<int>(std::lround(designClientHeight / scale_.twipsPerPixelY)));
    setMinimumSize(static_cast<int>(std::ceil(smallestClientWidth / scale_.twipsPerPixelX)),
                   static_cast<int>(std::ceil(smallestClientHeight / scale_.twipsPerPixelY)));
    createControls();
    connectHandlers();
    connectReader();
    Form_Load();
    // After the window has been shown, so that it does not appear later for it.
    if (services_.prepareVoices)
        QTimer::singleShot(0, this, services_.prepareVoices);
}

frmTextToSpeech::~frmTextToSpeech() = default;

void frmTextToSpeech::createControls() {
    QWidget* previous = nullptr;
    for (const ControlSpec& spec : controlTable) {
        QWidget* widget = makeControl(spec, services_.clipboard.get(), this);
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
    txtInput = widgetOf<InputBox>(Control::txtInput);
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
    highlight_ = new ReadingHighlight(txtInput);
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

void frmTextToSpeech::connectReader() {
    connect(&reader_, &Reader::pausedChanged, cmdPause,
            [this](bool paused) { cmdPause->setText(qs(paused ? resumeCaption : pauseCaption)); });
    connect(&reader_, &Reader::speedChanged, this, &frmTextToSpeech::ShowSpeed);
    connect(&reader_, &Reader::sentenceHeard, highlight_, &ReadingHighlight::sentenceHeard);
    connect(&reader_, &Reader::finished, highlight_, &ReadingHighlight::stop);
    // A reading that stops by itself (the sound server went away) is reported when it happens,
    // not at the next Read; the text and the state stay.
    connect(&reader_, &Reader::failed, this, [this](const QString& message) {
        reportUncaught(this, QStringLiteral("The reading stopped: %1.").arg(message));
    });
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
    screenLines_ = 30;
    reader_.setSpeed(1);

    placeWindow();
    setInputText(welcomeText(screenLines_));
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

void frmTextToSpeech::Form_Resize() {
    const bool minimised = isMinimized();
    const double clientHeight = minimised ? 0 : height() * scale_.twipsPerPixelY;
    const double outerWidth = minimised ? 0 : frameGeometry().width() * scale_.twipsPerPixelX;
    Layout target(*this);
    layOut(target, clientHeight, outerWidth, screenLines_);
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

bool frmTextToSpeech::eventFilter(QObject* watched, QEvent* event) {
    // Only real releases count: a held key's repeats must not step the trainer again.
    if (watched == txtInput && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat())
            runHandler(this, [&] { txtInput_KeyUp(key->key()); });
    }
    return QWidget::eventFilter(watched, event);
}

QString frmTextToSpeech::inputText() const {
    return crLfText(txtInput->document()->toRawText());
}

void frmTextToSpeech::setInputText(const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    boxText_->replaceAll(rawTextOf(plain), [&] { txtInput->setPlainText(plain); });
}

void frmTextToSpeech::focusInput() {
    txtInput->setFocus(Qt::OtherFocusReason);
}

RespellOptions frmTextToSpeech::respellOptions() const {
    return {chkCrPause->isChecked(), chkSqBr->isChecked()};
}

void frmTextToSpeech::cmdRead_Click() {
    focusInput();
    highlight_->stop();
    const RespellOptions options = respellOptions();
    // A box of white space only (Paste of an empty clipboard leaves its line breaks) has nothing
    // to hear: Read then reads the clipboard, as it does for an empty box.
    if (!isBlank(boxText_->text())) {
        readBoxFrom(0, options);
        return;
    }

    reader_.readClipboard(services_.clipboard.get(), options);
}

void frmTextToSpeech::readFromHere(qsizetype position) {
    focusInput();
    highlight_->stop();
    const RespellOptions options = respellOptions();
    if (isBlank(boxText_->text()))
        return;
    readBoxFrom(sentenceStartAt(boxText_->text(), position), options);
}

std::optional<BoxRange> frmTextToSpeech::followedSentence() const {
    return highlight_->shown();
}

void frmTextToSpeech::readBoxFrom(qsizetype start, const RespellOptions& options) {
    highlight_->follow();
    failUnless(reader_.readBox(boxText_->text(), start, options));
}

void frmTextToSpeech::cmdPause_Click() {
    if (!txtInput->document()->isEmpty())
        failUnless(reader_.pauseOrResume());
    focusInput();
}

void frmTextToSpeech::skipOrChangeSpeed(int direction) {
    focusInput();
    reader_.skipOrChangeSpeed(direction);
}

void frmTextToSpeech::cmdHere_Click() {
    skipOrChangeSpeed(-1);
}

void frmTextToSpeech::cmdSkipF_Click() {
    skipOrChangeSpeed(+1);
}

void frmTextToSpeech::ShowSpeed(int speed) {
    const QString shown = speed > 0    ? QStringLiteral("+%1").arg(speed)
                          : speed == 0 ? QStringLiteral("N")
                                       : QString::number(speed);
    lblSpeed->setText(QStringLiteral("Speed: ") + shown);
}

// Every failing step is skipped: a clipboard that cannot be read leaves the box empty. The run of
// empty lines lets the trainer bring the text's last lines to the top of the box.
void frmTextToSpeech::cmdPaste_Click() {
    if (!services_.clipboard)
        return;
    setInputText(QString());
    focusInput();
    if (const std::optional<QString> text = services_.clipboard->text())
        setInputText(*text + emptyLineRun(screenLines_));
    reader_.offerPause();
}

// The reading pauses and the box empties; Read then speaks the clipboard.
void frmTextToSpeech::cmdClear_Click() {
    reader_.silence();
    setInputText(QString());
    focusInput();
}

void frmTextToSpeech::cmdRH_Click() {
    focusInput();
    // With nothing highlighted, Paste and Read go on with the clipboard as it is.
    if (services_.clipboard)
        (void)captureHighlighted(*services_.clipboard);
    cmdPaste_Click();
    cmdRead_Click();
}

bool frmTextToSpeech::readSelection() {
    if (!services_.clipboard || !captureHighlighted(*services_.clipboard))
        return false;
    // A failure of Read is reported like any other; the selection was read all the same.
    runHandler(this, [this] {
        focusInput();
        cmdPaste_Click();
        cmdRead_Click();
    });
    return true;
}

void frmTextToSpeech::cmdSR_Click() {
    if (!trainer_.isOn()) {
        trainer_.switchOn();
        txtInput->startExtendingFromTop();
        cmdSR->setText(trainerOnCaption);
    } else {
        trainer_.switchOff();
        cmdSR->setText(trainerOffCaption);
        txtInput->stopExtending();
    }
    focusInput();
}

void frmTextToSpeech::cmdVisit_Click() {
    focusInput();
    if (services_.launcher)
        OpenWebPage(*services_.launcher, helpPageAddress());
}

void frmTextToSpeech::txtInput_KeyUp(int key) {
    if (trainer_.isOn() && key == Qt::Key_Down && trainer_.lineRead(screenLines_))
        txtInput->turnPageBack(screenLines_);
    if (key == Qt::Key_F2 && services_.clipboard)
        copyBoxText(inputText(), *services_.clipboard);
}

} // namespace tellwick
