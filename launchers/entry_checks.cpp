#include "launchers/entry_checks.h"

#include "launchers/entry_icons.h"

namespace zelvor {
namespace {

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
  if (icon.file.empty() || IconCount(icon.file, files) > 0) return {};
  return {EntryCheck::NoIcons, NoIconsMessage(icon.file)};
}

}  // namespace zelvor
