// Rezi Zovidaraz in the assembled suite on the simulated desktop: changes
// of the clipboard become rows, the limit, combining, putting back,
// pasting, watching on and off, the clip files across a restart, the
// predefined texts and the window's own settings.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "clipboard/clip_files.h"
#include "clipboard/predefined_texts.h"
#include "clipboard/rezi_zovidaraz.h"
#include "platform/clipboard_formats.h"
#include "platform/messages.h"
#include "shell/principal_dlg.h"
#include "shell/shell_menus.h"
#include "shell/store/reg_key_ex.h"
#include "tests/support/sim_suite.h"
#include "tests/support/sim_user.h"

namespace zelvor {
namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;
constexpr std::uint32_t kPng = 0xC000;

ClipboardContent text(std::string_view t) {
  ClipboardFormat narrow{clip_format::Text, {t.begin(), t.end()}};
  narrow.data.push_back(0);
  return {narrow, {clip_format::UnicodeText, Utf8ToUtf16Le(t)}};
}
ClipboardContent picture() { return {{kPng, {'P', 'N', 'G'}}}; }
std::string textOf(const ClipboardContent& c) {
  for (const ClipboardFormat& f : c) {
    if (f.format == clip_format::Text) return {f.data.begin(), std::find(f.data.begin(), f.data.end(), 0)};
  }
  return "<none>";
}

class ReziTest : public testing::SimSuiteTest {
 protected:
  ReziTest() { desk.clipboard.names[kPng] = "image/png"; }

  CReziZovidaraz& rezi() { return *static_cast<CReziZovidaraz*>(app->utility(UtilityKind::ReziZovidaraz)); }
  void set(std::string_view name, int value) { app->store().WriteConfigInt(utility_key::ReziZovidaraz, name, value); }
  void copied(ClipboardContent c, bool secret = false) {
    desk.clipboard.setByOtherProgram(std::move(c), secret);
    desk.loop.deliverPosted();
  }
  // A choice of the Rezi Zovidaraz menu (0 opens it).
  void menu(int code) {
    if (code == 0) {
      app->mainWindow()->RunUtilityCommand(UtilityKind::ReziZovidaraz, 0);
    } else {
      app->mainWindow()->OnMenuCommand(menu_id::ReziBase + code);
    }
    desk.loop.deliverPosted();
  }
  void windowCommand(int id) {
    ControlEvent e;
    e.controlId = id;
    rezi().window().onEvent(e);
    desk.loop.deliverPosted();
  }
  void select(std::vector<int> rows) {
    for (ListRow& r : rezi().window().List().rows) r.selected = false;
    for (int r : rows) rezi().window().List().rows[static_cast<std::size_t>(r)].selected = true;
  }
  // The rows as zelvorctl status lists them.
  Rows rows() {
    Rows out;
    std::istringstream report(app->mainWindow()->StatusReport());
    for (std::string line; std::getline(report, line);) {
      if (line.rfind("clip\t", 0) != 0) continue;
      std::vector<std::string> f;
      std::istringstream fields(line);
      for (std::string x; std::getline(fields, x, '\t');) f.push_back(x);
      out.push_back({f.at(2), f.at(3)});
    }
    return out;
  }
  std::string watchLine() {
    const std::string report = app->mainWindow()->StatusReport();
    const auto at = report.find("clipwatch\t");
    return at == std::string::npos ? "" : report.substr(at, report.find('\n', at) - at);
  }
  void restart() {
    stop();
    startAgain();
  }
  void stop() {
    app->mainWindow()->Exit();
    desk.loop.deliverPosted();
    app->ExitInstance();
    app.reset();
  }
  void startAgain() {
    app = std::make_unique<CZelvorApp>(sim.platform(), desk.desktop(), instance, components, options);
    ASSERT_TRUE(app->InitInstance({}).running);
    desk.loop.deliverPosted();
    desk.clipboard.names[kPng] = "image/png";
  }
};

TEST_F(ReziTest, EveryChangeByAnotherProgramBecomesARowButSecretsAndUnreadableOnesDoNot) {
  EXPECT_EQ(watchLine(), "clipwatch\ton");
  copied(text("  primera copia  "));
  copied({picture()[0], text("pie de foto")[0]});
  copied(picture());
  copied(text("contraseña"), /*secret=*/true);
  desk.clipboard.readable = false;
  copied(text("no se pudo abrir"));
  desk.clipboard.readable = true;
  copied({});
  EXPECT_EQ(rows(), (Rows{{"Texto", "primera copia"},
                          {"Texto e imagen", "pie de foto"},
                          {"Imagen", "Imagen"},
                          {"Desconocido", "?"}}));
  // The window's list shows the same rows with their images, the newest made visible.
  const Control& list = rezi().window().List();
  ASSERT_EQ(list.rows.size(), 4u);
  EXPECT_EQ(list.rows[1].cells, (std::vector<std::string>{"Texto e imagen", "pie de foto"}));
  EXPECT_EQ(list.rows[1].image, 4);
  EXPECT_EQ(list.rows[2].image, 3);
  EXPECT_EQ(list.value, 3);
  // The menu offers them to select and to paste.
  menu(0);
  ASSERT_NE(desk.menus.item(menu_id::ReziBase + 50 + 2), nullptr);
  EXPECT_EQ(desk.menus.item(menu_id::ReziBase + 100 + 2)->text, "Imagen\tImagen");
}

TEST_F(ReziTest, TheLimitDeletesTheOldestFirstAndZeroMeansNoLimit) {
  set("MaximoPortapapeles", 3);
  for (int i = 1; i <= 5; ++i) copied(text("t" + std::to_string(i)));
  EXPECT_EQ(rows(), (Rows{{"Texto", "t3"}, {"Texto", "t4"}, {"Texto", "t5"}}));
  set("MaximoPortapapeles", 0);
  for (int i = 6; i <= 20; ++i) copied(text("t" + std::to_string(i)));
  EXPECT_EQ(rows().size(), 18u);
}

TEST_F(ReziTest, CombiningJoinsTextsWithCrLfAndAddsOneRow) {
  copied(text("uno"));
  copied(picture());
  copied(text("dos\r\n"));
  copied(text("x"));
  windowCommand(rezi_cmd::CombineAll);
  ASSERT_EQ(rezi().entries().size(), 5u);
  EXPECT_EQ(textOf(rezi().entries().back()), "uno\r\ndos\r\nx");
  // The selected rows only, in display order; the clipboard itself is untouched.
  const int writes = desk.clipboard.writes;
  select({3, 0});
  windowCommand(rezi_cmd::CombineSelected);
  EXPECT_EQ(textOf(rezi().entries().back()), "uno\r\nx");
  EXPECT_EQ(desk.clipboard.writes, writes);
  // Pictures alone combine to nothing.
  select({1});
  windowCommand(rezi_cmd::CombineSelected);
  EXPECT_EQ(rezi().entries().size(), 6u);
}

TEST_F(ReziTest, SelectingAnOldEntryPutsItBackWithoutANewRow) {
  copied(text("vieja"));
  copied(text("nueva"));
  menu(rezi_code::FirstSelect + 0);
  EXPECT_EQ(textOf(desk.clipboard.content), "vieja");
  EXPECT_EQ(desk.clipboard.content, rezi().entries()[0]);
  EXPECT_EQ(rows().size(), 2u);
  // The row menu opens only over a selection; its "Copiar" puts back too.
  select({});
  rezi().OpenRowMenu();
  EXPECT_EQ(desk.menus.openMenu(), nullptr);
  select({0});
  rezi().OpenRowMenu();
  ASSERT_NE(desk.menus.openMenu(), nullptr);
  EXPECT_TRUE(desk.menus.itemByText("Pegar")->isDefault);
  copied(text("otra más"));
  ASSERT_TRUE(desk.menus.chooseText("Copiar"));
  desk.loop.deliverPosted();
  EXPECT_EQ(textOf(desk.clipboard.content), "vieja");
  rezi().DeleteRows({2});
  // Copy and cut in the window put back too; cut deletes the row.
  select({1});
  windowCommand(rezi_cmd::Cut);
  EXPECT_EQ(textOf(desk.clipboard.content), "nueva");
  EXPECT_EQ(rows(), (Rows{{"Texto", "vieja"}}));
  // A row that does not exist changes nothing.
  menu(rezi_code::FirstSelect + 7);
  EXPECT_EQ(textOf(desk.clipboard.content), "nueva");
}

TEST_F(ReziTest, PastingPutsBackThenPastesOrSaysWhyItCannot) {
  copied(text("a pegar"));
  copied(text("otra"));
  menu(rezi_code::FirstPaste + 0);
  ASSERT_EQ(desk.clipboard.pasted.size(), 1u);
  EXPECT_EQ(textOf(desk.clipboard.pasted[0]), "a pegar");
  EXPECT_EQ(rows().size(), 2u);
  desk.clipboard.pasteResult = PasteResult::Unavailable;
  menu(rezi_code::FirstPaste + 1);
  ASSERT_EQ(desk.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(desk.messageBoxes.shown[0].caption, "Rezi Zovidaraz");
  EXPECT_EQ(textOf(desk.clipboard.content), "otra");
}

TEST_F(ReziTest, WatchingOffStopsRecordingAndShowsOnTheIconAndTheStatusBar) {
  EXPECT_EQ(desk.tray.icon(8)->image.index, 17);
  EXPECT_EQ(app->mainWindow()->icon(8)->text(), "Activado");
  EXPECT_EQ(rezi().window().StatusText(0), " Activado");
  menu(rezi_code::ToggleWatch);
  EXPECT_EQ(watchLine(), "clipwatch\toff");
  EXPECT_EQ(desk.tray.icon(8)->image.index, 18);
  EXPECT_EQ(app->mainWindow()->icon(8)->text(), "Desactivado");
  EXPECT_EQ(rezi().window().StatusText(0), " Desactivado");
  copied(text("no se guarda"));
  EXPECT_TRUE(rows().empty());
  menu(0);
  EXPECT_TRUE(desk.menus.itemByText("Desactivado")->checked);
  menu(rezi_code::ToggleWatch);
  copied(text("sí"));
  EXPECT_EQ(rows().size(), 1u);
}

TEST_F(ReziTest, StartingInactiveAndAddingOnlyWhileTheWindowIsVisible) {
  set("DesactivarAlInicio", 1);
  restart();
  EXPECT_EQ(watchLine(), "clipwatch\toff");
  set("DesactivarAlInicio", 0);
  set("AgregarVisible", 1);
  restart();
  copied(text("ventana oculta"));
  EXPECT_TRUE(rows().empty());
  menu(rezi_code::ShowWindow);
  EXPECT_TRUE(rezi().window().IsVisible());
  copied(text("ventana visible"));
  EXPECT_EQ(rows(), (Rows{{"Texto", "ventana visible"}}));
}

TEST_F(ReziTest, SavedHistoryComesBackAfterARestart) {
  set("SalvarPortapapeles", 1);
  copied(text("uno"));
  copied(picture());
  copied({});
  const Rows before = rows();
  restart();
  EXPECT_EQ(rows(), before);
  // Without saving, the next start has nothing.
  set("SalvarPortapapeles", 0);
  restart();
  EXPECT_TRUE(rows().empty());
}

TEST_F(ReziTest, ClipFilesOfAnotherProgramLoadAndTheLimitKeepsTheLastOnes) {
  set("SalvarPortapapeles", 1);
  const std::string folder = app->store().GetDataFolder() + "clips/";
  // Written while the suite is not running (its exit writes its own history).
  stop();
  std::filesystem::create_directories(folder);
  for (int n = 0; n < 20; ++n) {
    std::ofstream(folder + clip::ClipFileName(static_cast<std::size_t>(n)), std::ios::binary)
        << clip::EncodeClipFile({text("archivo " + std::to_string(n))[0]});
  }
  startAgain();
  const Rows loaded = rows();
  ASSERT_EQ(loaded.size(), 15u);
  EXPECT_EQ(loaded.front().second, "archivo 5");
  EXPECT_EQ(loaded.back().second, "archivo 19");
}

TEST_F(ReziTest, APredefinedTextGoesOnTheClipboardAndIntoTheHistory) {
  clip::SaveTexts(app->store(), {{true, "", ""}, {false, "Saludo", "Hola,\r\nque tal"}, {true, "", ""}});
  menu(0);
  // Separator, the text, separator, in the menu's tail.
  const auto& items = desk.menus.openMenu()->items;
  ASSERT_GE(items.size(), 3u);
  EXPECT_EQ(items[items.size() - 3].kind, MenuItem::Kind::Separator);
  EXPECT_EQ(items[items.size() - 2].text, "Saludo");
  EXPECT_EQ(items[items.size() - 2].id, menu_id::ReziBase + 11);
  menu(11);
  EXPECT_EQ(textOf(desk.clipboard.content), "Hola,\r\nque tal");
  ASSERT_EQ(rezi().entries().size(), 1u);
  EXPECT_EQ(textOf(rezi().entries()[0]), "Hola,\r\nque tal");
  // A separator's code puts nothing.
  menu(10);
  EXPECT_EQ(rezi().entries().size(), 1u);
}

TEST_F(ReziTest, DeletingRowsAndQuitarAlCerrar) {
  for (const char* t : {"a", "b", "c", "d"}) copied(text(t));
  select({1, 3});
  windowCommand(rezi_cmd::DeleteSelected);
  EXPECT_EQ(rows(), (Rows{{"Texto", "a"}, {"Texto", "c"}}));
  set("QuitarAlCerrar", 1);
  menu(rezi_code::ShowWindow);
  EXPECT_TRUE(desk.dialogs.requestClose(rezi().window().handle()) || !rezi().window().IsVisible());
  EXPECT_FALSE(rezi().window().IsVisible());
  EXPECT_TRUE(rows().empty());
  copied(text("e"));
  menu(rezi_code::DeleteAll);
  EXPECT_TRUE(rows().empty());
}

TEST_F(ReziTest, TheListWindowKeepsItsPlaceAndOptions) {
  CReziZovidarazWnd& w = rezi().window();
  // The defaults: 700 × 300 at 0, 0, details.
  EXPECT_EQ(w.geometry, (Rect{0, 0, 700, 300}));
  EXPECT_EQ(w.View(), 0);
  menu(rezi_code::ShowWindow);
  windowCommand(list_cmd::AlwaysOnTop);
  windowCommand(list_cmd::FirstTransparency + 2);
  windowCommand(list_cmd::FirstView + 3);
  w.List().columns[1].width = 250;
  EXPECT_TRUE(w.style.topmost);
  EXPECT_EQ(w.style.opacity, 60);
  windowCommand(rezi_cmd::Close);
  EXPECT_FALSE(w.IsVisible());
  CRegKeyEx key(sim.registry);
  ASSERT_EQ(key.Open(Hive::CurrentUser, ConfigStore::KeyPath("ReziZovidaraz")), RegStatus::Ok);
  EXPECT_EQ(key.GetInt("SiempreVisible"), 1);
  EXPECT_EQ(key.GetInt("Transparencia"), 40);
  EXPECT_EQ(key.GetInt("Vista"), 3);
  EXPECT_EQ(key.GetDword("Columna1"), 250u);
  // Read back at the next creation; an out-of-range view is details, a
  // value of the wrong type is the default.
  key.SetInt(9, "Vista");
  key.SetString("Width", "900");
  restart();
  CReziZovidarazWnd& again = rezi().window();
  EXPECT_TRUE(again.style.topmost);
  EXPECT_EQ(again.Transparency(), 40);
  EXPECT_EQ(again.View(), 3);
  EXPECT_EQ(again.List().columns[1].width, 250);
  EXPECT_EQ(again.geometry.width(), 700);
  // Where windows cannot be translucent the stored value counts as 0.
  desk.dialogs.opacity = false;
  restart();
  EXPECT_EQ(rezi().window().Transparency(), 0);
}

}  // namespace
}  // namespace zelvor
