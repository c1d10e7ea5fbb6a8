-- Retail bills with their payments, and the medical-insurance settlement records behind them.

CREATE TABLE atype (
    rec      INTEGER PRIMARY KEY,
    typeid   TEXT NOT NULL UNIQUE,
    usercode TEXT NOT NULL DEFAULT '',
    fullname TEXT NOT NULL DEFAULT ''
);

-- billtype 151: retail sale. SS_ID points to the settlement record (0 when not settled).
CREATE TABLE RetailBillIndex (
    BillID   INTEGER PRIMARY KEY,
    billcode TEXT NOT NULL UNIQUE,
    billtype INTEGER NOT NULL DEFAULT 151,
    billdate DATETIME NOT NULL,
    erec     INTEGER REFERENCES etype (rec),
    krec     INTEGER REFERENCES ktype (rec),
    Total    REAL NOT NULL DEFAULT 0,
    SS_ID    INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX RetailBillIndex_SS_ID ON RetailBillIndex (SS_ID);

CREATE TABLE RetailPayInfo (
    id     INTEGER PRIMARY KEY,
    Billid INTEGER NOT NULL REFERENCES RetailBillIndex (BillID) ON DELETE CASCADE,
    Arec   INTEGER NOT NULL REFERENCES atype (rec),
    Total  REAL NOT NULL DEFAULT 0
);
CREATE INDEX RetailPayInfo_Billid ON RetailPayInfo (Billid);

CREATE TABLE YBSettlelist_CQ (
    ID        INTEGER PRIMARY KEY,
    jzlsh     TEXT NOT NULL DEFAULT '',
    LoginNO   TEXT NOT NULL DEFAULT '',
    LoginType INTEGER NOT NULL DEFAULT 0,
    PosCode   TEXT NOT NULL DEFAULT '',
    FeeDate   TEXT NOT NULL DEFAULT '',
    SettleNo  TEXT NOT NULL DEFAULT '',
    EName     TEXT NOT NULL DEFAULT '',
    CardNo    TEXT NOT NULL DEFAULT '',
    CardName  TEXT NOT NULL DEFAULT '',
    Total     REAL NOT NULL DEFAULT 0,
    TCZF      REAL NOT NULL DEFAULT 0,
    ZHZF      REAL NOT NULL DEFAULT 0,
    GWYBZ     REAL NOT NULL DEFAULT 0,
    XJZF      REAL NOT NULL DEFAULT 0,
    DELPJE    REAL NOT NULL DEFAULT 0,
    LSQFFH    REAL NOT NULL DEFAULT 0,
    Bala      REAL NOT NULL DEFAULT 0,
    YLDZ      REAL NOT NULL DEFAULT 0,
    MZJZ      REAL NOT NULL DEFAULT 0,
    MZYE      REAL NOT NULL DEFAULT 0,
    LDYZF     REAL NOT NULL DEFAULT 0,
    YBZF      REAL NOT NULL DEFAULT 0,
    SHZF      REAL NOT NULL DEFAULT 0,
    BNTCLJ    REAL NOT NULL DEFAULT 0,
    BNDELJ    REAL NOT NULL DEFAULT 0,
    TBQFX     REAL NOT NULL DEFAULT 0,
    NDLJ      REAL NOT NULL DEFAULT 0,
    BJMZLJ    REAL NOT NULL DEFAULT 0,
    JsDate    TEXT NOT NULL DEFAULT '',
    BCZFQX    REAL NOT NULL DEFAULT 0,
    BCFHYBJE  REAL NOT NULL DEFAULT 0,
    Deleted   INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX YBSettlelist_CQ_SettleNo ON YBSettlelist_CQ (SettleNo);

-- Reversals of settled retail sales; one per settlement.
CREATE TABLE YBRebackRetail_CQ (
    ID         INTEGER PRIMARY KEY,
    BillID     INTEGER NOT NULL REFERENCES RetailBillIndex (BillID),
    SS_ID      INTEGER NOT NULL UNIQUE REFERENCES YBSettlelist_CQ (ID),
    RebackDate DATETIME NOT NULL
);

-- The visit serial numbers drawn so far: day (YYYYMMDD) and running number within the day.
CREATE TABLE YBLSNo_CQ (
    LSDay  TEXT NOT NULL,
    Seq    INTEGER NOT NULL,
    YbLSNo TEXT NOT NULL UNIQUE,
    PRIMARY KEY (LSDay, Seq)
);
