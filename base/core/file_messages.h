#pragma once

// What the window tells the user about a program file it could not use: the
// phrase key and the built-in Russian text.
struct FileMessage {
  const char* key;
  const char* builtIn;
};

inline constexpr FileMessage kSettingsUnreadable{
    "FRAME_PROGRAM_MAIN_SETTINGS_NOT_READ",
    "Не удалось прочитать файл настроек config.ini в папке программы. Программа работает с "
    "настройками по умолчанию и не изменяет этот файл. Замените или удалите его."};
inline constexpr FileMessage kSettingsNotStored{
    "FRAME_PROGRAM_MAIN_SETTINGS_NOT_SAVED",
    "Не удалось сохранить настройки в файл config.ini. Проверьте, что файл и папка программы "
    "доступны для записи."};
inline constexpr FileMessage kCatalogueUnreadable{
    "FRAME_PROGRAM_MAIN_CATALOGUE_NOT_READ",
    "Не удалось прочитать каталог прошивок program.db. Устройства определены не полностью. "
    "Переустановите программу или восстановите файл program.db."};
