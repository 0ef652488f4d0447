#pragma once
// CTrafficAlertsDlg: the four alert limits with their boxes, the sound file
// (with a browse button) and "repeat the sound". Accepting writes them all.

#include "net/traffic/traffic_settings.h"
#include "platform/dialog_host.h"

namespace zelvor::traffic {

namespace alerts_id {
inline constexpr int DownloadBelowOn = 1;
inline constexpr int DownloadBelow = 2;
inline constexpr int DownloadAboveOn = 3;
inline constexpr int DownloadAbove = 4;
inline constexpr int UploadBelowOn = 5;
inline constexpr int UploadBelow = 6;
inline constexpr int UploadAboveOn = 7;
inline constexpr int UploadAbove = 8;
inline constexpr int Sound = 9;
inline constexpr int Browse = 10;
inline constexpr int Repeat = 11;
inline constexpr int Accept = 12;
inline constexpr int Cancel = 13;
}  // namespace alerts_id

class CTrafficAlertsDlg final : public WindowModel {
 public:
  CTrafficAlertsDlg(DialogHost& host, ConfigStore& store);
  // Runs the dialog; true when accepted (and the settings were written).
  [[nodiscard]] bool DoModal();

  void onEvent(const ControlEvent& event) override;
  bool onCloseRequest() override;

  // What the fields say now.
  [[nodiscard]] AlertSettings Fields();

 private:
  DialogHost& host_;
  ConfigStore& store_;
};

}  // namespace zelvor::traffic
