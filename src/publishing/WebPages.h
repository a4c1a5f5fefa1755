#pragma once
// The results as a static web page: "R<key>.html" with its data file
// "D<key>.txt" (pairs, ranking, travellers as BE.* assignments) and its hands
// file "H<key>.txt", written in UTF-8 into DataFolder + "DossierWEB/" beside
// the support files copied from the program folder. The key is the start's
// yyyymmddhh.
#include "core/Globals.h"

#include <QString>

// What "Arbitre" (TForm77) shows: the director and the scorer, and after it
// what the director left in its fields (Form77Fields, core/Globals.h). Its
// answer is the item chosen in its radio group + 1 (1 merged, 2 separate N/S
// and E/W rankings).

// The menu's "Sauver les résultats en format WEB": the pair-name files for
// the tablets, then WriteWebPages.
void SaveResultsForWeb();
// The whole export; stops with its message on a missing support file, a
// refused replacement or a missing ".ADJ". Write failures raise IoError.
void WriteWebPages();
// "D<key>.txt" and "H<key>.txt" into folder (ending with "/").
void WriteWebData(const QString& folder, const QString& key);
void WriteWebHands(const QString& folder, const QString& key);
// The contract of a slot as the page shows it: "4Sx-2EHX", "PASS", "*420*".
QString WebContractText(int slot);
// The key of the web files: yyyymmddhh of the start.
QString WebKey();
// The text of "R<key>.html".
QString WebPageText(const QString& key);
