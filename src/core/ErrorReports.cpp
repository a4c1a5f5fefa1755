#include "core/ErrorReports.h"

#include "core/Fatal.h"
#include "core/Interaction.h"
#include "platform/TextFiles.h"

#include <cerrno>

namespace {

bool isLocked(int code) { return code == EBUSY || code == ETXTBSY || code == EAGAIN; }

}  // namespace

QString EscapedErrorMessage(const std::exception& error) {
  const auto* io = dynamic_cast<const platform::IoError*>(&error);
  if (!io) return QString::fromUtf8(error.what());
  const QString file = io->fileName().isEmpty() ? QStringLiteral("<inconnu>") : io->fileName();
  const int code = io->code();
  if (io->fault() == platform::FileFault::NotOpen)
    return QStringLiteral("Erreur 103 : fichier non ouvert pour I/O\r\nFichier : ") + file + QStringLiteral("\r\nMessage : ") +
           io->message();
  if (io->fault() == platform::FileFault::BadNumber)
    return QStringLiteral("Erreur 106 : valeur numérique incorrecte dans un fichier.\r\nFichier : ") + file +
           QStringLiteral("\r\nCause probable : une ligne vide, du texte, ou une virgule/point incorrect là où Talvaron "
                          "attend un nombre.\r\nMessage : ") +
           io->message();
  if (!io->fault() && isLocked(code))
    return QStringLiteral("Le fichier \"") + file + QStringLiteral("\" est verrouillé. L'opération n'a pas été faite.");
  if (!io->fault() && code == EEXIST)
    return QStringLiteral("Le fichier \"") + file + QStringLiteral("\" existe déjà. L'opération n'a pas été faite.");
  return QStringLiteral("Erreur I/O n°%1\r\nFichier : ").arg(code) + file + QStringLiteral("\r\nMessage : ") + io->message();
}

void RunReported(const std::function<void()>& step) {
  try {
    step();
  } catch (...) {
    ReportEscapedError(std::current_exception());
  }
}

void ReportEscapedError(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const FatalStopError&) {
    throw;
  } catch (const std::exception& e) {
    ui::interaction().showSystemMessage(EscapedErrorMessage(e));
  } catch (...) {
    ui::interaction().showSystemMessage(QStringLiteral("Erreur inconnue. L'opération n'a pas été faite."));
  }
}
