// The menus' items, ids and checks.

#include "shell/shell_menus.h"
#include "tests/shell/shell_fixture.h"

namespace zelvor::testing {
namespace {

// One line per item: "id text [checked] [grayed]", separators "-", submenus "> text".
Log describe(const std::vector<MenuItem>& items, const std::string& indent = "") {
  Log out;
  for (const auto& m : items) {
    if (m.kind == MenuItem::Kind::Separator) {
      out.push_back(indent + "-");
    } else if (m.kind == MenuItem::Kind::Submenu) {
      out.push_back(indent + "> " + m.text);
      for (auto& l : describe(m.children, indent + "  ")) out.push_back(l);
    } else {
      out.push_back(indent + std::to_string(m.id) + " " + m.text + (m.checked ? " [checked]" : "") +
                    (m.grayed ? " [grayed]" : ""));
    }
  }
  return out;
}

TEST(MenuTest, ProductMenu) {
  ShownFlags shown{};
  shown[indexOf(UtilityKind::DuvuZevad)] = true;
  shown[indexOf(UtilityKind::RaroDarid)] = true;
  const Menu m = BuildProductMenu(shown);
  EXPECT_EQ(m.title, "Zelvor");
  EXPECT_EQ(describe(m.items),
            (Log{"3001 Ayuda...", "3002 Sugerencia del día", "3003 Actualizar desde Internet...",
                 "3004 Acerca de...", "-", "3005 Restaurar configuración de un archivo...",
                 "3006 Guardar configuración en un archivo...", "-", "> Utilidades a mostrar",
                 "  3051 Vazi Duzidarud", "  3052 Raro Darid [checked]", "  3053 Vada VU",
                 "  3054 Dade Rive", "  3055 Zivi Duvaza", "  3056 Dedo Vuv", "  3057 Divo Zidezevuza",
                 "  3058 Rezi Zovidaraz", "  3059 Duvu Zevad [checked]", "  3060 Ravi Varudide",
                 "  3061 Deve Revazoz", "3007 Configurar...", "-", "3008 Salir"}));
}

TEST(MenuTest, DadeRiveMenuFollowsTheSystem) {
  EXPECT_EQ(describe(BuildDadeRiveMenu(true, 8, true, false).items),
            (Log{"308 Apagado automático... [checked]", "309 Bloquear apagado", "-",
                 "310 Apagar equipo remoto...", "311 Reiniciar equipo remoto...", "-",
                 "301 Apagar sistema", "302 Reiniciar sistema", "304 Suspender", "305 Hibernar",
                 "303 Cerrar sesión", "306 Bloquear equipo"}));
  EXPECT_EQ(describe(BuildDadeRiveMenu(false, 2, false, true).items),
            (Log{"308 Apagado automático...", "309 Bloquear apagado [checked]", "-",
                 "301 Apagar sistema", "302 Reiniciar sistema", "304 Suspender", "305 Hibernar",
                 "303 Cerrar sesión", "307 Reiniciar en modo MS-DOS"}));
}

TEST(MenuTest, DuvuAndDeveMenus) {
  EXPECT_EQ(describe(BuildDuvuMenu({{"Compra", false}, {"Llamar", true}}).items),
            (Log{"901 Nueva nota", "-", "902 Mostrar todas las notas", "903 Ocultar todas las notas",
                 "904 Eliminar todas las notas", "-", "905 Papelera de reciclaje...", "-",
                 "910 Compra", "911 Llamar [checked]"}));
  EXPECT_EQ(describe(BuildDuvuMenu({}).items).size(), 7u);
  EXPECT_EQ(describe(BuildDeveMenu({{"Principal", true}, {"Trabajo", false}}).items),
            (Log{"1101 Administrador de escritorios...", "-", "1102 Nuevo escritorio", "1103 Cerrar todo",
                 "-", "1104 Minimizar todo", "1105 Restaurar todo", "-", "1120 Principal [checked]",
                 "1121 Trabajo"}));
}

TEST(MenuTest, ClipRowsAreCutToSixtyCharacters) {
  const std::string long_(70, 'x');
  EXPECT_EQ(ClipItemText({"1", long_, 0}), "1\t" + std::string(60, 'x'));
  std::string accents;
  for (int i = 0; i < 70; ++i) accents += "é";
  EXPECT_EQ(CutCharacters(accents, 60).size(), 120u);
}

class StoreMenuTest : public ShellTest {
 protected:
  void SetUp() override { ASSERT_TRUE(start().running); }
};

TEST_F(StoreMenuTest, DedoVuvMenuPutsTheDefaultEntryFirst) {
  setString("DedoVuv", "Conexion", "B");
  DialUpFacts facts;
  facts.entries = {"A", "B"};
  std::vector<std::string> order;
  const Menu m = BuildDedoVuvMenu(facts, true, store(), order);
  EXPECT_EQ(order, (std::vector<std::string>{"B", "A"}));
  EXPECT_EQ(describe(m.items),
            (Log{"501 Diario de conexiones...", "502 Conexión/Desconexión automática... [checked]",
                 "508 Alertas del tráfico en la red...", "-", "503 Acceso telefónico a redes...",
                 "504 Crear nueva conexión...", "-", "507 Medidor del tráfico en la red", "-",
                 "540 Propiedades de B...", "541 Propiedades de A...", "-", "520 B", "521 A"}));
  facts.connected = true;
  EXPECT_EQ(describe(BuildDedoVuvMenu(facts, false, store(), order).items).back(), "510 Desconectar");
}

TEST_F(StoreMenuTest, DedoVuvMenuRepairsAMissingDefaultAndShowsAlerts) {
  setString("DedoVuv", "Conexion", "Gone");
  setDword("DedoVuv\\TrafficAlerts", "AlertaSubidaSuperior", 100);
  DialUpFacts facts;
  facts.entries = {"A", "B"};
  std::vector<std::string> order;
  const Menu m = BuildDedoVuvMenu(facts, false, store(), order);
  EXPECT_EQ(store().ReadConfigString("DedoVuv", "Conexion"), "A");
  EXPECT_TRUE(m.items[2].checked);
  facts.entries.clear();
  EXPECT_EQ(describe(BuildDedoVuvMenu(facts, false, store(), order).items).back(),
            "0 <Ninguna conexión> [grayed]");
}

TEST_F(StoreMenuTest, ReziMenuListsClipboardsAndPredefinedTexts) {
  EXPECT_EQ(describe(BuildReziMenu(false, {}, store()).items).back(), "0 <Ningún texto> [grayed]");
  setString("ReziZovidaraz\\Textos", "Numero", "3");
  setString("ReziZovidaraz\\Textos\\ 1", "", "Saludo");
  setString("ReziZovidaraz\\Textos\\ 2", "", "Separador");
  setString("ReziZovidaraz\\Textos\\ 3", "", "Firma");
  EXPECT_EQ(describe(BuildReziMenu(true, {{"1", "hola", 2}}, store()).items),
            (Log{"701 Administrador de portapapeles...", "702 Eliminar todos los portapapeles", "-",
                 "703 Desactivado [checked]", "-", "> Seleccionar portapapeles", "  750 1\thola",
                 "> Pegar en la ventana activa", "  800 1\thola", "-", "710 Saludo", "-", "712 Firma"}));
}

TEST_F(StoreMenuTest, MenuStyleFollowsEstiloMenus) {
  setString("", "EstiloMenus", "3");
  mouse(1, msg::LeftUp);
  EXPECT_EQ(desk.menus.openedStyle, MenuStyle::OfficeXp);
  EXPECT_TRUE(main().menuOpen());
  desk.menus.close();
  desk.loop.deliverPosted();
  EXPECT_FALSE(main().menuOpen());
}

TEST_F(StoreMenuTest, AReplacedMenuLeavesTheNewOneMarkedOpen) {
  mouse(1, msg::LeftUp);
  mouse(4, msg::RightUp);  // the Dade Rive menu replaces the product menu
  ASSERT_EQ(desk.menus.openMenu()->title, "Dade Rive");
  EXPECT_TRUE(main().menuOpen());
  ASSERT_TRUE(main().openMenu());
  EXPECT_EQ(main().openMenu()->title, "Dade Rive");
}

}  // namespace
}  // namespace zelvor::testing
