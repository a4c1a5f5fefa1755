#include "devices/ui/DeviceWindows.h"

#include "core/ui/WindowInteraction.h"
#include "devices/ui/TForm72.h"
#include "devices/ui/TForm93.h"
#include "devices/ui/TForm97.h"

#include <QFileDialog>

void RegisterDeviceWindows() {
  ui::RegisterTextWindow(QStringLiteral("TForm72"), [](const ui::TextQuestion&) -> std::optional<QString> {
    TForm72 window;
    return window.ask();
  });
  // The system's folder selection, starting in the folder given.
  ui::RegisterTextWindow(QStringLiteral("TFolderDialog"), [](const ui::TextQuestion& q) -> std::optional<QString> {
    const QString folder = QFileDialog::getExistingDirectory(nullptr, q.caption, q.text);
    if (folder.isEmpty()) return std::nullopt;
    return folder;
  });
  ui::RegisterChoiceWindow(QStringLiteral("TForm93"), [](const ui::Choice& c) {
    TForm93 window;
    return window.exec() == QDialog::Accepted ? (c.codes.isEmpty() ? 1 : c.codes.first()) : c.cancelCode;
  });
  ui::RegisterChoiceWindow(QStringLiteral("TForm97"), [](const ui::Choice& c) {
    TForm97 window;
    window.setText(c.text);
    return window.exec() == QDialog::Accepted ? (c.codes.isEmpty() ? 1 : c.codes.first()) : c.cancelCode;
  });
}
