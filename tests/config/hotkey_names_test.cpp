// Key names, the two modifier forms and the hotkey ids.

#include <gtest/gtest.h>

#include "shell/hotkey_names.h"

namespace zelvor {
namespace {

struct NameCase {
  std::uint32_t binding;
  const char* name;
};

TEST(KeyName, FollowsTheTableAndItsBounds) {
  const NameCase cases[] = {
      {0, ""},
      {0x0241, "Ctrl + A"},
      {0x0770, "Ctrl + Alt + Shift + F1"},
      {0x0491, ""},  // Scroll Lock has no name, so the prefixes go too
      {0x0091, ""},
      {13, "Enter"},      {19, "Pausa"},     {20, "Bloq.May."}, {27, "Esc"},       {32, "Espacio"},
      {33, "Re.Pág."},    {34, "Av.Pág."},   {35, "Fin"},       {36, "Inicio"},    {37, "Izquierda"},
      {38, "Arriba"},     {39, "Derecha"},   {40, "Abajo"},     {45, "Insertar"},  {46, "Supr."},
      {47, "Ayuda"},      {48, "0"},         {57, "9"},         {58, ":"},         {64, "@"},
      {90, "Z"},          {91, ""},          {95, ""},          {96, "Num-0"},     {105, "Num-9"},
      {106, "Mul."},      {107, "Suma"},     {108, "Sep."},     {109, "Resta"},    {110, "Bloq.Num."},
      {111, "Div."},      {112, "F1"},       {135, "F24"},      {136, ""},         {186, ""},
      {187, "+"},         {188, ","},        {189, "-"},        {190, "."},        {191, ""},
      {12, ""},           {41, ""},          {255, ""},
      {0x0100 | 'Q', "Alt + Q"},
      {0x0400 | 32, "Shift + Espacio"},
      {0x0800 | 'W', "W"},  // the Windows key has no prefix of its own
      {0x0600 | 46, "Ctrl + Shift + Supr."},
  };
  for (const auto& c : cases) EXPECT_EQ(KeyName(c.binding), c.name) << std::hex << c.binding;
}

TEST(HotkeyModifiers, ConvertBetweenTheFieldAndTheRegistrationForms) {
  struct Case {
    std::uint32_t field, registration;
  };
  // Field: 1 Shift, 2 Control, 4 Alt. Registration: 1 Alt, 2 Control, 4 Shift.
  const Case cases[] = {
      {0x0041, 0x0041}, {0x0141, 0x0441}, {0x0241, 0x0241}, {0x0441, 0x0141},
      {0x0770, 0x0770}, {0x0570, 0x0570}, {0x0370, 0x0670}, {0x0670, 0x0370},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FieldToRegistration(c.field), c.registration) << std::hex << c.field;
    EXPECT_EQ(RegistrationToField(c.registration), c.field) << std::hex << c.registration;
  }
  // The extended-key bit of the field and the Windows key have no place in the other form.
  EXPECT_EQ(FieldToRegistration(0x0A41), 0x0241u);
  EXPECT_EQ(RegistrationToField(0x0A41), 0x0241u);
}

TEST(HotkeyIds, AreTheIconIdTimes256PlusTheCommand) {
  EXPECT_EQ(HotkeyId(9, 1), 0x901);
  EXPECT_EQ(HotkeyId(3, 5), 0x0305);
  EXPECT_EQ(HotkeyId(300, 16), 300 * 256 + 16);
  EXPECT_EQ(HotkeyCommands(UtilityKind::DeveRevazoz).size(), 16u);
  EXPECT_EQ(HotkeyCommands(UtilityKind::ZiviDuvaza).back(), "Mostrar gráfico del uso de memoria y de CPU.");
  EXPECT_TRUE(HotkeyCommands(UtilityKind::RaroDarid).empty());
}

}  // namespace
}  // namespace zelvor
