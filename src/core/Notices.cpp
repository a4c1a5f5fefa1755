#include "core/Notices.h"

#include "core/Flows.h"

namespace ui {

void ShowNotice(const QString& form, const QString& text) {
  const NoticeWindow w = flowWindows().notices.value(form);
  if (w.show) w.show(text);
}

void HideNotice(const QString& form) {
  const NoticeWindow w = flowWindows().notices.value(form);
  if (w.hide) w.hide();
}

}  // namespace ui
