#include "scoring/ui/TravellerEntryWindow.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/OptionFiles.h"
#include "core/ui/WindowStyle.h"
#include "platform/TextFiles.h"
#include "scoring/ui/SheetGrids.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QStringList kHeads = {QStringLiteral("N/S"), QStringLiteral("E/W"), QStringLiteral("Rés."),
                            QStringLiteral("Pts N/S"), QStringLiteral("Pts E/W"), QStringLiteral("Entame")};
constexpr int kMaxRowsShown = 21;

}  // namespace

TForm56::TForm56(QWidget* parent) : SheetEntryWindowOf(parent) {
  setObjectName(forms::TravellerEntry);
  setWindowTitle(QStringLiteral("Introduction/Visualisation des feuilles de marque"));
  setFocusPolicy(Qt::StrongFocus);

  LabelBoard = new QLabel(this);
  LabelBoard->setObjectName(QStringLiteral("LabelBoard"));
  LabelBoard->installEventFilter(this);
  LabelVulnerability = new QLabel(this);
  LabelVulnerability->setObjectName(QStringLiteral("LabelVulnerability"));
  QFont big = LabelBoard->font();
  big.setBold(true);
  big.setPointSize(big.pointSize() + 3);
  LabelBoard->setFont(big);
  LabelVulnerability->setFont(big);

  t = ui::MakeSheetGrid(this, QStringLiteral("t"), ScoreSheet::kColumns);
  for (int c = 0; c < ScoreSheet::kColumns; ++c) t->setColumnWidth(c, c == 2 ? 90 : 72);

  LabelStatus = new QLabel(this);
  LabelStatus->setObjectName(QStringLiteral("LabelStatus"));
  makeEntryField(t->viewport(), LabelStatus);
  LabelSettled = new QLabel(this);
  LabelSettled->setObjectName(QStringLiteral("LabelSettled"));
  LabelSettled->setWordWrap(true);

  CheckBox1 = new QCheckBox(QStringLiteral("Demander l'entame"), this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  CheckBox1->setFocusPolicy(Qt::NoFocus);
  connect(CheckBox1, &QCheckBox::clicked, this, [this](bool on) {
    sheet_.setAskLead(on);
    refresh();
  });

  auto* options = new QGroupBox(QStringLiteral("Options actuelles"), this);
  auto* optionsLayout = new QGridLayout(options);
  const QStringList& optionNames = ui::SheetOptionNames();
  for (int i = 0; i < optionNames.size(); ++i) {
    QLabel* name = ui::MakeOptionLabel(options, this, i, QStringLiteral("F%1  ").arg(i + 1) + optionNames[i]);
    optionsLayout->addWidget(name, i, 0);
    optionsLayout->addWidget(addOptionLabel(options, i), i, 1);
  }
  auto* keys = new QLabel(QStringLiteral("Flèches = donne / ligne    ENTER = ligne suivante    ESC = fin\n"
                                         "S, Suppr = supprimer    X = toute la donne    Y, * = inverser\n"
                                         "P = passe    M, N = moyenne    A = ajusté    Espace = même résultat"),
                          this);

  auto* header = new QHBoxLayout;
  header->addWidget(LabelBoard);
  header->addStretch();
  header->addWidget(LabelVulnerability);
  auto* right = new QVBoxLayout;
  right->addWidget(options);
  right->addWidget(CheckBox1);
  right->addWidget(keys);
  right->addStretch();
  auto* left = new QVBoxLayout;
  left->addWidget(t);
  left->addWidget(LabelStatus);
  left->addWidget(LabelSettled);
  left->addStretch();
  auto* body = new QHBoxLayout;
  body->addLayout(left);
  body->addLayout(right);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(header);
  layout->addLayout(body);
  refresh();
  ui::StyleWindow(this);
}

void TForm56::sizeGrid() {
  const int rows = sheet_.lineCount() + 1;
  if (t->rowCount() != rows) t->setRowCount(rows);
  const int shown = std::min(rows, kMaxRowsShown);
  const int rowHeight = t->verticalHeader()->defaultSectionSize();
  t->setFixedHeight(rowHeight * shown + (shown - 1) + 5);
  int width = 4;
  for (int c = 0; c < ScoreSheet::kColumns; ++c) width += t->columnWidth(c);
  t->setFixedWidth(width + (rows > shown ? t->verticalScrollBar()->sizeHint().width() : 0));
  sheet_.setPageSize(shown - 2);
}

void TForm56::refresh() {
  sizeGrid();
  LabelBoard->setText(sheet_.boardLabel());
  LabelVulnerability->setText(sheet_.vulnerabilityLabel());
  ui::FillSheetGrid(t, kHeads, sheet_.lineCount(), sheet_.currentLine(),
                    [this](int line) { return sheet_.cells(line); });
  ui::MarkSettledLines(t, sheet_.lineCount(), 2, LabelSettled, [this](int line) { return sheet_.settled(line); });
  if (sheet_.lineCount() > 0) t->scrollToItem(t->item(sheet_.currentLine(), 0));
  CheckBox1->setChecked(AskOpeningLead);
  CheckBox1->setEnabled(EntryByContracts);
  showOptions(sheet_.optionTexts(), sheet_.status());
}

void TForm56::showEvent(QShowEvent* event) {
  SheetEntryWindow::showEvent(event);
  ui::CentreOnScreen(this);
}

void TForm56::openFieldAt(EntryColumn column, const QString& text) {
  column_ = column;
  const int c = column == EntryColumn::Result ? 2 : (column == EntryColumn::NsPoints ? 3 : 4);
  QRect r = t->visualItemRect(t->item(sheet_.currentLine(), c));
  r.setWidth(column == EntryColumn::Result ? 80 : 70);
  Edit1->setGeometry(r);
  openField(text);
}

void TForm56::sheetKey(SheetKey key, const QString& text) {
  switch (key) {
    case SheetKey::NextBoard: sheet_.nextBoard(); break;
    case SheetKey::PreviousBoard: sheet_.previousBoard(); break;
    case SheetKey::Down: sheet_.down(); break;
    case SheetKey::Up: sheet_.up(); break;
    case SheetKey::PageDown: sheet_.pageDown(); break;
    case SheetKey::PageUp: sheet_.pageUp(); break;
    case SheetKey::Enter: sheet_.enter(); break;
    case SheetKey::Close:  // closing saves the results files
      reject();
      return;
    case SheetKey::Delete: sheet_.deleteCurrent(); break;
    case SheetKey::ClearBoard: sheet_.clearBoard(); break;
    case SheetKey::Average:
    case SheetKey::PassedOut:
    case SheetKey::Adjusted:
    case SheetKey::Repeat:
    case SheetKey::Character: {
      if (!sheet_.readyForResult(key)) break;
      if (key == SheetKey::Average) sheet_.storeAverage();
      if (key == SheetKey::PassedOut) sheet_.storePassedOut();
      if (key == SheetKey::Adjusted) sheet_.storeAdjusted();
      if (key == SheetKey::Repeat) sheet_.storeRepeat();
      if (key == SheetKey::Character) {
        QString fieldText;
        const EntryColumn column = sheet_.beginTyping(text.at(0), fieldText);
        if (column != EntryColumn::None) {
          refresh();
          openFieldAt(column, fieldText);
          return;
        }
      }
      break;
    }
    default: return;
  }
  refresh();
}

bool TForm56::labelDoubleClicked(const QObject* label) {
  if (label != LabelBoard) return false;
  sheetKey(SheetKey::NextBoard, {});
  return true;
}

void ShowTravellerEntry() {
  if (TableDevicesMode) EntryByContracts = true;
  if (FederationMode) {
    // Leads are always asked in a federation tournament.
    AskOpeningLead = true;
    // In the program folder, where the marker is read, rather than in whatever the current folder is.
    platform::writeTextLines(ProgramFolder + kAskLeadFile, {QStringLiteral("Toujours demander l'entame si FFB")});
  }
  TForm56 window;
  window.LabelStatus->hide();
  window.exec();
}
