#pragma once
// The real windows of publishing, answering the routines' questions.
#include "core/Interaction.h"
#include "core/ui/WindowInteraction.h"
#include "publishing/ui/PublishingWindowRegistration.h"
#include "support/TestState.h"

class PublishingWindowsFixture : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    ui::InstallWindowInteraction();
    RegisterPublishingWindows();
  }
  void TearDown() override {
    ui::setInteraction(nullptr);
    TalvaronTest::TearDown();
  }
};
