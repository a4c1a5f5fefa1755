#pragma once
// The body shared by the information and help windows of the pair entries:
// a text, an optional "Ne plus afficher" box, and one button that Enter and
// Esc press.
#include <QDialog>
#include <QString>

#include <functional>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

class HelpDialog : public QDialog {
  Q_OBJECT
 public:
  // hideBox: what ticking (true) and clearing (false) "Ne plus afficher" does;
  // without it the window has no such box.
  HelpDialog(const QString& objectName, const QString& caption, const QString& button,
             std::function<void(bool)> hideBox, QWidget* parent = nullptr);
  void setText(const QString& text);

  QPlainTextEdit* Memo1;
  QCheckBox* CheckBox1 = nullptr;
  QPushButton* Button1;
};

// The caption of the information windows of the pair-names entry.
inline const QString kPairsInfoCaption = QStringLiteral("Info sur l'introduction des noms des paires");
// The help text of the pair-names entry; pairChanges adds the note of the
// pair changes during play.
QString PairsHelpText(bool pairChanges);
