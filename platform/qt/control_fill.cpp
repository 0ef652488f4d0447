#include "platform/qt/control_fill.h"

#include <QHeaderView>

namespace zelvor {
namespace {

void addNodes(QTreeWidgetItem* parent, QTreeWidget& view, const std::vector<TreeNode>& nodes, ImageStrip strip,
              const ImagePixmaps& images, const std::vector<int>& selected, std::vector<int>& path) {
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const TreeNode& n = nodes[i];
    auto* item = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(&view);
    item->setText(0, QString::fromStdString(n.text));
    if (!n.icon.empty()) {
      item->setIcon(0, images.icon(n.icon, 16));
    } else if (n.image >= 0 && strip != ImageStrip::None) {
      item->setIcon(0, images.icon(ImageRef::fromStrip(strip, n.image), 16));
    }
    path.push_back(static_cast<int>(i));
    addNodes(item, view, n.children, strip, images, selected, path);
    item->setExpanded(n.expanded);
    if (path == selected) view.setCurrentItem(item);
    path.pop_back();
  }
}

}  // namespace

QString stripMnemonic(const std::string& text) {
  QString out;
  const QString in = QString::fromStdString(text);
  for (qsizetype i = 0; i < in.size(); ++i) {
    if (in[i] == QLatin1Char('&')) {
      if (i + 1 < in.size() && in[i + 1] == QLatin1Char('&')) {
        out += QLatin1Char('&');
        ++i;
      }
      continue;
    }
    out += in[i];
  }
  return out;
}

namespace {
// Control::listView values.
constexpr int kLargeIconsView = 0;
constexpr int kDetailsView = 3;
}  // namespace

void fillListView(QTreeWidget& view, const Control& c, const ImagePixmaps& images) {
  view.clear();
  view.setColumnCount(static_cast<int>(std::max<std::size_t>(c.columns.size(), 1)));
  QStringList titles;
  for (const ListColumn& col : c.columns) titles << QString::fromStdString(col.title);
  view.setHeaderLabels(titles);
  view.setHeaderHidden(c.columns.empty());
  for (std::size_t i = 0; i < c.columns.size(); ++i) {
    view.setColumnWidth(static_cast<int>(i), c.columns[i].width);
    view.headerItem()->setTextAlignment(static_cast<int>(i),
                                        c.columns[i].rightAligned ? Qt::AlignRight | Qt::AlignVCenter
                                                                  : Qt::AlignLeft | Qt::AlignVCenter);
  }
  // The views other than details show the first column only, without the
  // header: large icons at 32 pixels, small icons and the list at 16.
  const bool details = c.listView == kDetailsView;
  const int iconSide = c.listView == kLargeIconsView ? 32 : 16;
  view.setIconSize(QSize(iconSide, iconSide));
  if (!details) view.setHeaderHidden(true);
  for (int col = 1; col < view.columnCount(); ++col) view.setColumnHidden(col, !details);
  for (std::size_t r = 0; r < c.rows.size(); ++r) {
    const ListRow& row = c.rows[r];
    auto* item = new QTreeWidgetItem(&view);
    for (std::size_t col = 0; col < row.cells.size(); ++col) {
      item->setText(static_cast<int>(col), QString::fromStdString(row.cells[col]));
      if (col < c.columns.size() && c.columns[col].rightAligned) {
        item->setTextAlignment(static_cast<int>(col), Qt::AlignRight | Qt::AlignVCenter);
      }
    }
    if (row.image >= 0 && c.listImages != ImageStrip::None) {
      item->setIcon(0, images.icon(ImageRef::fromStrip(c.listImages, row.image), iconSide));
    }
    if (c.checkBoxes) {
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      item->setCheckState(0, row.checked ? Qt::Checked : Qt::Unchecked);
    }
    item->setSelected(row.selected);
  }
  if (c.value >= 0 && c.value < view.topLevelItemCount()) {
    view.setCurrentItem(view.topLevelItem(c.value), 0, QItemSelectionModel::NoUpdate);
  }
}

void fillTree(QTreeWidget& view, const Control& c, const ImagePixmaps& images) {
  view.clear();
  std::vector<int> path;
  addNodes(nullptr, view, c.nodes, c.listImages, images, c.selectedPath, path);
}

std::vector<int> treePathOf(const QTreeWidgetItem* item) {
  std::vector<int> path;
  while (item != nullptr) {
    const QTreeWidgetItem* parent = item->parent();
    path.insert(path.begin(), parent != nullptr ? parent->indexOfChild(const_cast<QTreeWidgetItem*>(item))
                                                : item->treeWidget()->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item)));
    item = parent;
  }
  return path;
}

TreeNode* nodeAt(std::vector<TreeNode>& nodes, const std::vector<int>& path) {
  std::vector<TreeNode>* level = &nodes;
  TreeNode* node = nullptr;
  for (int i : path) {
    if (i < 0 || static_cast<std::size_t>(i) >= level->size()) return nullptr;
    node = &(*level)[static_cast<std::size_t>(i)];
    level = &node->children;
  }
  return node;
}

}  // namespace zelvor
