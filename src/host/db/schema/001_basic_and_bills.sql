-- Basic records (suppliers, products, employees, stores) and purchase bills with their detail rows.
-- Dates are OLE automation dates stored as REAL day numbers (declared DATETIME so that result sets
-- hand them out as date fields); a bill date may carry a time of day.

CREATE TABLE btype (
    rec      INTEGER PRIMARY KEY,
    typeid   TEXT NOT NULL UNIQUE,
    usercode TEXT NOT NULL DEFAULT '',
    fullname TEXT NOT NULL DEFAULT ''
);
CREATE INDEX btype_usercode ON btype (usercode);
CREATE INDEX btype_fullname ON btype (fullname);

CREATE TABLE ptype (
    rec      INTEGER PRIMARY KEY,
    typeid   TEXT NOT NULL UNIQUE,
    usercode TEXT NOT NULL DEFAULT '',
    fullname TEXT NOT NULL DEFAULT '',
    standard TEXT NOT NULL DEFAULT '',
    type     TEXT NOT NULL DEFAULT '',
    Area     TEXT NOT NULL DEFAULT '',
    Unit1    TEXT NOT NULL DEFAULT '',
    Unit2    TEXT NOT NULL DEFAULT '',
    Unit3    TEXT NOT NULL DEFAULT '',
    TinyUnit TEXT NOT NULL DEFAULT '',
    ss_dm    TEXT NOT NULL DEFAULT ''
);
CREATE INDEX ptype_usercode ON ptype (usercode);
CREATE INDEX ptype_fullname ON ptype (fullname);

CREATE TABLE etype (
    rec      INTEGER PRIMARY KEY,
    typeid   TEXT NOT NULL UNIQUE,
    usercode TEXT NOT NULL DEFAULT '',
    fullname TEXT NOT NULL DEFAULT ''
);
CREATE INDEX etype_usercode ON etype (usercode);
CREATE INDEX etype_fullname ON etype (fullname);

CREATE TABLE ktype (
    rec      INTEGER PRIMARY KEY,
    typeid   TEXT NOT NULL UNIQUE,
    usercode TEXT NOT NULL DEFAULT '',
    fullname TEXT NOT NULL DEFAULT ''
);
CREATE INDEX ktype_usercode ON ktype (usercode);
CREATE INDEX ktype_fullname ON ktype (fullname);

CREATE TABLE BillType (
    billtype INTEGER PRIMARY KEY,
    billname TEXT NOT NULL
);
INSERT INTO BillType (billtype, billname) VALUES (34, '进货单');

-- billstatus: 1 posted (已过账), 2 audited (已审核), 3 not audited (未审核).
CREATE TABLE BillIndex (
    billid       INTEGER PRIMARY KEY,
    billtype     INTEGER NOT NULL REFERENCES BillType (billtype),
    billcode     TEXT NOT NULL,
    billdate     DATETIME NOT NULL,
    brec         INTEGER NOT NULL REFERENCES btype (rec),
    erec         INTEGER REFERENCES etype (rec),
    billerec     INTEGER REFERENCES etype (rec),
    krec         INTEGER REFERENCES ktype (rec),
    totalqty     REAL NOT NULL DEFAULT 0,
    totalmoney   REAL NOT NULL DEFAULT 0,
    explain      TEXT NOT NULL DEFAULT '',
    comment      TEXT NOT NULL DEFAULT '',
    sendway      TEXT NOT NULL DEFAULT '',
    billstatus   INTEGER NOT NULL DEFAULT 3 CHECK (billstatus IN (1, 2, 3)),
    uniquebillid TEXT NOT NULL UNIQUE
);
CREATE INDEX BillIndex_type_date ON BillIndex (billtype, billdate);
CREATE INDEX BillIndex_brec ON BillIndex (brec);

CREATE TABLE BuyBill (
    buyid          INTEGER PRIMARY KEY,
    billid         INTEGER NOT NULL REFERENCES BillIndex (billid) ON DELETE CASCADE,
    prec           INTEGER NOT NULL REFERENCES ptype (rec),
    krec           INTEGER REFERENCES ktype (rec),
    jobnumber      TEXT NOT NULL DEFAULT '',
    OutFactoryDate DATETIME,
    ValidityPeriod DATETIME,
    qty            REAL NOT NULL DEFAULT 0,
    taxprice       REAL NOT NULL DEFAULT 0,
    taxtotal       REAL NOT NULL DEFAULT 0,
    comment        TEXT NOT NULL DEFAULT ''
);
CREATE INDEX BuyBill_billid ON BuyBill (billid);
CREATE INDEX BuyBill_prec ON BuyBill (prec);
