-- Phrase store of the language library (built into phrases.db beside Phrases.so).
--
-- Every interface text is looked up by its key in the selected language. A text of two
-- or more characters replaces the screen's built-in Russian text, so the Russian row of
-- each key is that built-in text, letter for letter.
--
-- How the screens use the texts:
--   * labels shown as "text:" get the text without the colon (the screen adds it);
--   * messages are shown through "%s", so they are plain text;
--   * the update question is itself a format: it keeps its two %s (new version, then
--     the version in use) and its line break, and carries no other percent sign.
-- All texts are UTF-8.

PRAGMA foreign_keys = ON;

CREATE TABLE languages (
  id   INTEGER PRIMARY KEY CHECK (id > 0),  -- position in the language list + 1
  name TEXT NOT NULL UNIQUE CHECK (length(name) > 0)  -- in the language itself
);

CREATE TABLE phrases (
  key         TEXT NOT NULL
              CHECK (length(key) BETWEEN 1 AND 119 AND key NOT GLOB '*[^A-Za-z0-9_]*'),
  language_id INTEGER NOT NULL REFERENCES languages (id),
  text        TEXT NOT NULL,
  PRIMARY KEY (key, language_id)
) WITHOUT ROWID;

INSERT INTO languages (id, name) VALUES
  (1, 'English'),
  (2, 'Русский'),
  (3, 'Українська');

------------------------------------------------------------------------------------------
-- Connection (home) screen
------------------------------------------------------------------------------------------

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_ADMINISTRATION', 1, 'Administration'),
  ('FRAME_PROGRAM_MAIN_ADMINISTRATION', 2, 'Администрирование'),
  ('FRAME_PROGRAM_MAIN_ADMINISTRATION', 3, 'Адміністрування');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_ENTER', 1, 'Log in'),
  ('FRAME_PROGRAM_MAIN_ENTER', 2, 'Войти'),
  ('FRAME_PROGRAM_MAIN_ENTER', 3, 'Увійти');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_VIEW_ARCHIVE', 1, 'Archive viewer'),
  ('FRAME_PROGRAM_MAIN_VIEW_ARCHIVE', 2, 'Просмотр архива'),
  ('FRAME_PROGRAM_MAIN_VIEW_ARCHIVE', 3, 'Перегляд архіву');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_SEE_ARCHIVE', 1, 'View archive'),
  ('FRAME_PROGRAM_MAIN_SEE_ARCHIVE', 2, 'Смотреть архив'),
  ('FRAME_PROGRAM_MAIN_SEE_ARCHIVE', 3, 'Переглянути архів');

-- The Russian heading begins with a Latin "C", as the screen's own caption does.
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_CONNECTION_DEVICE', 1, 'Device connection'),
  ('FRAME_PROGRAM_MAIN_CONNECTION_DEVICE', 2, 'Cоединение с устройством'),
  ('FRAME_PROGRAM_MAIN_CONNECTION_DEVICE', 3, 'З’єднання з пристроєм');

-- Label, shown as "text:".
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_DEVICE_ADRESS', 1, 'Device address'),
  ('FRAME_PROGRAM_MAIN_DEVICE_ADRESS', 2, 'Адрес устройства'),
  ('FRAME_PROGRAM_MAIN_DEVICE_ADRESS', 3, 'Адреса пристрою');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_ESTABLISH_COMMUNICATION', 1, 'Connect'),
  ('FRAME_PROGRAM_MAIN_ESTABLISH_COMMUNICATION', 2, 'Установить связь'),
  ('FRAME_PROGRAM_MAIN_ESTABLISH_COMMUNICATION', 3, 'Встановити зв’язок');

-- Status line while connecting. The connect worker shows this key twice: first while it
-- searches for the meter, then once the meter has answered (where its built-in text is
-- "Соединение установлено"). The text is the one of the first use.
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_CONNECTING_DEVICE', 1, 'Connecting to the device'),
  ('FRAME_PROGRAM_MAIN_CONNECTING_DEVICE', 2, 'Подключение к устройству'),
  ('FRAME_PROGRAM_MAIN_CONNECTING_DEVICE', 3, 'Підключення до пристрою');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_READ_DEVICE_CONFIGURATION', 1, 'Reading the device configuration'),
  ('FRAME_PROGRAM_MAIN_READ_DEVICE_CONFIGURATION', 2, 'Читаем конфигурацию устройства'),
  ('FRAME_PROGRAM_MAIN_READ_DEVICE_CONFIGURATION', 3, 'Читаємо конфігурацію пристрою');

-- The connection screen's button and the title of the screen it opens.
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_FIND_METERS', 1, 'Find meters'),
  ('FRAME_PROGRAM_MAIN_FIND_METERS', 2, 'Найти счётчики'),
  ('FRAME_PROGRAM_MAIN_FIND_METERS', 3, 'Знайти лічильники');

------------------------------------------------------------------------------------------
-- Find meters screen (its list's captions are the device screens' and the configuration's)
------------------------------------------------------------------------------------------

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_FIND_METERS_BY_PRIMARY', 1, 'By primary address'),
  ('FRAME_PROGRAM_FIND_METERS_BY_PRIMARY', 2, 'По первичным адресам'),
  ('FRAME_PROGRAM_FIND_METERS_BY_PRIMARY', 3, 'За первинними адресами'),
  ('FRAME_PROGRAM_FIND_METERS_BY_SECONDARY', 1, 'By secondary address'),
  ('FRAME_PROGRAM_FIND_METERS_BY_SECONDARY', 2, 'По вторичным адресам'),
  ('FRAME_PROGRAM_FIND_METERS_BY_SECONDARY', 3, 'За вторинними адресами'),
  ('FRAME_PROGRAM_FIND_METERS_START', 1, 'Start search'),
  ('FRAME_PROGRAM_FIND_METERS_START', 2, 'Начать поиск'),
  ('FRAME_PROGRAM_FIND_METERS_START', 3, 'Почати пошук'),
  ('FRAME_PROGRAM_FIND_METERS_STOP', 1, 'Stop'),
  ('FRAME_PROGRAM_FIND_METERS_STOP', 2, 'Остановить'),
  ('FRAME_PROGRAM_FIND_METERS_STOP', 3, 'Зупинити');

-- Labels, shown as "text:".
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_FIND_METERS_NUMBER_MASK', 1, 'Serial number mask'),
  ('FRAME_PROGRAM_FIND_METERS_NUMBER_MASK', 2, 'Маска серийного номера'),
  ('FRAME_PROGRAM_FIND_METERS_NUMBER_MASK', 3, 'Маска серійного номера'),
  ('FRAME_PROGRAM_FIND_METERS_SPEED', 1, 'Speed'),
  ('FRAME_PROGRAM_FIND_METERS_SPEED', 2, 'Скорость'),
  ('FRAME_PROGRAM_FIND_METERS_SPEED', 3, 'Швидкість'),
  ('FRAME_PROGRAM_FIND_METERS_PORT', 1, 'Port'),
  ('FRAME_PROGRAM_FIND_METERS_PORT', 2, 'Порт'),
  ('FRAME_PROGRAM_FIND_METERS_PORT', 3, 'Порт');

-- The status line: "<done>: 17 / 251. <found>: 2", then "<complete>. <found>: 3".
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_FIND_METERS_ADDRESSES_DONE', 1, 'Addresses polled'),
  ('FRAME_PROGRAM_FIND_METERS_ADDRESSES_DONE', 2, 'Опрошено адресов'),
  ('FRAME_PROGRAM_FIND_METERS_ADDRESSES_DONE', 3, 'Опитано адрес'),
  ('FRAME_PROGRAM_FIND_METERS_MASKS_DONE', 1, 'Masks tried'),
  ('FRAME_PROGRAM_FIND_METERS_MASKS_DONE', 2, 'Проверено масок'),
  ('FRAME_PROGRAM_FIND_METERS_MASKS_DONE', 3, 'Перевірено масок'),
  ('FRAME_PROGRAM_FIND_METERS_FOUND', 1, 'Meters found'),
  ('FRAME_PROGRAM_FIND_METERS_FOUND', 2, 'Найдено счётчиков'),
  ('FRAME_PROGRAM_FIND_METERS_FOUND', 3, 'Знайдено лічильників'),
  ('FRAME_PROGRAM_FIND_METERS_COMPLETE', 1, 'Search complete'),
  ('FRAME_PROGRAM_FIND_METERS_COMPLETE', 2, 'Поиск завершён'),
  ('FRAME_PROGRAM_FIND_METERS_COMPLETE', 3, 'Пошук завершено'),
  ('FRAME_PROGRAM_FIND_METERS_STOPPED', 1, 'Search stopped'),
  ('FRAME_PROGRAM_FIND_METERS_STOPPED', 2, 'Поиск остановлен'),
  ('FRAME_PROGRAM_FIND_METERS_STOPPED', 3, 'Пошук зупинено');

-- A row of the list, and the messages of the screen.
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_FIND_METERS_COLLISION', 1, 'Several meters answer at this address'),
  ('FRAME_PROGRAM_FIND_METERS_COLLISION', 2, 'По этому адресу отвечают несколько счётчиков'),
  ('FRAME_PROGRAM_FIND_METERS_COLLISION', 3, 'За цією адресою відповідають кілька лічильників'),
  ('FRAME_PROGRAM_FIND_METERS_COLLISION_CHOSEN', 1,
   'Several meters answer at this address, so none of them can be reached by it. Search by secondary address to tell them apart.'),
  ('FRAME_PROGRAM_FIND_METERS_COLLISION_CHOSEN', 2,
   'По этому адресу отвечают несколько счётчиков, поэтому подключиться по нему нельзя. Найдите их поиском по вторичным адресам.'),
  ('FRAME_PROGRAM_FIND_METERS_COLLISION_CHOSEN', 3,
   'За цією адресою відповідають кілька лічильників, тому під’єднатися за нею не можна. Знайдіть їх пошуком за вторинними адресами.'),
  ('FRAME_PROGRAM_FIND_METERS_CHOOSE_METER', 1, 'Choose a meter in the list.'),
  ('FRAME_PROGRAM_FIND_METERS_CHOOSE_METER', 2, 'Выберите счётчик в списке.'),
  ('FRAME_PROGRAM_FIND_METERS_CHOOSE_METER', 3, 'Виберіть лічильник у списку.'),
  ('FRAME_PROGRAM_FIND_METERS_MASK_INVALID', 1,
   'The serial number mask is eight characters: digits, and F for any digit.'),
  ('FRAME_PROGRAM_FIND_METERS_MASK_INVALID', 2,
   'Маска серийного номера — восемь знаков: цифры и F на месте любой цифры.'),
  ('FRAME_PROGRAM_FIND_METERS_MASK_INVALID', 3,
   'Маска серійного номера — вісім знаків: цифри та F на місці будь-якої цифри.'),
  ('FRAME_PROGRAM_FIND_METERS_MANUFACTURER_INVALID', 1,
   'The manufacturer is three Latin letters; leave it empty to find any.'),
  ('FRAME_PROGRAM_FIND_METERS_MANUFACTURER_INVALID', 2,
   'Производитель — три латинские буквы; оставьте поле пустым, чтобы найти любого.'),
  ('FRAME_PROGRAM_FIND_METERS_MANUFACTURER_INVALID', 3,
   'Виробник — три латинські літери; залиште поле порожнім, щоб знайти будь-якого.');

------------------------------------------------------------------------------------------
-- Messages of the shell
------------------------------------------------------------------------------------------

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_INFORMATION_ABOUT_DEVICE_NOT_FOUND', 1,
   'No information about the device was found.'),
  ('FRAME_PROGRAM_MAIN_INFORMATION_ABOUT_DEVICE_NOT_FOUND', 2,
   'Информация про устройство не найдена.'),
  ('FRAME_PROGRAM_MAIN_INFORMATION_ABOUT_DEVICE_NOT_FOUND', 3,
   'Інформацію про пристрій не знайдено.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_NOT_MISSING_COMPONENT_RUNTHIS_MODE', 1,
   'A component needed for this mode is missing.'),
  ('FRAME_PROGRAM_MAIN_NOT_MISSING_COMPONENT_RUNTHIS_MODE', 2,
   'Не хватает компонента для работы в этом режиме.'),
  ('FRAME_PROGRAM_MAIN_NOT_MISSING_COMPONENT_RUNTHIS_MODE', 3,
   'Бракує компонента для роботи в цьому режимі.');

-- The "c" before "устройством" is a Latin letter, as in the built-in message.
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_NOT_ENOUGH_COMPONENTS_WORK_WITH_DEVICE', 1,
   'A component needed to work with this device is missing.'),
  ('FRAME_PROGRAM_MAIN_NOT_ENOUGH_COMPONENTS_WORK_WITH_DEVICE', 2,
   'Не хватает компонента для работы c устройством.'),
  ('FRAME_PROGRAM_MAIN_NOT_ENOUGH_COMPONENTS_WORK_WITH_DEVICE', 3,
   'Бракує компонента для роботи з пристроєм.');

------------------------------------------------------------------------------------------
-- Device-type selection screen (title and tile kinds)
------------------------------------------------------------------------------------------

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_SELECT_DEVICE_SELECT_DEVICE_OPERATE', 1, 'Select a device to work with'),
  ('FRAME_PROGRAM_SELECT_DEVICE_SELECT_DEVICE_OPERATE', 2, 'Выберите устройство для работы'),
  ('FRAME_PROGRAM_SELECT_DEVICE_SELECT_DEVICE_OPERATE', 3, 'Виберіть пристрій для роботи');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_SELECT_DEVICE_ELECTRICITY_METER', 1, 'Electricity meter'),
  ('FRAME_PROGRAM_SELECT_DEVICE_ELECTRICITY_METER', 2, 'Устройство электричества'),
  ('FRAME_PROGRAM_SELECT_DEVICE_ELECTRICITY_METER', 3, 'Лічильник електроенергії');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_SELECT_DEVICE_GAS_METER', 1, 'Gas meter'),
  ('FRAME_PROGRAM_SELECT_DEVICE_GAS_METER', 2, 'Устройство газа'),
  ('FRAME_PROGRAM_SELECT_DEVICE_GAS_METER', 3, 'Лічильник газу');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_SELECT_DEVICE_UNIT_HEAT_REVERSE', 1, 'Heat meter (return flow)'),
  ('FRAME_PROGRAM_SELECT_DEVICE_UNIT_HEAT_REVERSE', 2, 'Устройство тепла (обратный)'),
  ('FRAME_PROGRAM_SELECT_DEVICE_UNIT_HEAT_REVERSE', 3, 'Лічильник тепла (зворотний)');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_SELECT_DEVICE_METER_HEAT_SUPPLY', 1, 'Heat meter (supply flow)'),
  ('FRAME_PROGRAM_SELECT_DEVICE_METER_HEAT_SUPPLY', 2, 'Устройство тепла (подающий)'),
  ('FRAME_PROGRAM_SELECT_DEVICE_METER_HEAT_SUPPLY', 3, 'Лічильник тепла (подавальний)');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_SELECT_DEVICE_METER_WATER_HOT', 1, 'Water meter (hot)'),
  ('FRAME_PROGRAM_SELECT_DEVICE_METER_WATER_HOT', 2, 'Устройство воды (горячей)'),
  ('FRAME_PROGRAM_SELECT_DEVICE_METER_WATER_HOT', 3, 'Лічильник води (гарячої)');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_SELECT_DEVICE_METER_WATER', 1, 'Water meter'),
  ('FRAME_PROGRAM_SELECT_DEVICE_METER_WATER', 2, 'Устройство воды'),
  ('FRAME_PROGRAM_SELECT_DEVICE_METER_WATER', 3, 'Лічильник води');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_SELECT_DEVICE_METER_WATER_COLD', 1, 'Water meter (cold)'),
  ('FRAME_PROGRAM_SELECT_DEVICE_METER_WATER_COLD', 2, 'Устройство воды (холодной)'),
  ('FRAME_PROGRAM_SELECT_DEVICE_METER_WATER_COLD', 3, 'Лічильник води (холодної)');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_SELECT_DEVICE_METER_WATER_MULTIRATE_HOT', 1, 'Multi-rate water meter (hot)'),
  ('FRAME_PROGRAM_SELECT_DEVICE_METER_WATER_MULTIRATE_HOT', 2,
   'Устройство воды многотарифное (горячей)'),
  ('FRAME_PROGRAM_SELECT_DEVICE_METER_WATER_MULTIRATE_HOT', 3,
   'Багатотарифний лічильник води (гарячої)');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_SELECT_DEVICE_METER_NOT_DEFINED', 1, 'Unknown device'),
  ('FRAME_PROGRAM_SELECT_DEVICE_METER_NOT_DEFINED', 2, 'Устройство не определено'),
  ('FRAME_PROGRAM_SELECT_DEVICE_METER_NOT_DEFINED', 3, 'Пристрій не визначено');

------------------------------------------------------------------------------------------
-- Shared by the screens with a back strip, and the language settings screen
------------------------------------------------------------------------------------------

-- "Вернутся" is the spelling of the screens' own caption.
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_SETTING_GO_BACK', 1, 'Go back'),
  ('FRAME_PROGRAM_SETTING_GO_BACK', 2, 'Вернутся назад'),
  ('FRAME_PROGRAM_SETTING_GO_BACK', 3, 'Повернутися назад');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_SETTING_LANGUAGE_PROGRAM', 1, 'Program language'),
  ('FRAME_PROGRAM_SETTING_LANGUAGE_PROGRAM', 2, 'Язык программы'),
  ('FRAME_PROGRAM_SETTING_LANGUAGE_PROGRAM', 3, 'Мова програми');

-- Label, shown as "text:".
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_SETTING_SELECT_LANGUAGE', 1, 'Select language'),
  ('FRAME_PROGRAM_SETTING_SELECT_LANGUAGE', 2, 'Выберите язык'),
  ('FRAME_PROGRAM_SETTING_SELECT_LANGUAGE', 3, 'Виберіть мову');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_SETTING_APPLY', 1, 'Apply'),
  ('FRAME_PROGRAM_SETTING_APPLY', 2, 'Применить'),
  ('FRAME_PROGRAM_SETTING_APPLY', 3, 'Застосувати');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_SETTING_LANGUAGE_IS_NOT_SELECTED', 1, 'No interface language is selected.'),
  ('FRAME_PROGRAM_SETTING_LANGUAGE_IS_NOT_SELECTED', 2, 'Язык интерфейса не выбран.'),
  ('FRAME_PROGRAM_SETTING_LANGUAGE_IS_NOT_SELECTED', 3, 'Мову інтерфейсу не вибрано.');

-- The switch under the language box: one trace of the bus per connection in logs/.
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_SETTING_SAVE_BUS_LOG', 1, 'Save exchange log'),
  ('FRAME_PROGRAM_SETTING_SAVE_BUS_LOG', 2, 'Сохранять журнал обмена'),
  ('FRAME_PROGRAM_SETTING_SAVE_BUS_LOG', 3, 'Зберігати журнал обміну');

------------------------------------------------------------------------------------------
-- Device configuration screen: device types of the type list
------------------------------------------------------------------------------------------

INSERT INTO phrases (key, language_id, text) VALUES
  ('DEVICE_ANOTHER_DEVICE', 1, 'Other device'),
  ('DEVICE_ANOTHER_DEVICE', 2, 'Другое устройство'),
  ('DEVICE_ANOTHER_DEVICE', 3, 'Інший пристрій');

INSERT INTO phrases (key, language_id, text) VALUES
  ('DEVICE_WATER_METER_HOT_WATER', 1, 'Hot water meter'),
  ('DEVICE_WATER_METER_HOT_WATER', 2, 'Водомер горячей воды'),
  ('DEVICE_WATER_METER_HOT_WATER', 3, 'Лічильник гарячої води');

INSERT INTO phrases (key, language_id, text) VALUES
  ('DEVICE_WATER_METER_COLD_WATER', 1, 'Cold water meter'),
  ('DEVICE_WATER_METER_COLD_WATER', 2, 'Водомер холодной воды'),
  ('DEVICE_WATER_METER_COLD_WATER', 3, 'Лічильник холодної води');

------------------------------------------------------------------------------------------
-- Device configuration screen: captions
------------------------------------------------------------------------------------------

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_CONFIGURATION', 1, 'Device configuration'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_CONFIGURATION', 2, 'Конфигурация устройства'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_CONFIGURATION', 3, 'Конфігурація пристрою');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_TYPE', 1, 'Device type'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_TYPE', 2, 'Тип устройства'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_TYPE', 3, 'Тип пристрою');

-- Label, shown as "text:".
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_CONFIGURATION_SELECT_TYPE', 1, 'Select type'),
  ('FRAME_PROGRAM_CONFIGURATION_SELECT_TYPE', 2, 'Выбрать тип'),
  ('FRAME_PROGRAM_CONFIGURATION_SELECT_TYPE', 3, 'Вибрати тип');

-- Label, shown as "text:".
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_CONFIGURATION_DESCRIPTION_TYPE', 1, 'Type description'),
  ('FRAME_PROGRAM_CONFIGURATION_DESCRIPTION_TYPE', 2, 'Описание типа'),
  ('FRAME_PROGRAM_CONFIGURATION_DESCRIPTION_TYPE', 3, 'Опис типу');

-- The three "apply" buttons of the configuration screen.
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_INSTALL', 1, 'Apply'),
  ('FRAME_PROGRAM_DEVICE_INSTALL', 2, 'Применить'),
  ('FRAME_PROGRAM_DEVICE_INSTALL', 3, 'Застосувати');

-- Group box caption and, as "text:", the label of the serial number edit.
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SERIAL_NUMBER', 1, 'Serial number'),
  ('FRAME_PROGRAM_DEVICE_SERIAL_NUMBER', 2, 'Серийный номер'),
  ('FRAME_PROGRAM_DEVICE_SERIAL_NUMBER', 3, 'Серійний номер');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_CONFIGURATION_ADDRESSING', 1, 'Addressing'),
  ('FRAME_PROGRAM_CONFIGURATION_ADDRESSING', 2, 'Адресация'),
  ('FRAME_PROGRAM_CONFIGURATION_ADDRESSING', 3, 'Адресація');

-- Label, shown as "text:".
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_PRIMARY_ADDRESS', 1, 'Primary address'),
  ('FRAME_PROGRAM_DEVICE_PRIMARY_ADDRESS', 2, 'Первичный адрес'),
  ('FRAME_PROGRAM_DEVICE_PRIMARY_ADDRESS', 3, 'Первинна адреса');

-- Label, shown as "text:".
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SECONDARY_ADDRESS', 1, 'Secondary address'),
  ('FRAME_PROGRAM_DEVICE_SECONDARY_ADDRESS', 2, 'Вторичный адрес'),
  ('FRAME_PROGRAM_DEVICE_SECONDARY_ADDRESS', 3, 'Вторинна адреса');

------------------------------------------------------------------------------------------
-- Device configuration screen: messages
------------------------------------------------------------------------------------------

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_INVALID_RESPONSE_FROM_DEVICE', 1,
   'Invalid response from the device.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_INVALID_RESPONSE_FROM_DEVICE', 2,
   'Неверный ответ от устройства.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_INVALID_RESPONSE_FROM_DEVICE', 3,
   'Неправильна відповідь від пристрою.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_PRIMARY_DEVICE_ADDRESS_HAS_NOT_BEEN_RECEIVED', 1,
   'The primary address of the device was not received.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_PRIMARY_DEVICE_ADDRESS_HAS_NOT_BEEN_RECEIVED', 2,
   'Первичный адрес устройства не был получен.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_PRIMARY_DEVICE_ADDRESS_HAS_NOT_BEEN_RECEIVED', 3,
   'Первинну адресу пристрою не отримано.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_DEVICE_TYPE_CHANGED_SUCCESSFULLY', 1,
   'The device type was changed successfully.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_DEVICE_TYPE_CHANGED_SUCCESSFULLY', 2,
   'Тип устройства успешно изменен.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_DEVICE_TYPE_CHANGED_SUCCESSFULLY', 3,
   'Тип пристрою успішно змінено.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_SERIAL_NUMBER_CHANGED_SUCCESSFULLY', 1,
   'The serial number of the device was changed successfully.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_SERIAL_NUMBER_CHANGED_SUCCESSFULLY', 2,
   'Серийный номер устройства успешно изменен.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_SERIAL_NUMBER_CHANGED_SUCCESSFULLY', 3,
   'Серійний номер пристрою успішно змінено.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_DEVICE_REJECTS_COMMAND', 1,
   'The device rejected the command.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_DEVICE_REJECTS_COMMAND', 2,
   'Устройство отклонило команду.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_DEVICE_REJECTS_COMMAND', 3,
   'Пристрій відхилив команду.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_PRIMARY_SECONDARY_ADDRESS_BEEN_CHANGED_SUCCESSFULLY', 1,
   'The primary and secondary addresses were changed successfully.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_PRIMARY_SECONDARY_ADDRESS_BEEN_CHANGED_SUCCESSFULLY', 2,
   'Первичный и вторичный адрес успешно изменен.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_PRIMARY_SECONDARY_ADDRESS_BEEN_CHANGED_SUCCESSFULLY', 3,
   'Первинну та вторинну адреси успішно змінено.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_PRIMARY_ADDRESS_CHANGED_SUCCESSFULLY_SECONDARY_ADDRESS_NOT_BEEN_CHANGED', 1,
   'The primary address was changed successfully. The secondary address was not changed.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_PRIMARY_ADDRESS_CHANGED_SUCCESSFULLY_SECONDARY_ADDRESS_NOT_BEEN_CHANGED', 2,
   'Первичный адрес успешно изменен. Вторичный адрес не был изменен.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_PRIMARY_ADDRESS_CHANGED_SUCCESSFULLY_SECONDARY_ADDRESS_NOT_BEEN_CHANGED', 3,
   'Первинну адресу успішно змінено. Вторинну адресу не змінено.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_SECONDARY_ADDRESS_HAS_BEEN_CHANGED_SUCCESSFULLY_PRIMARY_ADDRESS_HAS_NOT_BEEN_CHANGED', 1,
   'The secondary address was changed successfully. The primary address was not changed.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_SECONDARY_ADDRESS_HAS_BEEN_CHANGED_SUCCESSFULLY_PRIMARY_ADDRESS_HAS_NOT_BEEN_CHANGED', 2,
   'Вторичный адрес успешно изменен. Первичный адрес не был изменен.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_SECONDARY_ADDRESS_HAS_BEEN_CHANGED_SUCCESSFULLY_PRIMARY_ADDRESS_HAS_NOT_BEEN_CHANGED', 3,
   'Вторинну адресу успішно змінено. Первинну адресу не змінено.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_PRIMARY_SECONDARY_ADDRESS_NOT_BEEN_CHANGED', 1,
   'Neither the primary nor the secondary address was changed.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_PRIMARY_SECONDARY_ADDRESS_NOT_BEEN_CHANGED', 2,
   'Первичный и вторичный адрес не был изменен.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_PRIMARY_SECONDARY_ADDRESS_NOT_BEEN_CHANGED', 3,
   'Первинну та вторинну адреси не змінено.');

------------------------------------------------------------------------------------------
-- Start-up version check and update screen
------------------------------------------------------------------------------------------

-- A format: first %s the new version, second %s the version in use; char(10) breaks
-- the line before the question.
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_UPDATE_NEW_VERSION_NOW_YOURE_USING_OLDER_VERSION_Do_YOU_WANT_UPGRADE_PROGRAM', 1,
   'A new version of the program, %s, is available. You are using the outdated version %s.'
   || char(10) || 'Do you want to update the program?'),
  ('FRAME_PROGRAM_UPDATE_NEW_VERSION_NOW_YOURE_USING_OLDER_VERSION_Do_YOU_WANT_UPGRADE_PROGRAM', 2,
   'Вышла новая версия программы %s. Сейчас вы пользуетесь устаревшей версией %s.'
   || char(10) || 'Вы желаете обновить программу?'),
  ('FRAME_PROGRAM_UPDATE_NEW_VERSION_NOW_YOURE_USING_OLDER_VERSION_Do_YOU_WANT_UPGRADE_PROGRAM', 3,
   'Вийшла нова версія програми %s. Зараз ви користуєтеся застарілою версією %s.'
   || char(10) || 'Бажаєте оновити програму?');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_UPDATE_UPDATE', 1, 'Updating'),
  ('FRAME_PROGRAM_UPDATE_UPDATE', 2, 'Обновление'),
  ('FRAME_PROGRAM_UPDATE_UPDATE', 3, 'Оновлення');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_UPDATE_ABORT', 1, 'Abort'),
  ('FRAME_PROGRAM_UPDATE_ABORT', 2, 'Прервать'),
  ('FRAME_PROGRAM_UPDATE_ABORT', 3, 'Перервати');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_UPDATE_UPDATE_INTERRUPTED', 1, 'The update was interrupted.'),
  ('FRAME_PROGRAM_UPDATE_UPDATE_INTERRUPTED', 2, 'Обновление прервано.'),
  ('FRAME_PROGRAM_UPDATE_UPDATE_INTERRUPTED', 3, 'Оновлення перервано.');

------------------------------------------------------------------------------------------
-- Administration and local-archive screens (AdminTools)
------------------------------------------------------------------------------------------
--
-- The back strip of both screens uses FRAME_PROGRAM_SETTING_GO_BACK above. Column captions
-- carry their unit. The confirmation questions and the two reading counts are formats:
-- each keeps exactly one %s (the name, or the number of readings) and no other percent
-- sign; the screen puts the value in place of the %s and nothing else.

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_TITLE', 1, 'Administration'),
  ('FRAME_PROGRAM_ADMINISTRATION_TITLE', 2, 'Администрирование'),
  ('FRAME_PROGRAM_ADMINISTRATION_TITLE', 3, 'Адміністрування');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_SUBSCRIBERS', 1, 'Subscribers'),
  ('FRAME_PROGRAM_ADMINISTRATION_SUBSCRIBERS', 2, 'Абоненты'),
  ('FRAME_PROGRAM_ADMINISTRATION_SUBSCRIBERS', 3, 'Абоненти');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_OBJECTS', 1, 'Subscriber’s sites'),
  ('FRAME_PROGRAM_ADMINISTRATION_OBJECTS', 2, 'Объекты абонента'),
  ('FRAME_PROGRAM_ADMINISTRATION_OBJECTS', 3, 'Об’єкти абонента');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_ADD', 1, 'Add'),
  ('FRAME_PROGRAM_ADMINISTRATION_ADD', 2, 'Добавить'),
  ('FRAME_PROGRAM_ADMINISTRATION_ADD', 3, 'Додати');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_EDIT', 1, 'Edit'),
  ('FRAME_PROGRAM_ADMINISTRATION_EDIT', 2, 'Изменить'),
  ('FRAME_PROGRAM_ADMINISTRATION_EDIT', 3, 'Змінити');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_DELETE', 1, 'Delete'),
  ('FRAME_PROGRAM_ADMINISTRATION_DELETE', 2, 'Удалить'),
  ('FRAME_PROGRAM_ADMINISTRATION_DELETE', 3, 'Видалити');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_SAVE', 1, 'Save'),
  ('FRAME_PROGRAM_ADMINISTRATION_SAVE', 2, 'Сохранить'),
  ('FRAME_PROGRAM_ADMINISTRATION_SAVE', 3, 'Зберегти');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_CANCEL', 1, 'Cancel'),
  ('FRAME_PROGRAM_ADMINISTRATION_CANCEL', 2, 'Отмена'),
  ('FRAME_PROGRAM_ADMINISTRATION_CANCEL', 3, 'Скасувати');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_SUBSCRIBER_NAME', 1, 'Name or company'),
  ('FRAME_PROGRAM_ADMINISTRATION_SUBSCRIBER_NAME', 2, 'ФИО или организация'),
  ('FRAME_PROGRAM_ADMINISTRATION_SUBSCRIBER_NAME', 3, 'ПІБ або організація');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_CONTACT', 1, 'Contacts'),
  ('FRAME_PROGRAM_ADMINISTRATION_CONTACT', 2, 'Контакты'),
  ('FRAME_PROGRAM_ADMINISTRATION_CONTACT', 3, 'Контакти');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_ACCOUNT', 1, 'Account number'),
  ('FRAME_PROGRAM_ADMINISTRATION_ACCOUNT', 2, 'Лицевой счёт'),
  ('FRAME_PROGRAM_ADMINISTRATION_ACCOUNT', 3, 'Особовий рахунок');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_NOTES', 1, 'Notes'),
  ('FRAME_PROGRAM_ADMINISTRATION_NOTES', 2, 'Примечание'),
  ('FRAME_PROGRAM_ADMINISTRATION_NOTES', 3, 'Примітка');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_OBJECT', 1, 'Site'),
  ('FRAME_PROGRAM_ADMINISTRATION_OBJECT', 2, 'Объект'),
  ('FRAME_PROGRAM_ADMINISTRATION_OBJECT', 3, 'Об’єкт');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_OBJECT_NAME', 1, 'Site name'),
  ('FRAME_PROGRAM_ADMINISTRATION_OBJECT_NAME', 2, 'Название объекта'),
  ('FRAME_PROGRAM_ADMINISTRATION_OBJECT_NAME', 3, 'Назва об’єкта');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_ADDRESS', 1, 'Address'),
  ('FRAME_PROGRAM_ADMINISTRATION_ADDRESS', 2, 'Адрес'),
  ('FRAME_PROGRAM_ADMINISTRATION_ADDRESS', 3, 'Адреса');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_SUBSCRIBER', 1, 'Subscriber'),
  ('FRAME_PROGRAM_ADMINISTRATION_SUBSCRIBER', 2, 'Абонент'),
  ('FRAME_PROGRAM_ADMINISTRATION_SUBSCRIBER', 3, 'Абонент');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_DEVICES', 1, 'Meters'),
  ('FRAME_PROGRAM_ADMINISTRATION_DEVICES', 2, 'Приборы'),
  ('FRAME_PROGRAM_ADMINISTRATION_DEVICES', 3, 'Прилади');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_NEW_SUBSCRIBER', 1, 'New subscriber'),
  ('FRAME_PROGRAM_ADMINISTRATION_NEW_SUBSCRIBER', 2, 'Новый абонент'),
  ('FRAME_PROGRAM_ADMINISTRATION_NEW_SUBSCRIBER', 3, 'Новий абонент');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_EDIT_SUBSCRIBER', 1, 'Edit subscriber'),
  ('FRAME_PROGRAM_ADMINISTRATION_EDIT_SUBSCRIBER', 2, 'Изменение абонента'),
  ('FRAME_PROGRAM_ADMINISTRATION_EDIT_SUBSCRIBER', 3, 'Редагування абонента');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_NEW_OBJECT', 1, 'New site'),
  ('FRAME_PROGRAM_ADMINISTRATION_NEW_OBJECT', 2, 'Новый объект'),
  ('FRAME_PROGRAM_ADMINISTRATION_NEW_OBJECT', 3, 'Новий об’єкт');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_EDIT_OBJECT', 1, 'Edit site'),
  ('FRAME_PROGRAM_ADMINISTRATION_EDIT_OBJECT', 2, 'Изменение объекта'),
  ('FRAME_PROGRAM_ADMINISTRATION_EDIT_OBJECT', 3, 'Редагування об’єкта');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_CONFIRM_DELETE_SUBSCRIBER', 1, 'Delete subscriber “%s”?'),
  ('FRAME_PROGRAM_ADMINISTRATION_CONFIRM_DELETE_SUBSCRIBER', 2, 'Удалить абонента «%s»?'),
  ('FRAME_PROGRAM_ADMINISTRATION_CONFIRM_DELETE_SUBSCRIBER', 3, 'Видалити абонента «%s»?');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_CONFIRM_DELETE_OBJECT', 1, 'Delete site “%s”? Its meters and readings stay in the archive.'),
  ('FRAME_PROGRAM_ADMINISTRATION_CONFIRM_DELETE_OBJECT', 2, 'Удалить объект «%s»? Его приборы и показания останутся в архиве.'),
  ('FRAME_PROGRAM_ADMINISTRATION_CONFIRM_DELETE_OBJECT', 3, 'Видалити об’єкт «%s»? Його прилади та показання залишаться в архіві.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_SUBSCRIBER_HAS_OBJECTS', 1, 'The subscriber still has sites. Delete them or move them to another subscriber first.'),
  ('FRAME_PROGRAM_ADMINISTRATION_SUBSCRIBER_HAS_OBJECTS', 2, 'У абонента есть объекты. Сначала удалите их или передайте другому абоненту.'),
  ('FRAME_PROGRAM_ADMINISTRATION_SUBSCRIBER_HAS_OBJECTS', 3, 'Абонент має об’єкти. Спочатку видаліть їх або передайте іншому абоненту.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_NAME_REQUIRED', 1, 'Enter a name.'),
  ('FRAME_PROGRAM_ADMINISTRATION_NAME_REQUIRED', 2, 'Введите наименование.'),
  ('FRAME_PROGRAM_ADMINISTRATION_NAME_REQUIRED', 3, 'Введіть назву.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_NO_SUBSCRIBERS', 1, 'No subscribers yet. Press “Add”.'),
  ('FRAME_PROGRAM_ADMINISTRATION_NO_SUBSCRIBERS', 2, 'Абонентов пока нет. Нажмите «Добавить».'),
  ('FRAME_PROGRAM_ADMINISTRATION_NO_SUBSCRIBERS', 3, 'Абонентів поки немає. Натисніть «Додати».');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_SELECT_SUBSCRIBER', 1, 'Select a subscriber to see their sites.'),
  ('FRAME_PROGRAM_ADMINISTRATION_SELECT_SUBSCRIBER', 2, 'Выберите абонента, чтобы увидеть его объекты.'),
  ('FRAME_PROGRAM_ADMINISTRATION_SELECT_SUBSCRIBER', 3, 'Виберіть абонента, щоб побачити його об’єкти.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_NO_OBJECTS', 1, 'This subscriber has no sites yet.'),
  ('FRAME_PROGRAM_ADMINISTRATION_NO_OBJECTS', 2, 'У абонента пока нет объектов.'),
  ('FRAME_PROGRAM_ADMINISTRATION_NO_OBJECTS', 3, 'Абонент поки не має об’єктів.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_NO_DEVICES', 1, 'No meters in the archive yet: they appear when readings are saved from a meter’s screen.'),
  ('FRAME_PROGRAM_ADMINISTRATION_NO_DEVICES', 2, 'В архиве пока нет приборов: они появляются, когда с экрана прибора сохраняют показания.'),
  ('FRAME_PROGRAM_ADMINISTRATION_NO_DEVICES', 3, 'В архіві поки немає приладів: вони з’являються, коли з екрана приладу зберігають показання.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ADMINISTRATION_SAVE_FAILED', 1, 'The changes could not be saved to the archive.'),
  ('FRAME_PROGRAM_ADMINISTRATION_SAVE_FAILED', 2, 'Не удалось сохранить изменения в архиве.'),
  ('FRAME_PROGRAM_ADMINISTRATION_SAVE_FAILED', 3, 'Не вдалося зберегти зміни в архіві.');


INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_TITLE', 1, 'Local archive'),
  ('FRAME_PROGRAM_ARCHIVE_TITLE', 2, 'Локальный архив'),
  ('FRAME_PROGRAM_ARCHIVE_TITLE', 3, 'Локальний архів');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_DEVICE_KIND', 1, 'Meter type'),
  ('FRAME_PROGRAM_ARCHIVE_DEVICE_KIND', 2, 'Тип прибора'),
  ('FRAME_PROGRAM_ARCHIVE_DEVICE_KIND', 3, 'Тип приладу');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_DEVICE', 1, 'Meter'),
  ('FRAME_PROGRAM_ARCHIVE_DEVICE', 2, 'Прибор'),
  ('FRAME_PROGRAM_ARCHIVE_DEVICE', 3, 'Прилад');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_ALL_KINDS', 1, 'All types'),
  ('FRAME_PROGRAM_ARCHIVE_ALL_KINDS', 2, 'Все виды'),
  ('FRAME_PROGRAM_ARCHIVE_ALL_KINDS', 3, 'Усі типи');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_ALL_DEVICES', 1, 'All meters'),
  ('FRAME_PROGRAM_ARCHIVE_ALL_DEVICES', 2, 'Все приборы'),
  ('FRAME_PROGRAM_ARCHIVE_ALL_DEVICES', 3, 'Усі прилади');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_SUBSCRIBER', 1, 'Subscriber'),
  ('FRAME_PROGRAM_ARCHIVE_SUBSCRIBER', 2, 'Абонент'),
  ('FRAME_PROGRAM_ARCHIVE_SUBSCRIBER', 3, 'Абонент');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_ALL_SUBSCRIBERS', 1, 'All subscribers'),
  ('FRAME_PROGRAM_ARCHIVE_ALL_SUBSCRIBERS', 2, 'Все абоненты'),
  ('FRAME_PROGRAM_ARCHIVE_ALL_SUBSCRIBERS', 3, 'Усі абоненти');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_FROM', 1, 'Period from'),
  ('FRAME_PROGRAM_ARCHIVE_FROM', 2, 'Период с'),
  ('FRAME_PROGRAM_ARCHIVE_FROM', 3, 'Період з');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_TO', 1, 'to'),
  ('FRAME_PROGRAM_ARCHIVE_TO', 2, 'по'),
  ('FRAME_PROGRAM_ARCHIVE_TO', 3, 'по');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_HEAT', 1, 'Heat'),
  ('FRAME_PROGRAM_ARCHIVE_HEAT', 2, 'Тепловая энергия'),
  ('FRAME_PROGRAM_ARCHIVE_HEAT', 3, 'Теплова енергія');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_WATER_COLD', 1, 'Cold water'),
  ('FRAME_PROGRAM_ARCHIVE_WATER_COLD', 2, 'Холодная вода'),
  ('FRAME_PROGRAM_ARCHIVE_WATER_COLD', 3, 'Холодна вода');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_WATER_HOT', 1, 'Hot water'),
  ('FRAME_PROGRAM_ARCHIVE_WATER_HOT', 2, 'Горячая вода'),
  ('FRAME_PROGRAM_ARCHIVE_WATER_HOT', 3, 'Гаряча вода');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_REFRESH', 1, 'Refresh'),
  ('FRAME_PROGRAM_ARCHIVE_REFRESH', 2, 'Обновить'),
  ('FRAME_PROGRAM_ARCHIVE_REFRESH', 3, 'Оновити');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_DELETE', 1, 'Delete'),
  ('FRAME_PROGRAM_ARCHIVE_DELETE', 2, 'Удалить'),
  ('FRAME_PROGRAM_ARCHIVE_DELETE', 3, 'Видалити');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_CANCEL', 1, 'Cancel'),
  ('FRAME_PROGRAM_ARCHIVE_CANCEL', 2, 'Отмена'),
  ('FRAME_PROGRAM_ARCHIVE_CANCEL', 3, 'Скасувати');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_CONFIRM_DELETE', 1, 'Delete the selected readings (%s)? They cannot be restored.'),
  ('FRAME_PROGRAM_ARCHIVE_CONFIRM_DELETE', 2, 'Удалить выбранные показания (%s)? Восстановить их будет нельзя.'),
  ('FRAME_PROGRAM_ARCHIVE_CONFIRM_DELETE', 3, 'Видалити вибрані показання (%s)? Відновити їх буде неможливо.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_READ_TIME', 1, 'Read at'),
  ('FRAME_PROGRAM_ARCHIVE_READ_TIME', 2, 'Дата чтения'),
  ('FRAME_PROGRAM_ARCHIVE_READ_TIME', 3, 'Дата зчитування');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_KIND', 1, 'Type'),
  ('FRAME_PROGRAM_ARCHIVE_KIND', 2, 'Вид учёта'),
  ('FRAME_PROGRAM_ARCHIVE_KIND', 3, 'Вид обліку');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_ENERGY', 1, 'Energy, kWh'),
  ('FRAME_PROGRAM_ARCHIVE_ENERGY', 2, 'Энергия, кВт·ч'),
  ('FRAME_PROGRAM_ARCHIVE_ENERGY', 3, 'Енергія, кВт·год');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_VOLUME', 1, 'Volume, m³'),
  ('FRAME_PROGRAM_ARCHIVE_VOLUME', 2, 'Объём, м³'),
  ('FRAME_PROGRAM_ARCHIVE_VOLUME', 3, 'Об’єм, м³');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_POWER', 1, 'Power, kW'),
  ('FRAME_PROGRAM_ARCHIVE_POWER', 2, 'Мощность, кВт'),
  ('FRAME_PROGRAM_ARCHIVE_POWER', 3, 'Потужність, кВт');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_FLOW', 1, 'Flow, m³/h'),
  ('FRAME_PROGRAM_ARCHIVE_FLOW', 2, 'Расход, м³/ч'),
  ('FRAME_PROGRAM_ARCHIVE_FLOW', 3, 'Витрата, м³/год');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_SUPPLY_TEMPERATURE', 1, 'Supply T, °C'),
  ('FRAME_PROGRAM_ARCHIVE_SUPPLY_TEMPERATURE', 2, 'T подачи, °C'),
  ('FRAME_PROGRAM_ARCHIVE_SUPPLY_TEMPERATURE', 3, 'T подачі, °C');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_RETURN_TEMPERATURE', 1, 'Return T, °C'),
  ('FRAME_PROGRAM_ARCHIVE_RETURN_TEMPERATURE', 2, 'T обратки, °C'),
  ('FRAME_PROGRAM_ARCHIVE_RETURN_TEMPERATURE', 3, 'T зворотки, °C');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_TEMPERATURE_DIFFERENCE', 1, 'ΔT, K'),
  ('FRAME_PROGRAM_ARCHIVE_TEMPERATURE_DIFFERENCE', 2, 'ΔT, К'),
  ('FRAME_PROGRAM_ARCHIVE_TEMPERATURE_DIFFERENCE', 3, 'ΔT, К');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_WATER_TEMPERATURE', 1, 'Water T, °C'),
  ('FRAME_PROGRAM_ARCHIVE_WATER_TEMPERATURE', 2, 'T воды, °C'),
  ('FRAME_PROGRAM_ARCHIVE_WATER_TEMPERATURE', 3, 'T води, °C');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_OPERATING_HOURS', 1, 'Operating time, h'),
  ('FRAME_PROGRAM_ARCHIVE_OPERATING_HOURS', 2, 'Наработка, ч'),
  ('FRAME_PROGRAM_ARCHIVE_OPERATING_HOURS', 3, 'Напрацювання, год');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_ERRORS', 1, 'Errors'),
  ('FRAME_PROGRAM_ARCHIVE_ERRORS', 2, 'Ошибки'),
  ('FRAME_PROGRAM_ARCHIVE_ERRORS', 3, 'Помилки');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_METER_TIME', 1, 'Meter clock'),
  ('FRAME_PROGRAM_ARCHIVE_METER_TIME', 2, 'Время прибора'),
  ('FRAME_PROGRAM_ARCHIVE_METER_TIME', 3, 'Час приладу');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_EMPTY', 1, 'No readings saved yet. Readings are saved from the meters’ working screens.'),
  ('FRAME_PROGRAM_ARCHIVE_EMPTY', 2, 'В архиве пока нет сохранённых показаний. Показания сохраняются с рабочих экранов приборов.'),
  ('FRAME_PROGRAM_ARCHIVE_EMPTY', 3, 'В архіві поки немає збережених показань. Показання зберігаються з робочих екранів приладів.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_EMPTY_FILTER', 1, 'No readings match the selection.'),
  ('FRAME_PROGRAM_ARCHIVE_EMPTY_FILTER', 2, 'Для выбранного фильтра показаний нет.'),
  ('FRAME_PROGRAM_ARCHIVE_EMPTY_FILTER', 3, 'Для вибраного фільтра показань немає.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_COUNT', 1, 'Readings: %s'),
  ('FRAME_PROGRAM_ARCHIVE_COUNT', 2, 'Показаний: %s'),
  ('FRAME_PROGRAM_ARCHIVE_COUNT', 3, 'Показань: %s');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_NEWER_VERSION', 1, 'The archive file archive.db was written by a newer version of the program. Update the program; the archive was left unchanged.'),
  ('FRAME_PROGRAM_ARCHIVE_NEWER_VERSION', 2, 'Файл архива archive.db создан более новой версией программы. Обновите программу; архив не изменён.'),
  ('FRAME_PROGRAM_ARCHIVE_NEWER_VERSION', 3, 'Файл архіву archive.db створено новішою версією програми. Оновіть програму; архів не змінено.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_UNREADABLE', 1, 'The file archive.db is damaged or is not an archive of this program. It was left unchanged.'),
  ('FRAME_PROGRAM_ARCHIVE_UNREADABLE', 2, 'Файл archive.db повреждён или не является архивом программы. Архив не изменён.'),
  ('FRAME_PROGRAM_ARCHIVE_UNREADABLE', 3, 'Файл archive.db пошкоджено або він не є архівом програми. Архів не змінено.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_CANNOT_OPEN', 1, 'The archive file archive.db could not be opened or created in the working folder.'),
  ('FRAME_PROGRAM_ARCHIVE_CANNOT_OPEN', 2, 'Не удалось открыть или создать файл архива archive.db в рабочей папке.'),
  ('FRAME_PROGRAM_ARCHIVE_CANNOT_OPEN', 3, 'Не вдалося відкрити або створити файл архіву archive.db у робочій папці.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_BUSY', 1, 'The archive archive.db is busy: another program is using it. Close that program and repeat the action.'),
  ('FRAME_PROGRAM_ARCHIVE_BUSY', 2, 'Архив archive.db занят другой программой. Закройте её и повторите действие.'),
  ('FRAME_PROGRAM_ARCHIVE_BUSY', 3, 'Архів archive.db зайнятий іншою програмою. Закрийте її та повторіть дію.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_BUSY_RETRY', 1, 'The archive archive.db is busy: another program is using it. Close that program and press Retry.'),
  ('FRAME_PROGRAM_ARCHIVE_BUSY_RETRY', 2, 'Архив archive.db занят другой программой. Закройте её и нажмите «Повторить».'),
  ('FRAME_PROGRAM_ARCHIVE_BUSY_RETRY', 3, 'Архів archive.db зайнятий іншою програмою. Закрийте її та натисніть «Повторити».');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_EXPORT', 1, 'Export'),
  ('FRAME_PROGRAM_ARCHIVE_EXPORT', 2, 'Экспорт'),
  ('FRAME_PROGRAM_ARCHIVE_EXPORT', 3, 'Експорт');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_EXPORT_CAPTION', 1, 'Export readings'),
  ('FRAME_PROGRAM_ARCHIVE_EXPORT_CAPTION', 2, 'Экспорт показаний'),
  ('FRAME_PROGRAM_ARCHIVE_EXPORT_CAPTION', 3, 'Експорт показань');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_EXPORT_DONE', 1, 'Readings written to the file: %s'),
  ('FRAME_PROGRAM_ARCHIVE_EXPORT_DONE', 2, 'Записано показаний в файл: %s'),
  ('FRAME_PROGRAM_ARCHIVE_EXPORT_DONE', 3, 'Записано показань у файл: %s');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_EXPORT_FAILED', 1, 'Cannot write the file %s. Check that the folder exists and can be written to; nothing was written.'),
  ('FRAME_PROGRAM_ARCHIVE_EXPORT_FAILED', 2, 'Не удалось записать файл %s. Проверьте, что папка существует и в неё можно писать; ничего не записано.'),
  ('FRAME_PROGRAM_ARCHIVE_EXPORT_FAILED', 3, 'Не вдалося записати файл %s. Перевірте, що тека існує і в неї можна писати; нічого не записано.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_CHART_USED_ENERGY', 1, 'Consumption, kWh'),
  ('FRAME_PROGRAM_ARCHIVE_CHART_USED_ENERGY', 2, 'Потребление, кВт·ч'),
  ('FRAME_PROGRAM_ARCHIVE_CHART_USED_ENERGY', 3, 'Споживання, кВт·год');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_CHART_USED_VOLUME', 1, 'Consumption, m³'),
  ('FRAME_PROGRAM_ARCHIVE_CHART_USED_VOLUME', 2, 'Потребление, м³'),
  ('FRAME_PROGRAM_ARCHIVE_CHART_USED_VOLUME', 3, 'Споживання, м³');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_CHART_TEMPERATURE', 1, 'Temperature, °C'),
  ('FRAME_PROGRAM_ARCHIVE_CHART_TEMPERATURE', 2, 'Температура, °C'),
  ('FRAME_PROGRAM_ARCHIVE_CHART_TEMPERATURE', 3, 'Температура, °C');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_CHART_BACKWARDS', 1, 'Below the previous reading'),
  ('FRAME_PROGRAM_ARCHIVE_CHART_BACKWARDS', 2, 'Меньше предыдущего'),
  ('FRAME_PROGRAM_ARCHIVE_CHART_BACKWARDS', 3, 'Менше за попереднє');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_BACKWARDS_HINT', 1, 'This reading is lower than the one before it. That usually means the meter was replaced or the reading was entered wrongly.'),
  ('FRAME_PROGRAM_ARCHIVE_BACKWARDS_HINT', 2, 'Показание меньше предыдущего. Обычно это значит, что прибор заменили или показание записано с ошибкой.'),
  ('FRAME_PROGRAM_ARCHIVE_BACKWARDS_HINT', 3, 'Показання менше за попереднє. Зазвичай це означає, що прилад замінили або показання записано з помилкою.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_ARCHIVE_CSV_LANGUAGE', 1, 'en'),
  ('FRAME_PROGRAM_ARCHIVE_CSV_LANGUAGE', 2, 'ru'),
  ('FRAME_PROGRAM_ARCHIVE_CSV_LANGUAGE', 3, 'uk');

-- Shell: connection status and configuration screen ---------------------

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_CONNECTION_ESTABLISHED', 1, 'Connection established'),
  ('FRAME_PROGRAM_MAIN_CONNECTION_ESTABLISHED', 2, 'Соединение установлено'),
  ('FRAME_PROGRAM_MAIN_CONNECTION_ESTABLISHED', 3, 'З''єднання встановлено');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_TYPE_NOT_SELECTED', 1, 'Select the device type.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_TYPE_NOT_SELECTED', 2, 'Выберите тип устройства.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_TYPE_NOT_SELECTED', 3, 'Виберіть тип пристрою.');

------------------------------------------------------------------------------------------
-- Device working screens (the five device plug-ins)
------------------------------------------------------------------------------------------

-- Titles, one per kind of meter.
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_TITLE_HEAT', 1, 'Heat meter'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_TITLE_HEAT', 2, 'Теплосчётчик'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_TITLE_HEAT', 3, 'Теплолічильник');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_TITLE_WATER_COLD', 1, 'Cold water meter'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_TITLE_WATER_COLD', 2, 'Счётчик холодной воды'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_TITLE_WATER_COLD', 3, 'Лічильник холодної води');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_TITLE_WATER_HOT', 1, 'Hot water meter'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_TITLE_WATER_HOT', 2, 'Счётчик горячей воды'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_TITLE_WATER_HOT', 3, 'Лічильник гарячої води');

-- Identity of the device: labels, shown as "text:".
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_MANUFACTURER', 1, 'Manufacturer'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_MANUFACTURER', 2, 'Производитель'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_MANUFACTURER', 3, 'Виробник');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_SERIAL_NUMBER', 1, 'Serial number'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_SERIAL_NUMBER', 2, 'Серийный номер'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_SERIAL_NUMBER', 3, 'Серійний номер');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_MODEL', 1, 'Model'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_MODEL', 2, 'Модель'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_MODEL', 3, 'Модель');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_DEVICE_TYPE', 1, 'Device type'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_DEVICE_TYPE', 2, 'Тип устройства'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_DEVICE_TYPE', 3, 'Тип пристрою');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_PRIMARY_ADDRESS', 1, 'Primary address'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_PRIMARY_ADDRESS', 2, 'Первичный адрес'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_PRIMARY_ADDRESS', 3, 'Первинна адреса');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_CATALOGUE_ID', 1, 'Catalogue number'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_CATALOGUE_ID', 2, 'Номер в каталоге'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_CATALOGUE_ID', 3, 'Номер у каталозі');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_SOFTWARE_VERSION', 1, 'Software version'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_SOFTWARE_VERSION', 2, 'Версия ПО'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_SOFTWARE_VERSION', 3, 'Версія ПЗ');

-- Shown in brackets after address 253.
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_SELECTED_BY_SECONDARY_ADDRESS', 1, 'selected by secondary address'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_SELECTED_BY_SECONDARY_ADDRESS', 2, 'выбран по вторичному адресу'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_SELECTED_BY_SECONDARY_ADDRESS', 3, 'вибрано за вторинною адресою');

-- Buttons and status line. READ_DONE is followed by ": " and the time of the reading.
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_REFRESH', 1, 'Refresh'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_REFRESH', 2, 'Обновить'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_REFRESH', 3, 'Оновити');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_SAVE_TO_ARCHIVE', 1, 'Save to archive'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_SAVE_TO_ARCHIVE', 2, 'Сохранить в архив'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_SAVE_TO_ARCHIVE', 3, 'Зберегти в архів');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_READING', 1, 'Reading the device…'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_READING', 2, 'Чтение данных с устройства…'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_READING', 3, 'Читання даних із пристрою…');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_READ_DONE', 1, 'Readings received'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_READ_DONE', 2, 'Показания прочитаны'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_READ_DONE', 3, 'Показання прочитано');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_DEVICE_DID_NOT_ANSWER', 1, 'Device did not answer.'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_DEVICE_DID_NOT_ANSWER', 2, 'Устройство не ответило.'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_DEVICE_DID_NOT_ANSWER', 3, 'Пристрій не відповів.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_DEVICE_REPORTED_ERROR', 1, 'The device reported an error.'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_DEVICE_REPORTED_ERROR', 2, 'Устройство сообщило об ошибке.'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_DEVICE_REPORTED_ERROR', 3, 'Пристрій повідомив про помилку.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_PORT_NOT_AVAILABLE', 1, 'The port is not available.'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_PORT_NOT_AVAILABLE', 2, 'Порт недоступен.'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_PORT_NOT_AVAILABLE', 3, 'Порт недоступний.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_SAVED_TO_ARCHIVE', 1, 'The readings were saved to the archive.'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_SAVED_TO_ARCHIVE', 2, 'Показания сохранены в архив.'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_SAVED_TO_ARCHIVE', 3, 'Показання збережено в архів.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_NOTHING_TO_SAVE', 1, 'There are no readings to save.'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_NOTHING_TO_SAVE', 2, 'Нет показаний для сохранения.'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_NOTHING_TO_SAVE', 3, 'Немає показань для збереження.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_ARCHIVE_NOT_OPENED', 1, 'The archive could not be opened.'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_ARCHIVE_NOT_OPENED', 2, 'Не удалось открыть архив.'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_ARCHIVE_NOT_OPENED', 3, 'Не вдалося відкрити архів.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_ARCHIVE_REFUSED', 1, 'The archive did not accept the readings.'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_ARCHIVE_REFUSED', 2, 'Архив не принял показания.'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_ARCHIVE_REFUSED', 3, 'Архів не прийняв показання.');

-- Columns of the readings table.
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_QUANTITY', 1, 'Quantity'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_QUANTITY', 2, 'Величина'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_QUANTITY', 3, 'Величина');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_VALUE', 1, 'Value'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_VALUE', 2, 'Значение'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_VALUE', 3, 'Значення');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT', 1, 'Unit'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT', 2, 'Ед. изм.'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT', 3, 'Од. вим.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_STORAGE', 1, 'Storage'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_STORAGE', 2, '№ архива'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_STORAGE', 3, '№ архіву');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_TARIFF', 1, 'Tariff'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_TARIFF', 2, 'Тариф'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_TARIFF', 3, 'Тариф');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_SUBUNIT', 1, 'Sub-unit'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_SUBUNIT', 2, 'Подустройство'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_SUBUNIT', 3, 'Підпристрій');

-- Quantities a meter reports. PULSE_WEIGHT is followed by the input number.
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_ENERGY', 1, 'Energy'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_ENERGY', 2, 'Энергия'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_ENERGY', 3, 'Енергія');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_VOLUME', 1, 'Volume'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_VOLUME', 2, 'Объём'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_VOLUME', 3, 'Об’єм');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_MASS', 1, 'Mass'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_MASS', 2, 'Масса'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_MASS', 3, 'Маса');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_ON_TIME', 1, 'Time switched on'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_ON_TIME', 2, 'Время включения'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_ON_TIME', 3, 'Час увімкнення');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_OPERATING_TIME', 1, 'Operating time'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_OPERATING_TIME', 2, 'Время работы'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_OPERATING_TIME', 3, 'Час роботи');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_POWER', 1, 'Power'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_POWER', 2, 'Мощность'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_POWER', 3, 'Потужність');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_VOLUME_FLOW', 1, 'Flow rate'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_VOLUME_FLOW', 2, 'Расход'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_VOLUME_FLOW', 3, 'Витрата');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_MASS_FLOW', 1, 'Mass flow rate'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_MASS_FLOW', 2, 'Массовый расход'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_MASS_FLOW', 3, 'Масова витрата');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_FLOW_TEMPERATURE', 1, 'Supply temperature'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_FLOW_TEMPERATURE', 2, 'Температура подачи'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_FLOW_TEMPERATURE', 3, 'Температура подачі');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_RETURN_TEMPERATURE', 1, 'Return temperature'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_RETURN_TEMPERATURE', 2, 'Температура обратки'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_RETURN_TEMPERATURE', 3, 'Температура зворотної лінії');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_TEMPERATURE_DIFFERENCE', 1, 'Temperature difference'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_TEMPERATURE_DIFFERENCE', 2, 'Разность температур'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_TEMPERATURE_DIFFERENCE', 3, 'Різниця температур');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_EXTERNAL_TEMPERATURE', 1, 'Outside temperature'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_EXTERNAL_TEMPERATURE', 2, 'Наружная температура'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_EXTERNAL_TEMPERATURE', 3, 'Зовнішня температура');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_PRESSURE', 1, 'Pressure'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_PRESSURE', 2, 'Давление'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_PRESSURE', 3, 'Тиск');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_DATE', 1, 'Date'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_DATE', 2, 'Дата'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_DATE', 3, 'Дата');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_DATE_TIME', 1, 'Date and time'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_DATE_TIME', 2, 'Дата и время'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_DATE_TIME', 3, 'Дата і час');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_HCA_UNITS', 1, 'Heat cost allocator units'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_HCA_UNITS', 2, 'Показания распределителя'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_HCA_UNITS', 3, 'Показання розподілювача');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_AVERAGING_DURATION', 1, 'Averaging period'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_AVERAGING_DURATION', 2, 'Период усреднения'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_AVERAGING_DURATION', 3, 'Період усереднення');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_ACTUALITY_DURATION', 1, 'Age of the measurement'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_ACTUALITY_DURATION', 2, 'Давность измерения'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_ACTUALITY_DURATION', 3, 'Давність вимірювання');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_FABRICATION_NUMBER', 1, 'Fabrication number'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_FABRICATION_NUMBER', 2, 'Заводской номер'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_FABRICATION_NUMBER', 3, 'Заводський номер');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_IDENTIFICATION', 1, 'Identification'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_IDENTIFICATION', 2, 'Идентификатор'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_IDENTIFICATION', 3, 'Ідентифікатор');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_BUS_ADDRESS', 1, 'Bus address'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_BUS_ADDRESS', 2, 'Адрес на шине'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_BUS_ADDRESS', 3, 'Адреса на шині');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_FIRMWARE_VERSION', 1, 'Firmware version'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_FIRMWARE_VERSION', 2, 'Версия прошивки'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_FIRMWARE_VERSION', 3, 'Версія прошивки');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_HARDWARE_VERSION', 1, 'Hardware version'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_HARDWARE_VERSION', 2, 'Версия оборудования'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_HARDWARE_VERSION', 3, 'Версія обладнання');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_ERROR_FLAGS', 1, 'Error flags'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_ERROR_FLAGS', 2, 'Флаги ошибок'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_ERROR_FLAGS', 3, 'Прапорці помилок');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_DIGITAL_INPUT', 1, 'Digital inputs'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_DIGITAL_INPUT', 2, 'Цифровые входы'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_DIGITAL_INPUT', 3, 'Цифрові входи');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_DIGITAL_OUTPUT', 1, 'Digital outputs'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_DIGITAL_OUTPUT', 2, 'Цифровые выходы'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_DIGITAL_OUTPUT', 3, 'Цифрові виходи');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_VOLTAGE', 1, 'Voltage'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_VOLTAGE', 2, 'Напряжение'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_VOLTAGE', 3, 'Напруга');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_CURRENT', 1, 'Current'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_CURRENT', 2, 'Сила тока'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_CURRENT', 3, 'Сила струму');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_BATTERY_OPERATING_TIME', 1, 'Battery operating time'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_BATTERY_OPERATING_TIME', 2, 'Время работы батареи'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_BATTERY_OPERATING_TIME', 3, 'Час роботи батареї');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_PULSE_WEIGHT', 1, 'Pulse weight, input'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_PULSE_WEIGHT', 2, 'Цена импульса, вход'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_PULSE_WEIGHT', 3, 'Ціна імпульсу, вхід');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_MANUFACTURER_DATA', 1, 'Manufacturer data'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_MANUFACTURER_DATA', 2, 'Данные производителя'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_MANUFACTURER_DATA', 3, 'Дані виробника');

-- Shown in brackets after a quantity the meter reports as a maximum, a minimum or a value during an error.
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_MAXIMUM', 1, 'maximum'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_MAXIMUM', 2, 'максимум'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_MAXIMUM', 3, 'максимум');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_MINIMUM', 1, 'minimum'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_MINIMUM', 2, 'минимум'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_MINIMUM', 3, 'мінімум');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_DURING_ERROR', 1, 'during error'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_DURING_ERROR', 2, 'при ошибке'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_DURING_ERROR', 3, 'під час помилки');

-- Values shown as words.
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_NO_ERRORS', 1, 'none'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_NO_ERRORS', 2, 'нет ошибок'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_NO_ERRORS', 3, 'немає помилок');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_INVALID_DATE', 1, 'invalid'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_INVALID_DATE', 2, 'недостоверно'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_INVALID_DATE', 3, 'недостовірно');

-- Units. A text of one character does not replace the built-in one, so units written with

-- one letter (K, s, A) keep the screen's own letter, which reads the same.
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_WH', 1, 'Wh'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_WH', 2, 'Вт·ч'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_WH', 3, 'Вт·год');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_KWH', 1, 'kWh'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_KWH', 2, 'кВт·ч'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_KWH', 3, 'кВт·год');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_MWH', 1, 'MWh'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_MWH', 2, 'МВт·ч'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_MWH', 3, 'МВт·год');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_J', 1, 'J'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_J', 2, 'Дж'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_J', 3, 'Дж');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_GJ', 1, 'GJ'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_GJ', 2, 'ГДж'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_GJ', 3, 'ГДж');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_M3', 1, 'm³'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_M3', 2, 'м³'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_M3', 3, 'м³');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_M3_PER_HOUR', 1, 'm³/h'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_M3_PER_HOUR', 2, 'м³/ч'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_M3_PER_HOUR', 3, 'м³/год');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_KG', 1, 'kg'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_KG', 2, 'кг'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_KG', 3, 'кг');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_TONNE', 1, 't'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_TONNE', 2, 'т'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_TONNE', 3, 'т');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_KG_PER_HOUR', 1, 'kg/h'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_KG_PER_HOUR', 2, 'кг/ч'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_KG_PER_HOUR', 3, 'кг/год');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_W', 1, 'W'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_W', 2, 'Вт'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_W', 3, 'Вт');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_KW', 1, 'kW'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_KW', 2, 'кВт'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_KW', 3, 'кВт');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_MW', 1, 'MW'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_MW', 2, 'МВт'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_MW', 3, 'МВт');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_J_PER_HOUR', 1, 'J/h'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_J_PER_HOUR', 2, 'Дж/ч'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_J_PER_HOUR', 3, 'Дж/год');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_GJ_PER_HOUR', 1, 'GJ/h'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_GJ_PER_HOUR', 2, 'ГДж/ч'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_GJ_PER_HOUR', 3, 'ГДж/год');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_CELSIUS', 1, '°C'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_CELSIUS', 2, '°C'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_CELSIUS', 3, '°C');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_KELVIN', 1, 'K'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_KELVIN', 2, 'К'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_KELVIN', 3, 'К');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_BAR', 1, 'bar'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_BAR', 2, 'бар'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_BAR', 3, 'бар');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_VOLT', 1, 'volt'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_VOLT', 2, 'В'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_VOLT', 3, 'В');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_AMPERE', 1, 'A'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_AMPERE', 2, 'А'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_AMPERE', 3, 'А');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_SECOND', 1, 'sec'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_SECOND', 2, 'с'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_SECOND', 3, 'с');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_MINUTE', 1, 'min'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_MINUTE', 2, 'мин'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_MINUTE', 3, 'хв');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_HOUR', 1, 'hours'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_HOUR', 2, 'ч'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_HOUR', 3, 'год');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_DAY', 1, 'days'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_DAY', 2, 'сут'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_DAY', 3, 'діб');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_MONTH', 1, 'months'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_MONTH', 2, 'мес.'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_MONTH', 3, 'міс.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_YEAR', 1, 'years'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_YEAR', 2, 'г.'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_YEAR', 3, 'р.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_LITRE_PER_PULSE', 1, 'l/pulse'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_LITRE_PER_PULSE', 2, 'л/имп'),
  ('FRAME_PROGRAM_DEVICE_SCREEN_UNIT_LITRE_PER_PULSE', 3, 'л/імп');

------------------------------------------------------------------------------------------
-- Self-update: what the user is told when an update cannot be installed
------------------------------------------------------------------------------------------

-- Shown through "%s" with the folder on the next line.
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_UPDATE_FOLDER_NOT_WRITABLE', 1,
   'The update was not started: the program folder cannot be written.'),
  ('FRAME_PROGRAM_UPDATE_FOLDER_NOT_WRITABLE', 2,
   'Обновление не начато: нет права записи в папку программы.'),
  ('FRAME_PROGRAM_UPDATE_FOLDER_NOT_WRITABLE', 3,
   'Оновлення не розпочато: немає права запису до теки програми.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_UPDATE_UPDATE_FAILED', 1,
   'The update failed. The program files were not changed.'),
  ('FRAME_PROGRAM_UPDATE_UPDATE_FAILED', 2,
   'Не удалось обновить программу. Файлы программы не изменены.'),
  ('FRAME_PROGRAM_UPDATE_UPDATE_FAILED', 3,
   'Не вдалося оновити програму. Файли програми не змінено.');

-- Shown through "%s"; all but the first with the file on the next line.
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_UPDATE_NOT_STARTED', 1,
   'The update could not start: the file list could not be fetched from the server. The program goes on.'),
  ('FRAME_PROGRAM_UPDATE_NOT_STARTED', 2,
   'Обновление не начато: не удалось получить список файлов с сервера. Программа продолжает работу.'),
  ('FRAME_PROGRAM_UPDATE_NOT_STARTED', 3,
   'Оновлення не розпочато: не вдалося отримати список файлів із сервера. Програма продовжує роботу.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_UPDATE_DOWNLOAD_FAILED', 1,
   'The update could not be downloaded: the server did not send a file. The program files were not changed.'),
  ('FRAME_PROGRAM_UPDATE_DOWNLOAD_FAILED', 2,
   'Не удалось загрузить обновление: сервер не передал файл. Файлы программы не изменены.'),
  ('FRAME_PROGRAM_UPDATE_DOWNLOAD_FAILED', 3,
   'Не вдалося завантажити оновлення: сервер не передав файл. Файли програми не змінено.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_UPDATE_REFUSED_PARENT_LEVEL', 1,
   'The update was refused: a file path holds ".." and leads outside the program folder. The program files were not changed.'),
  ('FRAME_PROGRAM_UPDATE_REFUSED_PARENT_LEVEL', 2,
   'Обновление отклонено: путь файла содержит «..» и ведёт за пределы папки программы. Файлы программы не изменены.'),
  ('FRAME_PROGRAM_UPDATE_REFUSED_PARENT_LEVEL', 3,
   'Оновлення відхилено: шлях файлу містить «..» і веде за межі теки програми. Файли програми не змінено.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_UPDATE_REFUSED_ABSOLUTE_PATH', 1,
   'The update was refused: a file path is absolute instead of inside the program folder. The program files were not changed.'),
  ('FRAME_PROGRAM_UPDATE_REFUSED_ABSOLUTE_PATH', 2,
   'Обновление отклонено: путь файла абсолютный, а не внутри папки программы. Файлы программы не изменены.'),
  ('FRAME_PROGRAM_UPDATE_REFUSED_ABSOLUTE_PATH', 3,
   'Оновлення відхилено: шлях файлу абсолютний, а не всередині теки програми. Файли програми не змінено.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_UPDATE_REFUSED_SCRIPT_CHARACTERS', 1,
   'The update was refused: a file name holds quotes, $, ` or other characters unsafe for the installer script. The program files were not changed.'),
  ('FRAME_PROGRAM_UPDATE_REFUSED_SCRIPT_CHARACTERS', 2,
   'Обновление отклонено: имя файла содержит кавычки, $, ` или другие знаки, опасные для сценария установки. Файлы программы не изменены.'),
  ('FRAME_PROGRAM_UPDATE_REFUSED_SCRIPT_CHARACTERS', 3,
   'Оновлення відхилено: ім''я файлу містить лапки, $, ` або інші знаки, небезпечні для сценарію встановлення. Файли програми не змінено.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_UPDATE_REFUSED_INSTALLER_NAME', 1,
   'The update was refused: a file bears the name of the installer script. The program files were not changed.'),
  ('FRAME_PROGRAM_UPDATE_REFUSED_INSTALLER_NAME', 2,
   'Обновление отклонено: файл носит имя сценария установки. Файлы программы не изменены.'),
  ('FRAME_PROGRAM_UPDATE_REFUSED_INSTALLER_NAME', 3,
   'Оновлення відхилено: файл має ім''я сценарію встановлення. Файли програми не змінено.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_UPDATE_REFUSED_RECORD', 1,
   'The update was refused: the server described a file with an invalid name, folder, size or id. The program files were not changed.'),
  ('FRAME_PROGRAM_UPDATE_REFUSED_RECORD', 2,
   'Обновление отклонено: сервер прислал недопустимое описание файла (имя, папку, размер или номер). Файлы программы не изменены.'),
  ('FRAME_PROGRAM_UPDATE_REFUSED_RECORD', 3,
   'Оновлення відхилено: сервер надіслав неприпустимий опис файлу (ім''я, теку, розмір або номер). Файли програми не змінено.');

------------------------------------------------------------------------------------------
-- Connection screen: a port that cannot be opened ("%s" is the port)
------------------------------------------------------------------------------------------

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_PORT_NOT_FOUND', 1,
   'Port %s was not found. Check that the level converter is plugged in and refresh the port list.'),
  ('FRAME_PROGRAM_MAIN_PORT_NOT_FOUND', 2,
   'Порт %s не найден. Проверьте, что преобразователь подключён, и обновите список портов.'),
  ('FRAME_PROGRAM_MAIN_PORT_NOT_FOUND', 3,
   'Порт %s не знайдено. Перевірте, що перетворювач підключено, і оновіть список портів.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_PORT_ACCESS_DENIED', 1,
   'No permission to open port %s. Add your user to the dialout group (sudo usermod -aG dialout $USER), then log out and in again.'),
  ('FRAME_PROGRAM_MAIN_PORT_ACCESS_DENIED', 2,
   'Нет доступа к порту %s. Добавьте пользователя в группу dialout (sudo usermod -aG dialout $USER), затем выйдите из системы и войдите снова.'),
  ('FRAME_PROGRAM_MAIN_PORT_ACCESS_DENIED', 3,
   'Немає доступу до порту %s. Додайте користувача до групи dialout (sudo usermod -aG dialout $USER), потім вийдіть із системи та увійдіть знову.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_PORT_BUSY', 1,
   'Port %s is busy: another program is using it. Close that program and try again.'),
  ('FRAME_PROGRAM_MAIN_PORT_BUSY', 2,
   'Порт %s занят другой программой. Закройте её и попробуйте снова.'),
  ('FRAME_PROGRAM_MAIN_PORT_BUSY', 3,
   'Порт %s зайнятий іншою програмою. Закрийте її та спробуйте знову.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_PORT_NOT_SERIAL', 1,
   '%s is not a serial port. Choose another port.'),
  ('FRAME_PROGRAM_MAIN_PORT_NOT_SERIAL', 2,
   '%s не является последовательным портом. Выберите другой порт.'),
  ('FRAME_PROGRAM_MAIN_PORT_NOT_SERIAL', 3,
   '%s не є послідовним портом. Виберіть інший порт.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_PORT_NOT_OPENED', 1,
   'Port %s could not be opened. Check the level converter''s connection and try again.'),
  ('FRAME_PROGRAM_MAIN_PORT_NOT_OPENED', 2,
   'Не удалось открыть порт %s. Проверьте подключение преобразователя и попробуйте снова.'),
  ('FRAME_PROGRAM_MAIN_PORT_NOT_OPENED', 3,
   'Не вдалося відкрити порт %s. Перевірте підключення перетворювача та спробуйте знову.');

------------------------------------------------------------------------------------------
-- Connection screen: a gateway on the network that cannot be reached ("%s" is its tcp:// address)
------------------------------------------------------------------------------------------

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_GATEWAY_NO_SUCH_HOST', 1,
   'The gateway address %s was not found: the host name does not resolve. Check the name or give the IP address.'),
  ('FRAME_PROGRAM_MAIN_GATEWAY_NO_SUCH_HOST', 2,
   'Адрес шлюза %s не найден: имя узла не распознаётся. Проверьте имя или укажите IP-адрес.'),
  ('FRAME_PROGRAM_MAIN_GATEWAY_NO_SUCH_HOST', 3,
   'Адресу шлюзу %s не знайдено: ім''я вузла не розпізнається. Перевірте ім''я або вкажіть IP-адресу.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_GATEWAY_REFUSED', 1,
   'The gateway %s refused the connection: nothing listens at that port. Check the port number and that the gateway is on.'),
  ('FRAME_PROGRAM_MAIN_GATEWAY_REFUSED', 2,
   'Шлюз %s отклонил соединение: на этом порту никто не ждёт. Проверьте номер порта и включён ли шлюз.'),
  ('FRAME_PROGRAM_MAIN_GATEWAY_REFUSED', 3,
   'Шлюз %s відхилив з''єднання: на цьому порту ніхто не чекає. Перевірте номер порту та чи ввімкнено шлюз.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_GATEWAY_TIMED_OUT', 1,
   'The gateway %s did not answer within 3 seconds. Check the address, the network and the gateway''s power.'),
  ('FRAME_PROGRAM_MAIN_GATEWAY_TIMED_OUT', 2,
   'Шлюз %s не ответил за 3 секунды. Проверьте адрес, сеть и питание шлюза.'),
  ('FRAME_PROGRAM_MAIN_GATEWAY_TIMED_OUT', 3,
   'Шлюз %s не відповів за 3 секунди. Перевірте адресу, мережу та живлення шлюзу.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_GATEWAY_BUSY', 1,
   'The gateway %s is busy: another program is connected to it. End that connection and try again.'),
  ('FRAME_PROGRAM_MAIN_GATEWAY_BUSY', 2,
   'Шлюз %s занят: с ним уже работает другая программа. Закройте её соединение и попробуйте снова.'),
  ('FRAME_PROGRAM_MAIN_GATEWAY_BUSY', 3,
   'Шлюз %s зайнятий: з ним уже працює інша програма. Закрийте її з''єднання та спробуйте знову.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_GATEWAY_NOT_REACHED', 1,
   'The gateway %s cannot be reached. Write its address as tcp://HOST:PORT (IPv6 in brackets) and check the network.'),
  ('FRAME_PROGRAM_MAIN_GATEWAY_NOT_REACHED', 2,
   'Шлюз %s недоступен. Адрес пишется как tcp://УЗЕЛ:ПОРТ (IPv6 в квадратных скобках); проверьте его и сеть.'),
  ('FRAME_PROGRAM_MAIN_GATEWAY_NOT_REACHED', 3,
   'Шлюз %s недоступний. Адреса пишеться як tcp://ВУЗОЛ:ПОРТ (IPv6 у квадратних дужках); перевірте її та мережу.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_GATEWAY_NOT_OPENED', 1,
   'The connection to the gateway %s could not be made. Check the network and try again.'),
  ('FRAME_PROGRAM_MAIN_GATEWAY_NOT_OPENED', 2,
   'Не удалось соединиться со шлюзом %s. Проверьте сеть и попробуйте снова.'),
  ('FRAME_PROGRAM_MAIN_GATEWAY_NOT_OPENED', 3,
   'Не вдалося з''єднатися зі шлюзом %s. Перевірте мережу та спробуйте знову.');

-- Connection screen: identification through a gateway, and a typed gateway address

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_GATEWAY_FIXED_SPEED', 1,
   'Gateway: its line speed is fixed, no speed search'),
  ('FRAME_PROGRAM_MAIN_GATEWAY_FIXED_SPEED', 2,
   'Шлюз: скорость линии задана шлюзом, поиск скорости не нужен'),
  ('FRAME_PROGRAM_MAIN_GATEWAY_FIXED_SPEED', 3,
   'Шлюз: швидкість лінії задана шлюзом, пошук швидкості не потрібен');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_GATEWAY_MALFORMED', 1,
   'Not a gateway address: write tcp://HOST:PORT'),
  ('FRAME_PROGRAM_MAIN_GATEWAY_MALFORMED', 2,
   'Это не адрес шлюза: пишите tcp://УЗЕЛ:ПОРТ'),
  ('FRAME_PROGRAM_MAIN_GATEWAY_MALFORMED', 3,
   'Це не адреса шлюзу: пишіть tcp://ВУЗОЛ:ПОРТ');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_SETTINGS_NOT_READ', 1,
   'The settings file config.ini in the program''s folder could not be read. The program uses the default settings and leaves that file unchanged. Replace or delete it.'),
  ('FRAME_PROGRAM_MAIN_SETTINGS_NOT_READ', 2,
   'Не удалось прочитать файл настроек config.ini в папке программы. Программа работает с настройками по умолчанию и не изменяет этот файл. Замените или удалите его.'),
  ('FRAME_PROGRAM_MAIN_SETTINGS_NOT_READ', 3,
   'Не вдалося прочитати файл налаштувань config.ini у папці програми. Програма працює з налаштуваннями за замовчуванням і не змінює цей файл. Замініть або видаліть його.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_SETTINGS_NOT_SAVED', 1,
   'The settings could not be saved to config.ini. Check that the file and the program''s folder can be written.'),
  ('FRAME_PROGRAM_MAIN_SETTINGS_NOT_SAVED', 2,
   'Не удалось сохранить настройки в файл config.ini. Проверьте, что файл и папка программы доступны для записи.'),
  ('FRAME_PROGRAM_MAIN_SETTINGS_NOT_SAVED', 3,
   'Не вдалося зберегти налаштування у файл config.ini. Перевірте, що файл і папка програми доступні для запису.');

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_CATALOGUE_NOT_READ', 1,
   'The firmware catalogue program.db could not be read. The devices were not fully identified. Reinstall the program or restore the file program.db.'),
  ('FRAME_PROGRAM_MAIN_CATALOGUE_NOT_READ', 2,
   'Не удалось прочитать каталог прошивок program.db. Устройства определены не полностью. Переустановите программу или восстановите файл program.db.'),
  ('FRAME_PROGRAM_MAIN_CATALOGUE_NOT_READ', 3,
   'Не вдалося прочитати каталог прошивок program.db. Пристрої визначено не повністю. Перевстановіть програму або відновіть файл program.db.');

------------------------------------------------------------------------------------------
-- Configuration screen: a serial number with a gap is not sent
------------------------------------------------------------------------------------------

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_SERIAL_NUMBER_HAS_GAP', 1,
   'The serial number has a gap. Type every digit without blanks; nothing was sent to the device.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_SERIAL_NUMBER_HAS_GAP', 2,
   'В серийном номере пропущена цифра. Введите номер без пропусков; устройству ничего не отправлено.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_SERIAL_NUMBER_HAS_GAP', 3,
   'У серійному номері пропущено цифру. Введіть номер без пропусків; пристрою нічого не надіслано.');

------------------------------------------------------------------------------------------
-- Connection: why a run ended with nothing to show ({address}, {speeds}, {speed},
-- {maker} and {port} are filled in)
------------------------------------------------------------------------------------------

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_MAIN_IDENTIFY_NO_ANSWER', 1,
   'No meter answered at address {address} at any speed tried ({speeds} baud). Check the address, the wiring and the level converter, and that the meter is powered.'),
  ('FRAME_PROGRAM_MAIN_IDENTIFY_NO_ANSWER', 2,
   'Ни одно устройство не ответило по адресу {address} ни на одной из скоростей ({speeds} бод). Проверьте адрес, подключение и преобразователь уровней, а также питание счётчика.'),
  ('FRAME_PROGRAM_MAIN_IDENTIFY_NO_ANSWER', 3,
   'Жоден пристрій не відповів за адресою {address} на жодній зі швидкостей ({speeds} бод). Перевірте адресу, підключення та перетворювач рівнів, а також живлення лічильника.'),
  ('FRAME_PROGRAM_MAIN_IDENTIFY_COLLISION', 1,
   'At address {address} bytes arrived that make no frame: several meters answered at once, or the line is disturbed. With several meters on the line, connect by the meter''s primary address.'),
  ('FRAME_PROGRAM_MAIN_IDENTIFY_COLLISION', 2,
   'По адресу {address} пришли байты, не образующие кадра: ответили сразу несколько устройств или на линии помехи. Если на линии несколько счётчиков, подключайтесь по первичному адресу счётчика.'),
  ('FRAME_PROGRAM_MAIN_IDENTIFY_COLLISION', 3,
   'За адресою {address} надійшли байти, що не утворюють кадру: відповіли одразу кілька пристроїв або на лінії завади. Якщо на лінії кілька лічильників, підключайтеся за первинною адресою лічильника.'),
  ('FRAME_PROGRAM_MAIN_IDENTIFY_NOT_VARIABLE_DATA', 1,
   'The device at address {address} answered at {speed} baud, but not with variable data: it cannot be identified. Check that it is an M-Bus meter that sends variable data.'),
  ('FRAME_PROGRAM_MAIN_IDENTIFY_NOT_VARIABLE_DATA', 2,
   'Устройство по адресу {address} ответило на скорости {speed} бод, но не переменными данными: определить его нельзя. Проверьте, что это счётчик M-Bus с переменными данными.'),
  ('FRAME_PROGRAM_MAIN_IDENTIFY_NOT_VARIABLE_DATA', 3,
   'Пристрій за адресою {address} відповів на швидкості {speed} бод, але не змінними даними: визначити його неможливо. Перевірте, що це лічильник M-Bus зі змінними даними.'),
  ('FRAME_PROGRAM_MAIN_IDENTIFY_MAKER_NOT_SUPPORTED', 1,
   'The maker of the meter at address {address} is {maker}; this program does not work with that maker''s devices.'),
  ('FRAME_PROGRAM_MAIN_IDENTIFY_MAKER_NOT_SUPPORTED', 2,
   'Производитель счётчика по адресу {address} — {maker}; с устройствами этого производителя программа не работает.'),
  ('FRAME_PROGRAM_MAIN_IDENTIFY_MAKER_NOT_SUPPORTED', 3,
   'Виробник лічильника за адресою {address} — {maker}; з пристроями цього виробника програма не працює.'),
  ('FRAME_PROGRAM_MAIN_IDENTIFY_PORT_LOST', 1,
   'The port {port} was lost during the search. Check the level converter''s connection and connect again.'),
  ('FRAME_PROGRAM_MAIN_IDENTIFY_PORT_LOST', 2,
   'Порт {port} пропал во время поиска. Проверьте подключение преобразователя и установите связь снова.'),
  ('FRAME_PROGRAM_MAIN_IDENTIFY_PORT_LOST', 3,
   'Порт {port} зник під час пошуку. Перевірте підключення перетворювача та встановіть зв''язок знову.');

------------------------------------------------------------------------------------------
-- Configuration: a change at address 254 is sent only when one meter listens there
------------------------------------------------------------------------------------------

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_SEVERAL_DEVICES_AT_ADDRESS_254', 1,
   'Several devices answer at address 254. Connect to the device by its primary address; nothing was sent to the devices.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_SEVERAL_DEVICES_AT_ADDRESS_254', 2,
   'По адресу 254 отвечает несколько устройств. Подключитесь к устройству по его первичному адресу; устройствам ничего не отправлено.'),
  ('FRAME_PROGRAM_CONFIGURATION_DEVICE_SEVERAL_DEVICES_AT_ADDRESS_254', 3,
   'За адресою 254 відповідає кілька пристроїв. Підключіться до пристрою за його первинною адресою; пристроям нічого не надіслано.');

------------------------------------------------------------------------------------------
-- About box
------------------------------------------------------------------------------------------

INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_ABOUT_VERSION', 1, 'Version'),
  ('FRAME_ABOUT_VERSION', 2, 'Версия'),
  ('FRAME_ABOUT_VERSION', 3, 'Версія'),
  ('FRAME_ABOUT_WEBSITE', 1, 'Website'),
  ('FRAME_ABOUT_WEBSITE', 2, 'Сайт'),
  ('FRAME_ABOUT_WEBSITE', 3, 'Сайт'),
  ('FRAME_ABOUT_ALL_RIGHTS_RESERVED', 1, 'All rights reserved.'),
  ('FRAME_ABOUT_ALL_RIGHTS_RESERVED', 2, 'Все права защищены.'),
  ('FRAME_ABOUT_ALL_RIGHTS_RESERVED', 3, 'Усі права захищено.'),
  ('FRAME_ABOUT_OK', 1, 'OK'),
  ('FRAME_ABOUT_OK', 2, 'Ок'),
  ('FRAME_ABOUT_OK', 3, 'Гаразд');
