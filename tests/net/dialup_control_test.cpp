#include "net/dialup/dialup_control.h"

#include <gtest/gtest.h>

#include "tests/net/dialup_fixture.h"

namespace zelvor::dialup {
namespace {

using Line = testing::RecordingDialView::Line;
constexpr int kBusy = 676;

class DialupControlTest : public testing::DialupFixture {};

TEST_F(DialupControlTest, ASuccessfulDialWalksTheProgressTableAndStartsARecord) {
  control.Dial("Proveedor", true);
  EXPECT_TRUE(view.shown);
  EXPECT_EQ(view.title, "Conectando con Proveedor");
  EXPECT_EQ(view.tab, DialTab::Status);
  EXPECT_FALSE(view.fieldsEnabled);
  ASSERT_EQ(dialer.calls.size(), 1u);
  const ConnectionHandle h = dialer.lastDial();

  struct Case {
    int step;
    std::string status;
    std::vector<Line> log;
    bool recording;
  };
  const std::vector<Case> cases = {
      {dial_step::OpeningPort, "Abriendo puerto...", {{"Abriendo el puerto", LogIcon::Arrow}}, false},
      {dial_step::PortOpened, "Puerto abierto...", {{"Abriendo el puerto", LogIcon::Done}}, false},
      {dial_step::ConnectingDevice, "Marcando...",
       {{"Abriendo el puerto", LogIcon::Done}, {"Marcando", LogIcon::Arrow}}, false},
      {dial_step::AllDevicesConnected, "Marcando...",
       {{"Abriendo el puerto", LogIcon::Done}, {"Marcando", LogIcon::Done}}, false},
      {dial_step::Authenticating, "Comprobando nombre de usuario y contraseña...",
       {{"Abriendo el puerto", LogIcon::Done},
        {"Marcando", LogIcon::Done},
        {"Comprobando nombre de usuario y contraseña", LogIcon::Arrow}},
       true},
      {dial_step::Authenticated, "Comprobando nombre de usuario y contraseña...",
       {{"Abriendo el puerto", LogIcon::Done},
        {"Marcando", LogIcon::Done},
        {"Comprobando nombre de usuario y contraseña", LogIcon::Done}},
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step);
    dialer.report(h, c.step);
    deliver();
    EXPECT_EQ(view.status, c.status);
    EXPECT_EQ(view.log, c.log);
    EXPECT_EQ(recorder.HasRecord(), c.recording);
  }
  const std::int64_t up = sim.clock.now();
  dialer.report(h, dial_step::Connected);
  deliver();
  EXPECT_EQ(view.log.back(), (Line{"Conectado", LogIcon::Connected}));
  EXPECT_FALSE(view.shown);
  EXPECT_TRUE(view.fieldsEnabled);
  EXPECT_FALSE(control.Dialing());
  EXPECT_EQ(outside.count("connection up"), 1);
  EXPECT_EQ(control.ConnectedSince(), up);
  EXPECT_TRUE(control.IsConnected());

  advance(65'000);
  EXPECT_EQ(control.ConnectionText(sim.clock.now()), "Conectado: 00h. 01m. 05s.");
  EXPECT_TRUE(control.HangUp());
  EXPECT_EQ(dialer.hungUp, std::vector<ConnectionHandle>{h});
  EXPECT_EQ(records(), (std::vector<diary::CItemDiario>{{"ttyUSB0", "Proveedor", up, 65}}));
  EXPECT_EQ(control.ConnectionText(sim.clock.now()), "Desconectado");
  EXPECT_FALSE(control.HangUp());  // nothing is up any more
}

TEST_F(DialupControlTest, ABusyLineIsRetriedAsOftenAsSetWithOneSeparatorBetweenAttempts) {
  struct Case {
    int retries;
    int attempts;
  };
  for (const Case c : {Case{0, 1}, Case{1, 1}, Case{3, 3}}) {
    SCOPED_TRACE(c.retries);
    store.WriteConfigInt("DedoVuv", "Reintentos", c.retries);
    dialer.calls.clear();
    dialer.hungUp.clear();
    outside.sounds.clear();
    dialer.script["Proveedor"] = {{dial_step::OpeningPort, 0}, {dial_step::ConnectingDevice, kBusy}};
    control.Dial("Proveedor", true);
    deliver();
    EXPECT_EQ(static_cast<int>(dialer.calls.size()), c.attempts);
    EXPECT_EQ(separators(), c.attempts - 1);
    EXPECT_EQ(dialer.hungUp.size(), dialer.calls.size());  // every failed handle is let go
    EXPECT_EQ(std::count(outside.sounds.begin(), outside.sounds.end(), "SystemHand"), c.attempts);
    // The window stays open with the error, ready for another try.
    EXPECT_TRUE(view.shown);
    EXPECT_TRUE(view.fieldsEnabled);
    EXPECT_EQ(view.title, "Conectar con Proveedor");
    EXPECT_EQ(view.log.back(), (Line{"La línea está ocupada.", LogIcon::Cross}));
    EXPECT_EQ(control.Connection(), 0);
    EXPECT_TRUE(records().empty());
    control.CloseDialWindow();
  }
}

TEST_F(DialupControlTest, ARetryWaitsForTheWindowAndStopsWhenItIsClosed) {
  store.WriteConfigInt("DedoVuv", "Reintentos", 5);
  dialer.script["Proveedor"] = {{dial_step::OpeningPort, kBusy}};
  control.Dial("Proveedor", true);
  control.CloseDialWindow();  // before the retry message is delivered
  deliver();
  EXPECT_EQ(dialer.calls.size(), 1u);
}

TEST_F(DialupControlTest, AFailureWithoutATextShowsTheGenericOne) {
  dialer.script["Proveedor"] = {{dial_step::OpeningPort, 9999}};
  control.Dial("Proveedor", true);
  deliver();
  EXPECT_EQ(view.log.back(), (Line{"Error desconocido en RASAPI32.", LogIcon::Cross}));
}

TEST_F(DialupControlTest, ADialThatCannotStartShowsItsErrorAndLeavesTheFieldsOpen) {
  dialer.dialStartError = kBusy;
  control.Dial("Proveedor", true);
  ASSERT_EQ(desktop.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes.shown[0].text, "La línea está ocupada.");
  EXPECT_EQ(desktop.messageBoxes.shown[0].caption, "Dedo Vuv");
  EXPECT_EQ(desktop.messageBoxes.shown[0].icon, MsgIcon::Warning);
  EXPECT_TRUE(view.fieldsEnabled);
  EXPECT_FALSE(control.Dialing());
}

TEST_F(DialupControlTest, TheWindowWaitsForTheUserUnlessAutoConnectIsSet) {
  control.Dial("Proveedor", false);
  EXPECT_TRUE(view.shown);
  EXPECT_EQ(view.title, "Conectar con Proveedor");
  EXPECT_EQ(view.tab, DialTab::Authentication);
  EXPECT_TRUE(dialer.calls.empty());
  control.Dial("Trabajo", true);  // the window is up: a dial is under way
  EXPECT_TRUE(dialer.calls.empty());
  control.CloseDialWindow();

  store.WriteConfigInt("DedoVuv", "AutoConectar", 1);
  control.Dial("Proveedor", false);
  EXPECT_EQ(dialer.calls.size(), 1u);
}

TEST_F(DialupControlTest, ThePasswordIsShownAndStoredOnlyWhenTheUserKeepsIt) {
  dialer.storedParams["Proveedor"] = DialParams{"ana", "secreto", true};
  struct Case {
    int keep;              // GuardarPassword when the window opens
    std::string shown;     // the password field
  };
  for (const Case& c : {Case{0, ""}, Case{1, "secreto"}}) {
    SCOPED_TRACE(c.keep);
    store.WriteConfigInt("DedoVuv", "GuardarPassword", c.keep);
    control.Dial("Proveedor", false);
    EXPECT_EQ(view.current.userName, "ana");
    EXPECT_EQ(view.current.password, c.shown);
    EXPECT_EQ(view.current.savePassword, c.keep == 1);
    control.CloseDialWindow();
  }
  // Closing stores the two boxes as the user left them.
  control.Dial("Proveedor", false);
  view.current.savePassword = false;
  view.current.autoConnect = true;
  control.CloseDialWindow();
  EXPECT_EQ(store.ReadConfigInt("DedoVuv", "GuardarPassword"), 0);
  EXPECT_EQ(store.ReadConfigInt("DedoVuv", "AutoConectar"), 1);
  EXPECT_TRUE(dialer.paramWrites.empty());  // nothing dialed, nothing stored

  // "&Conectar" takes what was typed and stores it, without the password unless kept.
  struct Typed {
    bool keep;
    std::string written;
  };
  for (const Typed& t : {Typed{false, "Proveedor luis -"}, Typed{true, "Proveedor luis clave"}}) {
    SCOPED_TRACE(t.keep);
    dialer.paramWrites.clear();
    control.Dial("Proveedor", false);
    view.current.userName = "luis";
    view.current.password = "clave";
    view.current.edited = true;
    view.current.savePassword = t.keep;
    control.ConnectPressed();
    EXPECT_EQ(dialer.calls.back().params.userName, "luis");
    EXPECT_EQ(dialer.calls.back().params.password, "clave");
    EXPECT_EQ(dialer.paramWrites, std::vector<std::string>{t.written});
    control.CloseDialWindow();
  }
  // Untouched fields are not written back.
  dialer.paramWrites.clear();
  control.Dial("Proveedor", true);
  EXPECT_TRUE(dialer.paramWrites.empty());
}

TEST_F(DialupControlTest, ProgramsStartWhenDialingBeginsOrOnlyOnceConnected) {
  struct Case {
    int when;
    bool fails;
    int starts;
  };
  for (const Case c : {Case{0, true, 1}, Case{0, false, 1}, Case{1, true, 0}, Case{1, false, 1}}) {
    SCOPED_TRACE(::testing::Message() << c.when << (c.fails ? " fails" : " connects"));
    outside.events.clear();
    store.WriteConfigInt("DedoVuv", "CuandoEjecutarProgramas", c.when);
    control.Dial("Proveedor", true);
    const ConnectionHandle h = dialer.lastDial();
    if (c.fails) {
      dialer.report(h, dial_step::ConnectingDevice);
      dialer.report(h, dial_step::DeviceConnected, kBusy);
    } else {
      dialer.connect(h);
    }
    deliver();
    EXPECT_EQ(outside.count("start programs"), c.starts);
    control.CloseDialWindow();
    (void)control.HangUp();
  }
  // Programs off: never.
  outside.events.clear();
  store.WriteConfigInt("DedoVuv", "EjecutarProgramas", 0);
  control.Dial("Proveedor", true);
  dialer.connect(dialer.lastDial());
  deliver();
  EXPECT_EQ(outside.count("start programs"), 0);
}

TEST_F(DialupControlTest, AConnectionMadeElsewhereIsAdoptedAndRecordedWhenItEnds) {
  store.WriteConfigInt("DedoVuv", "AutoConectar", 1);
  store.WriteConfigInt("DedoVuv", "GuardarPassword", 1);
  advance(5'000);
  EXPECT_EQ(control.Connection(), 0);
  const ConnectionHandle h = dialer.connectElsewhere("Trabajo", "ttyACM0");
  const std::int64_t seen = sim.clock.now() + 5;
  advance(5'000);
  EXPECT_EQ(control.Connection(), h);
  EXPECT_EQ(control.Entry(), "Trabajo");
  EXPECT_EQ(outside.count("connection up"), 1);
  EXPECT_EQ(view.shows, 0);  // the window was never shown
  // The stored choices are not taken from a window the user never saw.
  EXPECT_EQ(store.ReadConfigInt("DedoVuv", "AutoConectar"), 1);
  EXPECT_EQ(store.ReadConfigInt("DedoVuv", "GuardarPassword"), 1);
  advance(60'000);
  dialer.dropLine(h);
  advance(5'000);
  EXPECT_EQ(control.Connection(), 0);
  EXPECT_EQ(outside.count("close programs"), 1);
  const auto written = records();
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0].connection, "Trabajo");
  EXPECT_EQ(written[0].modem, "ttyACM0");
  EXPECT_EQ(written[0].start, seen);
  EXPECT_EQ(written[0].duration, 65);
  EXPECT_EQ(dialer.calls.size(), 0u);  // AutoReconectar is off
}

TEST_F(DialupControlTest, ADroppedLineIsRedialedWithinTheWatchWhenAutoReconnectIsSet) {
  store.WriteConfigInt("DedoVuv", "AutoReconectar", 1);
  store.WriteConfigString("DedoVuv", "SonidoAlDesconectar", "/sonidos/adios.wav");
  control.Dial("Proveedor", true);
  dialer.connect(dialer.lastDial());
  deliver();
  ASSERT_FALSE(view.shown);
  advance(30'000);
  dialer.dropLine(dialer.lastDial());
  advance(5'000);
  EXPECT_EQ(dialer.calls.size(), 2u);
  EXPECT_EQ(dialer.calls[1].entry, "Proveedor");
  // The drop closed the programs; the redial only forgets them and starts afresh.
  EXPECT_EQ(outside.count("close programs"), 1);
  EXPECT_EQ(outside.count("forget programs"), 2);
  EXPECT_TRUE(view.shown);
  EXPECT_EQ(view.tab, DialTab::Status);
  EXPECT_EQ(outside.sounds, std::vector<std::string>{"/sonidos/adios.wav"});
  EXPECT_EQ(records().size(), 1u);
}

TEST_F(DialupControlTest, TheWatchLeavesADialUnderWayAlone) {
  control.Dial("Proveedor", true);
  dialer.report(dialer.lastDial(), dial_step::OpeningPort);
  advance(20'000);
  EXPECT_TRUE(control.Dialing());
  EXPECT_EQ(control.Connection(), dialer.lastDial());
  EXPECT_TRUE(view.shown);
}

TEST_F(DialupControlTest, ReportsOfAHungUpDialAreIgnored) {
  control.Dial("Proveedor", true);
  const ConnectionHandle h = dialer.lastDial();
  dialer.report(h, dial_step::Connected);  // queued, not yet delivered
  EXPECT_TRUE(control.HangUp());
  deliver();
  EXPECT_EQ(outside.count("connection up"), 0);
  EXPECT_FALSE(recorder.HasRecord());
  EXPECT_TRUE(view.fieldsEnabled);
  EXPECT_EQ(view.title, "Conectar con Proveedor");
}

TEST_F(DialupControlTest, ALineDisconnectedByTheUserEndsTheDialQuietly) {
  control.Dial("Proveedor", true);
  const ConnectionHandle h = dialer.lastDial();
  dialer.report(h, dial_step::OpeningPort);
  dialer.report(h, dial_step::Disconnected, kDisconnectedByUser);
  deliver();
  EXPECT_EQ(view.log.back(), (Line{"Desconectado", LogIcon::Cross}));
  EXPECT_TRUE(view.fieldsEnabled);
  EXPECT_EQ(view.status, "Conectar con Proveedor");
  EXPECT_EQ(control.Connection(), 0);
  EXPECT_TRUE(desktop.messageBoxes.shown.empty());
  EXPECT_EQ(dialer.calls.size(), 1u);  // no retry
}

TEST_F(DialupControlTest, AHangUpErrorIsShown) {
  const ConnectionHandle h = dialer.connectElsewhere("Trabajo", "ttyACM0");
  advance(5'000);
  ASSERT_EQ(control.Connection(), h);
  dialer.hangUpError = kBusy;
  EXPECT_FALSE(control.HangUp());
  ASSERT_EQ(desktop.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes.shown[0].text, "La línea está ocupada.");
}

TEST_F(DialupControlTest, AMissingServiceDisablesTheUtilityWithItsMessage) {
  dialer.present = false;
  dialer.missingText = "Falta el servicio.";
  EXPECT_FALSE(control.Available(true));
  EXPECT_TRUE(desktop.messageBoxes.shown.empty());
  EXPECT_TRUE(store.IsEnabled("DedoVuv"));
  EXPECT_EQ(control.EntryCount(), 0);
  EXPECT_FALSE(control.IsConnected());
  control.Dial("Proveedor", true);
  EXPECT_FALSE(view.shown);

  EXPECT_FALSE(control.Available(false));
  ASSERT_EQ(desktop.messageBoxes.shown.size(), 1u);
  const MessageBoxRequest& box = desktop.messageBoxes.shown[0];
  EXPECT_EQ(box.text, "Falta el servicio.");
  EXPECT_EQ(box.caption, "Zelvor");
  EXPECT_EQ(box.icon, MsgIcon::Warning);
  EXPECT_TRUE(box.systemModal);
  EXPECT_FALSE(store.IsEnabled("DedoVuv"));
  EXPECT_EQ(outside.events, std::vector<std::string>{"drop icon"});
}

TEST_F(DialupControlTest, TheEditorsReportWhenNoneIsInstalled) {
  control.NewEntry();
  control.EditEntry("Trabajo");
  control.OpenDialUpFolder();
  EXPECT_EQ(dialer.editorCalls, (std::vector<std::string>{"new", "edit Trabajo", "folder"}));
  EXPECT_TRUE(desktop.messageBoxes.shown.empty());
  dialer.editorInstalled = false;
  control.NewEntry();
  control.EditEntry("Trabajo");
  control.OpenDialUpFolder();
  ASSERT_EQ(desktop.messageBoxes.shown.size(), 3u);
  for (const MessageBoxRequest& box : desktop.messageBoxes.shown) {
    EXPECT_EQ(box.text, "Error al cargar el Acceso telefónico a redes.");
    EXPECT_EQ(box.caption, "Dedo Vuv");
    EXPECT_EQ(box.icon, MsgIcon::Warning);
    EXPECT_TRUE(box.systemModal);
  }
}

TEST_F(DialupControlTest, ListsComeFromTheService) {
  EXPECT_EQ(control.EntryCount(), 2);
  EXPECT_EQ(control.Entries(), (std::vector<std::string>{"Proveedor", "Trabajo"}));
  EXPECT_EQ(control.Modems(), std::vector<std::string>{"ttyUSB0"});
  EXPECT_EQ(control.ConnectionText(sim.clock.now()), "Desconectado");
  (void)dialer.connectElsewhere("Trabajo", "ttyACM0");
  EXPECT_EQ(control.ConnectionText(sim.clock.now()), "Conectado");  // not yet adopted: no record
}

}  // namespace
}  // namespace zelvor::dialup
