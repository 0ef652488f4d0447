#include "net/dialup/dial_progress.h"

#include "platform/dialer.h"

namespace zelvor::dialup {
namespace {
constexpr const char* kChecking = "Comprobando nombre de usuario y contraseña";
}

StepEffect EffectOfStep(int step) {
  StepEffect e;
  switch (step) {
    case dial_step::OpeningPort:
      e.logLine = "Abriendo el puerto";
      e.status = "Abriendo puerto...";
      break;
    case dial_step::PortOpened:
      e.marksPreviousDone = true;
      e.status = "Puerto abierto...";
      break;
    case dial_step::ConnectingDevice:
      e.logLine = "Marcando";
      e.status = "Marcando...";
      e.startsProgramsWhenDialing = true;
      break;
    case dial_step::DeviceConnected:
      e.status = "Marcando...";
      break;
    case dial_step::AllDevicesConnected:
      e.marksPreviousDone = true;
      e.status = "Marcando...";
      break;
    case dial_step::Authenticating:
      e.logLine = kChecking;
      e.status = std::string(kChecking) + "...";
      e.beginsRecord = true;
      break;
    case dial_step::Authenticated:
      e.marksPreviousDone = true;
      e.status = std::string(kChecking) + "...";
      e.beginsRecord = true;
      break;
    default:
      if (step > dial_step::Authenticating && step < dial_step::Authenticated) {
        e.status = std::string(kChecking) + "...";
        e.beginsRecord = true;
      }
      break;
  }
  return e;
}

std::string ConnectTitle(const std::string& entry) { return "Conectar con " + entry; }
std::string ConnectingTitle(const std::string& entry) { return "Conectando con " + entry; }

}  // namespace zelvor::dialup
