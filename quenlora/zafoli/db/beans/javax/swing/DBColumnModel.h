// The column model of a sortable data-bound table: one column per column attributes object, in order, with that
// object's editor, renderer, header, identifier and widths. GUI thread only.
#pragma once

#include <vector>

#include "platform/gui/DefaultTableColumnModel.h"

namespace quenlora::zafoli::db::beans::javax::swing {

class ColumnAttributes;

class DBColumnModel : public plat::gui::DefaultTableColumnModel {
 public:
  DBColumnModel() = default;
  explicit DBColumnModel(std::vector<plat::lang::Ref<ColumnAttributes>> attributes);

  const std::vector<plat::lang::Ref<ColumnAttributes>>& getColumnAttributes() const { return attributes_; }
  // Adds one column per entry (null entries are skipped), model index = the entry's position.
  void setColumnAttributes(std::vector<plat::lang::Ref<ColumnAttributes>> attributes);

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.javax.swing.DBColumnModel"; }

 private:
  std::vector<plat::lang::Ref<ColumnAttributes>> attributes_;
};

}  // namespace quenlora::zafoli::db::beans::javax::swing
