#pragma once
// The windows of the club's members file: the list of the members
// (TForm100), the add (TForm101) and the correction (TForm102) of a member,
// and the choice of the members file (TForm111).
#include <QDialog>
#include <QList>

#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

// The three edits of a member and their OK; OK closes only when the routine
// accepts the texts.
class MemberEditDialog : public QDialog {
  Q_OBJECT
 public:
  MemberEditDialog(const QString& name, const QString& title, const QString& heading, const QString& note,
                   QWidget* parent);
  QLineEdit* firstNameField;
  QLineEdit* surnameField;
  QLineEdit* numberField;
  QPushButton* okButton;
  QPushButton* cancelButton;
  QLabel* footer;

 protected:
  virtual bool store() = 0;
};

// "Ajouter un joueur à la BD".
class TForm101 : public MemberEditDialog {
  Q_OBJECT
 public:
  explicit TForm101(QWidget* parent = nullptr);

 protected:
  bool store() override;
};

// "Modifier un joueur": member is the entry of the members list.
class TForm102 : public MemberEditDialog {
  Q_OBJECT
 public:
  TForm102(int member, QWidget* parent = nullptr);

 protected:
  bool store() override;

 private:
  int member_;
};

// "Liste des joueurs": one row per member; a title sorts, a row corrects.
class TForm100 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm100(QWidget* parent = nullptr);
  QTableWidget* StringGrid1;
  QPushButton* okButton;
  QPushButton* addButton;
  // The member entry shown on each row, in the order shown.
  QList<int> rows() const { return rows_; }
  void sortByColumn(int column);
  void editRow(int row);  // opens TForm102 for that row

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void fill();
  QList<int> rows_;
};

// "Fichier des membres".
class TForm111 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm111(QWidget* parent = nullptr);
  QPlainTextEdit* Memo1;
  QPushButton* changeFileButton;
  QPushButton* okButton;
  QPushButton* keepButton;
  // The file-open dialog; tests answer it themselves.
  std::function<QString()> browse;
};

void RegisterMemberWindows();
