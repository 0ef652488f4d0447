#include "downloader/download_messages.h"

namespace zelvor::download_text {
namespace {

std::string s(std::string_view text) { return std::string(text); }

// A server's words shown to the user: bounded, without control characters.
std::string shown(std::string_view line) {
  std::string out;
  for (const char c : line.substr(0, 200)) out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
  if (line.size() > 200) out += "...";
  return out;
}

}  // namespace

std::string invalidUrl(std::string_view url) { return "La URL '" + shown(url) + "' no es válida."; }
std::string serverNotFound(std::string_view server) { return "No se ha encontrado el servidor: '" + s(server) + "'"; }
std::string fileNotFound(std::string_view url) {
  return "No se ha encontrado el archivo '" + s(url) + "' en el servidor.";
}
std::string serverError(std::string_view url, std::string_view serverText) {
  return "Error al obtener el archivo '" + s(url) + "'.\n\nMensaje del servidor: " + shown(serverText);
}
std::string readError(std::string_view url) { return "Error al leer el archivo: " + s(url); }
std::string ftpConnectError(std::string_view server, unsigned port) {
  return "No se ha podido conectar al servidor: '" + s(server) + ":" + std::to_string(port) + "'";
}
std::string ftpDownloadError(std::string_view url) { return "Error al descargar el archivo\n" + s(url); }
std::string accessDenied() {
  return "Acceso denegado al servidor FTP. Compruebe que el nombre de usuario y la contraseña son correctos.";
}
std::string noDataPort() { return "Error al obtener el puerto para la transferencia de datos."; }
std::string dataConnectError(unsigned port) {
  return "No se ha podido conectar al puerto " + std::to_string(port) + " para la transferencia de datos.";
}

std::string lineTooLong(std::string_view server) {
  return "El servidor '" + s(server) + "' ha enviado una línea de respuesta demasiado larga.";
}
std::string tooManyHeaders(std::string_view server) {
  return "El servidor '" + s(server) + "' ha enviado demasiadas cabeceras.";
}
std::string tooManyRedirects(std::string_view url) {
  return "Demasiadas redirecciones al obtener el archivo '" + shown(url) + "'.";
}
std::string invalidReply(std::string_view server, std::string_view line) {
  return "El servidor '" + s(server) + "' ha enviado una respuesta no válida: '" + shown(line) + "'";
}
std::string closedWithoutReply(std::string_view server) {
  return "El servidor '" + s(server) + "' ha cerrado la conexión sin responder.";
}
std::string timedOut(std::string_view server, int seconds) {
  return "Se ha agotado el tiempo de espera (" + std::to_string(seconds) + " s) del servidor '" + s(server) + "'.";
}
std::string cancelled() { return "Descarga cancelada."; }
std::string wrongRange(std::string_view url) {
  return "El servidor no ha enviado el archivo '" + s(url) + "' desde la posición pedida.";
}
std::string fileChanged(std::string_view url) {
  return "El archivo '" + s(url) + "' ha cambiado en el servidor.";
}
std::string incomplete(std::string_view url, std::int64_t have, std::int64_t total) {
  return readError(url) + "\n\nSe han recibido " + std::to_string(have) + " de " + std::to_string(total) +
         " bytes; la descarga puede continuar más tarde.";
}

}  // namespace zelvor::download_text
