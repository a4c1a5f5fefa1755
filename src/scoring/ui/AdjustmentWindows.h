#pragma once
// The windows of the adjustments and penalties: the "Ajustements" menu
// TForm31, the pair choice TForm32, the listing TForm33, the deletion
// question TForm34, the penalty kinds TForm36 (matchpoints) and TForm37
// (IMPs), the adjustment of one result TForm76 and its BridgeMates form
// TForm89.
#include "scoring/ui/ChoiceDialog.h"

#include <QDialog>

#include <optional>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// "Ajustements": buttons whose codes are listed in extra "disabledCodes" are
// disabled.
class TForm31 : public scoring_ui::ChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm31(QWidget* parent = nullptr);

 protected:
  void prepare(const ui::Choice& choice) override;
};

// "Question": "On efface?".
class TForm34 : public scoring_ui::ChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm34(QWidget* parent = nullptr);
};

// "Pénalités" in matchpoint scoring.
class TForm36 : public scoring_ui::ChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm36(QWidget* parent = nullptr);
};

// "Pénalités" in IMP scoring.
class TForm37 : public scoring_ui::ChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm37(QWidget* parent = nullptr);
};

// "Choix": a pair number and its direction. ask() gives the number typed, a
// tab and "N/S" or "E/W"; nothing for Esc.
class TForm32 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm32(QWidget* parent = nullptr);
  std::optional<QString> ask();

  QLineEdit* Edit1;
  QRadioButton* RadioNs;
  QRadioButton* RadioEw;
  QPushButton* Button1;
};

// "Ajustements": the listing in a memo.
class TForm33 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm33(QWidget* parent = nullptr);
  void setText(const QString& text);

  QPlainTextEdit* Memo1;
  QPushButton* Button1;
};

// "Ajustements des fréquences": the list of usual percentages and the free
// N/S and E/W fields. ask() gives the line chosen (1 to 5; 6 for "Pas
// d'ajustement", the button, Esc and the close box), the N/S field and the
// E/W field separated by tabs, however the window was left; Enter in a free
// field closes it with the line selected, if any.
class TForm76 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm76(QWidget* parent = nullptr, bool freeFields = true);
  std::optional<QString> ask(const QString& info);

  QLabel* LabelInfo;
  QListWidget* ListBox1;
  QLineEdit* EditNs;
  QLineEdit* EditEw;
  QPushButton* Button1;

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  static constexpr int kNoAdjustmentLine = 6;
  void choose(int row);
  int chosen_ = 0;
};

// "Ajustements pour BridgeMates": the same list, without free values.
class TForm89 : public TForm76 {
  Q_OBJECT
 public:
  explicit TForm89(QWidget* parent = nullptr);
};
