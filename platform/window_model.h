#pragma once
// Windows as models. The suite's code builds a tree of controls with ids,
// texts and state, and reacts to the events the user causes; a binding
// shows the model (the Qt one renders it, the simulated one keeps it for
// tests to read and act on).
//
// Layout is automatic: the children of a Column stack from top to bottom,
// those of a Row from left to right; a Tabs control holds one Column per
// page. Sizes are hints in pixels; 0 lets the binding choose.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/image.h"
#include "platform/menu_host.h"
#include "platform/ui_types.h"

namespace zelvor {

class Canvas;

// A font as the suite names one; the binding finds the nearest the desktop has.
struct TextFont {
  std::string family;  // empty: the desktop's
  int pointSize = 0;   // 0: the desktop's
  bool bold = false, italic = false, underline = false;
  bool strikeOut = false;
  int weight = 0;  // 1..1000 as font weights go (400 normal, 700 bold); 0: bold decides
  friend bool operator==(const TextFont&, const TextFont&) = default;
};

enum class TextAlign { Left, Centre, Right };

enum class ControlKind {
  Column,       // container, children top to bottom; text: optional group title
  Row,          // container, children left to right
  Label,
  CheckBox,     // checked
  Radio,        // checked; radios in one container form one group
  Edit,         // text; multiLine, password, readOnly, maxLength
  Combo,        // items, value = selected index (-1 none); editable: text is free
  ListView,     // columns, rows, value = focused row (-1 none), selection, checkBoxes
  Tree,         // nodes, selectedPath
  Button,       // text; isDefault; checkable (a toggle button) with checked
  Slider,       // value in [minimum, maximum]
  Spin,         // value in [minimum, maximum]
  HotkeyField,  // value: low byte key, second byte modifiers (field form: 1 Shift, 2 Ctrl, 4 Alt)
  ColourButton, // colour
  TimePicker,   // value = seconds after midnight; or a date when showDate (value = days since 1970);
                // text: display format ("HH:mm", "d 'de' MMMM": d dd M MM MMM MMMM yy yyyy HH mm ss,
                // 'quoted' literal text), empty: the binding's own; month names are Spanish
  Tabs,         // items = page titles, value = current page, children = one Column per page
  Progress,     // value in [minimum, maximum]
  StatusBar,    // items = the parts' texts
  Canvas,       // custom drawn through paint; mouse events reach the window
  Image,        // image
};

struct ListColumn {
  std::string title;
  int width = 100;
  bool rightAligned = false;
};

struct ListRow {
  std::vector<std::string> cells;
  int image = -1;  // index in the list's image strip
  bool checked = false;
  bool selected = false;
  std::uint64_t data = 0;  // the owner's key for the row
  // A percentage bar drawn in the last column (-1: none), in barColour.
  int barPercent = -1;
  Colour barColour = 0;
  std::string tooltip{};  // shown over the row
  // The row's text colour; 0xFFFFFFFF keeps the list's own.
  Colour textColour = 0xFFFFFFFF;
};

struct TreeNode {
  std::string text;
  int image = -1;  // index in the tree's image strip
  bool expanded = false;
  std::uint64_t data = 0;
  std::vector<TreeNode> children;
  ImageRef icon{};  // when set, shown instead of the strip's image
};

struct Control {
  ControlKind kind = ControlKind::Label;
  int id = 0;  // 0: nothing reacts to it
  std::string text;
  bool enabled = true;
  bool visible = true;
  std::string tooltip;
  Size size;  // hint

  bool checked = false;
  int value = 0;
  int minimum = 0;
  int maximum = 100;
  Colour colour = 0;
  ImageRef image;
  std::vector<std::string> items;

  // Edit
  bool multiLine = false;
  bool password = false;
  bool readOnly = false;
  int maxLength = 0;  // 0: no limit
  // Label, Edit: how the text looks; unset, the desktop's.
  std::optional<Colour> textColour;
  std::optional<Colour> backColour;
  std::optional<TextFont> font;
  TextAlign align = TextAlign::Left;
  bool flat = false;  // Edit: no frame, so that it blends with its window
  bool richText = false;  // Label: the text is the suite's small HTML (tables, <b>, <br>, <hr>)
  // Combo
  bool editable = false;
  // Button
  bool isDefault = false;
  bool checkable = false;  // a toggle button: pressing it flips checked
  // TimePicker
  bool showDate = false;
  // ListView
  std::vector<ListColumn> columns;
  std::vector<ListRow> rows;
  bool checkBoxes = false;
  bool multiSelect = false;
  ImageStrip listImages = ImageStrip::None;
  int listView = 3;  // 0 large icons, 1 small icons, 2 list, 3 details
  // Tree
  std::vector<TreeNode> nodes;
  std::vector<int> selectedPath;  // child indices from the top; empty: none
  // Canvas: called to draw the surface of the given size.
  std::function<void(Canvas&, Size)> paint;

  std::vector<Control> children;

  [[nodiscard]] static Control make(ControlKind kind, int id = 0, std::string text = {}) {
    Control c;
    c.kind = kind;
    c.id = id;
    c.text = std::move(text);
    return c;
  }
  Control& add(Control child) {
    children.push_back(std::move(child));
    return children.back();
  }
  [[nodiscard]] Control* find(int controlId);
  [[nodiscard]] const Control* find(int controlId) const;
  // The visible button with exactly this text ("&Agregar"), searching inside
  // visible containers only; nullptr when there is none.
  [[nodiscard]] Control* findButton(std::string_view buttonText);
  [[nodiscard]] const Control* findButton(std::string_view buttonText) const;
};

// What the user did, reported after the binding updated the model.
struct ControlEvent {
  enum class Kind {
    Clicked,        // button pressed, check box or radio toggled, menu-like activation
    Changed,        // text, value, selection, check of a row, colour or hotkey changed
    DoubleClicked,  // list row or tree node
    MouseDown,      // canvas: button pressed (x, y in the surface, button 1 left 2 right 3 middle)
    MouseUp,
    MouseMove,
    KeyDown,        // key: the suite's virtual-key code, modifiers
    Accelerator,    // a key of the window's accelerator table: controlId is its command
    ContextMenu,    // right click or the menu key on a control (controlId, 0 for the surface);
                    // x, y: the point on the screen
  };
  Kind kind = Kind::Clicked;
  int controlId = 0;
  int row = -1;  // ListView row or -1
  int x = 0, y = 0;
  int button = 0;
  int key = 0;
  int modifiers = 0;  // field form: 1 Shift, 2 Ctrl, 4 Alt
};

// A key that runs a command wherever the keyboard focus is in the window.
struct Accelerator {
  int key = 0;        // the suite's virtual-key code
  int modifiers = 0;  // field form: 1 Shift, 2 Ctrl, 4 Alt
  int command = 0;    // reported as ControlEvent::Kind::Accelerator with this controlId
};

struct WindowStyle {
  bool caption = true;        // false: no title bar; the user drags the surface (CDragDialog)
  bool topmost = false;
  bool toolWindow = false;    // no taskbar entry
  bool resizable = false;
  bool modal = false;
  int opacity = 100;          // percent
  int margin = -1;            // pixels between the frame and the controls; -1: the binding's own
};

// A window: its title, geometry, style and control tree, and what it does
// with the user's events.
class WindowModel {
 public:
  virtual ~WindowModel() = default;
  std::string title;
  std::string className;  // stable name for scripting and tests, e.g. "CAvisoDlg"
  Rect geometry;          // empty: the binding centres it with its natural size
  WindowStyle style;
  Control root = Control::make(ControlKind::Column);
  int helpContext = 0;    // F1
  std::vector<Accelerator> accelerators;
  Size minimumSize;       // the smallest size the user can give a resizable window
  // The menu bar: one Submenu item per menu. Choosing a command reports a
  // Clicked event whose controlId is the item's id; a tab in an item's text
  // is followed by its key ("Ctrl+C", "F9"), which chooses it too.
  std::vector<MenuItem> menuBar;

  [[nodiscard]] Control* find(int controlId) { return root.find(controlId); }

  virtual void onEvent(const ControlEvent& event) { (void)event; }
  // The user asked to close (title-bar button, Escape); true lets it close.
  virtual bool onCloseRequest() { return true; }
};

// Drawing for Canvas controls: rectangles, lines, text and images.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void fillRect(const Rect& r, Colour c) = 0;
  virtual void frameRect(const Rect& r, Colour c) = 0;
  virtual void line(Point a, Point b, Colour c) = 0;
  using Font = TextFont;
  using Align = TextAlign;
  virtual void text(const Rect& r, const std::string& text, Colour c, const Font& font,
                    Align align, bool wrap) = 0;
  virtual void image(Point at, const ImageRef& image) = 0;
  [[nodiscard]] virtual Size textSize(const std::string& text, const Font& font) = 0;
};

}  // namespace zelvor
