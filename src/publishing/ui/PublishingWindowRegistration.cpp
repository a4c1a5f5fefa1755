#include "publishing/ui/PublishingWindowRegistration.h"

#include "core/ui/WindowInteraction.h"
#include "publishing/ui/DiagramOptionsWindow.h"
#include "publishing/ui/DiagramsWindow.h"
#include "publishing/ui/PbnFileChoiceWindow.h"
#include "publishing/ui/PublishingQuestionWindows.h"

void RegisterPublishingWindows() {
  RegisterPublishingDialogs();
  ui::RegisterChoiceWindow(QStringLiteral("TForm64"), [](const ui::Choice& c) {
    TForm64 window;
    return window.ask(c.text, c.extra.value(QStringLiteral("diagrams")).toStringList());
  });
  ui::RegisterListWindow(QStringLiteral("TForm85"), [](const ui::ListChoice& c) {
    TForm85 window;
    return window.ask(c);
  });
  ui::RegisterChoiceWindow(QStringLiteral("TForm107"), [](const ui::Choice&) {
    TForm107 window;
    window.exec();
    return 0;
  });
}
