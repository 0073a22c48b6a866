// A table model of plain texts: the column headers and each row given as one text with its cells separated by
// ",". Serves the status table of the window. GUI thread only, as every Qt model.
#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

class StringTableModel : public QAbstractTableModel {
 public:
  StringTableModel() = default;
  StringTableModel(const StringTableModel&) = delete;
  StringTableModel& operator=(const StringTableModel&) = delete;

  void setColumnHeaders(const std::string& text);
  void addRow(const std::string& text);
  std::string getValueAt(int row, int column) const;
  void setValueAt(const std::string& value, int row, int column);
  int colCount() const { return static_cast<int>(headers_.size()); }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The cells of a "," separated text, each without its surrounding blanks.
  static std::vector<std::string> split(const std::string& text);

 private:
  std::vector<std::string> headers_;
  std::vector<std::vector<std::string>> rows_;  // each as wide as headers_
};
