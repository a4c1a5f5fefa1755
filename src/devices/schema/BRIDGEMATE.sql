-- The empty session database "BRIDGEMATE.BWS" that every BridgeMates
-- tournament starts from. The build turns this file into the SQLite template
-- shipped beside the executable.
--
-- Yes/no columns hold 0 or 1. Names that are keywords or hold a slash are
-- quoted, as every statement of the program quotes them.
-- Settings has one row. Its two columns "AllowAdjustedScoreEntry" and
-- "AllowChangeResults" are not here: the creation of a tournament's database
-- adds them when they are missing.

CREATE TABLE "Clients" (
  "Computer" TEXT
);

CREATE TABLE "Session" (
  "ID" INTEGER,
  "Name" TEXT
);

CREATE TABLE "Section" (
  "ID" INTEGER,
  "Letter" TEXT,
  "Tables" INTEGER,
  "EWMoveBeforePlay" INTEGER,
  "MissingPair" INTEGER,
  "Session" INTEGER,
  "ScoringType" INTEGER,
  "Winners" INTEGER
);

CREATE TABLE "Tables" (
  "Section" INTEGER,
  "Table" INTEGER,
  "ComputerID" INTEGER,
  "Status" INTEGER,
  "CurrentBoard" INTEGER,
  "CurrentRound" INTEGER,
  "UpdateFromRound" INTEGER,
  "Group" INTEGER,
  "LogOnOff" INTEGER DEFAULT 0
);

CREATE TABLE "RoundData" (
  "Section" INTEGER,
  "Table" INTEGER,
  "Round" INTEGER,
  "NSPair" INTEGER,
  "EWPair" INTEGER,
  "LowBoard" INTEGER,
  "HighBoard" INTEGER
);

CREATE TABLE "ReceivedData" (
  "Section" INTEGER,
  "Table" INTEGER,
  "Round" INTEGER,
  "Board" INTEGER,
  "PairNS" INTEGER,
  "PairEW" INTEGER,
  "Declarer" INTEGER,
  "NS/EW" TEXT,
  "Contract" TEXT,
  "Result" TEXT,
  "LeadCard" TEXT,
  "Remarks" TEXT,
  "Erased" INTEGER DEFAULT 0,
  "Processed" INTEGER DEFAULT 0,
  "DateLog" TEXT,
  "TimeLog" TEXT
);

CREATE TABLE "IntermediateData" (
  "Section" INTEGER,
  "Table" INTEGER,
  "Round" INTEGER,
  "Board" INTEGER
);

CREATE TABLE "BiddingData" (
  "Section" INTEGER,
  "Table" INTEGER,
  "Round" INTEGER,
  "Board" INTEGER
);

CREATE TABLE "PlayData" (
  "Section" INTEGER,
  "Table" INTEGER,
  "Round" INTEGER,
  "Board" INTEGER
);

CREATE TABLE "HandEvaluation" (
  "Section" INTEGER,
  "Board" INTEGER
);

CREATE TABLE "PlayerNames" (
  "ID" INTEGER,
  "Name" TEXT,
  "strID" TEXT
);

CREATE TABLE "PlayerNumbers" (
  "Section" INTEGER,
  "Table" INTEGER,
  "Direction" TEXT,
  "Number" TEXT,
  "Name" TEXT,
  "Round" INTEGER,
  "Updated" INTEGER DEFAULT 0,
  "Processed" INTEGER DEFAULT 0
);

CREATE TABLE "HandRecord" (
  "Section" INTEGER,
  "Board" INTEGER,
  "NorthSpades" TEXT,
  "NorthHearts" TEXT,
  "NorthDiamonds" TEXT,
  "NorthClubs" TEXT,
  "EastSpades" TEXT,
  "EastHearts" TEXT,
  "EastDiamonds" TEXT,
  "EastClubs" TEXT,
  "SouthSpades" TEXT,
  "SouthHearts" TEXT,
  "SouthDiamonds" TEXT,
  "SouthClubs" TEXT,
  "WestSpades" TEXT,
  "WestHearts" TEXT,
  "WestDiamonds" TEXT,
  "WestClubs" TEXT
);

CREATE TABLE "Settings" (
  "MemberNumbersNoBlankEntry" INTEGER DEFAULT 0,
  "MemberNumbers" INTEGER DEFAULT 0,
  "BM2NameSource" INTEGER DEFAULT 0,
  "BM2EnterHandRecord" INTEGER DEFAULT 0,
  "BM2EnterHandRecordWhen" INTEGER DEFAULT 0,
  "LeadCard" INTEGER DEFAULT 0,
  "BM2ValidateLeadCard" INTEGER DEFAULT 0,
  "BM2ShowPlayerNames" INTEGER DEFAULT 0,
  "BM2PINCode" TEXT DEFAULT '',
  "HandRecordValidation" INTEGER DEFAULT 0,
  "BM2ValidateRecording" INTEGER DEFAULT 0
);

INSERT INTO "Settings" DEFAULT VALUES;
