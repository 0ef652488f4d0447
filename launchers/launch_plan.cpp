#include "launchers/launch_plan.h"

#include "launchers/argument_split.h"

namespace zelvor {
namespace {

// Enough to tell an ELF binary or a script from a document.
constexpr std::uint64_t kMagicBytes = 4;

bool IsAddress(std::string_view text) {
  const std::size_t colon = text.find("://");
  if (colon == std::string_view::npos || colon == 0) return false;
  for (std::size_t i = 0; i < colon; ++i) {
    const char c = text[i];
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                    (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
    if (!ok) return false;
  }
  return true;
}

// Schemes are case-insensitive: "FILE://" is a file too.
bool IsFileAddress(std::string_view text) {
  constexpr std::string_view kFile = "file:";
  if (text.size() < kFile.size()) return false;
  for (std::size_t i = 0; i < kFile.size(); ++i) {
    const char c = text[i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c) != kFile[i]) return false;
  }
  return true;
}

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

std::string Expanded(const std::string& text, const EnvironmentLookup& lookup) {
  return lookup ? ExpandEnvironmentReferences(text, lookup) : text;
}

}  // namespace

std::string ExpandEnvironmentReferences(std::string_view text, const EnvironmentLookup& lookup) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t close = text[i] == '%' ? text.find('%', i + 1) : std::string_view::npos;
    if (close != std::string_view::npos && close > i + 1) {
      const std::string_view name = text.substr(i + 1, close - i - 1);
      bool valid = true;
      for (const char c : name) valid = valid && IsNameCharacter(c);
      if (valid) {
        if (auto value = lookup(name)) {
          out += *value;
          i = close + 1;
          continue;
        }
      }
    }
    out += text[i++];
  }
  return out;
}

bool InFlatpakSandbox(Files& files, const EnvironmentLookup& environment) {
  if (environment) {
    const std::optional<std::string> id = environment("FLATPAK_ID");
    if (id && !id->empty()) return true;
  }
  return files.exists(std::string(kFlatpakInfoFile));
}

std::string GVariantStringLiteral(std::string_view text) {
  std::string out = "'";
  for (const char c : text) {
    if (c == '\\' || c == '\'') out += '\\';
    out += c;
  }
  return out + "'";
}

int ShowCommandOf(int window) {
  switch (window) {
    case static_cast<int>(WindowMode::Minimised):
      return kShowMinimisedNoActivate;
    case static_cast<int>(WindowMode::Maximised):
      return kShowMaximised;
    default:
      return kShowNormal;
  }
}

std::string StartingFolderOf(const ProgramEntry& entry) {
  if (!entry.startingFolder.empty()) return entry.startingFolder;
  // An address names no folder to start in.
  if (IsAddress(entry.program)) return {};
  const std::size_t slash = entry.program.rfind('/');
  return slash == std::string::npos ? std::string() : entry.program.substr(0, slash + 1);
}

TargetKind ClassifyTarget(const std::string& program, Files& files) {
  if (IsAddress(program)) return TargetKind::DefaultApplication;
  if (files.isFolder(program)) return TargetKind::DefaultApplication;
  if (!files.exists(program)) return TargetKind::Program;
  const auto head = files.readRange(program, 0, kMagicBytes);
  if (!head) return TargetKind::Program;
  const bool runnable = head->rfind("\x7f" "ELF", 0) == 0 || head->rfind("#!", 0) == 0;
  return runnable ? TargetKind::Program : TargetKind::DefaultApplication;
}

LaunchPlan PlanLaunch(const ProgramEntry& stored, Files& files, const EnvironmentLookup& environment) {
  LaunchPlan plan;
  ProgramEntry entry = stored;
  entry.program = Expanded(entry.program, environment);
  entry.startingFolder = Expanded(entry.startingFolder, environment);
  if (entry.program.empty()) {
    plan.status = PlanStatus::EmptyProgram;
    return plan;
  }
  plan.kind = ClassifyTarget(entry.program, files);
  auto& argv = plan.request.argv;
  plan.showCommand = ShowCommandOf(entry.window);
  // Local files keep going through xdg-open, which in a Flatpak runtime is
  // the portal's own client: it hands the portal an open descriptor (OpenFile).
  if (plan.kind == TargetKind::DefaultApplication && IsAddress(entry.program) &&
      !IsFileAddress(entry.program) && InFlatpakSandbox(files, environment)) {
    plan.portal = true;
    argv = {std::string(kPortalCaller), "call", "--session", "--dest", "org.freedesktop.portal.Desktop",
            "--object-path", "/org/freedesktop/portal/desktop", "--method",
            "org.freedesktop.portal.OpenURI.OpenURI", "''", GVariantStringLiteral(entry.program), "@a{sv} {}"};
    return plan;
  }
  plan.nice = NiceValueOf(entry.priority);
  if (plan.nice && *plan.nice != 0) {
    argv = {std::string(kNiceProgram), "-n", std::to_string(*plan.nice), "--"};
  }
  if (plan.kind == TargetKind::DefaultApplication) {
    argv.emplace_back(kDefaultApplicationOpener);
    argv.push_back(entry.program);
  } else {
    SplitResult split = SplitArguments(entry.arguments);
    if (split.status != SplitStatus::Ok) {
      plan.status = PlanStatus::UnterminatedQuote;
      plan.request.argv.clear();
      return plan;
    }
    argv.push_back(entry.program);
    for (const auto& a : split.arguments) argv.push_back(Expanded(a, environment));
  }
  plan.request.workingFolder = StartingFolderOf(entry);
  return plan;
}

std::string ArgumentPromptText(const ProgramEntry& entry) {
  return "Introduzca los argumentos para el programa: \n\n" + entry.description + "\n" + entry.program;
}

LaunchOutcome LaunchEntry(ProgramEntry entry, const LaunchServices& services) {
  if (entry.askForArguments != 0 && services.prompt != nullptr) {
    entry.arguments = services.prompt
                          ->AskArguments(kArgumentPromptTitle, ArgumentPromptText(entry), entry.arguments)
                          .value_or(std::string());
  }
  const LaunchPlan plan = PlanLaunch(entry, services.files, services.environment);
  if (plan.status != PlanStatus::Ok) return {};
  LaunchResult started = services.launcher.launch(plan.request);
  if (!started.ok) return {false, 0, std::move(started.error)};
  const bool followed = plan.kind == TargetKind::Program;
  return {true, followed ? started.processId : 0, {}};
}

}  // namespace zelvor
