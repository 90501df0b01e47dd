#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QAbstractButton;
class QAction;
class QComboBox;
class QPlainTextEdit;
class QWidget;
class SpeechEngine;

// The controls the speech commands work on.
struct SpeechView {
    QWidget& window;
    QPlainTextEdit& left;       // MemMain
    QComboBox& voices;          // cmbEngines
    QAction& menuPause;         // N27
    QAbstractButton& toolPause; // ToolButton5
    QAction& contextPause;      // N7
    QAction& readSelectionItem; // N11
    QAction& readContextItem;   // N6
};

// Reading the left text aloud: voices, read, pause, stop, rate, volume and the export to a wave file.
class SpeechController : public QObject {
    Q_OBJECT
public:
    SpeechController(SpeechView view, SpeechEngine& engine, QObject* parent = nullptr);

    void InitVoices();
    void FillVoiceList();
    void ApplyVoice();

    void N20Click(); // read
    void N11Click(); // read selection
    void N27Click(); // pause toggles, each for its own control
    void ToolButton5Click();
    void N7Click();
    void N28Click(); // stop
    void N81Click(); // faster
    void N82Click(); // slower
    void N83Click(); // louder
    void N84Click(); // softer
    void suitempcmbEnginesChange();
    void PopupMenu1Popup();
    void N57Click(); // export to a wave file

private:
    void togglePause(bool paused);
    void setToggles(bool paused);

    SpeechView view_;
    SpeechEngine& engine_;
    bool exporting_ = false;
};

// The left text as the engine gets it: hard line breaks as CR LF, nothing trimmed.
QString SpeechText(const QPlainTextEdit& left);
// The selection without leading and trailing blanks and control characters.
QString SpeechSelection(const QPlainTextEdit& left);
