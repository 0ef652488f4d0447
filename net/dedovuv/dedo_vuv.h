#pragma once
// Dedo Vuv: the tray control of the machine's dial-up connections (dialing,
// hanging up, adopting connections made elsewhere, the diary record of each
// one, the programs run around it) and the owner of the traffic meter.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "net/dedovuv/connection_programs.h"
#include "net/dedovuv/dial_window.h"
#include "net/diary/diary_recorder.h"
#include "net/dialup/dialup_control.h"
#include "net/traffic/icon_bars.h"
#include "net/traffic/traffic_meter.h"
#include "net/traffic/traffic_meter_window.h"
#include "shell/utility.h"

namespace zelvor {

class CZelvorApp;

namespace dedovuv {

// Command codes of Dedo Vuv (the menu's ids are 500 + code).
namespace code {
inline constexpr int Menu = 0;
inline constexpr int Diary = 1;
inline constexpr int AutoDialer = 2;
inline constexpr int DialUpFolder = 3;
inline constexpr int NewEntry = 4;
inline constexpr int TrafficMeter = 7;
inline constexpr int TrafficAlerts = 8;
inline constexpr int HangUp = 10;
inline constexpr int FirstDial = 20;        // 20 + j: dial entry j
inline constexpr int FirstProperties = 40;  // 40 + j: properties of entry j
}  // namespace code

inline constexpr int kMeterTimer = 1;
inline constexpr std::uint32_t kMeterMs = 1000;
inline constexpr int kAlertSoundTimer = 2;
inline constexpr std::uint32_t kAlertSoundMs = 200;
inline constexpr std::uint32_t kDropIconMessage = 1;

class CDedoVuv final : public Utility,
                      public dialup::DialupOutside,
                      public traffic::MeterOutside,
                      public MessageTarget {
 public:
  explicit CDedoVuv(CZelvorApp& app);
  ~CDedoVuv() override;
  CDedoVuv(const CDedoVuv&) = delete;
  CDedoVuv& operator=(const CDedoVuv&) = delete;

  // Utility.
  void start() override;
  void command(int code, std::string_view text) override;
  void save() override;
  void applySettings() override;
  [[nodiscard]] DialUpFacts dialUp() const override;
  [[nodiscard]] std::vector<std::vector<std::string>> statusRecords() const override;

  // DialupOutside.
  void PlayEventSound(std::string_view fileOrEvent) override;
  void StartPrograms() override { programs_.Start(); }
  void ClosePrograms() override { programs_.Close(); }
  void ForgetPrograms() override { programs_.Forget(); }
  void ConnectionUp() override;
  void DropIcon() override;

  // MeterOutside.
  void SetWindowVisible(bool visible) override { meterWindow_->SetVisible(visible); }
  bool WindowVisible() override { return meterWindow_->Visible(); }
  void Changed() override { meterWindow_->Refresh(); }
  void ShowAlert(const std::string& text) override;
  void CloseAlert() override;
  void SetIconBars(int downloadLength, int uploadLength) override;
  void SetPlainIcon() override;

  // MessageTarget: the meter's and the alert sound's timers.
  void onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t lparam) override;
  void onTimer(int timerId) override;

  // The traffic meter's Show(on).
  void ShowMeter(bool on);
  // Opens the alerts dialog; accepted, the meter re-reads its settings.
  void OpenAlertsDialog();

  [[nodiscard]] dialup::DialupControl& control() { return *control_; }
  [[nodiscard]] CDialWindow& dialWindow() { return *window_; }
  [[nodiscard]] traffic::TrafficMeter& meter() { return meter_; }
  [[nodiscard]] traffic::CTrafficMeterDlg& meterWindow() { return *meterWindow_; }
  [[nodiscard]] const ConnectionPrograms& programs() const { return programs_; }
  [[nodiscard]] bool alertShown() const { return alertShown_; }

 private:
  [[nodiscard]] CTrayIcon* Icon();

  CZelvorApp& app_;
  WindowHandle self_ = kNoWindow;
  diary::DiaryRecorder recorder_;
  std::unique_ptr<CDialWindow> window_;
  ConnectionPrograms programs_;
  std::unique_ptr<dialup::DialupControl> control_;
  traffic::TrafficMeter meter_;
  std::unique_ptr<traffic::CTrafficMeterDlg> meterWindow_;
  bool alertShown_ = false;
};

}  // namespace dedovuv
}  // namespace zelvor
