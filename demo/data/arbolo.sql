-- The demonstration table ARBOLO: the organisation of Halvard & Pike Instruments,
-- a fictional maker of measuring instruments. The build turns this script into
-- ARBOLO.DB beside the demonstration program.
--
-- Layout: ID key (assigned on insert), PARENT the ID of the parent record (NULL at
-- the top), NAME caption, CDATE and CBY creation date and author, WIDTH and HEIGHT
-- in pixels (values up to 50 leave the chart's default size), TYPE shape (0
-- rectangle, 1 round rectangle, 2 ellipse, 3 diamond), COLOR as 0x00BBGGRR, IMAGE
-- picture number (1 to 10, -1 none), IMAGEALIGN image place (0 to 12), ORDER place
-- among siblings, ALIGN of the children (0 left, 1 centre, 2 right).
--
-- Colours used: 16777215 white, 16770508 light blue, 13434828 light green,
-- 13434879 light yellow, 15060223 pink, 16764133 lavender, 13428223 peach,
-- 15132390 light grey.

CREATE TABLE ARBOLO (
  ID         INTEGER PRIMARY KEY AUTOINCREMENT,
  PARENT     INTEGER,
  NAME       VARCHAR(100),
  CDATE      DATE,
  CBY        VARCHAR(100),
  WIDTH      INTEGER,
  HEIGHT     INTEGER,
  TYPE       INTEGER,
  COLOR      INTEGER,
  IMAGE      INTEGER,
  IMAGEALIGN INTEGER,
  "ORDER"    INTEGER,
  ALIGN      INTEGER
);

BEGIN;
--                                                                                     WIDTH HEIGHT TYPE COLOR   IMAGE IALIGN ORDER ALIGN
-- Level 1: the board, and the advisory council beside it.
INSERT INTO ARBOLO VALUES (  1, NULL, 'Board of Directors',           '2019-03-04', 'Ingrid Halvard',  140,  80, 1, 16764133,  9,  1, 0, 1);
INSERT INTO ARBOLO VALUES (  2, NULL, 'Advisory Council',             '2020-01-15', 'Ingrid Halvard',  130,  70, 2, 15132390,  7,  0, 1, 1);

-- Level 2: the chief executive and the company secretary under the board;
-- two advisors under the council.
INSERT INTO ARBOLO VALUES (  3,    1, 'Chief Executive Officer',      '2019-03-04', 'Ingrid Halvard',  140,  80, 0, 16770508,  4,  5, 0, 1);
INSERT INTO ARBOLO VALUES (  4,    1, 'Company Secretary',            '2019-04-11', 'Ingrid Halvard',   40,  40, 0, 16777215, -1,  1, 1, 1);
INSERT INTO ARBOLO VALUES (  5,    2, 'Technical Advisor',            '2020-01-15', 'Tomas Pike',      150,  70, 2, 15132390, 10,  7, 0, 1);
INSERT INTO ARBOLO VALUES (  6,    2, 'Financial Advisor',            '2020-02-02', 'Tomas Pike',      150,  70, 2, 15132390,  6,  7, 1, 1);

-- Level 3: the departments under the chief executive.
INSERT INTO ARBOLO VALUES (  7,    3, 'Research and Development',     '2019-05-20', 'Tomas Pike',      160,  80, 1, 13434828,  1,  1, 0, 1);
INSERT INTO ARBOLO VALUES (  8,    3, 'Manufacturing',                '2019-05-20', 'Tomas Pike',      150,  80, 1, 13434879,  5,  1, 1, 0);
INSERT INTO ARBOLO VALUES (  9,    3, 'Sales and Marketing',          '2019-06-03', 'Tomas Pike',      150,  80, 1, 15060223,  7,  1, 2, 1);
INSERT INTO ARBOLO VALUES ( 10,    3, 'Finance and Administration',   '2019-06-03', 'Tomas Pike',      170,  80, 1, 13428223,  6,  1, 3, 2);

-- Level 4: teams.
INSERT INTO ARBOLO VALUES ( 11,    7, 'Sensor Design',                '2019-07-01', 'Marta Olsen',     110,  70, 0, 13434828,  2,  2, 0, 1);
INSERT INTO ARBOLO VALUES ( 12,    7, 'Firmware',                     '2019-07-01', 'Marta Olsen',     110,  70, 0, 13434828, 10,  2, 1, 1);
INSERT INTO ARBOLO VALUES ( 13,    7, 'Prototype Workshop',           '2019-09-12', 'Marta Olsen',     160,  90, 3, 16777215, -1,  0, 2, 1);
INSERT INTO ARBOLO VALUES ( 15,    8, 'Assembly Line A',              '2019-08-05', 'Jonas Brekke',    110,  70, 0, 13434879,  5,  4, 0, 1);
INSERT INTO ARBOLO VALUES ( 16,    8, 'Assembly Line B',              '2019-08-05', 'Jonas Brekke',    110,  70, 0, 13434879,  5,  4, 1, 1);
INSERT INTO ARBOLO VALUES ( 17,    8, 'Purchasing',                   '2019-08-19', 'Jonas Brekke',    130,  70, 1, 16777215,  6,  3, 2, 1);
INSERT INTO ARBOLO VALUES ( 18,    8, 'Logistics',                    '2019-10-01', 'Jonas Brekke',    110,  70, 0, 16777215,  8, 12, 3, 1);
INSERT INTO ARBOLO VALUES ( 19,    9, 'Domestic Sales',               '2019-06-17', 'Priya Raman',     110,  70, 0, 15060223,  7,  6, 0, 1);
INSERT INTO ARBOLO VALUES ( 20,    9, 'Export Sales',                 '2019-06-17', 'Priya Raman',     110,  70, 0, 15060223,  8,  6, 1, 1);
INSERT INTO ARBOLO VALUES ( 21,    9, 'Marketing',                    '2019-11-04', 'Priya Raman',     140,  70, 2, 16777215,  4,  0, 2, 1);
INSERT INTO ARBOLO VALUES ( 22,    9, 'Customer Support',             '2020-03-09', 'Priya Raman',     140,  90, 1, 16770508, 10, 10, 3, 1);
INSERT INTO ARBOLO VALUES ( 23,   10, 'Accounting',                   '2019-06-24', 'Lena Vos',        120,  70, 0, 13428223,  6,  1, 0, 1);
INSERT INTO ARBOLO VALUES ( 24,   10, 'Human Resources',              '2019-06-24', 'Lena Vos',        130,  70, 1, 13428223,  7,  1, 1, 1);
INSERT INTO ARBOLO VALUES ( 25,   10, 'IT Services',                  '2019-12-02', 'Lena Vos',         35,  45, 0, 15132390,  2,  8, 2, 1);
INSERT INTO ARBOLO VALUES ( 26,   10, 'Legal',                        '2020-05-18', 'Lena Vos',        110,  70, 3, 16764133, -1,  0, 3, 1);

-- Level 4, later additions to sales: regional desks.
INSERT INTO ARBOLO VALUES (27,  9, 'Nordic Desk',                 '2020-08-10', 'Priya Raman',      80,  60, 0, 16777215, -1,  0, 4, 1);
INSERT INTO ARBOLO VALUES (28,  9, 'Asia-Pacific Desk',           '2020-08-10', 'Priya Raman',      80,  60, 0, 16777215, -1,  0, 5, 1);
INSERT INTO ARBOLO VALUES (29,  9, 'Americas Desk',               '2021-01-11', 'Priya Raman',      80,  60, 0, 16777215, -1,  0, 6, 1);

-- Quality Assurance was set up later and took over the test laboratory, so the
-- laboratory's record comes before its parent's in key order.
INSERT INTO ARBOLO VALUES ( 30,    3, 'Quality Assurance',            '2021-04-06', 'Tomas Pike',      150,  80, 1, 13434828,  3, 11, 4, 1);
INSERT INTO ARBOLO VALUES ( 14,   30, 'Test Laboratory',              '2019-09-12', 'Marta Olsen',     160,  80, 2, 16777215,  1,  9, 0, 1);
INSERT INTO ARBOLO VALUES ( 31,   30, 'Calibration',                  '2021-05-03', 'Tomas Pike',      130,  70, 0, 16777215, 10,  1, 1, 1);
COMMIT;
