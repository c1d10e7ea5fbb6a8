-- Manufacturer invoices, their pictures, the links of purchased batches to invoices, and what the
-- picture printing records. Picture bytes live in the host's picture store under (ord, imgname).

CREATE TABLE TK_Voice (
    voiceid   INTEGER PRIMARY KEY,
    VoiceCode TEXT NOT NULL UNIQUE,
    VoiceDate DATETIME NOT NULL,
    brec      INTEGER NOT NULL REFERENCES btype (rec),
    bfullname TEXT NOT NULL DEFAULT ''
);
CREATE INDEX TK_Voice_date ON TK_Voice (VoiceDate);

CREATE TABLE TK_Image (
    ImageId INTEGER PRIMARY KEY,
    ord     INTEGER NOT NULL,
    imgname TEXT NOT NULL,
    UNIQUE (ord, imgname)
);

-- Membership of a picture in an invoice's pool; deleted = 1 takes it out of the pool.
CREATE TABLE TK_VoiceImage (
    id        INTEGER PRIMARY KEY,
    voiceid   INTEGER NOT NULL REFERENCES TK_Voice (voiceid) ON DELETE CASCADE,
    ImageId   INTEGER NOT NULL REFERENCES TK_Image (ImageId) ON DELETE CASCADE,
    ImageName TEXT NOT NULL DEFAULT '',
    deleted   INTEGER NOT NULL DEFAULT 0 CHECK (deleted IN (0, 1)),
    UNIQUE (voiceid, ImageId)
);
CREATE INDEX TK_VoiceImage_image ON TK_VoiceImage (ImageId);

-- One link per purchased item (detail row); a whole-bill link is kept as one link per detail row.
CREATE TABLE TK_JobLink (
    id      INTEGER PRIMARY KEY,
    voiceid INTEGER NOT NULL REFERENCES TK_Voice (voiceid) ON DELETE CASCADE,
    billid  INTEGER NOT NULL REFERENCES BillIndex (billid) ON DELETE CASCADE,
    buyid   INTEGER NOT NULL REFERENCES BuyBill (buyid) ON DELETE CASCADE
);
CREATE INDEX TK_JobLink_billid ON TK_JobLink (billid);
CREATE INDEX TK_JobLink_buyid ON TK_JobLink (buyid);
CREATE INDEX TK_JobLink_voiceid ON TK_JobLink (voiceid);

CREATE TABLE TK_JobLinkImage (
    linkid  INTEGER NOT NULL REFERENCES TK_JobLink (id) ON DELETE CASCADE,
    ImageId INTEGER NOT NULL REFERENCES TK_Image (ImageId) ON DELETE CASCADE,
    PRIMARY KEY (linkid, ImageId)
);
CREATE INDEX TK_JobLinkImage_image ON TK_JobLinkImage (ImageId);

-- The pictures chosen for one save, under the save's key, while its links are written.
CREATE TABLE t_tempVoiceLink (
    uid     TEXT NOT NULL,
    imageid INTEGER NOT NULL
);
CREATE INDEX t_tempVoiceLink_uid ON t_tempVoiceLink (uid);

-- Pictures printed for a supplier on a day (printdate is a whole day).
CREATE TABLE TK_BillPrintImage (
    brec      INTEGER NOT NULL,
    printdate DATETIME NOT NULL,
    imageid   INTEGER NOT NULL,
    PRIMARY KEY (brec, printdate, imageid)
);

-- How often the pictures of a bill were printed.
CREATE TABLE TK_BillPrintTimes (
    uniquebillid TEXT PRIMARY KEY,
    printtimes   INTEGER NOT NULL DEFAULT 0
);
