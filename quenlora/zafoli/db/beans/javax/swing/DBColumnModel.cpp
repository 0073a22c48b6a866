#include "quenlora/zafoli/db/beans/javax/swing/DBColumnModel.h"

#include "platform/gui/TableColumn.h"
#include "quenlora/zafoli/db/beans/javax/swing/ColumnAttributes.h"

namespace quenlora::zafoli::db::beans::javax::swing {

DBColumnModel::DBColumnModel(std::vector<plat::lang::Ref<ColumnAttributes>> attributes) {
  setColumnAttributes(std::move(attributes));
}

void DBColumnModel::setColumnAttributes(std::vector<plat::lang::Ref<ColumnAttributes>> attributes) {
  attributes_ = std::move(attributes);
  // A second array replaces the columns of the first instead of adding to them.
  for (const auto& old : getColumns()) removeColumn(old);
  for (std::size_t i = 0; i < attributes_.size(); ++i) {
    const auto& a = attributes_[i];
    if (!a) continue;
    auto column = plat::lang::makeRef<plat::gui::TableColumn>(static_cast<int>(i));
    column->setCellEditor(a->getCellEditor());
    column->setCellRenderer(a->getCellRenderer());
    column->setHeaderRenderer(a->getHeaderRenderer());
    column->setHeaderValue(plat::lang::Value(a->getHeaderValue()));
    column->setIdentifier(plat::lang::Value(a->getIdentifier()));
    column->setMaxWidth(a->getMaxWidth());
    column->setMinWidth(a->getMinWidth());
    column->setResizable(a->getIsResizable());
    column->setPreferredWidth(a->getWidth());
    column->setWidth(a->getWidth());
    if (a->getSizeWidthToFit()) column->sizeWidthToFit();
    addColumn(column);
  }
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
