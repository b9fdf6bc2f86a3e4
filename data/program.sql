-- The firmware catalogue program.db: what the program knows about each meter
-- firmware, found by manufacturer code (hexadecimal text), product code (the
-- version byte, decimal text) and the meter's other-software version text.

CREATE TABLE FIRMWARE (
  ID INTEGER PRIMARY KEY,
  MAN_ID TEXT NOT NULL,
  PRODUCT_CODE TEXT NOT NULL,
  DEVICE_TYPE INTEGER NOT NULL DEFAULT 0,
  SOFTWARE_VERSION TEXT NOT NULL DEFAULT '',
  STORAGE_NUMBER_HOUR INTEGER DEFAULT 0,
  DEPTH_HOUR INTEGER DEFAULT 0,
  STORAGE_NUMBER_DAYS INTEGER DEFAULT 0,
  DEPTH_DAYS INTEGER DEFAULT 0,
  STORAGE_NUMBER_MONTH INTEGER DEFAULT 0,
  DEPTH_MONTH INTEGER DEFAULT 0,
  STORAGE_NUMBER_YEARS INTEGER DEFAULT 0,
  DEPTH_YEARS INTEGER DEFAULT 0,
  STORAGE_NUMBER_CHANGING_TIMES INTEGER DEFAULT 0,
  DEPTH_CHANGING_TIMES INTEGER DEFAULT 0,
  STORAGE_NUMBER_ERRORS INTEGER DEFAULT 0,
  DEPTH_ERRORS INTEGER DEFAULT 0,
  STORAGE_NUMBER_SETTINGS INTEGER DEFAULT 0,
  DEPTH_SETTINGS INTEGER DEFAULT 0,
  STORAGE_NUMBER_SETTINGS_CHANGES INTEGER DEFAULT 0,
  DEPTH_SETTINGS_CHANGES INTEGER DEFAULT 0,
  STORAGE_NUMBER_TARIFF INTEGER DEFAULT 0,
  DEPTH_TARIFF INTEGER DEFAULT 0,
  SUBUNIT INTEGER DEFAULT 0,
  TARIFF INTEGER DEFAULT 0,
  DEFAULT_DEVICE_MODEL TEXT DEFAULT '',
  HASH TEXT DEFAULT ''
);
CREATE INDEX FIRMWARE_LOOKUP ON FIRMWARE (MAN_ID, PRODUCT_CODE, SOFTWARE_VERSION);

-- Error flags a firmware reports, and the quantities (VIF) it carries; the
-- device screens may use them.
CREATE TABLE error (
  ID INTEGER PRIMARY KEY,
  BIT INTEGER NOT NULL,
  TEXT_EN TEXT NOT NULL,
  TEXT_RU TEXT NOT NULL,
  TEXT_UK TEXT NOT NULL
);
CREATE TABLE link_firmware_error (
  FIRMWARE_ID INTEGER NOT NULL REFERENCES FIRMWARE (ID),
  ERROR_ID INTEGER NOT NULL REFERENCES error (ID)
);
CREATE TABLE vif (
  ID INTEGER PRIMARY KEY,
  VIF INTEGER NOT NULL,
  VIFE INTEGER,
  QUANTITY TEXT NOT NULL
);
CREATE TABLE link_firmware_vif (
  FIRMWARE_ID INTEGER NOT NULL REFERENCES FIRMWARE (ID),
  VIF_ID INTEGER NOT NULL REFERENCES vif (ID)
);
CREATE TABLE link_firmware_vif_device (
  FIRMWARE_ID INTEGER NOT NULL REFERENCES FIRMWARE (ID),
  VIF_ID INTEGER NOT NULL REFERENCES vif (ID),
  SUBUNIT INTEGER NOT NULL DEFAULT 0
);

-- Manufacturer codes: KRV 2E56, MLD 3584, PTX 4298.
-- Columns after SOFTWARE_VERSION: storage number and depth of the hourly,
-- daily, monthly and yearly archives, of the change, error, settings,
-- settings-change and tariff logs; then SUBUNIT (devices on the pulse inputs)
-- and TARIFF (tariff registers).
INSERT INTO FIRMWARE VALUES
  (1001, '2E56', '3', 4, '2.04',     1, 1440, 2, 62, 3, 36, 4, 10, 5, 100, 6, 100, 7, 20, 8, 50, 0, 0, 2, 1,
   'TV-7 heat', '7f3a91c04be2d5a86e1f0c3b9d24a718'),
  (1002, '2E56', '3', 4, '2.04/V1',  1, 1440, 2, 62, 3, 36, 4, 10, 5, 100, 6, 100, 7, 20, 8, 50, 0, 0, 2, 1,
   'TV-7 heat', '0c5e2b7d91a4f3806d8e1b2c7a9f4e53'),
  (1003, '2E56', '1', 0, '1.00',     0, 0, 2, 62, 3, 36, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1,
   'WS-15 pulse input', '5b1d8e0f2a7c4369b0e3d5f1a8c2e974'),
  (1004, '2E56', '2', 22, '1.12',    0, 0, 2, 62, 3, 36, 4, 10, 0, 0, 6, 50, 0, 0, 0, 0, 9, 12, 0, 2,
   'VS-20', 'e4a27c9b15d083f6a2c5e7b9d1f40368'),
  (1005, '2E56', '5', 7, '1.0',      0, 0, 2, 31, 3, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1,
   'VK-7 water', '93d0b6e2a4f71c58e6b2d9a0c3f57e14'),
  (2001, '3584', '7', 4, '3.1/V2',   1, 720, 2, 60, 3, 24, 4, 5, 5, 50, 6, 50, 0, 0, 0, 0, 0, 0, 2, 1,
   'MH-3 heat', 'a81f6c3e9d0b2574c1e8f3a6d9b05c27'),
  (2002, '3584', '4', 22, '2.0',     0, 0, 2, 60, 3, 24, 0, 0, 0, 0, 6, 50, 0, 0, 0, 0, 0, 0, 0, 1,
   'FC-20 cold', 'c6e3a9f0b2d7148e5a1c0f9b3e6d2a87'),
  (3001, '4298', '1', 4, '4.07',     1, 1440, 2, 90, 3, 36, 4, 10, 5, 200, 6, 200, 7, 50, 8, 100, 0, 0, 0, 1,
   'PT-Heat 100', '2d9f4b7e0a3c6185f2e9d0b4a7c1e638');

INSERT INTO error (ID, BIT, TEXT_EN, TEXT_RU, TEXT_UK) VALUES
  (1, 0, 'Flow sensor fault', 'Неисправность датчика расхода', 'Несправність датчика витрати'),
  (2, 1, 'Supply temperature sensor fault', 'Неисправность датчика температуры подачи', 'Несправність датчика температури подачі'),
  (3, 2, 'Return temperature sensor fault', 'Неисправность датчика температуры обратки', 'Несправність датчика температури зворотного трубопроводу'),
  (4, 3, 'Low battery', 'Низкий заряд батареи', 'Низький заряд батареї'),
  (5, 4, 'Air in the pipe', 'Воздух в трубопроводе', 'Повітря в трубопроводі');
INSERT INTO link_firmware_error (FIRMWARE_ID, ERROR_ID) VALUES
  (1001, 1), (1001, 2), (1001, 3), (1001, 4), (1002, 1), (1002, 2), (1002, 3), (1002, 4),
  (1004, 1), (1004, 4), (2001, 1), (2001, 2), (2001, 3), (3001, 1), (3001, 2), (3001, 3), (3001, 5);

INSERT INTO vif (ID, VIF, VIFE, QUANTITY) VALUES
  (1, 6, NULL, 'Energy, kWh'), (2, 19, NULL, 'Volume, l'), (3, 43, NULL, 'Power, W'),
  (4, 59, NULL, 'Volume flow, l/h'), (5, 91, NULL, 'Supply temperature, °C'),
  (6, 95, NULL, 'Return temperature, °C'), (7, 97, NULL, 'Temperature difference, 10 mK'),
  (8, 109, NULL, 'Date and time');
INSERT INTO link_firmware_vif (FIRMWARE_ID, VIF_ID) VALUES
  (1001, 1), (1001, 2), (1001, 3), (1001, 4), (1001, 5), (1001, 6), (1001, 7), (1001, 8),
  (1004, 2), (1004, 4), (1004, 8), (2001, 1), (2001, 2), (2001, 5), (2001, 6), (3001, 1), (3001, 2);
INSERT INTO link_firmware_vif_device (FIRMWARE_ID, VIF_ID, SUBUNIT) VALUES
  (1001, 2, 1), (1001, 2, 2);
