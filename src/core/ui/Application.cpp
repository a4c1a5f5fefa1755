#include "core/ui/Application.h"

#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace ui {
namespace {

// The texts of Qt's print dialog and its printer properties that Qt's own
// French catalogue leaves in English. Asked after Qt's catalogue, so a text
// a later catalogue translates keeps Qt's wording.
class PrintDialogFrench : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/, int /*n*/) const override {
    const QLatin1String where(context ? context : "");
    if (!where.startsWith(QLatin1String("QPrint")) && !where.startsWith(QLatin1String("QPageSetup")) &&
        !where.startsWith(QLatin1String("QUnixPrint")) && !where.startsWith(QLatin1String("QCups")))
      return {};
    return texts().value(QString::fromUtf8(sourceText));
  }

 private:
  static const QHash<QString, QString>& texts() {
    static const QHash<QString, QString> french = {
        {QStringLiteral("Printer Properties"), QStringLiteral("Propriétés de l'imprimante")},
        {QStringLiteral("Advanced"), QStringLiteral("Avancé")},
        {QStringLiteral("There are conflicts in some options. Please fix them."),
         QStringLiteral("Certaines options sont incompatibles entre elles : corrigez-les.")},
        {QStringLiteral("Borderless"), QStringLiteral("Sans marges")},
        {QStringLiteral("On"), QStringLiteral("Oui")},
        {QStringLiteral("Off"), QStringLiteral("Non")},
        {QStringLiteral("Double Sided Printing"), QStringLiteral("Impression recto verso")},
        {QStringLiteral("Long side binding"), QStringLiteral("Reliure sur le bord long")},
        {QStringLiteral("Short side binding"), QStringLiteral("Reliure sur le bord court")},
        {QStringLiteral("Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a "
                        "hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9."),
         QStringLiteral("Indiquez des pages ou des suites de pages séparées par des virgules ; une suite s'écrit avec deux "
                        "numéros séparés par un tiret. Par exemple, 3,5-7,9 imprime les pages 3, 5, 6, 7 et 9.")},
        {QStringLiteral("%1 already exists."), QStringLiteral("%1 existe déjà.")},
        {QStringLiteral("Do you want to overwrite it?"), QStringLiteral("Voulez-vous le remplacer ?")},
        {QStringLiteral("%1 is a directory."), QStringLiteral("%1 est un dossier.")},
        {QStringLiteral("Please choose a different file name."), QStringLiteral("Choisissez un autre nom de fichier.")},
        {QStringLiteral("File %1 is not writable."), QStringLiteral("Le fichier %1 ne peut pas être écrit.")},
        {QStringLiteral("Invalid Pages Definition"), QStringLiteral("Pages mal indiquées")},
        {QStringLiteral("%1 does not follow the correct syntax. Please use ',' to separate ranges and pages, '-' to define "
                        "ranges and make sure ranges do not intersect with each other."),
         QStringLiteral("%1 n'est pas écrit comme il faut : séparez les pages et les suites de pages par « , », écrivez une "
                        "suite avec « - » et veillez à ce que les suites ne se chevauchent pas.")},
        {QStringLiteral("Options 'Pages Per Sheet' and 'Page Set' cannot be used together."),
         QStringLiteral("Les options « Pages par feuille » et « Jeu de pages » ne vont pas ensemble.")},
        {QStringLiteral("Please turn one of those options off."), QStringLiteral("Désactivez l'une des deux.")},
        {QStringLiteral("Page Setup Conflicts"), QStringLiteral("Mise en page incompatible")},
        {QStringLiteral("There are conflicts in page setup options. Do you want to fix them?"),
         QStringLiteral("Des options de mise en page sont incompatibles entre elles. Voulez-vous les corriger ?")},
        {QStringLiteral("Advanced Option Conflicts"), QStringLiteral("Options avancées incompatibles")},
        {QStringLiteral("There are conflicts in some advanced options. Do you want to fix them?"),
         QStringLiteral("Des options avancées sont incompatibles entre elles. Voulez-vous les corriger ?")},
        {QStringLiteral("Duplex Settings Conflicts"), QStringLiteral("Recto verso incompatible")},
        {QStringLiteral("There are conflicts in duplex settings. Do you want to fix them?"),
         QStringLiteral("Les réglages du recto verso sont incompatibles. Voulez-vous les corriger ?")},
    };
    return french;
  }
};

}  // namespace

bool InstallFrenchTranslations() {
  static QPointer<QTranslator> installed;
  if (installed) return true;
  // Installed first, asked last: Qt's catalogue answers before it.
  static QPointer<QTranslator> gaps;
  if (!gaps) {
    gaps = new PrintDialogFrench(QCoreApplication::instance());
    QCoreApplication::installTranslator(gaps);
  }
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  installed = translator;
  return true;
}

bool TalvaronApplication::notify(QObject* receiver, QEvent* event) {
  return DeliverGuarded([&] { return QApplication::notify(receiver, event); });
}

}  // namespace ui
