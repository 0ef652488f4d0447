#pragma once
// Fills the Qt views of list and tree controls from the model.

#include <QTreeWidget>

#include "platform/qt/image_pixmaps.h"
#include "platform/window_model.h"

namespace zelvor {

void fillListView(QTreeWidget& view, const Control& c, const ImagePixmaps& images);
void fillTree(QTreeWidget& view, const Control& c, const ImagePixmaps& images);
// The child indices from the top to item.
[[nodiscard]] std::vector<int> treePathOf(const QTreeWidgetItem* item);
[[nodiscard]] TreeNode* nodeAt(std::vector<TreeNode>& nodes, const std::vector<int>& path);
[[nodiscard]] QString stripMnemonic(const std::string& text);

}  // namespace zelvor
