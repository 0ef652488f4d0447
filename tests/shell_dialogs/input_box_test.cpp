// The input box: "Aceptar" hands back what was typed (never more than the
// caller's size allows), "Cancelar" and closing leave the text alone.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/sim/sim_desktop.h"
#include "shell/dialogs/input_box.h"
#include "tests/support/sim_user.h"

namespace zelvor::testing {
namespace {

struct InputCase {
  const char* name;
  int limit;
  std::string before;
  std::optional<std::string> typed;  // nothing: the user types nothing
  const char* button;                // nullptr: the window is closed
  bool accepted;
  std::string after;
  int maxLength;  // what the field allows to type
};

class InputBoxTest : public ::testing::TestWithParam<InputCase> {
 protected:
  SimClock clock;
  SimDesktop desk{clock};
};

TEST_P(InputBoxTest, AnswersAsTheButtonPressed) {
  const InputCase& c = GetParam();
  std::string prompt, caption;
  Control field;
  desk.dialogs.onModal = [&](WindowModel& model) {
    SimUser user(model);
    caption = model.title;
    prompt = user.control(input_control::Prompt).text;
    field = user.control(input_control::Text);
    if (c.typed) user.type(input_control::Text, *c.typed);
    if (c.button != nullptr) {
      EXPECT_TRUE(user.press(c.button));
    }
    return 2;
  };
  std::string text = c.before;
  CInputBox box(desk.dialogs, kNoWindow, "Nombre del escritorio:", "Cambiar el nombre", text, c.limit);
  EXPECT_EQ(box.DoModal(), c.accepted);
  EXPECT_EQ(text, c.after);
  EXPECT_EQ(caption, "Cambiar el nombre");
  EXPECT_EQ(prompt, "Nombre del escritorio:");
  EXPECT_EQ(field.text, c.before) << "the field starts with the caller's text";
  EXPECT_EQ(field.maxLength, c.maxLength);
  EXPECT_EQ(field.readOnly, c.limit == 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InputBoxTest,
    ::testing::Values(
        InputCase{"AceptarCopiesBack", 0, "Escritorio 1", "Trabajo", "Aceptar", true, "Trabajo", 0},
        InputCase{"AceptarUnchanged", 0, "Escritorio 1", std::nullopt, "Aceptar", true, "Escritorio 1", 0},
        InputCase{"AceptarEmptied", 0, "Escritorio 1", "", "Aceptar", true, "", 0},
        InputCase{"CancelarKeeps", 0, "Escritorio 1", "Trabajo", "Cancelar", false, "Escritorio 1", 0},
        InputCase{"ClosingKeeps", 0, "Escritorio 1", "Trabajo", nullptr, false, "Escritorio 1", 0},
        // A size of 8 holds seven characters; counted as characters, not bytes.
        InputCase{"LimitSeven", 8, "", "Año nuevo", "Aceptar", true, "Año nue", 7},
        InputCase{"LimitFits", 8, "", "Año", "Aceptar", true, "Año", 7},
        // A pre-filled text longer than the size is cut on the way back too.
        InputCase{"LimitCutsPrefilled", 4, "Escritorio", std::nullopt, "Aceptar", true, "Esc", 3},
        InputCase{"LimitCancelKeepsLongText", 4, "Escritorio", "E", "Cancelar", false, "Escritorio", 3},
        // A size of 1 leaves room for nothing: the field takes no typing.
        InputCase{"LimitOne", 1, "x", std::nullopt, "Aceptar", true, "", 0}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(InputBoxPlacement, SitsOverAVisibleOwnerAndLeavesAHiddenOneAlone) {
  SimClock clock;
  SimDesktop desk(clock);
  WindowModel owner;
  owner.className = "COwner";
  owner.geometry = {100, 100, 700, 500};
  const WindowHandle h = desk.dialogs.create(owner);
  Rect placed{1, 1, 1, 1};
  desk.dialogs.onModal = [&](WindowModel& model) {
    placed = model.geometry;
    return 2;
  };
  std::string text;
  {
    CInputBox box(desk.dialogs, h, "p", "c", text, 0);
    (void)box.DoModal();
  }
  EXPECT_EQ(placed, Rect{}) << "a hidden owner: the binding places the box";
  desk.dialogs.show(h);
  {
    CInputBox box(desk.dialogs, h, "p", "c", text, 0);
    (void)box.DoModal();
  }
  EXPECT_EQ((placed.left + placed.right) / 2, 400);
  EXPECT_EQ((placed.top + placed.bottom) / 2, 300);
  EXPECT_GT(placed.width(), 0);
}

}  // namespace
}  // namespace zelvor::testing
