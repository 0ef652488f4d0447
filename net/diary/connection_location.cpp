#include "net/diary/connection_location.h"

namespace zelvor::diary {
namespace {

// The suite's own folder for the connection file. The diary was kept in
// the program folder, but an installed program's folder is not writable
// on Linux (/usr/bin), so the per-user data folder ($XDG_DATA_HOME/zelvor/)
// stands in for it, like every other data file of the suite.
std::string suiteFolder(const ConfigStore& store) { return store.GetDataFolder(); }

}  // namespace

DiaryMessage MissingFolderMessage(std::string_view folder) {
  DiaryMessage m;
  m.text = "No se encuentra la carpeta \"" + std::string(folder) +
           "\" para la ubicación del archivo de registro de las conexiones. Se utilizará el "
           "directorio donde está instalado Zelvor.";
  m.caption = "Archivo de registro de las conexiones";
  m.icon = DiaryMessage::Icon::Information;
  m.systemModal = true;
  return m;
}

std::string ConnectionFilePath(const ConfigStore& store, const ShowMessage& show) {
  std::string folder = store.ReadConfigString(kDedoVuvKey, kCarpetaRegistro);
  if (folder.empty()) return suiteFolder(store) + std::string(kConnectionFileName);
  if (folder.back() != '/') folder += '/';
  if (store.files().isFolder(folder)) return folder + std::string(kConnectionFileName);
  if (show) show(MissingFolderMessage(folder));
  return suiteFolder(store) + std::string(kConnectionFileName);
}

}  // namespace zelvor::diary
