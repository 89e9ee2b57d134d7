#pragma once

#include <QByteArray>

// The program speaks Italian whatever the desktop's language and regional settings are.

// Loads Qt's own Italian texts (the file and printer dialogs, the text fields' context menus,
// the standard buttons) from Qt's translations folder. Our own texts are not translations and
// stay as they are. Once per run; without Qt's translations installed, Qt's texts stay English.
void installQtTranslations();

// Qt reads the system's regional settings (the dates and sizes the file dialog shows) from the
// environment once, while the application object is being made. While an ItalianRegionalSettings
// lives, that environment names Italian; release() (or the end of its life) puts the
// environment back as it was, so programs started from here (the shell opening an attachment)
// see the desktop's own settings. The C library takes Italian settings too where the system
// has them installed, and keeps the desktop's own elsewhere.
//
//     ItalianRegionalSettings italian;
//     QApplication app(argc, argv);
//     italian.release();
class ItalianRegionalSettings {
public:
    ItalianRegionalSettings();
    ~ItalianRegionalSettings();
    ItalianRegionalSettings(const ItalianRegionalSettings&) = delete;
    ItalianRegionalSettings& operator=(const ItalianRegionalSettings&) = delete;

    void release();

private:
    bool m_active = true;
    bool m_hadValue = false;
    QByteArray m_value;
};
