// A fixture base: the plug-in bound to the stand-in host, a fresh copy of
// samples/account as the host's account, and a folder window for it.
#pragma once

#include <gtest/gtest.h>

#include "core/settings/ini.h"
#include "plugin/shell/exports.h"
#include "standin-host/standin.h"
#include "win/win_support.h"

namespace tvp::test {

template <typename Base = testing::Test>
class SampleAccount : public Base {
 protected:
  void SetUp() override {
    ASSERT_EQ(APCStartUp(0), -1);
    accountDir = scratch.path() + accountName + "\\";
    CopyTree(SourceDir() + "samples\\account", accountDir);
    standin::SetAccount(accountDir);
    host = standin::CreateFolderWindow("folder");
  }
  void TearDown() override { DestroyWindow(host); }

  std::string IniPath() const { return accountDir + "tarvikp.ini"; }
  // A key of the settings file as it is on disk now; "(absent)" when missing.
  std::string Read(const char* section, const char* key) const {
    return IniFile(ReadFileText(IniPath())).Read(section, key, "(absent)");
  }

  RecordingUi ui;
  ScratchDir scratch;
  std::string accountName = "acct";  // a derived fixture may name it otherwise
  std::string accountDir;
  HWND host = nullptr;
};

}  // namespace tvp::test
