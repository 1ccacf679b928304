#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;
class QPushButton;

namespace kelvaro {

class FileDialogs;
class GeneralErrorHandler;
class MessageBoxes;
class ModalRunner;
class TEinstellungen;

/**
 * The page "Verknüpfung": writes a desktop launcher that starts the program with the settings of
 * the preset editor's `EditorOptions` as its command line. The user chooses the file, puts the
 * settings together in the editor and then creates the launcher.
 */
class ShortcutPage : public QObject
{
    Q_OBJECT

public:
    /** The main window's controls on the page. */
    struct Controls
    {
        QLineEdit* Ed_LinkDatei;
        QPushButton* Button1; // "Durchsuchen"
        QPushButton* Button2; // "Einstellungen zusammenstellen"
        QPushButton* Button3; // "Erzeugen"
    };
    /** What the page works with; everything must outlive the page. */
    struct Links
    {
        /** The preset editor, or none while it does not exist yet. */
        std::function<TEinstellungen*()> editor;
        ModalRunner& modal;
        FileDialogs& fileDialogs;
        MessageBoxes& boxes;
        GeneralErrorHandler& errors;
        /** The program file the launchers start. */
        QString programPath;
    };

    ShortcutPage(const Controls& controls, const Links& links);

    /** Lets the user choose the launcher's file name in a save dialog that opens in the folder of
     *  the application menu's launchers. */
    void Button1Click();
    /** Shows the preset editor on `EditorOptions` as they are. */
    void Button2Click();
    /** Writes the launcher and tells the user whether it worked. */
    void Button3Click();

private:
    Controls m_controls;
    Links m_links;
};

} // namespace kelvaro
