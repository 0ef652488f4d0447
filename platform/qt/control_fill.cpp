#include "platform/qt/control_fill.h"

#include <QHeaderView>
#include <QScrollBar>

#include "platform/qt/percent_bar_delegate.h"

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

namespace {

QColor colourOf(Colour c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

// Texts, look, bar and tip of one row's item, touching only what differs so
// that a list refreshed every few seconds stays light and keeps its place.
void fillRow(QTreeWidgetItem& item, const ListRow& row, const Control& c, const ImagePixmaps& images, int iconSide) {
  const int columns = std::max(static_cast<int>(c.columns.size()), 1);
  const QString tip = QString::fromStdString(row.tooltip);
  const QVariant colour = row.textColour == 0xFFFFFFFF ? QVariant() : QVariant(QBrush(colourOf(row.textColour)));
  for (int col = 0; col < columns; ++col) {
    const QString text = static_cast<std::size_t>(col) < row.cells.size()
                             ? QString::fromStdString(row.cells[static_cast<std::size_t>(col)])
                             : QString();
    if (item.text(col) != text) item.setText(col, text);
    if (static_cast<std::size_t>(col) < c.columns.size() && c.columns[static_cast<std::size_t>(col)].rightAligned) {
      item.setTextAlignment(col, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (item.toolTip(col) != tip) item.setToolTip(col, tip);
    if (item.data(col, Qt::ForegroundRole) != colour) item.setData(col, Qt::ForegroundRole, colour);
  }
  const int last = columns - 1;
  const QVariant percent = row.barPercent >= 0 ? QVariant(row.barPercent) : QVariant();
  if (item.data(last, kBarPercentRole) != percent) item.setData(last, kBarPercentRole, percent);
  const QVariant barColour = row.barPercent >= 0 ? QVariant(colourOf(row.barColour)) : QVariant();
  if (item.data(last, kBarColourRole) != barColour) item.setData(last, kBarColourRole, barColour);
  if (row.image >= 0 && c.listImages != ImageStrip::None) {
    if (item.data(0, Qt::UserRole).toInt() != row.image + 1) {
      item.setIcon(0, images.icon(ImageRef::fromStrip(c.listImages, row.image), iconSide));
      item.setData(0, Qt::UserRole, row.image + 1);
    }
  } else if (item.data(0, Qt::UserRole).toInt() != 0) {
    item.setIcon(0, QIcon());
    item.setData(0, Qt::UserRole, 0);
  }
  if (c.checkBoxes) {
    item.setFlags(item.flags() | Qt::ItemIsUserCheckable);
    const Qt::CheckState check = row.checked ? Qt::Checked : Qt::Unchecked;
    if (item.checkState(0) != check) item.setCheckState(0, check);
  }
  if (item.isSelected() != row.selected) item.setSelected(row.selected);
}

}  // namespace

void fillListView(QTreeWidget& view, const Control& c, const ImagePixmaps& images) {
  const int columnCount = static_cast<int>(std::max<std::size_t>(c.columns.size(), 1));
  QStringList titles;
  for (const ListColumn& col : c.columns) titles << QString::fromStdString(col.title);
  QStringList shownTitles;
  if (view.headerItem() != nullptr) {
    for (int i = 0; i < view.columnCount(); ++i) shownTitles << view.headerItem()->text(i);
  }
  const bool sameColumns = view.columnCount() == columnCount && (c.columns.empty() || shownTitles == titles);
  const int scrolled = view.verticalScrollBar() != nullptr ? view.verticalScrollBar()->value() : 0;
  if (!sameColumns) {
    view.clear();
    view.setColumnCount(columnCount);
    view.setHeaderLabels(titles);
  }
  view.setHeaderHidden(c.columns.empty());
  for (std::size_t i = 0; i < c.columns.size(); ++i) {
    if (view.columnWidth(static_cast<int>(i)) != c.columns[i].width) view.setColumnWidth(static_cast<int>(i), c.columns[i].width);
    view.headerItem()->setTextAlignment(static_cast<int>(i),
                                        c.columns[i].rightAligned ? Qt::AlignRight | Qt::AlignVCenter
                                                                  : Qt::AlignLeft | Qt::AlignVCenter);
  }
  // The views other than details show the first column only, without the
  // header: large icons at 32 pixels, small icons and the list at 16.
  const bool details = c.listView == kDetailsView;
  const int iconSide = c.listView == kLargeIconsView ? 32 : 16;
  if (view.iconSize() != QSize(iconSide, iconSide)) {
    view.setIconSize(QSize(iconSide, iconSide));
    for (int i = 0; i < view.topLevelItemCount(); ++i) view.topLevelItem(i)->setData(0, Qt::UserRole, 0);
  }
  if (!details) view.setHeaderHidden(true);
  for (int col = 1; col < view.columnCount(); ++col) view.setColumnHidden(col, !details);
  // Rows come and go at either end (a process list grows at the top):
  // items are reused in place and only the difference in number is made
  // or dropped, at the bottom.
  const int wanted = static_cast<int>(c.rows.size());
  while (view.topLevelItemCount() > wanted) delete view.takeTopLevelItem(view.topLevelItemCount() - 1);
  while (view.topLevelItemCount() < wanted) new QTreeWidgetItem(&view);
  for (int r = 0; r < wanted; ++r) fillRow(*view.topLevelItem(r), c.rows[static_cast<std::size_t>(r)], c, images, iconSide);
  if (c.value >= 0 && c.value < view.topLevelItemCount()) {
    view.setCurrentItem(view.topLevelItem(c.value), 0, QItemSelectionModel::NoUpdate);
  }
  if (sameColumns && view.verticalScrollBar() != nullptr) view.verticalScrollBar()->setValue(scrolled);
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
