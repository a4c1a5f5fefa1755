#pragma once
// The general options' files of ProgramFolder, named here for whoever reads
// or writes one: a marker whose presence sets its option, or a file holding
// the option's value on its first line.
#include <QString>

inline const QString kVentilationOffFile = QStringLiteral("VENTILNON.TXT");
inline const QString kSheetsByNsFile = QStringLiteral("AFFPARNS.TXT");
inline const QString kMixingFile = QStringLiteral("PANACHEPCKT.TXT");
inline const QString kLineSkipFile = QStringLiteral("SAUTAUTO.TXT");
inline const QString kContractsFile = QStringLiteral("CONTRAT.TXT");
inline const QString kAskLeadFile = QStringLiteral("DemanderEntame.TXT");
inline const QString kTimesTenFile = QStringLiteral("MARQUEX10.TXT");
inline const QString kMitchellTypeFile = QStringLiteral("MITCHELLPAIR.TXT");
inline const QString kByePositionFile = QStringLiteral("choixBYE.TXT");
inline const QString kClubMarkerFile = QStringLiteral("BRALMET.TXT");
inline const QString kMembersLocationFile = QStringLiteral("MembersDAT.TXT");
