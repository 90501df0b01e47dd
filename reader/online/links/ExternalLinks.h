#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QLineEdit;
class QWidget;

// The main window's commands that hand work to other programs: the external dictionary, the
// help page, the maker's pages, mail links, the material search and the two clipboard texts.
// Nothing that is opened is watched or checked.
class ExternalLinks : public QObject {
    Q_OBJECT
public:
    struct View {
        QWidget& window;                 // parent of dialogs and messages
        QLineEdit& Edit3;                // the material search word
        QString& ExternalDictionaryPath; // the main window's copy of the stored path
    };

    ExternalLinks(View view, std::function<void()> showRecorderModal, QObject* parent = nullptr);

    void N61Click(); // run the external dictionary, asking for it the first time
    void N63Click(); // choose the external dictionary
    void N39Click(); // the recorder, modal
    void N29Click(); // help page
    void N30Click(); // the maker's web site
    void Label3Click();
    void Label7Click(); // material list
    void N31Click();    // support mail
    void QQ1Click();
    void QQ2Click();
    void N1Click(); // recommendation mail
    void BtnSearchClick();

private:
    // The program the user picked, if it is one; a file that cannot be run is refused with a message.
    std::optional<QString> chooseDictionary();

    View view_;
    std::function<void()> showRecorderModal_;
};
