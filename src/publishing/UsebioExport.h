#pragma once
// The results as a USEBIO 1.2 XML file for the BridgeWebs results service,
// written in UTF-8 into DataFolder + "DossierBridgeWebs/" and handed, when
// the director agrees, to the upload program "Webrellic.EXE".
#include "core/Globals.h"

#include <QString>
#include <QStringList>

// XmlFileName and XmlLines: core/Globals.h.

// The export, called by the BridgeWebs functions and at the end of a
// cumulative tournament: pair-name files, then WriteXmlExport. It stops with
// its message on a refused replacement or a missing ".ADJ"; write failures
// raise IoError.
void ExportBridgeWebsXml();
void WriteXmlExport();
// OneWinnerMitchell from "ChoixMitchell.TXT" ("1" merged), else asked in
// "Affichage" (TForm79), whose choice may be saved in that file. An
// unreadable file counts as an absent one.
void ChooseMitchellDisplay();
// The whole list, each line followed by CR LF, in UTF-8, replacing the file.
void WriteLinesToFile(const QString& fileName, const QStringList& lines);
// "2024Mar05.XML" ("2024Mar05C.XML" for a cumulative tournament).
QString XmlExportFileName();
// Asks in "Avertissement" (TForm78) whether a tournament already saved at
// this date, in the files named by `files`, is to be replaced; on "Annuler"
// (or no answer) says "Exportation arrêtée..." and returns false.
bool ConfirmReplaceExport(const QString& files);

// The licence number of the player of this name in the player list; 0 when
// not found or (with a message naming the player) not a number.
int PlayerLicenceNumber(const QString& name);

// A result's texts for a traveller line.
QString XmlContract(const QString& contract);  // "4H*", "3NT**", "PASS", "" for a typed number
QString XmlDeclarer(int slot);                 // "N", "E", "S", "W" or ""
QString XmlLead(const QString& lead);          // "TS", "QH", "" when unknown
QString XmlTricks(const QString& contract);    // "10", "0"; "1000": no TRICKS element
// "A" and the two rounded percentages of the slot's adjustment ("A5648"),
// "?" when ".ADJ" holds none.
QString AdjustmentScoreText(int slot);
