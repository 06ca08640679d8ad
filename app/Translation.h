#pragma once

#include <QLocale>
#include <QTranslator>
#include <memory>

// The program's own catalogue for the desktop's language, installed in the application:
// what the table tells a screen reader (the narration, the names and descriptions that
// stand for what the table draws) and the tooltips the pointer brings up are then in that
// language: the first of the desktop's languages, as QLocale reads them (LANGUAGE first,
// then LC_ALL, LC_MESSAGES, LANG), that has a catalogue or is English, the source, which
// needs none. So LANGUAGE=zh_CN asks for Chinese even under LANG=C, and LANGUAGE=en:zh_CN
// for English.
// Qt's own catalogue stays out: the table, its captions, the message boxes and the name
// dialog stay as they are in every language; only the tooltips speak the player's.
// Returns the catalogue, installed until it is destroyed; null when the language has none.
std::unique_ptr<QTranslator> InstallTranslation(const QLocale& Language = QLocale());
