#pragma once

#include "app/controls.h"
#include "app/window_layout.h"
#include "app/window_services.h"
#include "documents/document.h"
#include "reader/box_reading.h"
#include "reader/reader.h"
#include "reader/trainer.h"
#include "rewriter/respell.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tellwick {

class DocumentOpening;
class InputBox;
class SpeechSaving;
class VoiceChoice;
class ReadingHighlight;

// How a read of the text highlighted anywhere went.
enum class SelectionReading {
    Started,
    NothingHighlighted,
    // The program holding it did not answer in time; the window has said so.
    HolderSilent,
};

// The program's one window: the text box, the buttons that read, pause, skip and capture text,
// the two check boxes that steer the rewriter, and the speed label. Every handler runs on the
// user-interface thread to its end; a failure a handler does not catch is reported by the
// top-level handler and the window goes on.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(WindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    Reader& reader() { return reader_; }
    const Trainer& trainer() const { return trainer_; }
    // Text lines in one screenful of the text box, as the layout last found them.
    int screenLines() const { return screenLines_; }

    // The box's text with CR LF line breaks both ways, whatever the widget holds inside.
    QString inputText() const;
    void setInputText(QString text);
    void focusInput();

    // The place of a control in twips, as the layout last set it.
    QRectF controlTwips(Control control) const;
    TwipScale twipScale() const { return scale_; }

    // Read Highlighted runs Read as its last step; failures in it propagate to the caller.
    void onReadClicked();
    // Read from here: reads the box as Read does, from the start of the sentence that position
    // (a place in the box's text) lies in to the end.
    void readFromHere(qsizetype position);
    // The stretch of the box highlighted as the sentence being heard; none when nothing is.
    std::optional<BoxRange> followedSentence() const;

    void onPauseClicked();
    void onSkipBackClicked();
    void onSkipForwardClicked();
    void onPasteClicked();
    void onClearClicked();
    void onReadHighlightedClicked();
    // Read Highlighted for a text highlighted anywhere, asked from outside the window: nothing is
    // done when nothing is highlighted. Reads the selection without holding up the window, tells
    // answer how it went, and only then starts the reading.
    void readSelection(const std::function<void(SelectionReading)>& answer);
    void onTrainerClicked();
    void onVisitClicked();
    void onBoxKeyReleased(int key);

    void showSpeed(int speed);

    // Puts the text of the document at path into the box, as Paste does with the clipboard's, once
    // it is read (off the user-interface thread); a document that cannot be read is reported and
    // the box keeps its text.
    void openDocument(const QString& path);
    bool openingDocument() const;
    // Open…: asks the user for a document.
    void onOpenAsked();
    // Writes what Read would say (the box's text, or the clipboard's when the box is empty), at
    // the present speed and voice, to the audio file at path (its extension names the format),
    // off the user-interface thread; a failure is reported.
    void saveSpeech(const QString& path);
    bool savingSpeech() const;
    // Save speech as…: asks the user for the audio file.
    void onSaveSpeechAsked();

    // Lays the window out for its present size; a minimised window counts as 0 twips high.
    void layOutControls();

signals:
    // A one-line notice was shown beside the box (a remembered voice that cannot read, a guessed
    // encoding).
    void noticeShown(const QString& notice);

protected:
    bool event(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
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
    void startUp();
    void placeWindow();
    // The voices of readings: the one chosen, asked for by name.
    VoiceFactory chosenVoices();
    void showWelcomeText();
    // The speed, the check boxes, the voice and the window's place, size and whether it is
    // maximised, as the user last left them.
    void restoreSettings();
    void saveSettings() const;
    // Keeps the window's place and size while it is neither maximised nor minimised.
    void noteNormalGeometry();
    void showNotice(const QString& notice);
    void placeControl(PlacedControl& control);
    // The widget made for a control; its kind fixes its class, so the cast cannot fail.
    template <typename Widget> Widget* widgetOf(Control control) const {
        return static_cast<Widget*>(controls_[static_cast<std::size_t>(control)].widget);
    }
    void connectReader();
    void skipOrChangeSpeed(int direction);
    RespellOptions respellOptions() const;
    void readBoxFrom(qsizetype start, const RespellOptions& options);
    // Reads the clipboard or the selection without holding up the window, then runs then with
    // its text, unless its holder never answered: silent then runs, before the window says so.
    void readClipboardThen(ClipboardSource source, std::function<void(std::optional<QString>)> then,
                           std::function<void()> silent = {});
    // Puts a text pasted or opened into the box, with a screenful of empty lines after it.
    void showPastedText(QString text);
    // Paste, then then once the box holds the clipboard's text.
    void pasteThen(std::function<void()> then);
    void showDocument(const DocumentReading& reading);
    // What Read would say now: the box's text, or the clipboard's (read without holding up the
    // window) when the box is empty; then runs then with it. No text anywhere is a failure.
    void spokenTextThen(std::function<void(const QString&)> then);
    void saveSpoken(const QString& spoken, const QString& path);

    WindowServices services_;
    Reader reader_;
    Trainer trainer_;
    std::int16_t screenLines_ = 30;
    TwipScale scale_;
    bool framed_ = false;
    bool placedFromSettings_ = false;
    QPoint normalPlace_;
    QSize normalSize_;
    // The welcome text as the box was last given it; null until then.
    QString welcomeShown_;
    std::array<PlacedControl, controlCount> controls_;

    InputBox* textBox_ = nullptr;
    ReadingHighlight* highlight_ = nullptr;
    DocumentOpening* documentOpening_ = nullptr;
    SpeechSaving* speechSaving_ = nullptr;
    VoiceChoice* voiceChoice_ = nullptr;
    QPushButton* readButton_ = nullptr;
    QPushButton* pauseButton_ = nullptr;
    QPushButton* skipBackButton_ = nullptr;
    QPushButton* pasteButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QPushButton* trainerButton_ = nullptr;
    QCheckBox* skipBracketedBox_ = nullptr;
    QCheckBox* linesAsSpacesBox_ = nullptr;
    QPushButton* skipForwardButton_ = nullptr;
    QPushButton* readHighlightedButton_ = nullptr;
    QPushButton* visitButton_ = nullptr;
    QLabel* speedLabel_ = nullptr;
};

} // namespace tellwick
