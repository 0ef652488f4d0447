// zelvorctl status | command ICON COMMAND | quit: requests to the running zelvor.

#include "app/ctl_command.h"
#include "platform/linux/unix_single_instance.h"

namespace zelvor::ctl {
namespace {

int sendRequest(Context& context, const std::string& request) {
  UnixSingleInstance instance(UnixSingleInstance::defaultFolder(context.platform.folders.configFolder()));
  std::string reply, error;
  if (!instance.send(request, reply, error)) return fail(context, error);
  const auto newline = reply.find('\n');
  const std::string first = reply.substr(0, newline);
  if (first.rfind("error ", 0) == 0) return fail(context, first.substr(6));
  if (first != "ok") return fail(context, "unexpected reply from zelvor: " + first);
  if (newline != std::string::npos) std::fputs(reply.c_str() + newline + 1, context.out);
  return kOk;
}

}  // namespace

int runStatus(Context& context, std::span<const std::string> args) {
  if (!args.empty()) return usage(context, kStatusUsage);
  return sendRequest(context, "status");
}

int runCommand(Context& context, std::span<const std::string> args) {
  if (args.size() != 2) return usage(context, kCommandUsage);
  return sendRequest(context, "command " + args[0] + " " + args[1]);
}

int runQuit(Context& context, std::span<const std::string> args) {
  if (!args.empty()) return usage(context, kQuitUsage);
  return sendRequest(context, "quit");
}

}  // namespace zelvor::ctl
