#include "flows/ui/ProgramWindows.h"

#include "devices/ui/DeviceWindowRegistration.h"
#include "flows/ui/OptionWindows.h"
#include "publishing/ui/PublishingWindowRegistration.h"
#include "scoring/ui/ScoringWindowRegistration.h"
#include "setup/ui/MemberWindows.h"
#include "setup/ui/SetupWindowRegistration.h"

void RegisterProgramWindows() {
  RegisterScoringWindows();
  RegisterSetupWindows();
  RegisterDeviceWindows();
  RegisterPublishingWindows();
  RegisterFlowWindows();
  RegisterMemberWindows();
}
