#include "launchers/entry_checks.h"

namespace zelvor {
namespace {

// Enough of the head of a file to recognise every image kind, SVG's XML
// prologue and comments included.
constexpr std::uint64_t kImageHeadBytes = 1024;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  text.remove_prefix(text.size() - suffix.size());
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    const char c = text[i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c) != suffix[i]) return false;
  }
  return true;
}

bool LooksLikeIconImage(std::string_view head, std::string_view file) {
  using namespace std::string_view_literals;
  // Compressed SVG is the only gzip file that holds an icon.
  if (StartsWith(head, "\x1f\x8b"sv)) return EndsWithNoCase(file, ".svgz");
  using namespace std::string_view_literals;
  return StartsWith(head, "\x89PNG\r\n\x1a\n"sv) || StartsWith(head, "\0\0\1\0"sv) ||
         StartsWith(head, "/* XPM */"sv) || StartsWith(head, "BM"sv) ||
         StartsWith(head, "GIF87a"sv) || StartsWith(head, "GIF89a"sv) ||
         StartsWith(head, "\xff\xd8\xff"sv) ||
         head.find("<svg") != std::string_view::npos;
}

bool ProgramExists(const std::string& program, Files& files, const ProgramFolders& folders) {
  if (files.exists(program)) return true;
  if (program.find('/') != std::string::npos) return false;
  for (const auto& folder : folders) {
    if (files.exists(folder + program) && !files.isFolder(folder + program)) return true;
  }
  return false;
}

}  // namespace

std::string MissingProgramMessage(std::string_view program) {
  return "No existe el archivo o la carpeta \"" + std::string(program) +
         "\". \nCompruebe que el nombre del archivo y su ruta sean correctos.";
}

std::string MissingFolderMessage(std::string_view folder) {
  return "No existe la carpeta \"" + std::string(folder) + "\". \nCompruebe que su ruta es correcta.";
}

std::string NoIconsMessage(std::string_view file) {
  return "El archivo \"" + std::string(file) +
         "\" no existe o no contiene iconos. \nCompruebe que el nombre del archivo y su ruta son "
         "correctos, y que contenga iconos.";
}

EntryCheckResult Validate(const ProgramEntry& entry, Files& files, const ProgramFolders& programFolders) {
  if (!entry.program.empty() && !ProgramExists(entry.program, files, programFolders)) {
    return {EntryCheck::MissingProgram, MissingProgramMessage(entry.program)};
  }
  if (!entry.startingFolder.empty() && !files.isFolder(entry.startingFolder)) {
    return {EntryCheck::MissingFolder, MissingFolderMessage(entry.startingFolder)};
  }
  return {};
}

EntryCheckResult ValidateIcon(const IconRecord& icon, Files& files) {
  if (icon.file.empty() || icon.file.find('/') == std::string::npos) return {};
  const auto head = files.isFolder(icon.file) ? std::nullopt
                                              : files.readRange(icon.file, 0, kImageHeadBytes);
  if (!head || !LooksLikeIconImage(*head, icon.file)) return {EntryCheck::NoIcons, NoIconsMessage(icon.file)};
  return {};
}

}  // namespace zelvor
