#include "app/main_window.h"

#include "app/control_font.h"
#include "app/controls.h"
#include "app/document_opening.h"
#include "app/input_box.h"
#include "app/memory.h"
#include "app/reading_highlight.h"
#include "app/speech_saving.h"
#include "app/top_level_handler.h"
#include "app/voice_choice.h"
#include "app/website.h"
#include "app/welcome_text.h"
#include "app/window_icon.h"
#include "app/window_settings.h"
#include "app/wrapping_button.h"
#include "reader/box_reading.h"
#include "reader/box_text.h"
#include "reader/highlighted_text.h"
#include "reader/sentences.h"
#include "speech/qt_text.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>

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
    {Control::textBox, "Text to read", "The text that Read reads aloud"},
    {Control::skipBracketedBox, "Leave out text in square brackets", ""},
    {Control::linesAsSpacesBox, "Do not pause at line breaks", ""},
    {Control::pauseButton, "", "Pauses the reading, or resumes it"},
    {Control::visitButton, "", "Opens the help page of Tellwick"},
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
class MainWindow::Layout : public LayoutTarget {
public:
    explicit Layout(MainWindow& window) : window_(window) {}

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
        return window_.textBox_->height() * window_.scale_.twipsPerPixelY;
    }

private:
    MainWindow& window_;
};

MainWindow::MainWindow(WindowServices services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)), reader_(chosenVoices()),
      scale_(TwipScale::fromLogicalDpi(logicalDpiX(), logicalDpiY())) {
    mapLargeBlocksApart();
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
    startUp();
    // After the window has been shown, so that it does not appear later for it; the voice the user
    // chose, which the first Read will ask for.
    if (services_.prepareVoices)
        QTimer::singleShot(0, this, [this] { services_.prepareVoices(voiceChoice_->voiceName()); });
}

MainWindow::~MainWindow() {
    saveSettings();
}

VoiceFactory MainWindow::chosenVoices() {
    if (!services_.voices)
        return {};
    // The choice is asked at each reading: it may change between two.
    return [this](QString* error) { return services_.voices(voiceChoice_->voiceName(), error); };
}

void MainWindow::createControls() {
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
    textBox_ = widgetOf<InputBox>(Control::textBox);
    readButton_ = widgetOf<QPushButton>(Control::readButton);
    pauseButton_ = widgetOf<QPushButton>(Control::pauseButton);
    skipBackButton_ = widgetOf<QPushButton>(Control::skipBackButton);
    pasteButton_ = widgetOf<QPushButton>(Control::pasteButton);
    clearButton_ = widgetOf<QPushButton>(Control::clearButton);
    trainerButton_ = widgetOf<QPushButton>(Control::trainerButton);
    skipBracketedBox_ = widgetOf<QCheckBox>(Control::skipBracketedBox);
    linesAsSpacesBox_ = widgetOf<QCheckBox>(Control::linesAsSpacesBox);
    skipForwardButton_ = widgetOf<QPushButton>(Control::skipForwardButton);
    readHighlightedButton_ = widgetOf<QPushButton>(Control::readHighlightedButton);
    visitButton_ = widgetOf<QPushButton>(Control::visitButton);
    speedLabel_ = widgetOf<QLabel>(Control::speedLabel);
    textBox_->installEventFilter(this);
    highlight_ = new ReadingHighlight(textBox_);
    documentOpening_ = new DocumentOpening(this);
    speechSaving_ = new SpeechSaving(this);
    voiceChoice_ = new VoiceChoice(services_.voiceCatalogue, this);
    textBox_->setVoiceChoice(voiceChoice_);
    // Where even the smallest legible font leaves the speed too wide for its place, the label
    // stays in front of the website button rather than losing its digit; clicks go through it.
    if (!speedTextFits(font(), scale_)) {
        speedLabel_->raise();
        speedLabel_->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
}

void MainWindow::connectHandlers() {
    using Handler = void (MainWindow::*)();
    const std::pair<QPushButton*, Handler> clicks[] = {
        {readButton_, &MainWindow::onReadClicked},
        {pauseButton_, &MainWindow::onPauseClicked},
        {skipBackButton_, &MainWindow::onSkipBackClicked},
        {skipForwardButton_, &MainWindow::onSkipForwardClicked},
        {pasteButton_, &MainWindow::onPasteClicked},
        {clearButton_, &MainWindow::onClearClicked},
        {readHighlightedButton_, &MainWindow::onReadHighlightedClicked},
        {trainerButton_, &MainWindow::onTrainerClicked},
        {visitButton_, &MainWindow::onVisitClicked},
    };
    for (const auto& [button, handler] : clicks)
        connect(button, &QPushButton::clicked, this,
                [this, handler = handler] { runHandler(this, [&] { (this->*handler)(); }); });
    connect(static_cast<InputBox*>(textBox_), &InputBox::readFromHereAsked, this,
            [this](int position) { runHandler(this, [&] { readFromHere(position); }); });
    connect(textBox_, &InputBox::openAsked, this,
            [this] { runHandler(this, [this] { onOpenAsked(); }); });
    connect(textBox_, &InputBox::documentDropped, this, &MainWindow::openDocument);
    connect(documentOpening_, &DocumentOpening::opened, this, &MainWindow::showDocument);
    connect(textBox_, &InputBox::saveSpeechAsked, this,
            [this] { runHandler(this, [this] { onSaveSpeechAsked(); }); });
    connect(voiceChoice_, &VoiceChoice::chosen, this, &MainWindow::showWelcomeText);
    connect(
        speechSaving_, &SpeechSaving::finished, this, [this](bool written, const QString& error) {
            if (!written && !error.isEmpty())
                reportUncaught(this, QStringLiteral("The speech was not saved: %1.").arg(error));
        });
}

void MainWindow::connectReader() {
    connect(&reader_, &Reader::pausedChanged, pauseButton_, [this](bool paused) {
        pauseButton_->setText(qs(paused ? resumeCaption : pauseCaption));
    });
    connect(&reader_, &Reader::speedChanged, this, &MainWindow::showSpeed);
    connect(&reader_, &Reader::sentenceHeard, highlight_, &ReadingHighlight::sentenceHeard);
    connect(&reader_, &Reader::finished, highlight_, &ReadingHighlight::stop);
    // A book's old text, which the box's own copy no longer shares once it changes, goes at once.
    connect(textBox_, &InputBox::contentsChange, &reader_, &Reader::forgetBox);
    // A reading that stops by itself (the sound server went away) is reported when it happens,
    // not at the next Read; the text and the state stay.
    connect(&reader_, &Reader::failed, this, [this](const QString& message) {
        reportUncaught(this, QStringLiteral("The reading stopped: %1.").arg(message));
    });
}

void MainWindow::placeControl(PlacedControl& control) {
    const QRectF& t = control.twips;
    const auto px = [](double twips, double perPixel) {
        return static_cast<int>(std::lround(twips / perPixel));
    };
    control.widget->setGeometry(
        px(t.left(), scale_.twipsPerPixelX), px(t.top(), scale_.twipsPerPixelY),
        px(t.width(), scale_.twipsPerPixelX), px(t.height(), scale_.twipsPerPixelY));
}

QRectF MainWindow::controlTwips(Control control) const {
    return controls_[static_cast<std::size_t>(control)].twips;
}

void MainWindow::startUp() {
    screenLines_ = 30;
    reader_.setSpeed(1);

    placeWindow();
    restoreSettings();
    showWelcomeText();
}

// The welcome text names the voice that reads it; a choice of voice renames it while the box
// still holds it as it was.
void MainWindow::showWelcomeText() {
    if (!welcomeShown_.isNull() && inputText() != welcomeShown_)
        return;
    setInputText(
        welcomeText(screenLines_, voiceWords(voiceChoice_->voice(), voiceChoice_->voices())));
    welcomeShown_ = inputText();
}

namespace {

// The names the settings are kept under; constant from the program's start, since a window may be
// made before the statics of this file (the tests' helper processes make one then).
constexpr QLatin1StringView speedKey("reading/speed");
constexpr QLatin1StringView skipBracketedKey("reading/skipSquareBrackets");
constexpr QLatin1StringView linesAsSpacesKey("reading/linesAsSpaces");
constexpr QLatin1StringView voiceKey("reading/voice");
constexpr QLatin1StringView placeKey("window/place");
constexpr QLatin1StringView sizeKey("window/size");
constexpr QLatin1StringView maximisedKey("window/maximised");

constexpr Qt::WindowStates notNormal =
    Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen;

} // namespace

void MainWindow::restoreSettings() {
    if (services_.settingsFile.isEmpty())
        return;
    const QSettings settings(services_.settingsFile, QSettings::IniFormat);
    reader_.setSpeed(settings.value(speedKey, reader_.speed()).toInt());
    skipBracketedBox_->setChecked(
        settings.value(skipBracketedKey, skipBracketedBox_->isChecked()).toBool());
    linesAsSpacesBox_->setChecked(
        settings.value(linesAsSpacesKey, linesAsSpacesBox_->isChecked()).toBool());
    // Shown once the window is up, where the user sees it.
    if (const QString notice = voiceChoice_->restore(settings.value(voiceKey).toString());
        !notice.isEmpty())
        QTimer::singleShot(0, this, [this, notice] { showNotice(notice); });
    const QVariant place = settings.value(placeKey);
    const QVariant size = settings.value(sizeKey);
    if (!place.canConvert<QPoint>() || !size.canConvert<QSize>() || !size.toSize().isValid())
        return;
    resize(size.toSize());
    QList<QRect> screens;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        screens.append(primary->availableGeometry());
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            screens.append(screen->availableGeometry());
    move(placeOnScreens(QRect(place.toPoint(), frameGeometry().size()), screens));
    placedFromSettings_ = true;
    // The place and size above are where the window goes when the user restores it.
    noteNormalGeometry();
    if (settings.value(maximisedKey).toBool())
        setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::saveSettings() const {
    if (services_.settingsFile.isEmpty())
        return;
    QSettings settings(services_.settingsFile, QSettings::IniFormat);
    settings.setValue(speedKey, reader_.speed());
    settings.setValue(skipBracketedKey, skipBracketedBox_->isChecked());
    settings.setValue(linesAsSpacesKey, linesAsSpacesBox_->isChecked());
    if (!voiceChoice_->remembered().isEmpty())
        settings.setValue(voiceKey, voiceChoice_->remembered());
    // A maximised window keeps the place and size it had before, to go back to.
    const bool normal = !(windowState() & notNormal);
    settings.setValue(placeKey, normal ? pos() : normalPlace_);
    settings.setValue(sizeKey, normal ? size() : normalSize_);
    settings.setValue(maximisedKey, isMaximized());
}

void MainWindow::noteNormalGeometry() {
    if (windowState() & notNormal)
        return;
    normalPlace_ = pos();
    normalSize_ = size();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    noteNormalGeometry();
}

void MainWindow::placeWindow() {
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
    // A hidden window is told of no move.
    noteNormalGeometry();
}

bool MainWindow::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // The placement and the layout go by the window's outer size, which is known only once the
    // window manager has framed the shown window. Until then they used the inner size, so the
    // window is placed and laid out again, once, when the frame appears.
    if (!framed_ && isVisible() && frameGeometry().size() != size()) {
        framed_ = true;
        if (!placedFromSettings_)
            placeWindow();
        layOutControls();
    }
    return handled;
}

void MainWindow::layOutControls() {
    const bool minimised = isMinimized();
    const double clientHeight = minimised ? 0 : height() * scale_.twipsPerPixelY;
    const double outerWidth = minimised ? 0 : frameGeometry().width() * scale_.twipsPerPixelX;
    Layout target(*this);
    layOut(target, clientHeight, outerWidth, screenLines_);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    noteNormalGeometry();
    layOutControls();
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        layOutControls();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Only real releases count: a held key's repeats must not step the trainer again.
    if (watched == textBox_ && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat())
            runHandler(this, [&] { onBoxKeyReleased(key->key()); });
    }
    return QWidget::eventFilter(watched, event);
}

QString MainWindow::inputText() const {
    return withCrLfLineBreaks(textBox_->document()->toRawText());
}

void MainWindow::setInputText(QString text) {
    textBox_->replaceText(withLfLineBreaks(std::move(text)));
}

void MainWindow::showPastedText(QString text) {
    textBox_->replaceText(withLfLineBreaks(std::move(text)),
                          withLfLineBreaks(emptyLineRun(screenLines_)));
}

void MainWindow::focusInput() {
    textBox_->setFocus(Qt::OtherFocusReason);
}

RespellOptions MainWindow::respellOptions() const {
    return {linesAsSpacesBox_->isChecked(), skipBracketedBox_->isChecked()};
}

void MainWindow::onReadClicked() {
    // A text still coming into the box is read whole, once it is in.
    if (textBox_->filling()) {
        textBox_->whenFilled([this] { runHandler(this, [this] { onReadClicked(); }); });
        return;
    }
    focusInput();
    highlight_->stop();
    const RespellOptions options = respellOptions();
    // A box of white space only (Paste of an empty clipboard leaves its line breaks) has nothing
    // to hear: Read then reads the clipboard, as it does for an empty box.
    if (!isBlank(textBox_->rawText())) {
        readBoxFrom(0, options);
        return;
    }

    readClipboardThen(ClipboardSource::Clipboard, [this, options](std::optional<QString> text) {
        reader_.readClipboard(text, options);
    });
}

void MainWindow::readFromHere(qsizetype position) {
    focusInput();
    highlight_->stop();
    const RespellOptions options = respellOptions();
    if (isBlank(textBox_->rawText()))
        return;
    readBoxFrom(sentenceStartAt(textBox_->rawText(), position), options);
}

std::optional<BoxRange> MainWindow::followedSentence() const {
    return highlight_->shown();
}

void MainWindow::readBoxFrom(qsizetype start, const RespellOptions& options) {
    highlight_->follow();
    failUnless(reader_.readBox(textBox_->rawText(), start, options));
}

void MainWindow::onPauseClicked() {
    if (!textBox_->document()->isEmpty())
        failUnless(reader_.pauseOrResume());
    focusInput();
}

void MainWindow::skipOrChangeSpeed(int direction) {
    focusInput();
    reader_.skipOrChangeSpeed(direction);
}

void MainWindow::onSkipBackClicked() {
    skipOrChangeSpeed(-1);
}

void MainWindow::onSkipForwardClicked() {
    skipOrChangeSpeed(+1);
}

void MainWindow::showSpeed(int speed) {
    const QString shown = speed > 0    ? QStringLiteral("+%1").arg(speed)
                          : speed == 0 ? QStringLiteral("N")
                                       : QString::number(speed);
    speedLabel_->setText(QStringLiteral("Speed: ") + shown);
}

// The clipboard and the selection belong to other programs, which may hang: the window goes on
// meanwhile, and then carries on where it left off. A holder that never answers is reported and
// ends what the user asked for there.
void MainWindow::readClipboardThen(ClipboardSource source,
                                   std::function<void(std::optional<QString>)> then,
                                   std::function<void()> silent) {
    if (!services_.clipboard) {
        then(std::nullopt);
        return;
    }
    services_.clipboard->requestText(
        source, this,
        [this, then = std::move(then), silent = std::move(silent)](const ClipboardRead& read) {
            if (read.failure.isEmpty()) {
                runHandler(this, [&] { then(read.text); });
                return;
            }
            if (silent)
                silent();
            reportUncaught(this, read.failure);
        });
}

// Every failing step is skipped: a clipboard that cannot be read leaves the box empty. The run of
// empty lines lets the trainer bring the text's last lines to the top of the box.
void MainWindow::onPasteClicked() {
    pasteThen({});
}

void MainWindow::pasteThen(std::function<void()> then) {
    if (!services_.clipboard) {
        if (then)
            then();
        return;
    }
    setInputText(QString());
    focusInput();
    readClipboardThen(ClipboardSource::Clipboard,
                      [this, then = std::move(then)](std::optional<QString> text) {
                          if (text)
                              showPastedText(*text);
                          reader_.offerPause();
                          // A long text comes in from the event loop; what follows waits for it.
                          if (then)
                              textBox_->whenFilled([this, then] { runHandler(this, then); });
                      });
}

// The reading pauses and the box empties; Read then speaks the clipboard.
void MainWindow::onClearClicked() {
    reader_.silence();
    setInputText(QString());
    focusInput();
}

void MainWindow::onReadHighlightedClicked() {
    focusInput();
    // With nothing highlighted, Paste and Read go on with the clipboard as it is.
    readClipboardThen(ClipboardSource::Selection, [this](std::optional<QString> selection) {
        if (services_.clipboard)
            (void)keepHighlighted(std::move(selection), *services_.clipboard);
        pasteThen([this] { onReadClicked(); });
    });
}

void MainWindow::readSelection(const std::function<void(SelectionReading)>& answer) {
    readClipboardThen(
        ClipboardSource::Selection,
        [this, answer](std::optional<QString> selection) {
            if (!services_.clipboard ||
                !keepHighlighted(std::move(selection), *services_.clipboard)) {
                answer(SelectionReading::NothingHighlighted);
                return;
            }
            // A failure of Read is reported like any other, in a message box that waits for the
            // user: whoever asked has had the answer by then.
            answer(SelectionReading::Started);
            focusInput();
            pasteThen([this] { onReadClicked(); });
        },
        [answer] { answer(SelectionReading::HolderSilent); });
}

void MainWindow::openDocument(const QString& path) {
    documentOpening_->open(path);
}

bool MainWindow::openingDocument() const {
    return documentOpening_->busy();
}

void MainWindow::onOpenAsked() {
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Open a document"), QString(),
        tr("Documents (*.txt *.text *.pdf *.epub *.html *.htm *.xhtml);;All files (*)"));
    if (!path.isEmpty())
        openDocument(path);
}

// The text is taken first, so that the user is told there is none before choosing a file.
void MainWindow::onSaveSpeechAsked() {
    spokenTextThen([this](const QString& spoken) {
        const QString path = QFileDialog::getSaveFileName(
            this, tr("Save the speech as"), QString(),
            tr("Audio (*.wav *.flac *.ogg *.mp3);;WAV (*.wav);;FLAC (*.flac);;Ogg Vorbis (*.ogg);;"
               "MP3 (*.mp3)"));
        if (!path.isEmpty())
            saveSpoken(spoken, path);
    });
}

void MainWindow::saveSpeech(const QString& path) {
    spokenTextThen([this, path](const QString& spoken) { saveSpoken(spoken, path); });
}

void MainWindow::spokenTextThen(std::function<void(const QString&)> then) {
    const RespellOptions options = respellOptions();
    if (!isBlank(textBox_->rawText())) {
        then(BoxReading(textBox_->rawText(), 0, options).spoken());
        return;
    }
    readClipboardThen(
        ClipboardSource::Clipboard, [options, then = std::move(then)](std::optional<QString> text) {
            if (!text || text->isEmpty())
                throw UncaughtFailure{tr("There is no text in the box or on the clipboard to save "
                                         "as speech.")};
            then(voiceText(*text, options).text);
        });
}

void MainWindow::saveSpoken(const QString& spoken, const QString& path) {
    if (QString error;
        !speechSaving_->save(spoken, reader_.speed(), voiceChoice_->voiceName(), path, &error))
        throw UncaughtFailure{error};
}

bool MainWindow::savingSpeech() const {
    return speechSaving_->busy();
}

void MainWindow::showDocument(const DocumentReading& reading) {
    if (!reading.read()) {
        reportUncaught(this, reading.error);
        return;
    }
    showPastedText(reading.text);
    focusInput();
    reader_.offerPause();
    if (!reading.notice.isEmpty())
        showNotice(reading.notice);
}

// A notice is worth a word, not a dialog to dismiss.
void MainWindow::showNotice(const QString& notice) {
    QToolTip::showText(textBox_->mapToGlobal(QPoint(0, 0)), notice, textBox_);
    emit noticeShown(notice);
}

void MainWindow::onTrainerClicked() {
    if (!trainer_.isOn()) {
        trainer_.switchOn();
        textBox_->startExtendingFromTop();
        trainerButton_->setText(trainerOnCaption);
    } else {
        trainer_.switchOff();
        trainerButton_->setText(trainerOffCaption);
        textBox_->stopExtending();
    }
    focusInput();
}

void MainWindow::onVisitClicked() {
    focusInput();
    if (services_.launcher)
        openWebPage(*services_.launcher, helpPageAddress());
}

void MainWindow::onBoxKeyReleased(int key) {
    if (trainer_.isOn() && key == Qt::Key_Down && trainer_.lineRead(screenLines_))
        textBox_->turnPageBack(screenLines_);
    if (key == Qt::Key_F2 && services_.clipboard)
        copyBoxText(inputText(), *services_.clipboard);
}

} // namespace tellwick
