#include "scoring/ui/TableSheetEntryWindow.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/TournamentFiles.h"
#include "core/ui/WindowStyle.h"
#include "scoring/ui/SheetGrids.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QStringList kSheetHeads = {QStringLiteral("Donne"), QStringLiteral("Contrat"), QStringLiteral("Pts N/S."),
                                 QStringLiteral("Pts E/W")};
const QStringList kBoardHeads = {QStringLiteral("N/S"), QStringLiteral("E/W"), QStringLiteral("Rés."),
                                 QStringLiteral("Pts N/S"), QStringLiteral("Pts E/W")};
const QStringList kOptionObjects = {QStringLiteral("Label27"), QStringLiteral("Label28"), QStringLiteral("Label19"),
                                    QStringLiteral("Label30"), QStringLiteral("Label44")};

QLabel* HeaderLabel(QWidget* parent, const QString& name, const QString& text, const char* colours) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setStyleSheet(QString::fromLatin1(colours));
  QFont big = label->font();
  big.setBold(true);
  big.setPointSize(big.pointSize() + 3);
  label->setFont(big);
  return label;
}

// Each column of the window: half of its 768 pixels, less the margins.
constexpr int kColumnWidth = 370;

// A label whose text, however long, never widens the column it stands in.
void IgnoreTextWidth(QLabel* label) {
  QSizePolicy policy = label->sizePolicy();
  policy.setHorizontalPolicy(QSizePolicy::Ignored);
  label->setSizePolicy(policy);
}

QTableWidget* Grid(QWidget* parent, const QString& name, int columns, int width) {
  auto* grid = ui::MakeSheetGrid(parent, name, columns);
  for (int c = 0; c < columns; ++c) grid->setColumnWidth(c, width);
  grid->setFixedWidth(columns * width + 4);
  return grid;
}

// Rows and height: the rows shown, the row height times them plus the lines
// between them.
void SizeGrid(QTableWidget* grid, int rows, int maxShown) {
  if (grid->rowCount() != rows) grid->setRowCount(rows);
  const int shown = std::max(1, std::min(rows, maxShown));
  grid->setFixedHeight(grid->verticalHeader()->defaultSectionSize() * shown + (shown - 1) + 5);
  grid->setVerticalScrollBarPolicy(rows > shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

}  // namespace

TForm58::TForm58(TableSheet& sheet, QWidget* parent) : SheetEntryWindowOf(parent), sheet_(sheet) {
  setObjectName(forms::TableSheetEntry);
  setWindowTitle(QStringLiteral("Introduction des feuilles de table"));
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(768, 668);

  tableLabel = HeaderLabel(this, QStringLiteral("Label3"), QStringLiteral("Table"), "color: white; background: red;");
  roundLabel = HeaderLabel(this, QStringLiteral("Label4"), QStringLiteral("Tour"), "color: white; background: blue;");
  nsLabel = HeaderLabel(this, QStringLiteral("Label5"), QStringLiteral("N/S"), "color: white; background: teal;");
  ewLabel = HeaderLabel(this, QStringLiteral("Label6"), QStringLiteral("E/W"), "color: white; background: teal;");
  boardLabel = HeaderLabel(this, QStringLiteral("Label1"), QStringLiteral(" Donne "), "color: red;");
  vulnerabilityLabel = HeaderLabel(this, QStringLiteral("Label2"), QStringLiteral(" Vulnérabilité "), "color: blue;");
  for (QLabel* l : {boardLabel, tableLabel, roundLabel}) l->installEventFilter(this);

  sheetGrid = Grid(this, QStringLiteral("g"), TableSheet::kSheetColumns, 75);
  boardGrid = Grid(this, QStringLiteral("t"), TableSheet::kBoardColumns, 64);
  statusLabel = new QLabel(this);
  statusLabel->setObjectName(QStringLiteral("Label7"));
  settledLabel = new QLabel(this);
  settledLabel->setObjectName(QStringLiteral("LabelSettled"));
  settledLabel->setWordWrap(true);
  makeEntryField(this, statusLabel);
  Edit1->setFixedWidth(73);
  // The field and the status line come and go while the director types, the
  // traveller with the tables: their places stay, and no text they show
  // widens the window's columns.
  for (QWidget* w : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(statusLabel), static_cast<QWidget*>(boardGrid)}) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
  }
  for (QLabel* l : {boardLabel, vulnerabilityLabel, statusLabel}) IgnoreTextWidth(l);

  auto* options = new QGroupBox(QStringLiteral("Options actuelles"), this);
  auto* optionsLayout = new QGridLayout(options);
  optionsLayout->addWidget(new QLabel(QStringLiteral("( Double-Click pour modifier)"), options), 0, 0);
  optionsLayout->addWidget(new QLabel(QStringLiteral("ou"), options), 0, 1);
  optionsLayout->addWidget(new QLabel(QStringLiteral("(Touche)"), options), 0, 2);
  const QStringList& optionNames = ui::SheetOptionNames();
  for (int i = 0; i < optionNames.size(); ++i) {
    QLabel* name = ui::MakeOptionLabel(options, this, i, optionNames[i]);
    name->setObjectName(kOptionObjects[i]);
    QLabel* value = addOptionLabel(options, i);
    IgnoreTextWidth(value);
    optionsLayout->addWidget(name, 2 * i + 1, 0);
    optionsLayout->addWidget(new QLabel(QStringLiteral("F%1").arg(i + 1), options), 2 * i + 1, 2);
    optionsLayout->addWidget(value, 2 * i + 2, 0, 1, 3);
  }

  auto* legend = new QGroupBox(QStringLiteral("Touches Clavier"), this);
  auto* legendLayout = new QGridLayout(legend);
  const QList<QPair<QString, QString>> keys = {
      {QStringLiteral("← ↑ → ↓"), QStringLiteral("Mouvements")},
      {QStringLiteral("→"), QStringLiteral("Table suivante")},
      {QStringLiteral("←"), QStringLiteral("Table précédente")},
      {QStringLiteral("ENTER"), QStringLiteral("Ligne suivante")},
      {QStringLiteral("DEL s S"), QStringLiteral("Supprimer le score")},
      {QStringLiteral("p P"), QStringLiteral("Contrat = Passe")},
      {QStringLiteral("m M"), QStringLiteral("Moyenne")},
      {QStringLiteral("a A"), QStringLiteral("Ajuster")},
      {QStringLiteral("! n N"), QStringLiteral("Non jouée")},
      {QStringLiteral("* y Y"), QStringLiteral("Permuter N/S et E/W")}};
  for (int i = 0; i < keys.size(); ++i) {
    legendLayout->addWidget(new QLabel(keys[i].first, legend), i, 0);
    legendLayout->addWidget(new QLabel(keys[i].second, legend), i, 1);
  }

  menuButton = new QPushButton(QStringLiteral("MENU"), this);
  menuButton->setObjectName(QStringLiteral("Button1"));
  menuButton->setFocusPolicy(Qt::NoFocus);
  connect(menuButton, &QPushButton::clicked, this, &TForm58::saveAndClose);

  auto* header = new QHBoxLayout;
  header->addWidget(tableLabel);
  header->addWidget(new QLabel(QStringLiteral("<- Double-Click pour changer ->"), this));
  header->addWidget(roundLabel);
  header->addStretch();
  header->addWidget(nsLabel);
  header->addWidget(ewLabel);
  // Two columns of fixed widths: the sheet, its entry line and the options at
  // the left; the board's traveller, the keys and the menu at the right. The
  // grids stay at the top, the boxes at the bottom, whatever the rows shown.
  auto* leftColumn = new QWidget(this);
  leftColumn->setObjectName(QStringLiteral("LeftColumn"));
  auto* left = new QVBoxLayout(leftColumn);
  left->setContentsMargins(0, 0, 0, 0);
  left->addWidget(sheetGrid);
  auto* entry = new QHBoxLayout;
  entry->addWidget(Edit1);
  entry->addWidget(statusLabel, 1);
  left->addLayout(entry);
  left->addWidget(settledLabel);
  left->addStretch();
  left->addWidget(options);
  auto* menu = new QHBoxLayout;
  menu->addWidget(new QLabel(QStringLiteral("ESC/Echap->"), this));
  menu->addWidget(menuButton);
  menu->addStretch();
  auto* rightColumn = new QWidget(this);
  rightColumn->setObjectName(QStringLiteral("RightColumn"));
  auto* right = new QVBoxLayout(rightColumn);
  right->setContentsMargins(0, 0, 0, 0);
  right->addWidget(boardLabel);
  right->addWidget(vulnerabilityLabel);
  right->addWidget(boardGrid);
  right->addStretch();
  right->addWidget(legend);
  right->addLayout(menu);
  auto* body = new QHBoxLayout;
  body->addWidget(leftColumn);
  body->addWidget(rightColumn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(header);
  layout->addLayout(body, 1);
  refresh();
  ui::StyleWindow(this, {.font = QStringLiteral("Comic Sans MS")});
  for (QWidget* column : {leftColumn, rightColumn}) column->setFixedWidth(kColumnWidth);
}

void TForm58::refresh() {
  tableLabel->setText(sheet_.tableLabel());
  roundLabel->setText(sheet_.roundLabel());
  nsLabel->setText(sheet_.nsLabel());
  ewLabel->setText(sheet_.ewLabel());
  const int lines = sheet_.lineCount();
  SizeGrid(sheetGrid, lines + 1, 6);
  ui::FillSheetGrid(sheetGrid, kSheetHeads, lines, sheet_.byeTable() ? 0 : sheet_.currentLine(),
                    [this](int line) { return sheet_.sheetCells(line); });
  ui::MarkSettledLines(sheetGrid, lines, 1, settledLabel, [this](int line) { return sheet_.settled(line); });
  if (lines > 0) sheetGrid->scrollToItem(sheetGrid->item(sheet_.currentLine(), 0));

  const int board = sheet_.board();
  boardGrid->setVisible(board != 0);
  if (board == 0) {
    boardLabel->clear();
    vulnerabilityLabel->clear();
  } else {
    boardLabel->setText(sheet_.boardLabel());
    vulnerabilityLabel->setText(sheet_.vulnerabilityLabel());
    const int rows = sheet_.boardLineCount();
    SizeGrid(boardGrid, rows + 1, 17);
    ui::FillSheetGrid(boardGrid, kBoardHeads, rows, 0, [this](int line) { return sheet_.boardCells(line); });
  }
  showOptions(sheet_.optionTexts(), sheet_.status());
}

bool TForm58::typesNumber() const { return !EntryByContracts; }

void TForm58::saveAndClose() { reject(); }

void TForm58::otherKey(SheetKey key, const QString& text) {
  if (FederationMode) {
    // Contracts of a federation tournament are changed in the contract editor.
    sheet_.editorBeeps();
    reject();
    sheet_.launchEditor();
    return;
  }
  if (!sheet_.readyForResult(key)) {
    refresh();
    return;
  }
  switch (key) {
    case SheetKey::Adjusted: sheet_.storeAdjusted(); break;
    case SheetKey::Average: sheet_.storeAverage(); break;
    case SheetKey::PassedOut: sheet_.storePassedOut(); break;
    case SheetKey::Character: {
      QString fieldText;
      if (!text.isEmpty() && sheet_.beginTyping(text.at(0), fieldText)) {
        refresh();
        openField(fieldText);
        return;
      }
      break;
    }
    default: break;
  }
  refresh();
}

void TForm58::sheetKey(SheetKey key, const QString& text) {
  const bool takes = sheet_.takesResult(sheet_.currentLine()) || sheet_.holdsResult(sheet_.currentLine());
  switch (key) {
    case SheetKey::NextBoard:
      SaveResults();
      sheet_.nextTable();
      statusLabel->show();
      break;
    case SheetKey::PreviousBoard:
      SaveResults();
      sheet_.previousTable();
      statusLabel->show();
      break;
    case SheetKey::Down:
    case SheetKey::Enter:
      if (takes) sheet_.down();
      break;
    case SheetKey::Up:
      if (takes) sheet_.up();
      break;
    case SheetKey::Close: saveAndClose(); return;
    case SheetKey::Delete:
      sheet_.deleteCurrent();
      statusLabel->show();
      break;
    case SheetKey::PageDown:
    case SheetKey::PageUp: return;
    default: otherKey(key, text); return;
  }
  refresh();
}

bool TForm58::labelDoubleClicked(const QObject* label) {
  if (label == tableLabel) {
    sheet_.nextTable();
    refresh();
    return true;
  }
  if (label == roundLabel) {
    saveAndClose();
    return true;
  }
  if (label == boardLabel) {
    switchOption(2);
    return true;
  }
  return false;
}

void ShowTableSheet(TableSheet& sheet) {
  TForm58 window(sheet);
  window.statusLabel->hide();
  window.exec();
}
