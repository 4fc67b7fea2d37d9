// Shared state of the stand-in host (internal to it).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "standin-host/standin.h"

namespace standin {

struct HostState {
  std::string account = "C:\\mail\\acct\\";
  std::string mailbox = "C:\\mail\\";
  std::vector<Call> calls;
  std::map<UINT, MenuCallback> commands;
};

HostState& State();
void Record(const std::string& function, std::vector<std::string> args);
UINT RegisterCommand(MenuCallback callback);

}  // namespace standin
