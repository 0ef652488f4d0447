#include "platform/qt/virtual_keys.h"

#include <Qt>

#include <array>

namespace zelvor::vk {
namespace {

struct KeyName {
  int virtualKey;
  std::uint32_t keysym;
  int qtKey;
};

constexpr std::array kNamedKeys{
    KeyName{0x08, 0xFF08, Qt::Key_Backspace}, KeyName{0x09, 0xFF09, Qt::Key_Tab},
    KeyName{0x0D, 0xFF0D, Qt::Key_Return},    KeyName{0x10, 0xFFE1, Qt::Key_Shift},
    KeyName{0x11, 0xFFE3, Qt::Key_Control},   KeyName{0x12, 0xFFE9, Qt::Key_Alt},
    KeyName{0x13, 0xFF13, Qt::Key_Pause},     KeyName{0x14, 0xFFE5, Qt::Key_CapsLock},
    KeyName{0x1B, 0xFF1B, Qt::Key_Escape},    KeyName{0x20, 0x0020, Qt::Key_Space},
    KeyName{0x21, 0xFF55, Qt::Key_PageUp},    KeyName{0x22, 0xFF56, Qt::Key_PageDown},
    KeyName{0x23, 0xFF57, Qt::Key_End},       KeyName{0x24, 0xFF50, Qt::Key_Home},
    KeyName{0x25, 0xFF51, Qt::Key_Left},      KeyName{0x26, 0xFF52, Qt::Key_Up},
    KeyName{0x27, 0xFF53, Qt::Key_Right},     KeyName{0x28, 0xFF54, Qt::Key_Down},
    KeyName{0x2C, 0xFF61, Qt::Key_Print},     KeyName{0x2D, 0xFF63, Qt::Key_Insert},
    KeyName{0x2E, 0xFFFF, Qt::Key_Delete},    KeyName{0x6A, 0xFFAA, Qt::Key_Asterisk},
    KeyName{0x6B, 0xFFAB, Qt::Key_Plus},      KeyName{0x6D, 0xFFAD, Qt::Key_Minus},
    KeyName{0x6E, 0xFFAE, Qt::Key_Period},    KeyName{0x6F, 0xFFAF, Qt::Key_Slash},
    KeyName{0x90, 0xFF7F, Qt::Key_NumLock},   KeyName{0x91, 0xFF14, Qt::Key_ScrollLock},
    KeyName{0xBA, 0x003B, Qt::Key_Semicolon}, KeyName{0xBB, 0x003D, Qt::Key_Equal},
    KeyName{0xBC, 0x002C, Qt::Key_Comma},     KeyName{0xBD, 0x002D, Qt::Key_Minus},
    KeyName{0xBE, 0x002E, Qt::Key_Period},    KeyName{0xBF, 0x002F, Qt::Key_Slash},
    KeyName{0xC0, 0x0060, Qt::Key_QuoteLeft}, KeyName{0xDB, 0x005B, Qt::Key_BracketLeft},
    KeyName{0xDC, 0x005C, Qt::Key_Backslash}, KeyName{0xDD, 0x005D, Qt::Key_BracketRight},
    KeyName{0xDE, 0x0027, Qt::Key_Apostrophe},
};

}  // namespace

std::uint32_t toKeysym(int virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') return static_cast<std::uint32_t>(virtualKey - 'A' + 'a');
  if (virtualKey >= '0' && virtualKey <= '9') return static_cast<std::uint32_t>(virtualKey);
  if (virtualKey >= 0x60 && virtualKey <= 0x69) return 0xFFB0u + static_cast<std::uint32_t>(virtualKey - 0x60);
  if (virtualKey >= 0x70 && virtualKey <= 0x87) return 0xFFBEu + static_cast<std::uint32_t>(virtualKey - 0x70);
  for (const auto& k : kNamedKeys) {
    if (k.virtualKey == virtualKey) return k.keysym;
  }
  return 0;
}

int fromQtKey(int qtKey) {
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 0x70 + (qtKey - Qt::Key_F1);
  if (qtKey == Qt::Key_Enter) return 0x0D;
  for (const auto& k : kNamedKeys) {
    if (k.qtKey == qtKey) return k.virtualKey;
  }
  return 0;
}

int toQtKey(int virtualKey) {
  if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) return virtualKey;
  if (virtualKey >= 0x70 && virtualKey <= 0x87) return Qt::Key_F1 + (virtualKey - 0x70);
  if (virtualKey >= 0x60 && virtualKey <= 0x69) return Qt::Key_0 + (virtualKey - 0x60);
  for (const auto& k : kNamedKeys) {
    if (k.virtualKey == virtualKey) return k.qtKey;
  }
  return 0;
}

}  // namespace zelvor::vk
