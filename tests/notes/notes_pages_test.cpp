// Duvu Zevad's pages "Opciones" and "Formato por defecto" in the
// configuration window: what they show of the stored settings and what
// "Apli&car" writes.

#include "notes/notes_pages.h"
#include "tests/config/config_fixture.h"

namespace zelvor::testing {
namespace {

using notes::CDuvuZevadDlg2;
using notes::CDuvuZevadDlg3;
using notes::NoteRecord;

class NotesPagesTest : public ConfigTest {
 protected:
  NotesPagesTest() {
    factory.makeWindow = [this](WindowKind kind, CZelvorApp& a) -> std::unique_ptr<ShellWindow> {
      if (kind != WindowKind::Config) return nullptr;
      ConfigTree tree = ShellConfigTree();
      tree.AddPage(UtilityKind::DuvuZevad, CDuvuZevadDlg2::kTitle,
                   [](CZelvorApp& a2, int id) { return std::make_unique<CDuvuZevadDlg2>(a2, id); });
      tree.AddPage(UtilityKind::DuvuZevad, CDuvuZevadDlg3::kTitle, [this](CZelvorApp& a3, int id) {
        return std::make_unique<CDuvuZevadDlg3>(a3, id, [this](const NoteRecord& start) {
          editorStarts.push_back(start);
          return editorAnswer;
        });
      });
      return std::make_unique<CConfDlg>(a, std::move(tree));
    };
  }
  void open(const char* title) {
    openConfig();
    showPage(UtilityKind::DuvuZevad, title);
  }
  int opt(int local) { return pageId(UtilityKind::DuvuZevad, CDuvuZevadDlg2::kTitle, local); }
  int fmt(int local) { return pageId(UtilityKind::DuvuZevad, CDuvuZevadDlg3::kTitle, local); }
  int stored(const char* name) { return store().ReadConfigInt("DuvuZevad", name); }
  void setBinary(const std::vector<std::uint8_t>& bytes) {
    CRegKeyEx k(sim.registry);
    ASSERT_EQ(k.Create(Hive::CurrentUser, ConfigStore::KeyPath("DuvuZevad")), RegStatus::Ok);
    k.SetBinary("Defecto", bytes);
  }
  std::optional<std::vector<std::uint8_t>> defecto() {
    CRegKeyEx k(sim.registry);
    if (k.Open(Hive::CurrentUser, ConfigStore::KeyPath("DuvuZevad")) != RegStatus::Ok) return std::nullopt;
    return k.GetBinary("Defecto");
  }

  std::optional<NoteRecord> editorAnswer;
  std::vector<NoteRecord> editorStarts;
};

TEST_F(NotesPagesTest, OptionsShowStoredCountsAndStoreZeroForAClearBox) {
  preinstall();
  setString("DuvuZevad", "CapacidadPapelera", "0");
  setString("DuvuZevad", "DiasEnPapelera", "3");
  setString("DuvuZevad", "AvisarNotasRetrasadas", "1");
  setString("DuvuZevad", "SonidoDefecto", "/sonidos/campana.wav");
  open(CDuvuZevadDlg2::kTitle);
  // A stored 0 shows a clear box and 10; a stored count a checked box and the count.
  EXPECT_FALSE(user->control(opt(CDuvuZevadDlg2::kCapacityBox)).checked);
  EXPECT_EQ(user->control(opt(CDuvuZevadDlg2::kCapacity)).value, 10);
  EXPECT_FALSE(user->control(opt(CDuvuZevadDlg2::kCapacity)).enabled);
  EXPECT_TRUE(user->control(opt(CDuvuZevadDlg2::kDaysBox)).checked);
  EXPECT_EQ(user->control(opt(CDuvuZevadDlg2::kDays)).value, 3);
  EXPECT_EQ(user->control(opt(CDuvuZevadDlg2::kDays)).minimum, 1);
  EXPECT_EQ(user->control(opt(CDuvuZevadDlg2::kDays)).maximum, 32000);
  EXPECT_TRUE(user->control(opt(CDuvuZevadDlg2::kWarnLate)).checked);
  EXPECT_FALSE(user->control(opt(CDuvuZevadDlg2::kHideAtStart)).checked);
  EXPECT_EQ(user->control(opt(CDuvuZevadDlg2::kSound)).text, "/sonidos/campana.wav");

  user->click(opt(CDuvuZevadDlg2::kCapacityBox));
  user->setValue(opt(CDuvuZevadDlg2::kCapacity), 25);
  user->setValue(opt(CDuvuZevadDlg2::kDays), 7);
  user->click(opt(CDuvuZevadDlg2::kDaysBox));  // cleared again: its 7 is not stored
  user->click(opt(CDuvuZevadDlg2::kHideAtStart));
  user->click(opt(CDuvuZevadDlg2::kDisableBin));
  ASSERT_TRUE(user->press("Apli&car"));
  EXPECT_EQ(stored("CapacidadPapelera"), 25);
  EXPECT_EQ(stored("DiasEnPapelera"), 0);
  EXPECT_EQ(stored("OcultarNotasAlInicio"), 1);
  EXPECT_EQ(stored("DeshabilitarPapelera"), 1);
  EXPECT_EQ(stored("AvisarNotasRetrasadas"), 1);
  EXPECT_EQ(store().ReadConfigString("DuvuZevad", "SonidoDefecto"), "/sonidos/campana.wav");
}

TEST_F(NotesPagesTest, OptionsPlayAndBrowseTheDefaultSound) {
  const std::string wav = folder.path("timbre.wav");
  folder.write("timbre.wav", "RIFF");
  open(CDuvuZevadDlg2::kTitle);
  desk.dialogs.fileAnswers.push_back({wav});
  ASSERT_TRUE(user->press("Examinar..."));
  EXPECT_EQ(user->control(opt(CDuvuZevadDlg2::kSound)).text, wav);
  desk.sound.plays.clear();
  ASSERT_TRUE(user->press("Reproducir"));
  ASSERT_EQ(desk.sound.plays.size(), 1u);
  EXPECT_EQ(desk.sound.plays[0].file, wav);
  EXPECT_FALSE(desk.sound.plays[0].loop);
  ASSERT_TRUE(user->press("Apli&car"));
  EXPECT_EQ(store().ReadConfigString("DuvuZevad", "SonidoDefecto"), wav);
}

TEST_F(NotesPagesTest, RandomColourIsStoredAsListPositionPlusOneOrZero) {
  struct Case {
    const char* stored;
    bool shownChecked;
    int shownPosition;
    bool check;  // the user's click on the box
    int choose;  // -1: leaves the list alone
    int expected;
  };
  const Case cases[] = {
      {"2", true, 1, false, 2, 3},
      {"2", true, 1, true, -1, 0},
      {"0", false, 0, true, -1, 1},
      {"7", false, 0, false, -1, 0},  // out of range reads as none
  };
  preinstall();
  for (const Case& c : cases) {
    setString("DuvuZevad", "ColorAleatorio", c.stored);
    open(CDuvuZevadDlg3::kTitle);
    EXPECT_EQ(user->control(fmt(CDuvuZevadDlg3::kRandomColourBox)).checked, c.shownChecked) << c.stored;
    EXPECT_EQ(user->control(fmt(CDuvuZevadDlg3::kRandomColour)).value, c.shownPosition) << c.stored;
    if (c.check) user->click(fmt(CDuvuZevadDlg3::kRandomColourBox));
    if (c.choose >= 0) user->choose(fmt(CDuvuZevadDlg3::kRandomColour), c.choose);
    user->click(fmt(CDuvuZevadDlg3::kRandomPosition));
    ASSERT_TRUE(user->press("Aceptar"));
    desk.loop.deliverPosted();  // the closed window goes
    EXPECT_EQ(stored("ColorAleatorio"), c.expected) << c.stored;
  }
}

TEST_F(NotesPagesTest, MacroMenusInsertIntoTheirTemplates) {
  preinstall();
  setString("DuvuZevad", "TituloPorDefecto", "Tarea ");
  open(CDuvuZevadDlg3::kTitle);
  user->click(fmt(CDuvuZevadDlg3::kTitleMacros));
  const Menu* menu = desk.menus.openMenu();
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->items.size(), 9u);
  EXPECT_EQ(menu->items[0].text, "Fecha larga");
  EXPECT_EQ(menu->items[8].text, "Serie alfabética (mayúsculas)");
  ASSERT_TRUE(desk.menus.chooseText("Serie numérica"));
  desk.loop.deliverPosted();
  EXPECT_EQ(user->control(fmt(CDuvuZevadDlg3::kTitleTemplate)).text, "Tarea %SEQNUM%");

  user->click(fmt(CDuvuZevadDlg3::kTextMacros));
  menu = desk.menus.openMenu();
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->items.size(), 6u);
  EXPECT_EQ(menu->items[5].text, "Nombre del ordenador");
  ASSERT_TRUE(desk.menus.chooseText("Hora - 24 horas"));
  desk.loop.deliverPosted();
  EXPECT_EQ(user->control(fmt(CDuvuZevadDlg3::kTextTemplate)).text, "%TIME24%");
  ASSERT_TRUE(user->press("Apli&car"));
  EXPECT_EQ(store().ReadConfigString("DuvuZevad", "TituloPorDefecto"), "Tarea %SEQNUM%");
  EXPECT_EQ(store().ReadConfigString("DuvuZevad", "TextoPorDefecto"), "%TIME24%");
}

TEST_F(NotesPagesTest, DefectoIsReadOnlyAsAtMostOneBinaryRecordAndWrittenAsOne) {
  preinstall();
  NoteRecord shipped = notes::BuiltInNoteRecord();
  shipped.title = "Nota por defecto";
  const auto full = notes::EncodeNoteRecord(shipped);
  // The shipped value lacks its last four bytes: the page fills them with zero.
  setBinary(std::vector<std::uint8_t>(full.begin(), full.end() - 4));
  open(CDuvuZevadDlg3::kTitle);
  user->click(fmt(CDuvuZevadDlg3::kEditDefault));
  ASSERT_EQ(editorStarts.size(), 1u);
  EXPECT_EQ(editorStarts[0], shipped);

  NoteRecord edited = shipped;
  edited.rect = {400, 300, 650, 480};
  edited.background = 0xC0FFC0;
  editorAnswer = edited;
  user->click(fmt(CDuvuZevadDlg3::kEditDefault));
  ASSERT_TRUE(user->press("Apli&car"));
  const auto written = defecto();
  ASSERT_TRUE(written.has_value());
  ASSERT_EQ(written->size(), 472u);
  EXPECT_EQ(notes::DecodeNoteRecord(std::span<const std::uint8_t, 472>(written->data(), 472)), edited);
}

TEST_F(NotesPagesTest, DefectoOfAnotherTypeOrTooLongStartsTheEditorFromTheBuiltInRecord) {
  preinstall();
  setString("DuvuZevad", "Defecto", "no es binario");
  open(CDuvuZevadDlg3::kTitle);
  user->click(fmt(CDuvuZevadDlg3::kEditDefault));
  ASSERT_EQ(editorStarts.size(), 1u);
  EXPECT_EQ(editorStarts[0], notes::BuiltInNoteRecord());
  // Cancelled: nothing changes, and applying the page writes the all-zero copy.
  user->click(fmt(CDuvuZevadDlg3::kRandomPosition));
  ASSERT_TRUE(user->press("Aceptar"));
  desk.loop.deliverPosted();
  EXPECT_EQ(defecto(), std::optional<std::vector<std::uint8_t>>(std::vector<std::uint8_t>(472, 0)));

  setBinary(std::vector<std::uint8_t>(500, 0x11));
  open(CDuvuZevadDlg3::kTitle);
  user->click(fmt(CDuvuZevadDlg3::kEditDefault));
  ASSERT_EQ(editorStarts.size(), 2u);
  EXPECT_EQ(editorStarts[1], notes::BuiltInNoteRecord());
}

}  // namespace
}  // namespace zelvor::testing
