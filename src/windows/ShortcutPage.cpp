#include "windows/ShortcutPage.h"

#include "core/CommandLine.h"
#include "widgets/FileDialogs.h"
#include "core/LauncherFile.h"
#include "core/MessageBoxes.h"
#include "widgets/ModalRunner.h"
#include "widgets/GeneralErrorHandler.h"
#include "windows/TEinstellungen.h"

#include <QLineEdit>
#include <QPushButton>

namespace kelvaro {

namespace {

// The results, translated where they are shown.
const char* const kNotCreated = QT_TRANSLATE_NOOP("kelvaro::ShortcutPage", "Verknüpfung konnte nicht ereugt werden");
const char* const kCreated = QT_TRANSLATE_NOOP("kelvaro::ShortcutPage", "Verknüpfung erfolgreich erzeugt");

} // namespace

ShortcutPage::ShortcutPage(const Controls& controls, const Links& links) : m_controls(controls), m_links(links)
{
    const auto guarded = [this](void (ShortcutPage::*handler)()) {
        return m_links.errors.guarded(this, handler);
    };
    connect(m_controls.Button1, &QPushButton::clicked, this, guarded(&ShortcutPage::Button1Click));
    connect(m_controls.Button2, &QPushButton::clicked, this, guarded(&ShortcutPage::Button2Click));
    connect(m_controls.Button3, &QPushButton::clicked, this, guarded(&ShortcutPage::Button3Click));
}

void ShortcutPage::Button1Click()
{
    // A launcher in this folder shows up in the desktop's application menu; the dialog's places
    // lead to the desktop.
    const QString chosen = m_links.fileDialogs.saveFileName(m_controls.Ed_LinkDatei->window(), LauncherFolder(),
                                                            tr("Verknüpfung (*.desktop)"), QStringLiteral("desktop"));
    if (!chosen.isEmpty())
        m_controls.Ed_LinkDatei->setText(chosen);
}

void ShortcutPage::Button2Click()
{
    // Whatever the editor leaves in its options is what the next launcher carries.
    if (TEinstellungen* editor = m_links.editor())
        m_links.modal.exec(*editor);
}

void ShortcutPage::Button3Click()
{
    const QString path = m_controls.Ed_LinkDatei->text();
    TEinstellungen* editor = m_links.editor();
    if (path.isEmpty() || !editor) {
        m_links.boxes.warning(tr(kNotCreated));
        return;
    }
    const bool created =
        CreateShortcut(m_links.programPath, BuildCommandLine(editor->EditorOptions()), path, QStringLiteral("Kelvaro"));
    if (created)
        m_links.boxes.information(tr(kCreated));
    else
        m_links.boxes.warning(tr(kNotCreated));
}

} // namespace kelvaro
