#pragma once

#include "core/ProgramInfo.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;

namespace kelvaro {

class OsVersionQuery;

/**
 * The about window: product name, version, copyright and comments of the program, a short
 * description, and the running system's name and kernel version. Every showing reads the version
 * data and asks the system afresh.
 */
class TInfofenster : public QDialog
{
    Q_OBJECT

public:
    /** `info` is the program's version data (its product name is shown from the start);
     *  `osVersion` answers the system version query at every showing and must outlive the window. */
    TInfofenster(ProgramInfo info, OsVersionQuery& osVersion, QWidget* parent = nullptr);

    /** The show steps: version texts, system name and version, labels. */
    void FormShow();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupUi();
    /** Grows the description box, its frame and the window until every text is shown whole. */
    void fitToTexts();

    ProgramInfo m_info;
    OsVersionQuery& m_osVersion;
    QString m_versionText;
    QString m_copyrightText;
    QString m_commentsText;

    QFrame* Bevel1 = nullptr;
    QTextEdit* Memo1 = nullptr;
    QLabel* Label_ProgName = nullptr;
    QLabel* Label_Version = nullptr;
    QLabel* Label_Copyright = nullptr;
    QLabel* Label_Public = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

} // namespace kelvaro
